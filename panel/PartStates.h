// The state codes of front-panel parts.
#pragma once

// Status of a port part; each chooses the port bitmap of the same kind.
enum PortStatus : int
{
    PORTLINK100 = 0,
    PORTLINK10 = 1,
    PORTDISABLED = 2,
    PORTENABLE = 3,
    PORTEMPTY = 4,
};
inline constexpr int kPortStatusCount = 5;

// State of a lamp; a lamp holds one bitmap name per state 0 to 3.
enum LampState : int
{
    LAMPON = 0,
    LAMP1G = 1,
    LAMPOFF = 2,
};
inline constexpr int kLampBitmapCount = 4;

// What a lamp shows; a lamp whose description gives no type has LAMP_TYPE_NONE.
enum LampType : int
{
    LAMP_TYPE_NONE = -1,
    LAMP_TYPE_LINK = 0,
    LAMP_TYPE_S100M = 1,
    LAMP_TYPE_POWER = 2,
    LAMP_TYPE_CONSOLE = 3,
};

// An LED holds one bitmap name per LED state 0 to 9.
inline constexpr int kLedBitmapCount = 10;

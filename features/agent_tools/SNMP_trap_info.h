// The switch's trap switches, one text per slot: "1" enabled, "2" disabled.
#pragma once

#include <array>
#include <string>

// Slots: 0 authentication failure, 1 device boot-up, 2 port link up and down,
// 3 RSTP port state change, 4 firmware upgrade state, 5 and 6 tied to no
// object, 7 PoE power on and off, 8 PoE power error, 9 PoE over the maximum
// power budget, 10 loopback detection.
using SNMP_trap_info = std::array<std::string, 11>;

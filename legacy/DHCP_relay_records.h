// The records that CDHCPBootpLogic hands to the relay dialogs with
// WM_DHCP_RELAY_NOTIFY; valid only during the SendMessage call.
#pragma once

#include <string>

struct DHCP_relay_global_info
{
    std::string strRelayState;     // 1 enabled, 2 disabled
    std::string strHops;           // 1..16
    std::string strThreshold;      // 0..65535
    std::string strOption82State;  // read only
    std::string strOption82Check;  // 1 enabled, 2 disabled
    std::string strOption82Policy; // 1 replace, 2 drop, 3 keep
    std::string strRemoteIdType;   // 1 default, 2 user defined
    std::string strRemoteId;       // the bytes as the switch holds them
};

struct DHCP_relay_server_info
{
    std::string strInterface; // always "System"
    std::string strServer;
    std::string strRowStatus;
};

struct DHCP_local_relay_info
{
    std::string strVlanId;
    std::string strVlanName;
    std::string strState;     // local relay of the VLAN: 1 enabled, 2 disabled
    std::string strRowStatus; // of the VLAN in the VLAN table
};

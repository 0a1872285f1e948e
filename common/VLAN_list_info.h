// One row of the VLAN walk of CModuleBase, handed to the owner window with
// WM_VLAN_LIST_NOTIFY (wParam 0, lParam points to it during the message only).
#pragma once

#include <string>

struct VLAN_list_info
{
    std::string strVlanId;
    std::string strVlanName;
    std::string strRowStatus;
};

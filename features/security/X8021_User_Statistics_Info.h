// One row of the local 802.1X user walk (C8021XSettingLogic). The password
// the switch returns is never kept.
#pragma once

#include <string>

class X8021_User_Statistics_Info
{
public:
    std::string strUserName;
    std::string strPassword = "*****";
    int nRowStatus = 0;
};

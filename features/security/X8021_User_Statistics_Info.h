// One row of the local 802.1X user walk (C8021XSettingLogic). The password
// the switch returns is never kept.
#pragma once

#include <string>

class X8021_User_Statistics_Info
{
public:
    std::string strIndex; // the row's own index (".4.97.98.99.100"), which Delete names
    std::string strUserName;
    std::string strPassword = "*****";
    int nRowStatus = 0;
};

// One row of the bandwidth table: the port and its rate limits in Kbit/s, as
// the switch gave them ("0": no limit).
#pragma once

#include <string>

struct BANDWIDTH_rate_info
{
    std::string strPort;
    std::string strTxRate;
    std::string strRxRate;
};

// One row of the agent's user table as a page receives it, valid only while
// the message that carries it lasts: 0 user name, 1 group name, 2 version
// text ("V1", "V2c", "V3"), 3 authentication protocol text ("None", "MD5",
// "SHA"), 4 authentication password as it comes, 5 privacy protocol text
// ("None", "DES_CBC"), 6 privacy password as it comes, 7 row status. A code
// outside the listed ones is given as received.
#pragma once

#include <array>
#include <string>

using SNMP_user_info = std::array<std::string, 8>;

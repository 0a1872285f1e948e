// One row of the agent's community table as the community page receives it:
// 0 community name, 1 user name (the view policy), 2 row status; valid only
// while the message that carries it lasts.
#pragma once

#include <array>
#include <string>

using SNMP_community_info = std::array<std::string, 3>;

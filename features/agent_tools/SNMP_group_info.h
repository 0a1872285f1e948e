// One row of the agent's group table as the group page receives it, valid
// only while the message that carries it lasts: 0 group name, 1 read view,
// 2 write view, 3 notify view, 4 security model text ("v1", "v2c", "v3"),
// 5 security level text ("NoAuthNoPriv", "AuthNoPriv", "AuthPriv"), 6 row
// status. A code outside the listed ones is given as received; a cell the
// row lacks is empty.
#pragma once

#include <array>
#include <string>

using SNMP_group_info = std::array<std::string, 7>;

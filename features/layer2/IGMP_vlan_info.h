// One row of the per-VLAN IGMP snooping walk, as texts:
//   0 VLAN id | 1 VLAN name | 2 snooping state, 3 querier state, 4 fast
//   leave ("1" enabled, "2" disabled, empty when the switch gave neither)
//   5 static router ports as a comma port list | 6, 7 unused, empty
#pragma once

#include <array>
#include <string>

struct IGMP_vlan_info
{
    std::array<std::string, 8> str;
};

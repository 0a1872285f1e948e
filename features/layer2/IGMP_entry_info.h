// One multicast group learned by IGMP snooping, as texts:
//   0 VLAN id | 1 group address "%d.%d.%d.%d"
//   2 group MAC "%02X-%02X-%02X-%02X-%02X-%02X" | 3 member ports, a comma port list
#pragma once

#include <array>
#include <string>

struct IGMP_entry_info
{
    std::array<std::string, 4> str;
};

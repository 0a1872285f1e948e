// The switch's eight IGMP snooping globals, each the decimal text of one
// INTEGER of korvelEnterprise.10.76.19.1.10.1 (string i is .(i + 1).0):
//   0 state (1 enabled, 2 disabled) | 1 router timeout (s) | 2 host timeout (s)
//   3 robustness variable | 4 last member query interval (s)
//   5 query interval (s) | 6 maximum response time (s)
//   7 report to all ports (1 on, 2 off)
#pragma once

#include <array>
#include <string>

struct IGMP_global_info
{
    static constexpr int kCount = 8;
    std::array<std::string, kCount> str;
};

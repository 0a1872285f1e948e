// What the IGMP snooping tests share: the simulated switch with the IGMP,
// VLAN and trunk data, the IGMP objects, and the requests the switch received.
#pragma once

#include "vlan/VlanTestSupport.h"

#include <string>
#include <vector>

namespace igmptest {

inline const std::string kKorvel = "1.3.6.1.4.1.32473.10.76.19.1";
// Global i (0..7) of IGMP_global_info.
inline std::string Global(int i)
{
    return kKorvel + ".10.1." + std::to_string(i + 1) + ".0";
}
inline const std::string kState = Global(0);
// Per-VLAN table: .10.3.4.1.c.vid.
inline std::string VlanOid(int column, int vid)
{
    return kKorvel + ".10.3.4.1." + std::to_string(column) + "." + std::to_string(vid);
}
inline const std::string kTrunkColumn = kKorvel + ".8.1.3.1.2";

inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}

inline std::string IgmpData()
{
    return KorvelSimulator::TestData("igmp.snmprec");
}
inline std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/igmp/fixtures/" + name;
}

// The 28-port base switch: snooping enabled (router timeout 260, host timeout
// 260, robustness 2, last member query interval 1, query interval 125, maximum
// response time 10, report to all ports off); VLANs 1, 2, 10, 20, 30, 40, 50
// and 100, of which 1 (querier on, router ports 27 and 28), 2 (fast leave on)
// and 20 (router port 26) are snooped; trunk 1 holds ports 27 and 28, trunk 2
// ports 25 and 26; three learned groups.
class IgmpTest : public vlantest::VlanTest
{
public:
    void StartIgmpSwitch(std::vector<std::string> extra = {}, int ports = 28)
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("trunk.snmprec"),
                                       vlantest::VlanData(), IgmpData()};
        files.insert(files.end(), extra.begin(), extra.end());
        StartSwitch(files, ports);
    }
    std::vector<std::vector<std::string>> Sets() const { return Requests("SET"); }
};

} // namespace igmptest

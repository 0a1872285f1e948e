// What the GVRP tests share: the simulated switch with the GVRP, trunk and
// VLAN data, the GVRP objects, and what the switch was sent.
#pragma once

#include "vlan/VlanTestSupport.h"

#include <string>
#include <vector>

namespace gvrptest {

inline const std::string kGvrp = "1.3.6.1.4.1.32473.10.76.19.1.30";
inline const std::string kState = kGvrp + ".1.0";
inline const std::string kJoin = kGvrp + ".2.0";
inline const std::string kLeave = kGvrp + ".3.0";
inline const std::string kLeaveAll = kGvrp + ".4.0";
inline std::string PortOid(int column, int port)
{
    return kGvrp + ".5.1." + std::to_string(column) + "." + std::to_string(port);
}
inline std::string TrunkOid(int group)
{
    return vlantest::kTrunkColumn + "." + std::to_string(group);
}

inline std::string DataFile(const std::string& name)
{
    return KorvelSimulator::TestData(name + ".snmprec");
}

// The four bindings of one port's SET: PVID, GVRP state, ingress checking,
// frame type.
inline std::vector<std::string> PortSet(int port, const std::string& pvid, const std::string& gvrp,
                                        const std::string& ingress, const std::string& frameType)
{
    return {PortOid(2, port) + "|2|" + pvid, PortOid(3, port) + "|2|" + gvrp, PortOid(4, port) + "|2|" + ingress,
            PortOid(5, port) + "|2|" + frameType};
}

// The 28-port switch: trunk 1 holds ports 27 and 28, trunk 2 ports 25 and 26;
// GVRP is enabled with the timers 200, 600 and 10000 ms; every port has PVID
// 1, GVRP disabled, ingress checking enabled and all frames admitted.
class GvrpTest : public FeatureDialogTest
{
public:
    void StartGvrpSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), DataFile("trunk"), DataFile("vlan"), DataFile("gvrp")}, 28);
    }
    // Sets a trunk's members as a port bitmap of four octets.
    void SetTrunkMembers(int group, const std::string& bitmap)
    {
        ASSERT_EQ(sim->Set(TrunkOid(group), SnmpValueOctetString, bitmap), 0);
    }
    std::size_t GetNextCount() const { return Requests("GETNEXT").size(); }
    // The SETs the switch received after the test's own first `skip` ones.
    std::vector<std::vector<std::string>> Sets(std::size_t skip = 0) const
    {
        auto sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
};

using vlantest::Checked;
using vlantest::Texts;

} // namespace gvrptest

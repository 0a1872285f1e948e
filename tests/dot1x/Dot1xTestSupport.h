// What the 802.1X tests share: the simulated switch with the 802.1X and
// trunk data, the 802.1X objects, and what the switch was sent.
#pragma once

#include "support/FeatureDialogTest.h"
#include "vlan/VlanTestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace dot1xtest {

inline const std::string k8021x = "1.3.6.1.4.1.32473.10.76.19.1.23";
inline const std::string kState = k8021x + ".1.1.0";
inline const std::string kProtocol = k8021x + ".1.3.0";
inline const std::string kForward = k8021x + ".1.4.0";
inline std::string PortOid(int column, int port)
{
    return k8021x + ".2.1.1." + std::to_string(column) + "." + std::to_string(port);
}
inline std::string RadiusOid(int column, int index)
{
    return k8021x + ".4.2.1." + std::to_string(column) + "." + std::to_string(index);
}
inline const std::string kAccessControl = "1.3.6.1.4.1.32473.10.76.19.1.11.2.9.1";
inline std::string ControlOid(int port)
{
    return kAccessControl + ".2." + std::to_string(port);
}
inline std::string StatusOid(int port)
{
    return kAccessControl + ".3." + std::to_string(port);
}
inline std::string TrunkOid(int group)
{
    return vlantest::kTrunkColumn + "." + std::to_string(group);
}

// The 28-port switch (tests/support/data/dot1x.snmprec): 802.1X enabled,
// RADIUS, EAPOL not forwarded; every port Force Authorized with capability
// None and the default timers; the older access control has every port Auto
// but port 5, Force Authorized. Trunk 1 holds ports 27 and 28, trunk 2 ports
// 25 and 26.
class Dot1xTest : public FeatureDialogTest
{
public:
    void StartDot1xSwitch(std::vector<std::string> extra = {}, int ports = 28)
    {
        std::vector<std::string> files = {KorvelSimulator::BaseData(), KorvelSimulator::TestData("trunk.snmprec"),
                                          KorvelSimulator::TestData("dot1x.snmprec")};
        files.insert(files.end(), extra.begin(), extra.end());
        StartSwitch(files, ports);
    }
    void SetTrunkMembers(int group, const std::string& bitmap)
    {
        ASSERT_EQ(sim->Set(TrunkOid(group), SnmpValueOctetString, bitmap), 0);
    }
    // The SETs the switch received after the test's own first `skip` ones.
    std::vector<std::vector<std::string>> Sets(std::size_t skip = 0) const
    {
        auto sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
    std::size_t GetNextCount() const { return Requests("GETNEXT").size(); }
    // Waits until the switch has been asked for no further row for a while.
    bool WaitForQuiet()
    {
        for (int turn = 0; turn < 100; ++turn) {
            const std::size_t asked = GetNextCount();
            PumpFor(150);
            if (GetNextCount() == asked)
                return true;
        }
        return false;
    }
};

// A list row's texts joined by "|".
inline std::string RowText(CListCtrl& list, int row, int columns)
{
    std::string text;
    for (int col = 0; col < columns; ++col)
        text += (col ? "|" : "") + list.GetItemText(row, col);
    return text;
}

inline std::string FixtureData(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/dot1x/fixtures/" + name;
}

using vlantest::Texts;

} // namespace dot1xtest

// What the loopback detection tests share: the switch with the loopback
// detection data, its objects, and the SETs the module sent.
#pragma once

#include "support/FeatureDialogTest.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lbdtest {

inline const std::string kKorvel = "1.3.6.1.4.1.32473.10.76.19.1";
inline const std::string kState = kKorvel + ".17.1.0";
inline const std::string kMode = kKorvel + ".17.2.0";
inline const std::string kInterval = kKorvel + ".17.3.0";
inline const std::string kRecoverTime = kKorvel + ".17.4.0";
inline const std::string kVlanList = kKorvel + ".17.7.0";
inline const std::string kStpGlobal = kKorvel + ".6.1.1.0";
inline const std::string kVlanLoopColumn = kKorvel + ".17.6.1.1";
inline std::string PortState(int port)
{
    return kKorvel + ".17.5.1.2." + std::to_string(port);
}

using RequestList = std::vector<std::vector<std::string>>;

// The 28-port switch of loopback.snmprec: loopback detection on in port mode
// (interval 10 s, recover 60 s), on port 2 only; loops shut ports 3 (VLANs
// 10 and 20), 5 (VLAN 10) and 6; spanning tree off globally and on every
// port; trunk 1 holds ports 3 and 4.
class LbdTest : public FeatureDialogTest
{
protected:
    void StartLbdSwitch(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("loopback.snmprec")};
        files.insert(files.end(), extra.begin(), extra.end());
        StartSwitch(files, 28);
    }
    static std::string Fixture(const std::string& name)
    {
        return std::string(KORVEL_SOURCE_DIR) + "/tests/loopback/fixtures/" + name;
    }
    // The test's own writes go through sim->Set: they are counted apart.
    void SetInt(const std::string& oid, int value)
    {
        ASSERT_EQ(sim->Set(oid, SnmpValueInteger, std::to_string(value)), 0) << oid;
        ++m_ownSets;
    }
    RequestList Sets() const
    {
        RequestList sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(m_ownSets, sets.size())));
        return sets;
    }
    // How many walks of the VLAN loop table have started: each refresh starts one.
    std::size_t VlanLoopWalks() const
    {
        std::size_t count = 0;
        for (const auto& request : Requests("GETNEXT"))
            if (!request.empty() && request[0] == kVlanLoopColumn + "|5|")
                ++count;
        return count;
    }

    std::size_t m_ownSets = 0;
};

inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}

} // namespace lbdtest

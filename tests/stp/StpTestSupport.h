// What the spanning-tree tests share: the simulated switch with the
// spanning-tree data, its objects, the requests it received, and the port
// table waited for.
#pragma once

#include "vlan/VlanTestSupport.h"

#include "features/layer2/CPrivateSpanTree.h"
#include "resources/stp.h"

#include <algorithm>
#include <string>
#include <vector>

namespace stptest {

inline const std::string kKorvel = "1.3.6.1.4.1.32473.10.76.19.1";
// Global settings: .6.1.n.0.
inline std::string Scalar(int n)
{
    return kKorvel + ".6.1." + std::to_string(n) + ".0";
}
inline const std::string kState = Scalar(1);
inline const std::string kVersion = Scalar(2);
inline const std::string kPriority = Scalar(3);
inline const std::string kTxHold = Scalar(4);
inline const std::string kMaxAge = Scalar(15);
inline const std::string kHello = Scalar(16);
inline const std::string kForwardDelay = Scalar(17);
// Port table: .6.2.1.c.p.
inline std::string PortColumn(int column)
{
    return kKorvel + ".6.2.1." + std::to_string(column);
}
inline std::string PortOid(int column, int port)
{
    return PortColumn(column) + "." + std::to_string(port);
}
inline const std::string kLbdGlobal = kKorvel + ".17.1.0";
inline const std::string kLbdPortColumn = kKorvel + ".17.5.1.2";
inline std::string LbdPort(int port)
{
    return kLbdPortColumn + "." + std::to_string(port);
}
inline std::string StpPortEnable(int port)
{
    return "1.3.6.1.2.1.17.2.15.1.4." + std::to_string(port);
}

// A binding of the request log: an integer written, or an object asked for.
inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}
inline std::string Asked(const std::string& oid)
{
    return oid + "|5|";
}

inline std::string StpData()
{
    return KorvelSimulator::TestData("stp.snmprec");
}
inline std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/stp/fixtures/" + name;
}

using RequestList = std::vector<std::vector<std::string>>;

// The 28-port switch with spanning tree on (RSTP, priority 32768, hold count
// 6, maximum age 20 s, hello time 2 s, forward delay 15 s) on every port,
// loopback detection off everywhere. Ports 1 to 4 forward on the automatic
// cost 20000, the others are down.
class StpTest : public FeatureDialogTest
{
protected:
    void StartStpSwitch(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), StpData()};
        files.insert(files.end(), extra.begin(), extra.end());
        StartSwitch(files, 28);
    }
    // The test's own writes go through sim->Set: they are counted apart.
    void SetInt(const std::string& oid, int value)
    {
        ASSERT_EQ(sim->Set(oid, SnmpValueInteger, std::to_string(value)), 0) << oid;
        ++m_ownSets;
    }
    // The SETs the module sent.
    RequestList Sets() const
    {
        RequestList sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(m_ownSets, sets.size())));
        return sets;
    }
    // How many GETs asked for an object below the prefix.
    std::size_t GetsBelow(const std::string& prefix) const
    {
        std::size_t count = 0;
        for (const auto& request : Requests("GET"))
            for (const std::string& binding : request)
                if (binding.rfind(prefix + ".", 0) == 0)
                    ++count;
        return count;
    }
    // How many walks of the port table have started (their first request
    // names the bare columns).
    std::size_t PortWalks() const
    {
        std::size_t count = 0;
        for (const auto& request : Requests("GETNEXT"))
            if (!request.empty() && request[0] == Asked(PortColumn(1)))
                ++count;
        return count;
    }
    // Until the n-th walk of the port table has ended.
    bool WaitForPortWalk(CWnd& table, std::size_t n) const
    {
        return Pump([&] { return PortWalks() >= n && Enabled(table, IDC_STP_TABLE_PORT_CONFIG); }, 20000);
    }

    std::size_t m_ownSets = 0;
};

inline CListCtrl& TableList(CWnd& table)
{
    return Item<CListCtrl>(table, IDC_STP_TABLE_LIST);
}
// Row `row` of the port table, its nine columns.
inline std::vector<std::string> Row(CWnd& table, int row)
{
    std::vector<std::string> texts;
    for (int column = 0; column < 9; ++column)
        texts.push_back(TableList(table).GetItemText(row, column));
    return texts;
}

using vlantest::Checked;
using vlantest::Texts;
using vlantest::WhenDialogOpens;

} // namespace stptest

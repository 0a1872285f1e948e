// The IP-MAC-port binding logic on the simulated switch: what its four walks
// deliver, the index forms its writes reach the switch at, the white-list add
// sequence, the port range write and the aggregated-port check.
#include "features/security/CIMPFunclogic.h"
#include "support/FeatureDialogTest.h"

#include <QElapsedTimer>

namespace impb_test {

namespace {

const std::string kRoot = "1.3.6.1.4.1.32473.10.76.19.1.14.10";

using RequestList = std::vector<std::vector<std::string>>;

// The owner window: keeps the rows and ends the walks send, in order.
class ImpbOwner : public CWnd
{
public:
    ImpbOwner() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~ImpbOwner() override { DestroyWindow(); }

    std::vector<std::string> events; // "port row", "port end", "entry row", "entry end"
    std::vector<IMPB_port_info> ports;
    std::vector<IMPB_entry_info> entries;

    bool Ended(const std::string& what) const
    {
        return std::find(events.begin(), events.end(), what + " end") != events.end();
    }
    void Clear()
    {
        events.clear();
        ports.clear();
        entries.clear();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_IMPB_PORT_NOTIFY && message != WM_IMPB_ENTRY_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        const std::string kind = message == WM_IMPB_PORT_NOTIFY ? "port" : "entry";
        events.push_back(kind + (wParam == CIMPFunclogic::kNotifyRow ? " row" : " end"));
        if (wParam == CIMPFunclogic::kNotifyRow && message == WM_IMPB_PORT_NOTIFY)
            ports.push_back(*reinterpret_cast<const IMPB_port_info*>(lParam));
        else if (wParam == CIMPFunclogic::kNotifyRow)
            entries.push_back(*reinterpret_cast<const IMPB_entry_info*>(lParam));
        return 0;
    }
};

std::string Entry(const IMPB_entry_info& e)
{
    return e.strIP + "|" + e.strMac + "|" + e.strVid + "|" + e.strPort + "|" + e.strState;
}

IMPB_entry_info MakeEntry(const char* ip, const char* mac, const char* vid, const char* port, const char* state)
{
    IMPB_entry_info entry;
    entry.strIP = ip;
    entry.strMac = mac;
    entry.strVid = vid;
    entry.strPort = port;
    entry.strState = state;
    return entry;
}

class ImpbLogicTest : public FeatureDialogTest
{
protected:
    void StartImpbSwitch(bool withBinding = true)
    {
        std::vector<std::string> files{KorvelSimulator::BaseData()};
        if (withBinding)
            files.push_back(KorvelSimulator::TestData("impb.snmprec"));
        StartSwitch(files, 28);
        owner = std::make_unique<ImpbOwner>();
        logic = std::make_unique<CIMPFunclogic>();
        ASSERT_TRUE(logic->SetHwnd(owner->GetSafeHwnd()));
    }
    std::vector<IMPB_entry_info> WalkEntries(void (CIMPFunclogic::*start)())
    {
        owner->Clear();
        ((*logic).*start)();
        EXPECT_TRUE(Pump([&] { return owner->Ended("entry"); }, 20000));
        return owner->entries;
    }

    // Made once the application and the switch exist.
    std::unique_ptr<ImpbOwner> owner;
    std::unique_ptr<CIMPFunclogic> logic; // built on the switch's connection parameters
};

} // namespace

TEST_F(ImpbLogicTest, TheWalksDeliverTheirRowsAndThenTheirEnd)
{
    StartImpbSwitch();
    logic->StartPortTableWalk();
    ASSERT_TRUE(Pump([&] { return owner->Ended("port"); }, 20000));
    ASSERT_EQ(owner->ports.size(), 28u);
    EXPECT_EQ(owner->events.back(), "port end");
    const IMPB_port_info& port2 = owner->ports[1];
    EXPECT_EQ(port2.strPort + port2.strAdminState + port2.strInspectIP + port2.strDhcpSnooping, "2110");
    EXPECT_EQ(owner->ports[2].strAdminState, "2");

    const std::vector<IMPB_entry_info> learned = WalkEntries(&CIMPFunclogic::StartLearnedWalk);
    ASSERT_EQ(learned.size(), 2u);
    EXPECT_EQ(Entry(learned[0]), "10.0.0.2|00-1A-2B-3C-4D-5E|1|7|2");
    EXPECT_EQ(Entry(learned[1]), "2001:0db8:0000:0000:0000:0000:0000:0001|00-1A-2B-3C-4D-5F|1|8|2");

    const std::vector<IMPB_entry_info> white = WalkEntries(&CIMPFunclogic::StartWhiteListWalk);
    ASSERT_EQ(white.size(), 3u);
    EXPECT_EQ(logic->m_nWhiteListCount, 3);
    EXPECT_EQ(Entry(white[0]), "192.168.0.20|00-1A-2B-3C-4D-01||3|1");
    // A MAC of three octets is read within them.
    EXPECT_EQ(Entry(white[1]), "192.168.0.21|00-1A-2B-00-00-00||4|1");
    // A row without its IP cell has no index part there: no IP.
    EXPECT_EQ(Entry(white[2]), "|00-1A-2B-3C-4D-03||6|1");

    const std::vector<IMPB_entry_info> black = WalkEntries(&CIMPFunclogic::StartBlackListWalk);
    ASSERT_EQ(black.size(), 2u);
    EXPECT_EQ(Entry(black[0]), "10.1.1.2|00-1A-2B-3C-4D-5E|1|5|2");
    EXPECT_EQ(Entry(black[1]), "2001:db8::10|00-1A-2B-3C-4D-60|2|6|2");
}

TEST_F(ImpbLogicTest, AnEmptyTableSendsOnlyItsEnd)
{
    StartImpbSwitch(false);
    for (auto start : {&CIMPFunclogic::StartLearnedWalk, &CIMPFunclogic::StartWhiteListWalk,
                       &CIMPFunclogic::StartBlackListWalk}) {
        WalkEntries(start);
        EXPECT_EQ(owner->events, std::vector<std::string>{"entry end"});
    }
    EXPECT_EQ(logic->m_nWhiteListCount, 0);
}

TEST_F(ImpbLogicTest, EntryWritesReachTheSwitchAtTheirIndexes)
{
    StartImpbSwitch();
    const std::string mac = ".0.26.43.60.77.94";
    const std::string v6 = ".32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1";
    struct Case
    {
        const char* what;
        std::function<BOOL()> write;
        std::string oid; // the object written
        std::string value;
    };
    const IMPB_entry_info learned4 = MakeEntry("10.0.0.2", "00-1A-2B-3C-4D-5E", "1", "7", "1");
    const IMPB_entry_info learned6 =
        MakeEntry("2001:0db8:0000:0000:0000:0000:0000:0001", "00-1A-2B-3C-4D-5F", "1", "8", "1");
    const IMPB_entry_info black = MakeEntry("10.1.1.2", "00-1A-2B-3C-4D-5E", "1", "5", "2");
    const IMPB_entry_info white = MakeEntry("192.168.0.20", "00-1A-2B-3C-4D-01", "", "3", "");
    const IMPB_entry_info white6 = MakeEntry("2001:db8::1", "00-1A-2B-3C-4D-5E", "", "3", "");
    const Case cases[] = {
        {"bind IPv4", [&] { return logic->BindLearnedEntry(learned4); }, kRoot + ".2.1.5" + mac + ".7.4.10.0.0.2", "1"},
        {"bind IPv6", [&] { return logic->BindLearnedEntry(learned6); },
         kRoot + ".2.1.5.0.26.43.60.77.95.8.16" + v6, "1"},
        {"black list delete", [&] { return logic->DeleteBlackListEntry(black); }, kRoot + ".4.1.5" + mac + ".1.5", "1"},
        {"white list delete", [&] { return logic->SetWhiteListEntry(white, CIMPFunclogic::kActionDelete); },
         kRoot + ".3.1.4.4.192.168.0.20.0.26.43.60.77.1", "6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = Requests("SET").size();
        EXPECT_TRUE(c.write());
        const RequestList sets = Requests("SET");
        ASSERT_EQ(sets.size(), before + 1);
        EXPECT_EQ(sets.back(), std::vector<std::string>{c.oid + "|2|" + c.value});
    }
    EXPECT_EQ(sim->Get(kRoot + ".2.1.5" + mac + ".7.4.10.0.0.2"), "1");
    // The switch drops a black-list entry written so, and a destroyed white-list row.
    EXPECT_EQ(sim->Get(kRoot + ".4.1.1" + mac + ".1.5"), "<none>");
    EXPECT_EQ(sim->Get(kRoot + ".3.1.3.4.192.168.0.20.0.26.43.60.77.1"), "<none>");

    // Neither add nor delete: nothing sent.
    const std::size_t before = Requests("SET").size();
    EXPECT_FALSE(logic->SetWhiteListEntry(white6, 2));
    EXPECT_EQ(Requests("SET").size(), before);
    EXPECT_EQ(CIMPFunclogic::WhiteListIndex(white6), ".16" + v6 + mac);
}

TEST_F(ImpbLogicTest, AWhiteListAddCreatesWritesThePortAndActivatesHalfASecondLater)
{
    StartImpbSwitch();
    const IMPB_entry_info entry = MakeEntry("192.168.0.10", "00-1A-2B-3C-4D-5E", "", "3", "");
    const std::string index = ".4.192.168.0.10.0.26.43.60.77.94";
    BoxRecorder boxes;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(logic->SetWhiteListEntry(entry, CIMPFunclogic::kActionAdd));
    EXPECT_GE(clock.elapsed(), 500);
    const RequestList expected{{kRoot + ".3.1.4" + index + "|2|5"},
                               {kRoot + ".3.1.3" + index + "|2|3"},
                               {kRoot + ".3.1.4" + index + "|2|1"}};
    EXPECT_EQ(Requests("SET"), expected);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Success.");
    EXPECT_EQ(sim->Get(kRoot + ".3.1.4" + index), "1");
    EXPECT_EQ(sim->Get(kRoot + ".3.1.3" + index), "3");
}

TEST_F(ImpbLogicTest, SetPortRangeWritesEachPortOfAnAscendingRange)
{
    StartImpbSwitch();
    IMPB_port_info values;
    values.strAdminState = "1";
    values.strInspectIP = "0";
    values.strDhcpSnooping = "1";
    EXPECT_TRUE(logic->SetPortRange("5", "3", values));
    EXPECT_TRUE(Requests("SET").empty());
    EXPECT_TRUE(logic->SetPortRange("27", "28", values));
    const auto cell = [](int column, int port) {
        return kRoot + ".1.1." + std::to_string(column) + "." + std::to_string(port);
    };
    const RequestList expected{{cell(2, 27) + "|2|1", cell(3, 27) + "|2|0", cell(4, 27) + "|2|1"},
                               {cell(2, 28) + "|2|1", cell(3, 28) + "|2|0", cell(4, 28) + "|2|1"}};
    EXPECT_EQ(Requests("SET"), expected);
}

TEST_F(ImpbLogicTest, AggregatedPortsAreJudgedByTheTrunkWalkOfTheCheckItself)
{
    StartImpbSwitch();
    // The very first check already knows trunk 1 (ports 3 and 4).
    EXPECT_FALSE(logic->CheckAggregatedPorts("1", "4", "1"));
    EXPECT_TRUE(logic->CheckAggregatedPorts("1", "2", "1"));
    EXPECT_TRUE(logic->CheckAggregatedPorts("5", "28", "1"));
    EXPECT_TRUE(logic->CheckAggregatedPorts("1", "28", "0"));
    // A walk that fails leaves the membership of the last complete one.
    ASSERT_TRUE(sim->SilenceFor(5000));
    EXPECT_FALSE(logic->CheckAggregatedPorts("3", "3", "1"));
}

} // namespace impb_test

// The IGMP snooping logic on the simulated switch: the globals read and the
// rules of their writes, one VLAN's writes, and what the two walks deliver.
#include "features/layer2/CIGMPSnoopingLogic.h"
#include "igmp/IgmpTestSupport.h"

#include <algorithm>

namespace igmp_test {

using namespace igmptest;

namespace {

// The owner window: keeps what the logic sends, the records copied.
class IgmpOwner : public CWnd
{
public:
    IgmpOwner() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~IgmpOwner() override { DestroyWindow(); }

    // "vlan 0", "vlan 2", "vlan 3 1" (end, whole table), "entry 0", "entry 3 0" ...
    std::vector<std::string> codes;
    std::vector<IGMP_vlan_info> vlans;
    std::vector<IGMP_entry_info> entries;

    bool Ended(const std::string& kind) const
    {
        for (const std::string& code : codes)
            if (code.rfind(kind + " 3", 0) == 0)
                return true;
        return false;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_IGMP_NOTIFY && message != WM_IGMP_ENTRY_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        const std::string kind = message == WM_IGMP_NOTIFY ? "vlan" : "entry";
        std::string code = kind + " " + std::to_string(wParam);
        if (wParam == CIGMPSnoopingLogic::kNotifyEnd)
            code += " " + std::to_string(lParam);
        codes.push_back(code);
        if (wParam == CIGMPSnoopingLogic::kNotifyRow && message == WM_IGMP_NOTIFY)
            vlans.push_back(*reinterpret_cast<const IGMP_vlan_info*>(lParam));
        if (wParam == CIGMPSnoopingLogic::kNotifyRow && message == WM_IGMP_ENTRY_NOTIFY)
            entries.push_back(*reinterpret_cast<const IGMP_entry_info*>(lParam));
        return 0;
    }
};

std::string Joined(const IGMP_vlan_info& row)
{
    std::string text;
    for (const std::string& s : row.str)
        text += s + "|";
    return text;
}

std::string Joined(const IGMP_entry_info& row)
{
    return row.str[0] + "|" + row.str[1] + "|" + row.str[2] + "|" + row.str[3];
}

// The switch's globals as the base data holds them.
IGMP_global_info BaseGlobals()
{
    IGMP_global_info info;
    info.str = {"1", "260", "260", "2", "1", "125", "10", "2"};
    return info;
}

class IgmpLogicTest : public IgmpTest
{
protected:
    // Runs both walks to their ends; false when one never ended.
    static bool RunBothWalks(CIGMPSnoopingLogic& logic, IgmpOwner& owner)
    {
        logic.m_hNotifyWnd = owner.GetSafeHwnd();
        logic.StartIgmpVlanWalk();
        logic.StartMulticastEntryWalk();
        return Pump([&] { return owner.Ended("vlan") && owner.Ended("entry"); }, 20000);
    }
    // The owner's codes in name order (the two walks run side by side).
    static std::vector<std::string> SortedCodes(const IgmpOwner& owner)
    {
        std::vector<std::string> codes = owner.codes;
        std::sort(codes.begin(), codes.end());
        return codes;
    }
    // The SETs received since `before` requests of that kind.
    std::vector<std::vector<std::string>> SetsSince(std::size_t before) const
    {
        auto sets = Sets();
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(before, sets.size())));
        return sets;
    }
};

} // namespace

TEST_F(IgmpLogicTest, ReadGlobalsFillsTheRecordAndSaysSoOnlyWhenTheSwitchAnswered)
{
    StartIgmpSwitch();
    IgmpOwner owner;
    CIGMPSnoopingLogic logic;
    logic.m_hNotifyWnd = owner.GetSafeHwnd();
    logic.ReadGlobals();
    EXPECT_EQ(logic.m_globalInfo.str, BaseGlobals().str);
    EXPECT_EQ(owner.codes, std::vector<std::string>{"vlan 2"});
    EXPECT_EQ(Requests("GET").back(),
              (std::vector<std::string>{Global(0) + "|5|", Global(1) + "|5|", Global(2) + "|5|", Global(3) + "|5|",
                                        Global(4) + "|5|", Global(5) + "|5|", Global(6) + "|5|",
                                        Global(7) + "|5|"}));

    // No answer: the record keeps what it had, and nothing is said.
    ASSERT_EQ(sim->Set(Global(1), SnmpValueInteger, "300"), 0);
    ASSERT_TRUE(sim->SilenceFor(6000));
    logic.ReadGlobals();
    EXPECT_EQ(logic.m_globalInfo.str, BaseGlobals().str);
    EXPECT_EQ(owner.codes.size(), 1U);
}

TEST_F(IgmpLogicTest, WriteGlobalsWritesTheStateFirstAndThenOnlyTheChangedValues)
{
    struct Case
    {
        const char* name;
        std::string oldState, newState;
        std::vector<std::pair<int, std::string>> changes; // global index, new text
        BOOL result;
        std::vector<std::vector<std::string>> sets;
    };
    const Case cases[] = {
        {"off stays off, timers changed", "2", "2", {{1, "300"}}, TRUE, {}},
        {"switched off, timers changed", "1", "2", {{1, "300"}, {7, "1"}}, TRUE, {{Int(kState, "2")}}},
        {"switched on",
         "2",
         "1",
         {{1, "300"}, {6, "20"}},
         TRUE,
         {{Int(kState, "1")}, {Int(kState, "1"), Int(Global(1), "300"), Int(Global(6), "20")}}},
        {"on, two values changed", "1", "1", {{2, "400"}, {7, "1"}}, TRUE,
         {{Int(Global(2), "400"), Int(Global(7), "1")}}},
        // A request without bindings is not sent.
        {"on, nothing changed", "1", "1", {}, FALSE, {}},
        {"a state of neither value", "1", "3", {{1, "300"}}, FALSE, {{Int(kState, "3")}}},
    };
    StartIgmpSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CIGMPSnoopingLogic logic;
        IGMP_global_info oldInfo = BaseGlobals();
        oldInfo.str[0] = c.oldState;
        IGMP_global_info newInfo = oldInfo;
        newInfo.str[0] = c.newState;
        for (const auto& [index, text] : c.changes)
            newInfo.str[static_cast<std::size_t>(index)] = text;
        const std::size_t before = Sets().size();
        EXPECT_EQ(logic.WriteGlobals(oldInfo, newInfo), c.result);
        EXPECT_EQ(SetsSince(before), c.sets);
    }
}

TEST_F(IgmpLogicTest, WritesTheSwitchRefusesAreFailures)
{
    StartIgmpSwitch();
    CIGMPSnoopingLogic logic;
    IGMP_global_info newInfo = BaseGlobals();
    newInfo.str[5] = "200";
    ASSERT_TRUE(sim->RefuseNextSet(Global(5), 5));
    EXPECT_FALSE(logic.WriteGlobals(BaseGlobals(), newInfo));
    EXPECT_EQ(sim->Get(Global(5)), "125");

    newInfo.str[0] = "2";
    ASSERT_TRUE(sim->RefuseNextSet(kState, 5));
    EXPECT_FALSE(logic.WriteGlobals(BaseGlobals(), newInfo));

    ASSERT_TRUE(sim->RefuseNextSet(VlanOid(2, 1), 5));
    EXPECT_FALSE(logic.SetVlanSettings("1", "1", "2", "1", "2", ""));
    EXPECT_EQ(sim->Get(VlanOid(2, 1)), "1");

    const BYTE bitmap[] = {0x80, 0, 0, 0};
    ASSERT_TRUE(sim->RefuseNextSet(VlanOid(6, 1), 5));
    EXPECT_FALSE(logic.SetRouterPorts("1", bitmap, 4));
    EXPECT_TRUE(logic.SetRouterPorts("1", bitmap, 4));
    EXPECT_EQ(HexValue(VlanOid(6, 1)), "80000000");
}

TEST_F(IgmpLogicTest, SetVlanSettingsWritesByTheStateBeforeAndAfter)
{
    struct Case
    {
        const char* name;
        std::string vid, oldState, newState, querier, fastLeave;
        BOOL result;
        std::vector<std::vector<std::string>> sets;
    };
    const Case cases[] = {
        {"stays disabled", "10", "2", "2", "1", "1", TRUE, {}},
        {"enabled to disabled",
         "1",
         "1",
         "2",
         "1",
         "2",
         TRUE,
         {{Int(VlanOid(4, 1), "1"), Int(VlanOid(8, 1), "2"), Int(VlanOid(2, 1), "2")}}},
        {"disabled to enabled",
         "10",
         "2",
         "1",
         "2",
         "1",
         TRUE,
         {{Int(VlanOid(2, 10), "1")},
          {Int(VlanOid(2, 10), "1"), Int(VlanOid(4, 10), "2"), Int(VlanOid(8, 10), "1")}}},
        {"stays enabled", "2", "1", "1", "1", "1", TRUE, {{Int(VlanOid(4, 2), "1"), Int(VlanOid(8, 2), "1")}}},
        {"state unknown", "2", "", "1", "1", "1", FALSE, {}},
    };
    StartIgmpSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CIGMPSnoopingLogic logic;
        const std::size_t before = Sets().size();
        EXPECT_EQ(logic.SetVlanSettings(c.vid, c.oldState, c.newState, c.querier, c.fastLeave, "ignored"), c.result);
        EXPECT_EQ(SetsSince(before), c.sets);
    }
    EXPECT_EQ(sim->Get(VlanOid(2, 1)), "2");
    EXPECT_EQ(sim->Get(VlanOid(2, 10)), "1");
    EXPECT_EQ(sim->Get(VlanOid(8, 10)), "1");
}

TEST_F(IgmpLogicTest, TheWalksSendTheirRowsWholeAndThenTheirEnd)
{
    StartIgmpSwitch();
    IgmpOwner owner;
    CIGMPSnoopingLogic logic;
    ASSERT_TRUE(RunBothWalks(logic, owner));

    ASSERT_EQ(owner.vlans.size(), 8U);
    EXPECT_EQ(Joined(owner.vlans[0]), "1|default|1|1|2|27,28|||");
    EXPECT_EQ(Joined(owner.vlans[1]), "2|sales|1|2|1||||");
    EXPECT_EQ(Joined(owner.vlans[3]), "20|Voice|1|2|2|26|||");
    EXPECT_EQ(Joined(owner.vlans[7]), "100|lab|2|2|2||||");
    ASSERT_EQ(owner.entries.size(), 3U);
    EXPECT_EQ(Joined(owner.entries[0]), "1|239.1.1.1|01-00-5E-01-01-01|1,2");
    EXPECT_EQ(Joined(owner.entries[1]), "1|239.1.1.2|01-00-5E-01-01-02|");
    EXPECT_EQ(Joined(owner.entries[2]), "10|239.255.255.250|01-00-5E-7F-FF-FA|3");
    // Each walk's rows come before its end, which says the table was read whole.
    std::vector<std::string> vlanCodes, entryCodes;
    for (const std::string& code : owner.codes)
        (code.rfind("vlan", 0) == 0 ? vlanCodes : entryCodes).push_back(code);
    std::vector<std::string> expected(8, "vlan 0");
    expected.push_back("vlan 3 1");
    EXPECT_EQ(vlanCodes, expected);
    EXPECT_EQ(entryCodes.back(), "entry 3 1");
}

TEST_F(IgmpLogicTest, WalksOfEmptyTablesSendTheirEndOnly)
{
    StartIgmpSwitch({Fixture("igmp-empty.snmprec")});
    IgmpOwner owner;
    CIGMPSnoopingLogic logic;
    ASSERT_TRUE(RunBothWalks(logic, owner));
    EXPECT_EQ(SortedCodes(owner), (std::vector<std::string>{"entry 3 1", "vlan 3 1"}));
}

TEST_F(IgmpLogicTest, AFailedWalkSendsNoRowAndSaysItFailed)
{
    StartIgmpSwitch();
    IgmpOwner owner;
    CIGMPSnoopingLogic logic;
    ASSERT_TRUE(sim->SilenceFor(8000));
    ASSERT_TRUE(RunBothWalks(logic, owner));
    EXPECT_EQ(SortedCodes(owner), (std::vector<std::string>{"entry 3 0", "vlan 3 0"}));
}

TEST_F(IgmpLogicTest, ValuesOfABrokenSwitchShowAsUnknownOrZeroFilled)
{
    StartIgmpSwitch({Fixture("igmp-odd.snmprec")});
    IgmpOwner owner;
    CIGMPSnoopingLogic logic;
    ASSERT_TRUE(RunBothWalks(logic, owner));
    std::vector<std::string> vids;
    for (const IGMP_vlan_info& row : owner.vlans)
        vids.push_back(row.str[0]);
    // VLAN 10 has no snooping row.
    EXPECT_EQ(vids, (std::vector<std::string>{"1", "2", "20", "30", "40", "50", "100"}));
    EXPECT_EQ(Joined(owner.vlans[1]), "2|sales|||1||||");
    ASSERT_FALSE(owner.entries.empty());
    EXPECT_EQ(Joined(owner.entries[0]), "1|239.1.0.0|01-00-5E-00-00-00|1,2");
}

TEST(IgmpOctetTexts, MissingOctetsCountAsZeroAndExtraOnesAreIgnored)
{
    struct Case
    {
        std::string octets, address, mac;
    };
    const Case cases[] = {
        {"", "0.0.0.0", "00-00-00-00-00-00"},
        {"\xef\x01", "239.1.0.0", "EF-01-00-00-00-00"},
        {"\xef\xff\xff\xfa", "239.255.255.250", "EF-FF-FF-FA-00-00"},
        {std::string("\x01\x00\x5e\x7f\xff\xfa\x99", 7), "1.0.94.127", "01-00-5E-7F-FF-FA"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CIGMPSnoopingLogic::GroupAddressText(c.octets), c.address);
        EXPECT_EQ(CIGMPSnoopingLogic::GroupMacText(c.octets), c.mac);
    }
}

} // namespace igmp_test

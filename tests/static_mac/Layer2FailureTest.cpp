// Jumbo frames, multicast filtering, LLDP, LLDP-MED, static MAC and port
// mirroring on a switch that refuses a write or leaves it unanswered: what is
// said, that nothing after the failed SET is sent, and that a silent switch
// costs one unanswered request. Then values the switch cannot mean and walks
// cut short: shown as unknown, said once, and never written back.
#include "features/layer2/CJumboFrameconfigdlg.h"
#include "features/layer2/CLLDPGroup.h"
#include "features/layer2/CLLDPMED.h"
#include "features/layer2/CMultiFilterModeConfig.h"
#include "features/layer2/CPortMirroringdlg.h"
#include "features/layer2/CStaticMACDlg.h"
#include "resources/jumbo.h"
#include "resources/lldp.h"
#include "resources/mfilter.h"
#include "resources/mirror.h"
#include "resources/static_mac.h"
#include "vlan/VlanTestSupport.h"

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace layer2_failure_test {

namespace {

const std::string kKorvel = "1.3.6.1.4.1.32473.10.76.19.1";
const std::string kJumbo = kKorvel + ".1.12.0";
const std::string kFilterMode = kKorvel + ".7.8.1.2";
const std::string kLldpState = kKorvel + ".24.1.0";
const std::string kLldpHold = kKorvel + ".24.2.0";
const std::string kLldpInterval = kKorvel + ".24.3.0";
const std::string kPse = kKorvel + ".24.7.1.2";
const std::string kLearning = kKorvel + ".9.1.0";
const std::string kUplinks = kKorvel + ".9.2.0";
const std::string kStaticRowStatus = kKorvel + ".9.3.1.4";
const std::string kMirrorState = kKorvel + ".18.1.0";
const std::string kMirrorTarget = kKorvel + ".18.2.0";
const std::string kMirrorRx = kKorvel + ".18.3.0";
const std::string kMirrorTx = kKorvel + ".18.4.0";

// Every request the dialogs started has ended and been handled.
bool Settled()
{
    return Pump([] { return CCommonSNMP::WaitForWorkers(0); }, 30000);
}

template <class Dialog> void Open(const std::function<void(Dialog&)>& act)
{
    Dialog dialog;
    RunModal<Dialog>(dialog, [&](Dialog& d) {
        ASSERT_TRUE(Settled());
        act(d);
        ASSERT_TRUE(Settled());
    });
}

// The 28-port sample switch (trunks on ports 25-28, mirroring off with target
// 24, learning on with every port an uplink, two static entries in VLAN 10,
// LLDP on) with jumbo frames.
class Layer2FailureTest : public FeatureDialogTest
{
protected:
    // bWrongTypes: with the values of fixtures/layer2-wrong-types.snmprec.
    void StartLayer2Switch(bool bWrongTypes = false)
    {
        const std::string source = KORVEL_SOURCE_DIR;
        std::vector<std::string> args = KorvelSimulator::ModelArgs("KSX-Puffin");
        args.insert(args.end(), {"--data", source + "/tools/korvel-sim/data/jumbo.snmprec"});
        if (bWrongTypes)
            args.insert(args.end(), {"--data", source + "/tests/static_mac/fixtures/layer2-wrong-types.snmprec"});
        StartSwitch({}, 28, args);
    }
    std::size_t HandledRequests() const
    {
        std::size_t count = 0;
        for (const char* kind : {"GET", "GETNEXT", "SET"})
            count += Requests(kind).size();
        return count;
    }
    void TearDown() override { g_strTimeout = "3000"; }
};

// One Apply path: it opens its dialog, waits for the reads, enters its
// values, arms the switch's failure and acts.
using Arm = std::function<void()>;
struct ApplyCase
{
    const char* name;
    std::function<void(const Arm&)> run;
    std::string refusedOid;  // the object whose SET the switch refuses
    std::size_t refusedSets; // SETs sent up to the refused one, it included
    std::string refused;     // what is said then
    std::string silent;      // what is said when the switch does not answer
};

std::vector<ApplyCase> ApplyCases()
{
    const std::string refused = ": the switch refused it (general error).";
    const std::string silent = ": the switch did not answer.";
    const std::string nothing = "\nNothing was written.";
    return {
        {"jumbo frames",
         [](const Arm& arm) {
             Open<CJumboFrameconfigdlg>([&](CJumboFrameconfigdlg& d) {
                 ClickButton(d, IDC_JUMBO_ENABLE);
                 arm();
                 ClickButton(d, IDOK);
             });
         },
         kJumbo, 1, "The switch did not accept the Jumbo Frame setting.",
         "The switch did not accept the Jumbo Frame setting.\nThe switch did not answer."},
        {"multicast filtering of one VLAN",
         [](const Arm& arm) {
             Open<CMultiFilterModeConfig>([&](CMultiFilterModeConfig& d) {
                 ChooseInCombo(d, IDC_MFILTER_MODE, 1);
                 arm();
                 ClickButton(d, IDC_MFILTER_APPLY);
             });
         },
         kFilterMode + ".1", 1, "Could not write the multicast filtering mode of VLAN 1" + refused,
         "Could not write the multicast filtering mode of VLAN 1" + silent},
        {"LLDP state",
         [](const Arm& arm) {
             Open<CLLDPGroup>([&](CLLDPGroup& d) {
                 ClickButton(d, IDC_LLDP_ENABLE);
                 arm();
                 ClickButton(d, IDC_LLDP_ENABLE_APPLY);
             });
         },
         kLldpState, 1, "Could not write the LLDP state" + refused, "Could not write the LLDP state" + silent},
        {"LLDP timers: the interval after the hold multiplier",
         [](const Arm& arm) {
             Open<CLLDPGroup>([&](CLLDPGroup& d) {
                 d.GetDlgItem(IDC_LLDP_HOLD)->SetWindowText("4");
                 d.GetDlgItem(IDC_LLDP_INTERVAL)->SetWindowText("40");
                 d.GetDlgItem(IDC_LLDP_REINIT_DELAY)->SetWindowText("3");
                 d.GetDlgItem(IDC_LLDP_TX_DELAY)->SetWindowText("5");
                 arm();
                 ClickButton(d, IDC_LLDP_TIMER_APPLY);
             });
         },
         kLldpInterval, 2,
         "Could not write the message TX interval" + refused +
             "\nThe message TX hold multiplier was written; nothing after it was.",
         "Could not write the message TX hold multiplier" + silent + nothing},
        {"LLDP-MED ports 3 to 5",
         [](const Arm& arm) {
             Open<CLLDPMED>([&](CLLDPMED& d) {
                 ChooseInCombo(d, IDC_LLDP_MED_FROM, 2);
                 ChooseInCombo(d, IDC_LLDP_MED_TO, 4);
                 ChooseInCombo(d, IDC_LLDP_MED_TLV, 0);
                 arm();
                 ClickButton(d, IDC_LLDP_MED_APPLY);
             });
         },
         kPse + ".4", 2,
         "Could not write the power PSE TLV of port 4" + refused + "\nPort 3 was written; port 4 and later were not.",
         "Could not write the power PSE TLV of port 3" + silent + nothing},
        {"static MAC learning with its uplinks",
         [](const Arm& arm) {
             Open<CStaticMACDlg>([&](CStaticMACDlg& d) {
                 ASSERT_EQ(Text(d, IDC_SMAC_UPLINK), "1-28");
                 arm();
                 ClickButton(d, IDC_SMAC_APPLY);
             });
         },
         kUplinks, 2,
         "Could not write the uplink ports" + refused +
             "\nThe MAC address learning state was written; nothing after it was.",
         "Could not write the MAC address learning state" + silent + nothing},
        {"static MAC add",
         [](const Arm& arm) {
             Open<CStaticMACDlg>([&](CStaticMACDlg& d) {
                 ASSERT_NE(Item<CComboBox>(d, IDC_SMAC_VID).SelectString(-1, "10"), CB_ERR);
                 d.GetDlgItem(IDC_SMAC_MAC)->SetWindowText("00-11-22-33-44-99");
                 arm();
                 ClickButton(d, IDC_SMAC_ADD);
             });
         },
         kStaticRowStatus + ".10.0.17.34.51.68.153.1", 1,
         "Could not write the new static MAC entry 00-11-22-33-44-99 (VID 10, port 1)" + refused,
         // The asymmetric VLAN state is read first: that read goes unanswered.
         "The asymmetric VLAN state could not be read from the switch."},
        {"static MAC delete",
         [](const Arm& arm) {
             Open<CStaticMACDlg>([&](CStaticMACDlg& d) {
                 ClickRow(Item<CListCtrl>(d, IDC_SMAC_LIST), 0);
                 arm();
                 ClickButton(d, IDC_SMAC_DELETE);
             });
         },
         kStaticRowStatus + ".10.0.17.34.51.102.1.2", 1,
         "Could not write the deletion of the static MAC entry 00-11-22-33-66-01 (VID 10, port 2)" + refused,
         "Could not write the deletion of the static MAC entry 00-11-22-33-66-01 (VID 10, port 2)" + silent},
        {"port mirroring on",
         [](const Arm& arm) {
             Open<CPortMirroringdlg>([&](CPortMirroringdlg& d) {
                 ClickButton(d, IDC_MIRROR_ENABLED);
                 ClickButton(d, IDC_MIRROR_ALL_NONE);
                 ClickButton(d, IDC_MIRROR_TX_FIRST);
                 arm();
                 ClickButton(d, IDC_MIRROR_APPLY);
             });
         },
         kMirrorTx, 2,
         "Could not write the source ports" + refused + "\nThe target port was written; nothing after it was.",
         "Could not write the target port" + silent + nothing},
    };
}

} // namespace

TEST_F(Layer2FailureTest, ARefusedWriteIsSaidAndNothingAfterItIsSent)
{
    for (const ApplyCase& c : ApplyCases()) {
        SCOPED_TRACE(c.name);
        StartLayer2Switch();
        std::size_t before = 0;
        BoxRecorder boxes;
        c.run([&] {
            ASSERT_TRUE(sim->RefuseNextSet(c.refusedOid, 5));
            before = Requests("SET").size();
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.refused});
        auto sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(before, sets.size())));
        ASSERT_EQ(sets.size(), c.refusedSets);
        bool carries = false;
        for (const std::string& binding : sets.back())
            carries = carries || binding.rfind(c.refusedOid + "|", 0) == 0;
        EXPECT_TRUE(carries) << sets.back().front();
        sim.reset();
    }
}

TEST_F(Layer2FailureTest, ASilentSwitchCostsOneUnansweredRequestAndIsSaid)
{
    for (const ApplyCase& c : ApplyCases()) {
        SCOPED_TRACE(c.name);
        StartLayer2Switch();
        g_strTimeout = "1000";
        std::size_t before = 0;
        BoxRecorder boxes;
        // From the user's action on, every reply comes long after the
        // time-out: each request sent is one the dialog waited for in vain.
        c.run([&] {
            before = HandledRequests();
            ASSERT_TRUE(sim->SetReplyDelay(1800));
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.silent});
        // The switch serves its requests in order: once it has taken the
        // delay back, it has received every request the dialog sent.
        ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(0); }, 60000));
        EXPECT_EQ(HandledRequests() - before, 1U);
        sim.reset();
    }
}

// A value outside its set or of another type: nothing definite is shown, and
// Apply writes nothing it did not read.
TEST_F(Layer2FailureTest, ValuesTheSwitchCannotMeanAreUnknownAndNeverWrittenBack)
{
    const std::string unreadMirror = CReadReport::UnreadText("the port mirroring settings");
    struct Value
    {
        std::string oid;
        std::string value; // an INTEGER
    };
    // Either values set over SNMP or the fixture's values of another type.
    struct Case
    {
        const char* name;
        std::vector<Value> values;
        std::function<void()> run;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"jumbo state served as text",
         {},
         [] {
             Open<CJumboFrameconfigdlg>([](CJumboFrameconfigdlg& d) {
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_JUMBO_ENABLE), static_cast<UINT>(BST_UNCHECKED));
                 EXPECT_FALSE(Enabled(d, IDOK));
                 SendKey(d.GetDlgItem(IDC_JUMBO_ENABLE)->GetWidget(), Qt::Key_Return);
             });
         },
         {}},
        {"a filtering mode served as text",
         {},
         [] {
             Open<CMultiFilterModeConfig>([](CMultiFilterModeConfig& d) {
                 const auto rows = ListRows(d, IDC_MFILTER_LIST, 3);
                 EXPECT_NE(std::find(rows.begin(), rows.end(), "10|office|"), rows.end());
             });
         },
         {}},
        {"an LLDP state outside its set and a hold multiplier outside its range",
         {{kLldpState, "7"}, {kLldpHold, "11"}},
         [] {
             Open<CLLDPGroup>([](CLLDPGroup& d) {
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_LLDP_ENABLE), static_cast<UINT>(BST_UNCHECKED));
                 EXPECT_FALSE(Enabled(d, IDC_LLDP_ENABLE_APPLY));
                 EXPECT_FALSE(Enabled(d, IDC_LLDP_TIMER_APPLY));
                 EXPECT_EQ(Text(d, IDC_LLDP_HOLD), "");
                 d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LLDP_ENABLE_APPLY, BN_CLICKED), 0);
             });
         },
         {}},
        {"an LLDP state outside its set for LLDP-MED",
         {{kLldpState, "2147483647"}},
         [] {
             Open<CLLDPMED>(
                 [](CLLDPMED& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LLDP_MED_APPLY, BN_CLICKED), 0); });
         },
         {CReadReport::Text("the LLDP-MED settings", false), CReadReport::UnreadText("the LLDP-MED settings")}},
        {"a power TLV served as text",
         {},
         [] {
             Open<CLLDPMED>([](CLLDPMED& d) {
                 const auto rows = ListRows(d, IDC_LLDP_MED_LIST, 2);
                 ASSERT_GE(rows.size(), 3U);
                 EXPECT_EQ(rows[0], "    1|Enable");
                 EXPECT_EQ(rows[1], "    2|");
             });
         },
         {}},
        {"uplink ports served as an INTEGER",
         {},
         [] {
             Open<CStaticMACDlg>([](CStaticMACDlg& d) {
                 // 45 is not decoded into ports 3, 5, 6 and 8.
                 EXPECT_EQ(Text(d, IDC_SMAC_UPLINK), "");
                 ClickButton(d, IDC_SMAC_APPLY);
             });
         },
         {CReadReport::UnreadText("the MAC address learning settings")}},
        {"a learning state outside its set",
         {{kLearning, "0"}},
         [] {
             Open<CStaticMACDlg>([](CStaticMACDlg& d) {
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_SMAC_LEARN_ENABLED), static_cast<UINT>(BST_UNCHECKED));
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_SMAC_LEARN_DISABLED), static_cast<UINT>(BST_UNCHECKED));
                 ClickButton(d, IDC_SMAC_APPLY);
             });
         },
         {CReadReport::UnreadText("the MAC address learning settings")}},
        {"a mirroring state outside its set",
         {{kMirrorState, "-1"}},
         [] {
             Open<CPortMirroringdlg>([](CPortMirroringdlg& d) {
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_MIRROR_ENABLED), static_cast<UINT>(BST_UNCHECKED));
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_MIRROR_DISABLED), static_cast<UINT>(BST_UNCHECKED));
                 ClickButton(d, IDC_MIRROR_DISABLED);
                 ClickButton(d, IDC_MIRROR_APPLY);
             });
         },
         {unreadMirror}},
        {"RX source ports served as an INTEGER",
         {},
         [] {
             Open<CPortMirroringdlg>([](CPortMirroringdlg& d) {
                 EXPECT_EQ(d.IsDlgButtonChecked(IDC_MIRROR_RX_FIRST), static_cast<UINT>(BST_UNCHECKED));
                 ClickButton(d, IDC_MIRROR_DISABLED);
                 ClickButton(d, IDC_MIRROR_APPLY);
             });
         },
         {unreadMirror}},
        {"a mirroring target beyond the ports",
         {{kMirrorTarget, "99"}},
         [] { Open<CPortMirroringdlg>([](CPortMirroringdlg& d) { EXPECT_EQ(Text(d, IDC_MIRROR_TARGET_PORT), ""); }); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartLayer2Switch(c.values.empty());
        for (const Value& v : c.values)
            ASSERT_EQ(sim->Set(v.oid, SnmpValueInteger, v.value), 0) << v.oid;
        const std::size_t sets = Requests("SET").size();
        BoxRecorder boxes;
        c.run();
        EXPECT_EQ(boxes.Texts(), c.said);
        EXPECT_EQ(Requests("SET").size(), sets);
        sim.reset();
    }
}

// A walk the switch cuts short by falling silent: the list keeps its last
// complete read, the failure is said once, and the buttons come back.
TEST_F(Layer2FailureTest, AWalkCutShortKeepsTheLastListAndIsSaidOnce)
{
    struct Case
    {
        const char* name;
        std::function<void(const std::function<void(CWnd&)>&)> open;
        int list;
        int columns;
        int refresh;
        std::string askedFrom; // the switch falls silent once a step asked from here (a column: the first step)
        std::string said;
    };
    const auto open = [](auto* tag) {
        using Dialog = std::remove_pointer_t<decltype(tag)>;
        return [](const std::function<void(CWnd&)>& check) {
            Dialog dialog;
            RunModal<Dialog>(dialog, [&](Dialog& d) {
                ASSERT_TRUE(Settled());
                check(d);
            });
        };
    };
    const Case cases[] = {
        {"multicast filtering", open(static_cast<CMultiFilterModeConfig*>(nullptr)), IDC_MFILTER_LIST, 3,
         IDC_MFILTER_REFRESH, kKorvel + ".7.8.1.1", CReadReport::Text("the multicast filtering modes", true)},
        {"LLDP-MED", open(static_cast<CLLDPMED*>(nullptr)), IDC_LLDP_MED_LIST, 2, IDC_LLDP_MED_REFRESH, kPse + ".3",
         CReadReport::Text("the LLDP-MED settings", true)},
        {"static MAC", open(static_cast<CStaticMACDlg*>(nullptr)), IDC_SMAC_LIST, 4, IDC_SMAC_REFRESH, kStaticRowStatus,
         CReadReport::Text("the static MAC list", true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartLayer2Switch();
        g_strTimeout = "1500";
        BoxRecorder boxes;
        c.open([&](CWnd& d) {
            const std::vector<std::string> before = ListRows(d, c.list, c.columns);
            ASSERT_GE(before.size(), 2U);
            const auto asked = [&] {
                std::size_t n = 0;
                for (const auto& request : Requests("GETNEXT"))
                    n += !request.empty() && request[0].rfind(c.askedFrom + "|", 0) == 0 ? 1 : 0;
                return n;
            };
            const std::size_t askedBefore = asked();
            ASSERT_TRUE(sim->SetReplyDelay(150));
            ClickButton(d, c.refresh);
            ASSERT_TRUE(Pump([&] { return asked() > askedBefore; }, 20000));
            ASSERT_TRUE(sim->SilenceFor(30000));
            ASSERT_TRUE(Pump([&] { return Enabled(d, c.refresh) && !boxes.Calls().empty(); }, 30000));
            EXPECT_EQ(ListRows(d, c.list, c.columns), before);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.said});
        });
        EXPECT_TRUE(Requests("SET").empty());
        sim.reset();
    }
}

// A switch that does not answer when Static MAC opens costs one unanswered
// read before the window shows: the uplinks and the table are not asked for
// after it. It is said once; Add and Apply refuse until the switch was read.
TEST_F(Layer2FailureTest, StaticMacOnASilentSwitchAsksOnceAndRefusesUntilRead)
{
    StartLayer2Switch();
    g_strTimeout = "1000";
    ASSERT_TRUE(sim->SetReplyDelay(1800));
    const auto asked = [&](const std::string& oid) {
        std::size_t n = 0;
        for (const char* kind : {"GET", "GETNEXT"})
            for (const auto& request : Requests(kind))
                n += !request.empty() && request[0].rfind(oid + "|", 0) == 0 ? 1 : 0;
        return n;
    };
    BoxRecorder boxes;
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        EXPECT_TRUE(Enabled(d, IDC_SMAC_ADD));
        EXPECT_EQ(Item<CListCtrl>(d, IDC_SMAC_LIST).GetItemCount(), 0);
        d.GetDlgItem(IDC_SMAC_MAC)->SetWindowText("00-11-22-33-44-99");
        ClickButton(d, IDC_SMAC_ADD);
        ClickButton(d, IDC_SMAC_APPLY);
    });
    ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(0); }, 60000));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{CReadReport::Text("the MAC address learning settings", false),
                                                       CReadReport::UnreadText("the static MAC list"),
                                                       CReadReport::UnreadText("the MAC address learning settings")}));
    EXPECT_EQ(asked(kLearning), 1U);
    EXPECT_EQ(asked(kUplinks), 0U);
    EXPECT_EQ(asked(kStaticRowStatus), 0U);
    EXPECT_TRUE(Requests("SET").empty());
}

} // namespace layer2_failure_test

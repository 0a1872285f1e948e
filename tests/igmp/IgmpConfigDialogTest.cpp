// The IGMP Snooping Configuration dialog on the simulated switch: the fields
// the read fills, the range checks, the question before switching snooping
// off, the writes Apply sends, Apply refused without a read, and the VLAN
// settings it opens.
#include "features/layer2/CIGMPSnoopConfig.h"
#include "features/layer2/CIGMPSnoopingVLANSetting.h"
#include "igmp/IgmpTestSupport.h"
#include "resources/igmp.h"

namespace igmp_test {

using namespace igmptest;

namespace {

// The edits in the order Apply checks them.
constexpr int kEdits[] = {IDC_IGMP_HOST_TIMEOUT, IDC_IGMP_ROUTER_TIMEOUT, IDC_IGMP_ROBUSTNESS,
                          IDC_IGMP_LAST_MEMBER,  IDC_IGMP_QUERY_INTERVAL, IDC_IGMP_MAX_RESPONSE};

bool WaitForRead(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_IGMP_REFRESH); }, 10000);
}

using vlantest::Checked;
using vlantest::Texts;

class IgmpConfigDialogTest : public IgmpTest
{
};

} // namespace

TEST_F(IgmpConfigDialogTest, TheReadFillsTheFieldsAndEnablesThemWithSnooping)
{
    StartIgmpSwitch();
    ASSERT_EQ(sim->Set(Global(7), SnmpValueInteger, "1"), 0);
    CIGMPSnoopConfig dialog;
    RunModal<CIGMPSnoopConfig>(dialog, [&](CIGMPSnoopConfig& d) {
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(d.GetWindowText(), "IGMP Snooping Configuration");
        EXPECT_TRUE(Checked(d, IDC_IGMP_ENABLE));
        EXPECT_TRUE(Checked(d, IDC_IGMP_REPORT_ALL));
        const char* values[] = {"260", "260", "2", "1", "125", "10"};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(d.GetDlgItem(kEdits[i])->GetWindowText(), values[i]) << i;
            EXPECT_TRUE(Enabled(d, kEdits[i])) << i;
        }
        EXPECT_TRUE(Enabled(d, IDC_IGMP_APPLY));

        // Unticking the box disables the fields at once; nothing is sent.
        ClickButton(d, IDC_IGMP_ENABLE);
        for (int id : kEdits)
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_FALSE(Enabled(d, IDC_IGMP_REPORT_ALL));
    });
    EXPECT_EQ(Sets().size(), 1U); // the test's own
}

TEST_F(IgmpConfigDialogTest, ApplyChecksTheFieldsInOrderAndShowsOnlyTheFirstFailure)
{
    struct Case
    {
        std::vector<std::pair<int, std::string>> entries;
        std::string message; // empty: accepted
    };
    const std::string host = "Invalid Host Timeout (130-153025 sec).";
    const Case cases[] = {
        {{{IDC_IGMP_HOST_TIMEOUT, "130"}}, ""},
        {{{IDC_IGMP_HOST_TIMEOUT, "153025"}}, ""},
        {{{IDC_IGMP_HOST_TIMEOUT, "129"}}, host},
        {{{IDC_IGMP_HOST_TIMEOUT, "153026"}}, host},
        {{{IDC_IGMP_HOST_TIMEOUT, ""}}, host},
        {{{IDC_IGMP_HOST_TIMEOUT, "99999999999999999999"}}, host},
        {{{IDC_IGMP_ROUTER_TIMEOUT, "60"}, {IDC_IGMP_QUERY_INTERVAL, "600"}}, ""},
        {{{IDC_IGMP_ROUTER_TIMEOUT, "59"}}, "Invalid Router Timeout (60-600 sec)."},
        {{{IDC_IGMP_ROUTER_TIMEOUT, "601"}}, "Invalid Router Timeout (60-600 sec)."},
        {{{IDC_IGMP_ROBUSTNESS, "255"}, {IDC_IGMP_LAST_MEMBER, "25"}}, ""},
        {{{IDC_IGMP_ROBUSTNESS, "1"}}, "Invalid Robustness Variable (2-255)."},
        {{{IDC_IGMP_ROBUSTNESS, "256"}}, "Invalid Robustness Variable (2-255)."},
        {{{IDC_IGMP_LAST_MEMBER, "0"}}, "Invalid Last Member Query Interval (1-25 sec)."},
        {{{IDC_IGMP_LAST_MEMBER, "26"}}, "Invalid Last Member Query Interval (1-25 sec)."},
        {{{IDC_IGMP_QUERY_INTERVAL, ""}}, "Invalid Query Interval (60-600 sec)."},
        {{{IDC_IGMP_QUERY_INTERVAL, "601"}}, "Invalid Query Interval (60-600 sec)."},
        {{{IDC_IGMP_MAX_RESPONSE, "25"}}, ""},
        {{{IDC_IGMP_MAX_RESPONSE, "9"}}, "Invalid Max. Response Time (10-25 sec)."},
        {{{IDC_IGMP_MAX_RESPONSE, "26"}}, "Invalid Max. Response Time (10-25 sec)."},
        // Several wrong: the first in checking order speaks.
        {{{IDC_IGMP_MAX_RESPONSE, "1"}, {IDC_IGMP_ROBUSTNESS, "1"}, {IDC_IGMP_ROUTER_TIMEOUT, "1"}},
         "Invalid Router Timeout (60-600 sec)."},
        {{{IDC_IGMP_MAX_RESPONSE, "1"}, {IDC_IGMP_QUERY_INTERVAL, "1"}, {IDC_IGMP_LAST_MEMBER, "0"}},
         "Invalid Last Member Query Interval (1-25 sec)."},
    };
    StartIgmpSwitch();
    CIGMPSnoopConfig dialog;
    RunModal<CIGMPSnoopConfig>(dialog, [&](CIGMPSnoopConfig& d) {
        ASSERT_TRUE(WaitForRead(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.entries.front().second + " in " + std::to_string(c.entries.front().first));
            // Start from the switch's values.
            ClickButton(d, IDC_IGMP_REFRESH);
            ASSERT_TRUE(WaitForRead(d));
            for (const auto& [id, text] : c.entries)
                d.GetDlgItem(id)->SetWindowText(text);
            const std::size_t sets = Sets().size();
            BoxRecorder boxes;
            ClickButton(d, IDC_IGMP_APPLY);
            if (c.message.empty()) {
                EXPECT_TRUE(boxes.Calls().empty());
                EXPECT_GT(Sets().size(), sets);
            } else {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
                EXPECT_EQ(boxes.Calls().front().type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
                EXPECT_EQ(Sets().size(), sets);
            }
        }
    });
    EXPECT_EQ(sim->Get(Global(2)), "153025");
    EXPECT_EQ(sim->Get(Global(1)), "60");
    EXPECT_EQ(sim->Get(Global(5)), "600");
    EXPECT_EQ(sim->Get(Global(3)), "255");
    EXPECT_EQ(sim->Get(Global(4)), "25");
    EXPECT_EQ(sim->Get(Global(6)), "25");
}

TEST_F(IgmpConfigDialogTest, ApplyWritesOnlyTheChangedValuesAndReadsAgain)
{
    StartIgmpSwitch();
    CIGMPSnoopConfig dialog;
    RunModal<CIGMPSnoopConfig>(dialog, [&](CIGMPSnoopConfig& d) {
        ASSERT_TRUE(WaitForRead(d));
        d.GetDlgItem(IDC_IGMP_QUERY_INTERVAL)->SetWindowText("200");
        ClickButton(d, IDC_IGMP_REPORT_ALL);
        const std::size_t gets = Requests("GET").size();
        ClickButton(d, IDC_IGMP_APPLY);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_GT(Requests("GET").size(), gets);
        EXPECT_TRUE(Checked(d, IDC_IGMP_REPORT_ALL));
    });
    EXPECT_EQ(Sets(), (std::vector<std::vector<std::string>>{{Int(Global(5), "200"), Int(Global(7), "1")}}));
}

TEST_F(IgmpConfigDialogTest, SwitchingOffAsksFirstAndWritesTheStateAlone)
{
    StartIgmpSwitch();
    CIGMPSnoopConfig dialog;
    RunModal<CIGMPSnoopConfig>(dialog, [&](CIGMPSnoopConfig& d) {
        ASSERT_TRUE(WaitForRead(d));
        // Cancel: the box comes back from the switch, nothing is sent.
        ClickButton(d, IDC_IGMP_ENABLE);
        {
            BoxRecorder boxes(IDCANCEL);
            ClickButton(d, IDC_IGMP_APPLY);
            ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"All router ports will be deleted."});
            EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
        }
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_TRUE(Checked(d, IDC_IGMP_ENABLE));
        EXPECT_TRUE(Enabled(d, IDC_IGMP_ROUTER_TIMEOUT));
        EXPECT_TRUE(Sets().empty());

        // OK: the state alone, though a timer changed too.
        ClickButton(d, IDC_IGMP_ENABLE);
        d.GetDlgItem(IDC_IGMP_ROUTER_TIMEOUT)->SetWindowText("300");
        {
            BoxRecorder boxes(IDOK);
            ClickButton(d, IDC_IGMP_APPLY);
            EXPECT_EQ(boxes.Calls().size(), 1U);
        }
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_FALSE(Checked(d, IDC_IGMP_ENABLE));
        EXPECT_EQ(d.GetDlgItem(IDC_IGMP_ROUTER_TIMEOUT)->GetWindowText(), "260");
        EXPECT_EQ(Sets(), (std::vector<std::vector<std::string>>{{Int(kState, "2")}}));

        // Already off: the question again, then nothing.
        {
            BoxRecorder boxes(IDOK);
            ClickButton(d, IDC_IGMP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"All router ports will be deleted."});
        }
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(Sets().size(), 1U);

        // On again: the state first, then the state with what changed.
        ClickButton(d, IDC_IGMP_ENABLE);
        d.GetDlgItem(IDC_IGMP_MAX_RESPONSE)->SetWindowText("12");
        ClickButton(d, IDC_IGMP_APPLY);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_TRUE(Checked(d, IDC_IGMP_ENABLE));
    });
    const std::vector<std::vector<std::string>> expected{
        {Int(kState, "2")}, {Int(kState, "1")}, {Int(kState, "1"), Int(Global(6), "12")}};
    EXPECT_EQ(Sets(), expected);
}

TEST_F(IgmpConfigDialogTest, WithoutARead_ApplyWritesNothingAndTheFailureIsSaid)
{
    StartIgmpSwitch();
    ASSERT_TRUE(sim->SilenceFor(8000));
    BoxRecorder boxes(IDOK);
    CIGMPSnoopConfig dialog;
    RunModal<CIGMPSnoopConfig>(dialog, [&](CIGMPSnoopConfig& d) {
        // Refresh comes back for another try; Apply stays off.
        EXPECT_TRUE(Enabled(d, IDC_IGMP_REFRESH));
        EXPECT_FALSE(Enabled(d, IDC_IGMP_APPLY));
        EXPECT_TRUE(Enabled(d, IDC_IGMP_VLAN_INFO));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IGMP_APPLY, BN_CLICKED), 0);
    });
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "The IGMP snooping settings could not be read from the switch.");
    EXPECT_TRUE(Sets().empty());
}

TEST_F(IgmpConfigDialogTest, VlanInfoOpensTheVlanSettingsWithTheStateAsRead)
{
    for (const std::string state : {"1", "2"}) {
        SCOPED_TRACE("state " + state);
        StartIgmpSwitch();
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, state), 0);
        CIGMPSnoopConfig dialog;
        bool seen = false;
        RunModal<CIGMPSnoopConfig>(dialog, [&](CIGMPSnoopConfig& d) {
            ASSERT_TRUE(WaitForRead(d));
            vlantest::WhenDialogOpens("The VLAN Settings of IGMP snooping ", [&](CWnd& vlan) {
                ASSERT_TRUE(Pump([&] { return Enabled(vlan, IDC_IGMPV_REFRESH); }, 20000));
                seen = true;
                EXPECT_EQ(Enabled(vlan, IDC_IGMPV_APPLY), state == "1");
                EXPECT_EQ(Enabled(vlan, IDC_IGMPV_ROUTER_APPLY), state == "1");
            });
            ClickButton(d, IDC_IGMP_VLAN_INFO);
        });
        EXPECT_TRUE(seen);
    }
}

} // namespace igmp_test

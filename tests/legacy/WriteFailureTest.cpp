// The legacy settings dialogs on a switch that refuses a write or does not
// answer it: what is said, that nothing after the failed SET is sent, and
// that a silent switch costs one unanswered request before the window is free.
#include "legacy/C8021Config.h"
#include "legacy/CCameraVlanPortSetting.h"
#include "legacy/CMultiFilterModePerPortConfig.h"
#include "legacy/CSpanTree.h"
#include "legacy/CSpanTreeBridgeParam.h"
#include "legacy/LegacyTestSupport.h"

namespace legacy_test {

namespace {

const std::string kWfMaxAge = kStp + ".12.0";

bool WaitForDot1xSettings(C8021Config& d)
{
    return Pump([&] { return d.SettingsRead() && Enabled(d, IDC_L8021X_APPLY) && Enabled(d, IDC_L8021X_REFRESH); },
                10000);
}

void EnterDot1xSettings(CWnd& d)
{
    static_cast<CIPAddressCtrl*>(d.GetDlgItem(IDC_L8021X_SERVER_IP))->SetAddress(10, 2, 3, 4);
    Type(d, IDC_L8021X_KEY, "new-key");
    Type(d, IDC_L8021X_CONFIRM_KEY, "new-key");
}

class WriteFailureTest : public LegacyTest
{
protected:
    void TearDown() override
    {
        g_strTimeout = "3000";
        LegacyTest::TearDown();
    }
};

} // namespace

// Each write of the 802.1X Apply refused in turn, and a switch silent at the
// first: the message names the write and why, and the sequence ends there.
TEST_F(WriteFailureTest, Dot1xApplyStopsAtTheFirstFailedWrite)
{
    struct Case
    {
        const char* refused; // the object whose SET is refused; null: the switch is silent
        int status;
        std::size_t sets;    // SETs the switch answered, a refused one included
        const char* message;
    };
    const Case cases[] = {
        {"1.1.0", 3, 1, "Could not write the RADIUS server address and key: the switch refused it (bad value)."},
        {"2.1.0", 5, 2, "Could not write the 802.1X state: the switch refused it (general error)."},
        {"2.8.0", 4, 3, "Could not write the 802.1X timers: the switch refused it (read-only)."},
        {nullptr, 0, 0, "Could not write the RADIUS server address and key: the switch did not answer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        StartLegacySwitch();
        g_strTimeout = "700";
        BoxRecorder boxes;
        C8021Config dialog;
        RunModal<C8021Config>(dialog, [&](C8021Config& d) {
            ASSERT_TRUE(WaitForDot1xSettings(d));
            EnterDot1xSettings(d);
            if (c.refused != nullptr) {
                ASSERT_TRUE(sim->RefuseNextSet(Dot1xOid(c.refused), c.status));
            } else {
                ASSERT_TRUE(sim->SilenceFor(5000));
            }
            const std::size_t gets = Requests("GET").size();
            ClickButton(d, IDC_L8021X_APPLY);
            ASSERT_EQ(boxes.Calls().size(), 1u);
            EXPECT_EQ(boxes.Calls()[0].text, c.message);
            EXPECT_EQ(Sets().size(), c.sets);
            if (c.refused == nullptr) {
                // Silent: not asked again at once.
                EXPECT_EQ(Requests("GET").size(), gets);
                EXPECT_TRUE(Enabled(d, IDC_L8021X_APPLY));
            } else {
                // Refused: the dialog reads back what the switch holds.
                EXPECT_TRUE(WaitForDot1xSettings(d));
            }
        });
        sim.reset();
    }
}

// A failed read: Apply comes back to say why it refuses, and sends nothing.
TEST_F(WriteFailureTest, Dot1xApplyAfterAFailedReadIsRefusedWithAMessage)
{
    StartLegacySwitch();
    g_strTimeout = "500";
    ASSERT_TRUE(sim->SilenceFor(1500));
    BoxRecorder boxes;
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_L8021X_APPLY); }, 10000));
        EXPECT_FALSE(d.SettingsRead());
        EnterDot1xSettings(d);
        ClickButton(d, IDC_L8021X_APPLY);
    });
    const std::vector<std::string> expected = {
        "The 802.1X settings could not be read from the switch.",
        "The 802.1X settings could not be read from the switch. Press Refresh and try again."};
    EXPECT_EQ(Messages(boxes), expected);
    EXPECT_TRUE(Sets().empty());
}

// Values the switch cannot mean are unknown: shown empty, Apply refused.
TEST_F(WriteFailureTest, Dot1xValuesOutOfTheirSetAreUnknown)
{
    struct Case
    {
        const char* object;
        const char* value;
        int emptied; // the edit left empty; 0 for the state box
    };
    const Case cases[] = {
        {"2.1.0", "2147483647", 0},
        {"2.6.0", "11", IDC_L8021X_MAX_REQ},
        {"2.2.0", "-1", IDC_L8021X_QUIET_PERIOD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.object) + " = " + c.value);
        StartLegacySwitch();
        ASSERT_EQ(sim->Set(Dot1xOid(c.object), SnmpValueInteger, c.value), 0);
        BoxRecorder boxes;
        C8021Config dialog;
        RunModal<C8021Config>(dialog, [&](C8021Config& d) {
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_L8021X_APPLY) && Text(d, IDC_L8021X_KEY) == "secret"; },
                             10000));
            EXPECT_FALSE(d.SettingsRead());
            if (c.emptied != 0) {
                EXPECT_EQ(Text(d, c.emptied), "");
            } else {
                EXPECT_FALSE(IsChecked(d, IDC_L8021X_ENABLE));
            }
            ClickButton(d, IDC_L8021X_APPLY);
        });
        EXPECT_EQ(Messages(boxes), std::vector<std::string>{
                                       "The 802.1X settings could not be read from the switch. Press Refresh and try again."});
        EXPECT_TRUE(Sets(1).empty());
        sim.reset();
    }
}

// The bridge Apply: a refused maximum age ends the sequence there.
TEST_F(WriteFailureTest, BridgeApplyStopsAtTheRefusedTime)
{
    StartLegacySwitch();
    BoxRecorder boxes;
    CSpanTreeBridgeParam dialog;
    RunModal<CSpanTreeBridgeParam>(dialog, [&](CSpanTreeBridgeParam& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDOK); }, 10000));
        ASSERT_TRUE(IsChecked(d, IDC_LSTPB_RSTP));
        Type(d, IDC_LSTPB_MAX_AGE, "1000");
        Type(d, IDC_LSTPB_FORWARD_DELAY, "800");
        Type(d, IDC_LSTPB_HELLO_TIME, "300");
        ASSERT_TRUE(sim->RefuseNextSet(kWfMaxAge, 3));
        ClickButton(d, IDOK);
        EXPECT_EQ(Messages(boxes), std::vector<std::string>{
                                       "Could not write the bridge maximum age: the switch refused it (bad value)."});
        const RequestList sets = Sets();
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets.back(), std::vector<std::string>{Int(kWfMaxAge, "1000")});
    });
}

// A walk the silent switch cuts short when a dialog opens: said once, the
// buttons come back.
TEST_F(WriteFailureTest, AFailedWalkIsSaidOnceAndTheButtonsComeBack)
{
    const auto check = [&](CWnd& d, int refresh, const std::string& message, BoxRecorder& boxes) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, refresh); }, 10000));
        EXPECT_EQ(Messages(boxes), std::vector<std::string>{message});
    };
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(which);
        StartLegacySwitch();
        g_strTimeout = "500";
        ASSERT_TRUE(sim->SilenceFor(1500));
        BoxRecorder boxes;
        if (which == 0) {
            CSpanTree dialog;
            RunModal<CSpanTree>(dialog, [&](CSpanTree& d) {
                check(d, IDC_LSTPT_REFRESH, "The spanning tree port table could not be read from the switch.", boxes);
            });
        } else if (which == 1) {
            CMultiFilterModePerPortConfig dialog;
            RunModal<CMultiFilterModePerPortConfig>(dialog, [&](CMultiFilterModePerPortConfig& d) {
                check(d, IDC_LMF_REFRESH, "The multicast filtering modes could not be read from the switch.", boxes);
            });
        } else {
            CCameraVlanPortSetting dialog;
            dialog.m_strVlanState = "1";
            RunModal<CCameraVlanPortSetting>(dialog, [&](CCameraVlanPortSetting& d) {
                check(d, IDC_LCAM_REFRESH, "The surveillance VLAN ports could not be read from the switch.", boxes);
            });
        }
        sim.reset();
    }
}

} // namespace legacy_test

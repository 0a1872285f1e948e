// The LLDP Global Settings dialog on the simulated switch: what the read
// shows, the state write, the timer rules, and the order of the timer writes
// against the values the switch holds.
#include "features/layer2/CLLDPGroup.h"
#include "lldp/LldpTestSupport.h"
#include "resources/lldp.h"

namespace lldp_test {

using namespace lldptest;

namespace {

bool WaitForRead(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_LLDP_ENABLE_APPLY); }, 20000);
}

void FillTimers(CWnd& d, const std::string& hold, const std::string& interval, const std::string& reinit,
                const std::string& delay)
{
    d.GetDlgItem(IDC_LLDP_HOLD)->SetWindowText(hold);
    d.GetDlgItem(IDC_LLDP_INTERVAL)->SetWindowText(interval);
    d.GetDlgItem(IDC_LLDP_REINIT_DELAY)->SetWindowText(reinit);
    d.GetDlgItem(IDC_LLDP_TX_DELAY)->SetWindowText(delay);
}

class LldpGlobalDialogTest : public LldpTest
{
protected:
    // The dialog's SETs: the test's own `skip` first ones left out.
    std::vector<std::vector<std::string>> DialogSets(std::size_t skip) const
    {
        auto sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
};

} // namespace

TEST_F(LldpGlobalDialogTest, TheReadFillsTheFieldsAndTheIdentity)
{
    StartLldpSwitch();
    CLLDPGroup dialog;
    RunModal<CLLDPGroup>(dialog, [&](CLLDPGroup& d) {
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(d.GetWindowText(), "LLDP Global Settings");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_LLDP_ENABLE), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(Text(d, IDC_LLDP_HOLD), "4");
        EXPECT_EQ(Text(d, IDC_LLDP_INTERVAL), "30");
        EXPECT_EQ(Text(d, IDC_LLDP_REINIT_DELAY), "2");
        EXPECT_EQ(Text(d, IDC_LLDP_TX_DELAY), "2");
        EXPECT_EQ(Text(d, IDC_LLDP_CHASSIS_SUBTYPE), "macAddress");
        EXPECT_EQ(Text(d, IDC_LLDP_CHASSIS_ID), "02-4B-56-00-00-01");
        EXPECT_EQ(Text(d, IDC_LLDP_SYSTEM_NAME), "korvel-switch");
        EXPECT_EQ(Text(d, IDC_LLDP_SYSTEM_DESCRIPTION), "Korvel test switch");
        EXPECT_TRUE(Enabled(d, IDC_LLDP_TIMER_APPLY));
    });
}

TEST_F(LldpGlobalDialogTest, LldpDisabledLeavesTheTimersOffAndOddValuesShowAsTheyCame)
{
    StartLldpSwitch();
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    ASSERT_EQ(sim->Set("1.0.8802.1.1.2.1.3.1.0", SnmpValueInteger, "9"), 0);
    ASSERT_EQ(sim->Set("1.0.8802.1.1.2.1.3.2.0", SnmpValueOctetString, "\x02\x4b"), 0);
    CLLDPGroup dialog;
    RunModal<CLLDPGroup>(dialog, [&](CLLDPGroup& d) {
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_LLDP_ENABLE), static_cast<UINT>(BST_UNCHECKED));
        for (int id :
             {IDC_LLDP_HOLD, IDC_LLDP_INTERVAL, IDC_LLDP_REINIT_DELAY, IDC_LLDP_TX_DELAY, IDC_LLDP_TIMER_APPLY})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_EQ(Text(d, IDC_LLDP_CHASSIS_SUBTYPE), "9");
        EXPECT_EQ(Text(d, IDC_LLDP_CHASSIS_ID), "02-4B-00-00-00-00");
    });
}

TEST_F(LldpGlobalDialogTest, TheStateIsWrittenOnlyAfterARead)
{
    StartLldpSwitch();
    ASSERT_TRUE(sim->SilenceFor(5000));
    {
        BoxRecorder boxes;
        CLLDPGroup dialog;
        RunModal<CLLDPGroup>(dialog, [&](CLLDPGroup& d) {
            PumpFor(4000);
            EXPECT_FALSE(Enabled(d, IDC_LLDP_ENABLE_APPLY));
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LLDP_ENABLE_APPLY, BN_CLICKED), 0);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The LLDP settings could not be read from the switch."});
    }
    EXPECT_TRUE(Requests("SET").empty());
    ASSERT_TRUE(Pump([&] { return sim->Has(kState); }, 10000));
    CLLDPGroup dialog;
    RunModal<CLLDPGroup>(dialog, [&](CLLDPGroup& d) {
        ASSERT_TRUE(WaitForRead(d));
        ClickButton(d, IDC_LLDP_ENABLE);
        ClickButton(d, IDC_LLDP_ENABLE_APPLY);
        ASSERT_TRUE(Pump([&] { return !Enabled(d, IDC_LLDP_TIMER_APPLY); }, 20000));
    });
    EXPECT_EQ(Requests("SET"), (std::vector<std::vector<std::string>>{{Int(kState, "2")}}));
}

TEST_F(LldpGlobalDialogTest, TimerRulesRefuseWithTheFirstBrokenRule)
{
    struct Case
    {
        std::string hold, interval, reinit, delay, message; // empty message: accepted
    };
    const std::string product = "(Message TX Interval * Message TX Hold Multiplier) > 65535. ";
    const std::string quarter = "LLDP TX Delay should be <= 0.25 * (Message TX Interval)";
    const Case cases[] = {
        {"10", "6553", "2", "2", ""},
        {"10", "6554", "2", "2", product},
        {"4", "8", "2", "2", ""},
        {"4", "8", "2", "3", quarter},
        {"1", "30", "2", "2", "The Message TX Hold Multipier should be 2-10"},
        {"11", "30", "2", "2", "The Message TX Hold Multipier should be 2-10"},
        {"2", "4", "2", "1", "The Message TX Interval should be 5-32768"},
        {"2", "32769", "2", "2", "The Message TX Interval should be 5-32768"},
        {"2", "32767", "2", "8191", ""},
        {"4", "30", "2", "0", "The LLDP TX Delay should be 1-8192"},
        {"2", "32767", "2", "8193", "The LLDP TX Delay should be 1-8192"},
        {"4", "30", "0", "2", "The LLDP Reinit Delay should be 1-10"},
        {"4", "30", "11", "2", "The LLDP Reinit Delay should be 1-10"},
        {"", "", "", "", "The Message TX Hold Multipier should be 2-10"},
        // Several broken: the first in order speaks.
        {"1", "2", "0", "0", "The Message TX Hold Multipier should be 2-10"},
        {"4", "30", "0", "9", quarter},
    };
    StartLldpSwitch();
    CLLDPGroup dialog;
    RunModal<CLLDPGroup>(dialog, [&](CLLDPGroup& d) {
        ASSERT_TRUE(WaitForRead(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.hold + " " + c.interval + " " + c.reinit + " " + c.delay);
            FillTimers(d, c.hold, c.interval, c.reinit, c.delay);
            const std::size_t sets = Requests("SET").size();
            BoxRecorder boxes;
            ClickButton(d, IDC_LLDP_TIMER_APPLY);
            if (c.message.empty()) {
                EXPECT_TRUE(boxes.Calls().empty());
                EXPECT_GT(Requests("SET").size(), sets);
                // The read after the write fills the fields again: wait for it,
                // so it cannot overwrite the next case's entries.
                d.GetDlgItem(IDC_LLDP_INTERVAL)->SetWindowText("");
                ASSERT_TRUE(Pump([&] { return Text(d, IDC_LLDP_INTERVAL) == c.interval; }, 20000));
            } else {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
                EXPECT_EQ(Requests("SET").size(), sets);
            }
        }
    });
}

TEST_F(LldpGlobalDialogTest, TimerWritesComeInTheOrderTheSwitchsValuesNeed)
{
    struct Case
    {
        const char* name;
        std::string oldInterval, oldDelay;
        std::string hold, interval, reinit, delay;
        std::vector<std::vector<std::string>> sets;
    };
    const Case cases[] = {
        {"plain: hold alone, then the interval, then all but the hold",
         "30",
         "2",
         "4",
         "40",
         "3",
         "5",
         {{Int(kHold, "4")}, {Int(kInterval, "40")}, {Int(kInterval, "40"), Int(kReinit, "3"), Int(kDelay, "5")}}},
        {"the delay first when the new interval is too short for the old delay",
         "100",
         "10",
         "4",
         "20",
         "2",
         "5",
         {{Int(kDelay, "5")},
          {Int(kHold, "4")},
          {Int(kDelay, "5"), Int(kReinit, "2"), Int(kInterval, "20")},
          {Int(kDelay, "5"), Int(kReinit, "2"), Int(kInterval, "20")}}},
        {"the interval before the multiplier when the old interval times it passes 65535",
         "10000",
         "2",
         "10",
         "6000",
         "2",
         "2",
         {{Int(kInterval, "6000")}, {Int(kHold, "10")}, {Int(kInterval, "6000"), Int(kReinit, "2"), Int(kDelay, "2")}}},
        {"both",
         "10000",
         "2000",
         "10",
         "6000",
         "2",
         "1000",
         {{Int(kDelay, "1000")},
          {Int(kDelay, "1000"), Int(kReinit, "2"), Int(kInterval, "6000")},
          {Int(kHold, "10")},
          {Int(kDelay, "1000"), Int(kReinit, "2"), Int(kInterval, "6000")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartLldpSwitch();
        ASSERT_EQ(sim->Set(kInterval, SnmpValueInteger, c.oldInterval), 0);
        ASSERT_EQ(sim->Set(kDelay, SnmpValueInteger, c.oldDelay), 0);
        CLLDPGroup dialog;
        RunModal<CLLDPGroup>(dialog, [&](CLLDPGroup& d) {
            ASSERT_TRUE(WaitForRead(d));
            FillTimers(d, c.hold, c.interval, c.reinit, c.delay);
            ClickButton(d, IDC_LLDP_TIMER_APPLY);
            d.GetDlgItem(IDC_LLDP_INTERVAL)->SetWindowText("");
            ASSERT_TRUE(Pump([&] { return Text(d, IDC_LLDP_INTERVAL) == c.interval; }, 20000));
        });
        EXPECT_EQ(DialogSets(2), c.sets);
        EXPECT_EQ(sim->Get(kHold), c.hold);
        EXPECT_EQ(sim->Get(kDelay), c.delay);
    }
}

} // namespace lldp_test

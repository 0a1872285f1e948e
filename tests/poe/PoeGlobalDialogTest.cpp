// The PoE Global Settings dialog on the simulated switch: the values read
// after the dialog has shown itself, the threshold's bounds, the writes of
// what changed, and the cases that write nothing.
#include "common/CReadReport.h"
#include "features/poe_rmon/CPOEGlobal.h"
#include "poe/PoeTestSupport.h"

namespace poe_test {

using namespace poetest;

namespace {

const std::string kSuccess = "Setting success,please wait for a moment";
const std::string kNothingWritten = "check the data you input";
const std::string kRange = "The System Power Threshold ranges between 7.1 ~ 193.0.";

bool WaitForValues(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_POEG_APPLY); }, 20000);
}

std::string Field(CWnd& d, int id)
{
    return d.GetDlgItem(id)->GetWindowText();
}

class PoeGlobalDialogTest : public PoeTest
{
};

} // namespace

TEST_F(PoeGlobalDialogTest, ShowsWaitingThenTheSwitchsValues)
{
    StartPoeSwitch();
    CPOEGlobal dialog;
    RunModal<CPOEGlobal>(dialog, [&](CPOEGlobal& d) {
        EXPECT_EQ(d.GetWindowText(), "PoE Global Settings");
        for (int id : {IDC_POEG_THRESHOLD, IDC_POEG_BUDGET, IDC_POEG_USED, IDC_POEG_LEFT, IDC_POEG_PERCENTAGE})
            EXPECT_EQ(Field(d, id), "wait...") << id;
        for (int id : {IDC_POEG_APPLY, IDC_POEG_THRESHOLD, IDC_POEG_SEQUENCE})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Requests("GET").empty());
        ASSERT_TRUE(WaitForValues(d));
        EXPECT_EQ(Field(d, IDC_POEG_THRESHOLD), "100.0");
        EXPECT_EQ(ComboSelection(d, IDC_POEG_SEQUENCE), "DenyNextPort");
        EXPECT_EQ(Field(d, IDC_POEG_BUDGET), "130.0");
        EXPECT_EQ(Field(d, IDC_POEG_USED), "20.5");
        EXPECT_EQ(Field(d, IDC_POEG_LEFT), "109.5");
        EXPECT_EQ(Field(d, IDC_POEG_PERCENTAGE), "16");
        EXPECT_FALSE(d.GetDlgItem(IDC_POEG_RPS_STATUS)->IsWindowVisible());
        EXPECT_TRUE(Enabled(d, IDC_POEG_THRESHOLD));
    });
}

TEST_F(PoeGlobalDialogTest, TheThresholdIsWrittenOnlyWithinItsBounds)
{
    struct Case
    {
        std::string threshold;
        bool accepted;
    };
    const Case cases[] = {{"7.1", true},   {"193.0", true}, {"193", true},  {"15.40", true},
                          {"7.0", false},  {"193.1", false}, {"", false},   {"many", false}};
    StartPoeSwitch();
    CPOEGlobal dialog;
    RunModal<CPOEGlobal>(dialog, [&](CPOEGlobal& d) {
        ASSERT_TRUE(WaitForValues(d));
        for (const Case& c : cases) {
            SCOPED_TRACE("threshold \"" + c.threshold + "\"");
            BoxRecorder boxes;
            const std::size_t before = Sets().size();
            d.GetDlgItem(IDC_POEG_THRESHOLD)->SetWindowText(c.threshold);
            ClickButton(d, IDC_POEG_APPLY);
            EXPECT_TRUE(Enabled(d, IDC_POEG_APPLY));
            if (c.accepted) {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kSuccess});
                EXPECT_EQ(SetsAfter(before),
                          (std::vector<std::vector<std::string>>{{Text(Scalar(2), c.threshold)}}));
                EXPECT_EQ(Field(d, IDC_POEG_THRESHOLD), c.threshold);
            } else {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kRange});
                EXPECT_TRUE(SetsAfter(before).empty());
            }
        }
    });
    EXPECT_EQ(sim->Get(Scalar(2)), "15.40");
}

TEST_F(PoeGlobalDialogTest, ApplyWritesWhatChanged)
{
    StartPoeSwitch();
    CPOEGlobal dialog;
    BoxRecorder boxes;
    RunModal<CPOEGlobal>(dialog, [&](CPOEGlobal& d) {
        ASSERT_TRUE(WaitForValues(d));
        // Nothing changed: nothing goes out.
        ClickButton(d, IDC_POEG_APPLY);
        // A refused threshold stops the sequence too.
        Item<CComboBox>(d, IDC_POEG_SEQUENCE).SetCurSel(1);
        d.GetDlgItem(IDC_POEG_THRESHOLD)->SetWindowText("5");
        ClickButton(d, IDC_POEG_APPLY);
        EXPECT_TRUE(Sets().empty());
        // Both: the sequence alone, then the same request with the threshold added.
        d.GetDlgItem(IDC_POEG_THRESHOLD)->SetWindowText("120.2");
        ClickButton(d, IDC_POEG_APPLY);
        EXPECT_EQ(ComboSelection(d, IDC_POEG_SEQUENCE), "DenyLowPriorityPort");
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kNothingWritten, kRange, kSuccess}));
    EXPECT_EQ(Sets(), (std::vector<std::vector<std::string>>{
                          {Int(Scalar(3), "2")}, {Int(Scalar(3), "2"), Text(Scalar(2), "120.2")}}));
    EXPECT_EQ(sim->Get(Scalar(3)), "2");
    EXPECT_EQ(sim->Get(Scalar(2)), "120.2");
}

TEST_F(PoeGlobalDialogTest, ASequenceOutsideTheListIsNeverWritten)
{
    StartPoeSwitch();
    ASSERT_EQ(sim->Set(Scalar(3), SnmpValueInteger, "3"), 0);
    CPOEGlobal dialog;
    BoxRecorder boxes;
    RunModal<CPOEGlobal>(dialog, [&](CPOEGlobal& d) {
        ASSERT_TRUE(WaitForValues(d));
        EXPECT_EQ(ComboSelection(d, IDC_POEG_SEQUENCE), "");
        ClickButton(d, IDC_POEG_APPLY);
        d.GetDlgItem(IDC_POEG_THRESHOLD)->SetWindowText("50.0");
        ClickButton(d, IDC_POEG_APPLY);
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kNothingWritten, kSuccess}));
    EXPECT_EQ(SetsAfter(1), (std::vector<std::vector<std::string>>{{Text(Scalar(2), "50.0")}}));
    EXPECT_EQ(sim->Get(Scalar(3)), "3");
}

// A refused write is said with what was not written and why, never as a
// success; a sequence written before it is named.
TEST_F(PoeGlobalDialogTest, AWriteTheSwitchRefusesIsReportedAsNotWritten)
{
    struct Case
    {
        const char* name;
        bool changeSequence;
        std::string refused; // the object refused
        std::string message;
        std::string sequence, threshold; // the switch's afterwards
    };
    const Case cases[] = {
        {"threshold", false, Scalar(2), "Could not write the PoE threshold: the switch refused it (general error).",
         "1", "100.0"},
        {"threshold after the sequence", true, Scalar(2),
         "Could not write the PoE threshold: the switch refused it (general error).\n"
         "The power shut-off sequence was written.",
         "2", "100.0"},
        // Nothing goes out after the refused sequence.
        {"sequence", true, Scalar(3), "Could not write the power shut-off sequence: the switch refused it (general error).",
         "1", "100.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartPoeSwitch();
        CPOEGlobal dialog;
        BoxRecorder boxes;
        RunModal<CPOEGlobal>(dialog, [&](CPOEGlobal& d) {
            ASSERT_TRUE(WaitForValues(d));
            ASSERT_TRUE(sim->RefuseNextSet(c.refused, 5));
            if (c.changeSequence)
                ChooseInCombo(d, IDC_POEG_SEQUENCE, 1);
            d.GetDlgItem(IDC_POEG_THRESHOLD)->SetWindowText("50.0");
            ClickButton(d, IDC_POEG_APPLY);
            ASSERT_TRUE(WaitForValues(d));
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(sim->Get(Scalar(3)), c.sequence);
        EXPECT_EQ(sim->Get(Scalar(2)), c.threshold);
        EXPECT_EQ(Sets().size(), c.changeSequence && c.refused == Scalar(2) ? 2U : 1U);
    }
}

// A switch that does not answer when the dialog opens costs one request: the
// reads stop, the failure is said once and nothing can be written.
TEST_F(PoeGlobalDialogTest, ASilentSwitchIsAskedOnceAndNothingCanBeWritten)
{
    StartPoeSwitch();
    ASSERT_TRUE(sim->SilenceFor(6000));
    CPOEGlobal dialog;
    BoxRecorder boxes;
    RunModal<CPOEGlobal>(dialog, [&](CPOEGlobal& d) {
        ASSERT_TRUE(Pump([&] { return !boxes.Calls().empty(); }, 20000));
        EXPECT_FALSE(Enabled(d, IDC_POEG_APPLY));
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CReadReport::Text("the PoE global settings", false)});
    // Once the switch answers again, no read of the dialog follows.
    ASSERT_TRUE(Pump([&] { std::string v; return sim->Get(Scalar(2), v); }, 10000));
    for (const auto& request : Requests("GET"))
        EXPECT_EQ(request, std::vector<std::string>{Scalar(2) + "|5|"});
}

} // namespace poe_test

// The RMON history control dialog on the simulated switch: the valid rows,
// the inputs' defaults, the Apply checks with their messages, a creation and
// a Delete click.
#include "features/poe_rmon/CRMONHistoryControl.h"
#include "resources/rmon.h"
#include "rmon/RmonTestSupport.h"

namespace rmon_test {

using namespace rmontest;

namespace {

std::vector<std::string> HistoryRows(CWnd& d)
{
    return ListRows(d, IDC_RMON_HISTORY_LIST, 6);
}

std::vector<std::string> HistoryInputs(CWnd& d)
{
    std::vector<std::string> texts;
    for (int id : {IDC_RMON_HISTORY_INDEX, IDC_RMON_HISTORY_PORT, IDC_RMON_HISTORY_BUCKETS, IDC_RMON_HISTORY_INTERVAL,
                   IDC_RMON_HISTORY_OWNER})
        texts.push_back(d.GetDlgItem(id)->GetWindowText());
    return texts;
}

void HistoryFill(CWnd& d, const std::vector<std::string>& inputs)
{
    Type(d, {{IDC_RMON_HISTORY_INDEX, inputs[0]},
             {IDC_RMON_HISTORY_PORT, inputs[1]},
             {IDC_RMON_HISTORY_BUCKETS, inputs[2]},
             {IDC_RMON_HISTORY_INTERVAL, inputs[3]},
             {IDC_RMON_HISTORY_OWNER, inputs[4]}});
}

class RmonHistoryControlDialogTest : public RmonTest
{
protected:
    bool WaitForList(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_RMON_HISTORY_REFRESH) && HistoryRows(d).size() == std::size_t(rows); },
                    20000);
    }
};

} // namespace

TEST_F(RmonHistoryControlDialogTest, ListsTheValidRowsAndShowsTheDefaults)
{
    StartRmonSwitch();
    CRMONHistoryControl dialog;
    RunModal<CRMONHistoryControl>(dialog, [&](CRMONHistoryControl& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(d.GetWindowText(), "RMON History Control Configuration");
        // Row 3 is underCreation, row 7 only the standard table's.
        EXPECT_EQ(HistoryRows(d), (std::vector<std::string>{"1|2|50|50|1800|h1", "5|6|10|10|60|"}));
        EXPECT_NE(ButtonOver(Item<CReportCtrl>(d, IDC_RMON_HISTORY_LIST), 1, 6), nullptr);
        EXPECT_EQ(HistoryInputs(d), (std::vector<std::string>{"", "", "50", "1800", ""}));
    });
}

TEST_F(RmonHistoryControlDialogTest, ApplyRefusesWhatCannotBeCreatedAndKeepsTheInputs)
{
    StartRmonSwitch();
    struct Case
    {
        std::vector<std::string> inputs; // index, port, buckets, interval, owner
        const char* message;
    };
    const Case cases[] = {
        {{"", "2", "50", "1800", "o"}, "Index must be between 1 and 65535!"},
        {{"65536", "2", "50", "1800", "o"}, "Index must be between 1 and 65535!"},
        {{"5", "2", "50", "1800", "o"}, "Index had already exits!"},
        {{"9", "0", "50", "1800", "o"}, "Port number must be between 1 and 28!"},
        {{"9", "29", "50", "1800", "o"}, "Port number must be between 1 and 28!"},
        {{"9", "2", "0", "1800", "o"}, "Buckets requested must be between 1 and 50!"},
        {{"9", "2", "51", "1800", "o"}, "Buckets requested must be between 1 and 50!"},
        {{"9", "2", "50", "0", "o"}, "Interval must be between 1 and 3600!"},
        {{"9", "2", "50", "3601", "o"}, "Interval must be between 1 and 3600!"},
    };
    CRMONHistoryControl dialog;
    RunModal<CRMONHistoryControl>(dialog, [&](CRMONHistoryControl& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        for (const Case& c : cases) {
            BoxRecorder boxes;
            HistoryFill(d, c.inputs);
            ClickButton(d, IDC_RMON_HISTORY_APPLY);
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U) << c.message;
            EXPECT_EQ(calls[0].text, c.message);
            EXPECT_EQ(HistoryInputs(d), c.inputs);
        }
    });
    EXPECT_TRUE(SetLines().empty());
}

TEST_F(RmonHistoryControlDialogTest, ASecondRowOnAPortIsCreatedAndTheInputsReset)
{
    StartRmonSwitch();
    CRMONHistoryControl dialog;
    RunModal<CRMONHistoryControl>(dialog, [&](CRMONHistoryControl& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        BoxRecorder boxes;
        HistoryFill(d, {"9", "2", "50", "3600", "lab"}); // port 2 has row 1 already
        ClickButton(d, IDC_RMON_HISTORY_APPLY);
        ASSERT_TRUE(WaitForList(d, 3));
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(SetLines(), (std::vector<std::string>{
                                  Cell(kHistoryEntry, 6, 9) + "|2|2", Cell(kHistoryEntry, 2, 9) + "|6|" + kIfIndex + ".2",
                                  Cell(kHistoryEntry, 3, 9) + "|2|50", Cell(kHistoryEntry, 4, 9) + "|2|3600",
                                  Cell(kHistoryEntry, 5, 9) + "|4|lab", Cell(kHistoryEntry, 6, 9) + "|2|1"}));
        EXPECT_EQ(HistoryRows(d)[2], "9|2|50|50|3600|lab");
        EXPECT_EQ(HistoryInputs(d), (std::vector<std::string>{"", "", "50", "1800", ""}));
    });
}

TEST_F(RmonHistoryControlDialogTest, DeleteRemovesTheRowWithOneWrite)
{
    StartRmonSwitch();
    CRMONHistoryControl dialog;
    RunModal<CRMONHistoryControl>(dialog, [&](CRMONHistoryControl& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        const std::size_t walks = WalkStarts(kHistoryEntry + ".1");
        ASSERT_TRUE(ClickDelete(d, IDC_RMON_HISTORY_LIST, 0, 6));
        ASSERT_TRUE(WaitForList(d, 1));
        EXPECT_EQ(SetLines(), (std::vector<std::string>{Cell(kHistoryEntry, 6, 1) + "|2|4"}));
        EXPECT_EQ(WalkStarts(kHistoryEntry + ".1"), walks + 1);
        EXPECT_EQ(HistoryRows(d), (std::vector<std::string>{"5|6|10|10|60|"}));
    });
}

} // namespace rmon_test

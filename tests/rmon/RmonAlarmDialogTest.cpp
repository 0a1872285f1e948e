// The RMON alarm dialog on the simulated switch: the valid alarms, the
// variable's form, the checks that follow Apply's event walk with their
// messages, a creation that does not stall, the index edit's five digits and
// a Delete click.
#include "features/poe_rmon/CRmonAlarm.h"
#include "resources/rmon.h"
#include "rmon/RmonTestSupport.h"

#include "platform/ui/CComboBox.h"

#include <QElapsedTimer>

#include <algorithm>

namespace rmon_test {

using namespace rmontest;

namespace {

std::vector<std::string> AlarmRows(CWnd& d)
{
    return ListRows(d, IDC_RMON_ALARM_LIST, 9);
}

// index, interval, variable, rising threshold, falling threshold, rising
// event, falling event, owner; the sample type by its position.
struct AlarmInput
{
    std::string index, interval, variable, rising, falling, risingEvent, fallingEvent, owner;
    int sampleType = 1;
};

void AlarmFill(CWnd& d, const AlarmInput& in)
{
    Type(d, {{IDC_RMON_ALARM_INDEX, in.index},
             {IDC_RMON_ALARM_INTERVAL, in.interval},
             {IDC_RMON_ALARM_VARIABLE, in.variable},
             {IDC_RMON_ALARM_RISING_THRESHOLD, in.rising},
             {IDC_RMON_ALARM_FALLING_THRESHOLD, in.falling},
             {IDC_RMON_ALARM_RISING_EVENT, in.risingEvent},
             {IDC_RMON_ALARM_FALLING_EVENT, in.fallingEvent},
             {IDC_RMON_ALARM_OWNER, in.owner}});
    Item<CComboBox>(d, IDC_RMON_ALARM_SAMPLE_TYPE).SetCurSel(in.sampleType);
}

const AlarmInput kGood{"7", "15", "1.3.6.1.2.1.2.2.1.10.4", "500", "50", "1", "3", "lab", 1};

class RmonAlarmDialogTest : public RmonTest
{
protected:
    bool WaitForList(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_RMON_ALARM_REFRESH) && AlarmRows(d).size() == std::size_t(rows); },
                    20000);
    }
};

} // namespace

TEST(RmonAlarmVariable, OnlyTheExactFormOfAnInterfaceCounter)
{
    g_nPortCount = 28;
    struct Case
    {
        const char* variable;
        BOOL valid;
    };
    const Case cases[] = {
        {"1.3.6.1.2.1.2.2.1.10.1", TRUE},
        {"1.3.6.1.2.1.2.2.1.21.28", TRUE},
        {"1.3.6.1.2.1.2.2.1.9.1", FALSE},
        {"1.3.6.1.2.1.2.2.1.22.1", FALSE},
        {"1.3.6.1.2.1.2.2.1.10.0", FALSE},
        {"1.3.6.1.2.1.2.2.1.10.29", FALSE},
        {"abc1.3.6.1.2.1.2.2.1.10.1xyz", FALSE},
        {"1.3.6.1.2.1.2.2.1.10.1xyz", FALSE},
        {"1.3.6.1.2.1.2.2.1.10.1.5", FALSE},
        {"1.3.6.1.2.1.2.2.1.+10.1", FALSE},
        {"1.3.6.1.2.1.2.2.1.10. 1", FALSE},
        {"1.3.6.1.2.1.2.2.1.10", FALSE},
        {"1.3.6.1.2.1.2.2.1.10.", FALSE},
        {"", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRmonAlarm::IsValidVariable(c.variable), c.valid) << c.variable;
}

TEST_F(RmonAlarmDialogTest, ListsTheValidAlarms)
{
    StartRmonSwitch();
    CRmonAlarm dialog;
    RunModal<CRmonAlarm>(dialog, [&](CRmonAlarm& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(d.GetWindowText(), "RMON Alarm Configuration");
        // Alarm 2 is underCreation.
        EXPECT_EQ(AlarmRows(d), (std::vector<std::string>{"1|30|1.3.6.1.2.1.2.2.1.10.1|Delta value|1000|100|1|2|a1",
                                                          "4|10|1.3.6.1.2.1.2.2.1.16.3|Delta value|900|90|1|3|a4"}));
        EXPECT_NE(ButtonOver(Item<CReportCtrl>(d, IDC_RMON_ALARM_LIST), 1, 9), nullptr);
        EXPECT_EQ(d.GetDlgItem(IDC_RMON_ALARM_INTERVAL)->GetWindowText(), "300");
        EXPECT_EQ(Item<CComboBox>(d, IDC_RMON_ALARM_SAMPLE_TYPE).GetCurSel(), 0);
    });
}

TEST_F(RmonAlarmDialogTest, ApplyChecksAfterTheEventWalk)
{
    StartRmonSwitch();
    auto with = [](auto change) {
        AlarmInput in = kGood;
        change(in);
        return in;
    };
    struct Case
    {
        AlarmInput input;
        const char* message;
    };
    const char* const kEventMissing = "Event Index is not exist,please add first!";
    const char* const kVariable =
        "Variable Format is 1.3.6.1.2.1.2.2.1.X.Y!\nX = standard MIB Entry between 10~21\nY = Device Port Number";
    const Case cases[] = {
        {with([](AlarmInput& in) { in.index = "0"; }), "Index number must be between 1 and 65535!"},
        {with([](AlarmInput& in) { in.index = "4"; }), "Index had already exits!"},
        {with([](AlarmInput& in) { in.interval = "0"; }), "Interval number must be between 1 and 2147483647!"},
        {with([](AlarmInput& in) { in.variable = "1.3.6.1.2.1.2.2.1.9.1"; }), kVariable},
        {with([](AlarmInput& in) { in.variable = "1.3.6.1.2.1.2.2.1.22.1"; }), kVariable},
        {with([](AlarmInput& in) { in.variable = "1.3.6.1.2.1.2.2.1.10.0"; }), kVariable},
        {with([](AlarmInput& in) { in.variable = "1.3.6.1.2.1.2.2.1.10.29"; }), kVariable},
        {with([](AlarmInput& in) { in.variable = "abc1.3.6.1.2.1.2.2.1.10.1xyz"; }), kVariable},
        {with([](AlarmInput& in) { in.rising = "-1"; }), "Rising Threshold must be between 0 and 2^31-1!"},
        {with([](AlarmInput& in) { in.falling = "-1"; }), "Filling Threshold must be between 0 and 2^31-1!"},
        {with([](AlarmInput& in) { in.risingEvent = "0"; }), "Rising event index must be between 1 and 65535!"},
        {with([](AlarmInput& in) { in.falling = in.rising; }),
         "Falling-threshold should be less than Rising-threshold !"},
        {with([](AlarmInput& in) { in.risingEvent = "5"; }), kEventMissing},
        {with([](AlarmInput& in) { in.fallingEvent = "70000"; }), "Failling event index must be between 1 and 65535!"},
        {with([](AlarmInput& in) { in.fallingEvent = "6"; }), kEventMissing},
    };
    CRmonAlarm dialog;
    RunModal<CRmonAlarm>(dialog, [&](CRmonAlarm& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        for (const Case& c : cases) {
            BoxRecorder boxes;
            AlarmFill(d, c.input);
            ClickButton(d, IDC_RMON_ALARM_APPLY);
            EXPECT_TRUE(boxes.Calls().empty()) << "no check before the event walk has ended";
            ASSERT_TRUE(Pump([&] { return !boxes.Calls().empty() && Enabled(d, IDC_RMON_ALARM_APPLY); }, 20000))
                << c.message;
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U);
            EXPECT_EQ(calls[0].text, c.message);
            // The inputs keep what was typed.
            EXPECT_EQ(d.GetDlgItem(IDC_RMON_ALARM_VARIABLE)->GetWindowText(), c.input.variable);
        }
    });
    EXPECT_TRUE(SetLines().empty());
}

// The creation follows the event walk without waiting on it: its status GET
// uses the session that delivered the walk's end.
TEST_F(RmonAlarmDialogTest, AnAlarmThatPassesIsCreatedWithoutAStall)
{
    StartRmonSwitch();
    CRmonAlarm dialog;
    RunModal<CRmonAlarm>(dialog, [&](CRmonAlarm& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        BoxRecorder boxes;
        AlarmFill(d, kGood); // falling event 3 exists only underCreation: it still counts
        const std::vector<std::string> statusGet{Cell(kAlarmEntry, 10, 7) + "|5|"};
        auto statusAsked = [&] {
            const auto gets = Requests("GET");
            return std::find(gets.begin(), gets.end(), statusGet) != gets.end();
        };
        QElapsedTimer timer;
        timer.start();
        ClickButton(d, IDC_RMON_ALARM_APPLY);
        // A session waiting on itself would hold the status GET back for
        // three seconds after the event walk of a few rows.
        ASSERT_TRUE(Pump(statusAsked, 20000));
        EXPECT_LT(timer.elapsed(), 2900) << "the creation waited on the event walk's session";
        ASSERT_TRUE(WaitForList(d, 3));
        EXPECT_TRUE(boxes.Calls().empty());
        const std::string a = kAlarmEntry;
        EXPECT_EQ(SetLines(), (std::vector<std::string>{
                                  Cell(a, 10, 7) + "|2|2", Cell(a, 3, 7) + "|6|1.3.6.1.2.1.2.2.1.10.4",
                                  Cell(a, 2, 7) + "|2|15", Cell(a, 4, 7) + "|2|2", Cell(a, 5, 7) + "|2|500",
                                  Cell(a, 6, 7) + "|2|50", Cell(a, 7, 7) + "|2|1", Cell(a, 8, 7) + "|2|3",
                                  Cell(a, 9, 7) + "|4|lab", Cell(a, 10, 7) + "|2|1"}));
        EXPECT_EQ(AlarmRows(d)[2], "7|15|1.3.6.1.2.1.2.2.1.10.4|Delta value|500|50|1|3|lab");
        EXPECT_EQ(d.GetDlgItem(IDC_RMON_ALARM_INDEX)->GetWindowText(), "7");
    });
}

TEST_F(RmonAlarmDialogTest, IndexKeepsFiveDigitsAndDeleteRemovesTheRow)
{
    StartRmonSwitch();
    CRmonAlarm dialog;
    RunModal<CRmonAlarm>(dialog, [&](CRmonAlarm& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        d.GetDlgItem(IDC_RMON_ALARM_INDEX)->SetWindowText("123456");
        EXPECT_EQ(d.GetDlgItem(IDC_RMON_ALARM_INDEX)->GetWindowText(), "12345");

        ASSERT_TRUE(ClickDelete(d, IDC_RMON_ALARM_LIST, 0, 9));
        ASSERT_TRUE(WaitForList(d, 1));
        EXPECT_EQ(SetLines(), (std::vector<std::string>{Cell(kAlarmEntry, 10, 1) + "|2|4"}));
        EXPECT_EQ(AlarmRows(d)[0].substr(0, 2), "4|");
    });
}

} // namespace rmon_test

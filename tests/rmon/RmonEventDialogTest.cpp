// The RMON event dialog on the simulated switch: the valid events with their
// last time sent, the Apply checks with their messages (the inputs emptied
// after each), the community rule, creations, and the delete guard of an
// alarm's rising event.
#include "features/poe_rmon/CRMONEvent.h"
#include "resources/rmon.h"
#include "rmon/RmonTestSupport.h"

#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"

namespace rmon_test {

using namespace rmontest;

namespace {

std::vector<std::string> EventRows(CWnd& d)
{
    return ListRows(d, IDC_RMON_EVENT_LIST, 6);
}

// index, description, community, owner; the type by its position.
struct EventInput
{
    std::string index, description, community, owner;
    int type = 0;
};

void EventFill(CWnd& d, const EventInput& in)
{
    Type(d, {{IDC_RMON_EVENT_INDEX, in.index},
             {IDC_RMON_EVENT_DESCRIPTION, in.description},
             {IDC_RMON_EVENT_COMMUNITY, in.community},
             {IDC_RMON_EVENT_OWNER, in.owner}});
    Item<CComboBox>(d, IDC_RMON_EVENT_TYPE).SetCurSel(in.type);
}

bool InputsEmpty(CWnd& d)
{
    for (int id : {IDC_RMON_EVENT_INDEX, IDC_RMON_EVENT_DESCRIPTION, IDC_RMON_EVENT_COMMUNITY, IDC_RMON_EVENT_OWNER})
        if (!d.GetDlgItem(id)->GetWindowText().empty())
            return false;
    return Item<CComboBox>(d, IDC_RMON_EVENT_TYPE).GetCurSel() == 0;
}

class RmonEventDialogTest : public RmonTest
{
protected:
    bool WaitForList(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_RMON_EVENT_APPLY) && EventRows(d).size() == std::size_t(rows); },
                    20000);
    }
    // Every walk the dialog started has ended.
    void Settle() { PumpFor(400); }
};

} // namespace

TEST_F(RmonEventDialogTest, ListsTheValidEventsWithTheirLastTimeSent)
{
    StartRmonSwitch();
    CRMONEvent dialog;
    RunModal<CRMONEvent>(dialog, [&](CRMONEvent& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(d.GetWindowText(), "RMON Event Configuration");
        // Event 3 is underCreation, 9 only the standard table's.
        EXPECT_EQ(EventRows(d), (std::vector<std::string>{"1|rise|Log and Trap|public|e1|2 mins,3 secs",
                                                          "2|fall|Log||e2|0"}));
        EXPECT_EQ(Item<CReportCtrl>(d, IDC_RMON_EVENT_LIST).GetHeaderText(5), " Last Time Sent");
        EXPECT_NE(ButtonOver(Item<CReportCtrl>(d, IDC_RMON_EVENT_LIST), 1, 6), nullptr);
        EXPECT_EQ(Item<CEdit>(d, IDC_RMON_EVENT_DESCRIPTION).GetLimitText(), 128U);
        EXPECT_TRUE(InputsEmpty(d));
    });
}

TEST_F(RmonEventDialogTest, ApplyRefusesWithItsMessageAndEmptiesTheInputs)
{
    StartRmonSwitch();
    const char* const kCommunity =
        "Community Name doesn't exist on SNMP host table.\n Please create SNMP host table first.";
    struct Case
    {
        EventInput input;
        const char* message;
    };
    const Case cases[] = {
        {{"0", "d", "", "o", 1}, "Index number must be between 1 and 65535!"},
        {{"2", "d", "", "o", 1}, "Setting error. Index number had already exits!"},
        {{"3x", "", "", "o", 1}, "Fill inputs which are marked '*'!"},
        {{"12", "d", "nobody", "o", 2}, kCommunity},
        {{"12", "d", "nobody", "o", 3}, kCommunity},
        {{"12", "d", "", "o", 2}, kCommunity},
        {{"12", "d", "Public", "o", 3}, kCommunity},
    };
    CRMONEvent dialog;
    RunModal<CRMONEvent>(dialog, [&](CRMONEvent& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        Settle();
        for (const Case& c : cases) {
            BoxRecorder boxes;
            EventFill(d, c.input);
            ClickButton(d, IDC_RMON_EVENT_APPLY);
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U) << c.message;
            EXPECT_EQ(calls[0].text, c.message);
            EXPECT_TRUE(InputsEmpty(d)) << c.message;
            ASSERT_TRUE(WaitForList(d, 2));
        }
    });
    EXPECT_TRUE(SetLines().empty());
}

TEST_F(RmonEventDialogTest, ValidEventsAreCreatedWithTheirColumns)
{
    StartRmonSwitch();
    const std::string description(128, 'x');
    CRMONEvent dialog;
    RunModal<CRMONEvent>(dialog, [&](CRMONEvent& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        Settle();
        BoxRecorder boxes;
        // A log event: its community is neither checked nor written.
        EventFill(d, {"12", description, "nobody", "o", 1});
        ClickButton(d, IDC_RMON_EVENT_APPLY);
        ASSERT_TRUE(WaitForList(d, 3));
        Settle();
        // A trap event with one of the switch's communities.
        EventFill(d, {"13", "trap", "private", "p", 2});
        ClickButton(d, IDC_RMON_EVENT_APPLY);
        ASSERT_TRUE(WaitForList(d, 4));
        EXPECT_TRUE(boxes.Calls().empty());
        const std::string e = kEventEntry;
        EXPECT_EQ(SetLines(), (std::vector<std::string>{
                                  Cell(e, 6, 12) + "|2|2", Cell(e, 2, 12) + "|4|" + description,
                                  Cell(e, 3, 12) + "|2|2", Cell(e, 5, 12) + "|4|o", Cell(e, 6, 12) + "|2|1",
                                  Cell(e, 6, 13) + "|2|2", Cell(e, 2, 13) + "|4|trap", Cell(e, 3, 13) + "|2|3",
                                  Cell(e, 4, 13) + "|4|private", Cell(e, 5, 13) + "|4|p", Cell(e, 6, 13) + "|2|1"}));
        EXPECT_EQ(EventRows(d)[3], "13|trap|SNMP Trap|private|p|0");
    });
}

TEST_F(RmonEventDialogTest, AnAlarmsRisingEventCannotBeDeletedAnotherCan)
{
    StartRmonSwitch();
    CRMONEvent dialog;
    RunModal<CRMONEvent>(dialog, [&](CRMONEvent& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        Settle();
        {
            BoxRecorder boxes;
            ASSERT_TRUE(ClickDelete(d, IDC_RMON_EVENT_LIST, 0, 6)); // event 1: alarms 1 and 4 rise with it
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U);
            EXPECT_EQ(calls[0].text, "This event cannot be deleted since dependent alarm entry exists !");
            ASSERT_TRUE(WaitForList(d, 2));
            EXPECT_TRUE(SetLines().empty());
        }
        Settle();
        // Event 2 is only alarm 1's falling event.
        ASSERT_TRUE(ClickDelete(d, IDC_RMON_EVENT_LIST, 1, 6));
        ASSERT_TRUE(WaitForList(d, 1));
        EXPECT_EQ(SetLines(), (std::vector<std::string>{Cell(kEventEntry, 6, 2) + "|2|4"}));
        EXPECT_EQ(EventRows(d)[0].substr(0, 2), "1|");
    });
}

} // namespace rmon_test

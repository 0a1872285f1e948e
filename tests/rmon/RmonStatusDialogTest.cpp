// The RMON global settings dialog on the simulated switch: the state shown,
// Apply writing it and showing what the switch holds afterwards, and a switch
// that does not answer.
#include "common/CReadReport.h"
#include "features/poe_rmon/CRmonStatus.h"
#include "resources/rmon.h"
#include "rmon/RmonTestSupport.h"
#include "vlan/VlanTestSupport.h"

#include "platform/ui/CButton.h"

namespace rmon_test {

using namespace rmontest;
using vlantest::Texts;

namespace {

int Checked(CWnd& d, int id)
{
    return Item<CButton>(d, id).GetCheck();
}

bool ButtonsBack(CWnd& d)
{
    return Enabled(d, IDC_RMON_STATUS_REFRESH) && Enabled(d, IDC_RMON_STATUS_CLOSE);
}

class RmonStatusDialogTest : public RmonTest
{
};

} // namespace

TEST_F(RmonStatusDialogTest, ShowsTheStateAndWritesTheChoice)
{
    StartRmonSwitch();
    CRmonStatus dialog;
    RunModal<CRmonStatus>(dialog, [&](CRmonStatus& d) {
        ASSERT_TRUE(Pump([&] { return ButtonsBack(d); }, 10000));
        EXPECT_EQ(d.GetWindowText(), "RMON Global Settings ");
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_ENABLE), BST_CHECKED);
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_DISABLE), BST_UNCHECKED);
        EXPECT_TRUE(Enabled(d, IDC_RMON_STATUS_APPLY));

        ClickButton(d, IDC_RMON_STATUS_DISABLE);
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_ENABLE), BST_UNCHECKED);
        EXPECT_TRUE(SetLines().empty()) << "nothing is sent before Apply";
        ClickButton(d, IDC_RMON_STATUS_APPLY);
        EXPECT_EQ(SetLines(), (std::vector<std::string>{kState + "|2|2"}));
        EXPECT_EQ(sim->Get(kState), "2");
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_DISABLE), BST_CHECKED);

        // The switch changed meanwhile: Refresh shows it.
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "1"), 0);
        ClickButton(d, IDC_RMON_STATUS_REFRESH);
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_ENABLE), BST_CHECKED);
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_DISABLE), BST_UNCHECKED);
    });
}

TEST_F(RmonStatusDialogTest, ApplyShowsWhatTheSwitchHoldsWhenItRefuses)
{
    StartRmonSwitch();
    CRmonStatus dialog;
    RunModal<CRmonStatus>(dialog, [&](CRmonStatus& d) {
        ASSERT_TRUE(Pump([&] { return ButtonsBack(d); }, 10000));
        ASSERT_TRUE(sim->RefuseNextSet(kState, 5));
        ClickButton(d, IDC_RMON_STATUS_DISABLE);
        BoxRecorder boxes;
        ClickButton(d, IDC_RMON_STATUS_APPLY);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{"Could not write the RMON state: the switch refused it (general error)."});
        EXPECT_EQ(sim->Get(kState), "1");
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_ENABLE), BST_CHECKED);
    });
}

// A state the switch cannot mean checks neither button, and Apply writes
// nothing until the user chose one.
TEST_F(RmonStatusDialogTest, AStateOutsideItsSetIsUnknownAndNotWrittenBack)
{
    // An INTEGER outside 1 and 2, or a text (the fixture's "enabled").
    for (const char* value : {"3", "0", "-1", ""}) {
        SCOPED_TRACE(value);
        if (*value != '\0') {
            StartRmonSwitch();
            ASSERT_EQ(sim->Set(kState, SnmpValueInteger, value), 0);
        } else {
            StartRmonSwitch({Fixture("rmon-state-text.snmprec")});
        }
        const std::size_t before = SetLines().size();
        CRmonStatus dialog;
        BoxRecorder boxes;
        RunModal<CRmonStatus>(dialog, [&](CRmonStatus& d) {
            ASSERT_TRUE(Pump([&] { return ButtonsBack(d); }, 10000));
            EXPECT_EQ(Checked(d, IDC_RMON_STATUS_ENABLE), BST_UNCHECKED);
            EXPECT_EQ(Checked(d, IDC_RMON_STATUS_DISABLE), BST_UNCHECKED);
            ClickButton(d, IDC_RMON_STATUS_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CReadReport::UnreadText("the RMON state")});
            EXPECT_TRUE(SetLines(before).empty());
            // A choice of the user's is written.
            ClickButton(d, IDC_RMON_STATUS_DISABLE);
            ClickButton(d, IDC_RMON_STATUS_APPLY);
            EXPECT_EQ(SetLines(before), (std::vector<std::string>{kState + "|2|2"}));
        });
    }
}

TEST_F(RmonStatusDialogTest, SilentSwitchChecksNoRadioButton)
{
    StartRmonSwitch();
    g_strTimeout = "500";
    ASSERT_TRUE(sim->SilenceFor(20000));
    CRmonStatus dialog;
    BoxRecorder boxes;
    RunModal<CRmonStatus>(dialog, [&](CRmonStatus& d) {
        ASSERT_TRUE(Pump([&] { return ButtonsBack(d); }, 10000));
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_ENABLE), BST_UNCHECKED);
        EXPECT_EQ(Checked(d, IDC_RMON_STATUS_DISABLE), BST_UNCHECKED);
        // Nothing was read, so nothing is written.
        EXPECT_FALSE(Enabled(d, IDC_RMON_STATUS_APPLY));
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CReadReport::Text("the RMON state", false)});
    EXPECT_TRUE(SetLines().empty());
}

TEST_F(RmonStatusDialogTest, CloseEndsTheDialog)
{
    StartRmonSwitch();
    CRmonStatus dialog;
    const INT_PTR result = RunModal<CRmonStatus>(dialog, [&](CRmonStatus& d) {
        ASSERT_TRUE(Pump([&] { return ButtonsBack(d); }, 10000));
        ClickButton(d, IDC_RMON_STATUS_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

} // namespace rmon_test

// The trunk member picker: its fields and per-port boxes for 28 and 52
// ports, the count rule before every admission rule, the mode it writes, and
// Cancel.
#include "trunk/TrunkPickerSupport.h"

#include <gtest/gtest.h>

namespace trunk_test {

namespace {

std::string AlcorData()
{
    return KorvelSimulator::ModelData("KSX-Alcor R2", "system.snmprec");
}

CRect ClientRectOf(const CWnd& dialog, int id)
{
    CRect rect;
    CWnd* control = dialog.GetDlgItem(id);
    control->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

// Where the picker put itself: the left top corner of its window and the size
// it asked for, which the window system gives the client area while the
// window is hidden.
CRect WindowPlace(const CWnd& dialog)
{
    CRect window;
    CRect client;
    dialog.GetWindowRect(&window);
    dialog.GetClientRect(&client);
    return CRect(window.left, window.top, window.left + client.Width(), window.top + client.Height());
}

} // namespace

TEST(TrunkPicker, ShowsTheTrunkWithOneBoxPerPortTickedForItsMembers)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim);
    SetWatch writes(sim);
    BoxRecorder boxes;
    // Ports above the port count are no boxes.
    PickerRun run("1", "Static", "27,28,30");
    CKSXTrunkPort& picker = *run.picker;
    EXPECT_EQ(picker.GetWindowText(), "Trunk member");
    EXPECT_EQ(picker.GetDlgItem(IDC_TRUNK_MEMBER_ID)->GetWindowText(), "1");
    EXPECT_EQ(picker.GetDlgItem(IDC_TRUNK_MEMBER_MODE)->GetWindowText(), "Static");
    for (int port = 1; port <= 28; ++port) {
        EXPECT_EQ(run.IsTicked(port), port >= 27) << "port " << port;
        const CRect box = ClientRectOf(picker, IDC_TRUNK_MEMBER_CHECK_FIRST + port - 1);
        EXPECT_EQ(box, CRect(55 + (port - 1) * 17, 140, 75 + (port - 1) * 17, 160)) << "port " << port;
        EXPECT_EQ(picker.GetDlgItem(IDC_TRUNK_MEMBER_LABEL_FIRST + port - 1)->GetWindowText(), std::to_string(port));
    }
    EXPECT_EQ(picker.GetDlgItem(IDC_TRUNK_MEMBER_CHECK_FIRST + 28), nullptr);
    EXPECT_EQ(WindowPlace(picker), CRect(200, 200, 780, 475));

    // A mode other than "LACP" writes the static mode.
    run.PressOk();
    EXPECT_TRUE(run.Ended());
    EXPECT_TRUE(boxes.Calls().empty());
    ASSERT_FALSE(writes.Sets().empty());
    EXPECT_EQ(writes.Sets().back(),
              (std::vector<std::string>{SwitchOid("8.1.3.1.2.1") + "|4x|00000030", SwitchOid("8.1.3.1.3.1") + "|2|2"}));
}

TEST(TrunkPicker, FiftyTwoPortsStandInTwoRowsOfTwentySix)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), AlcorData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim, 52);
    SetWatch writes(sim);
    BoxRecorder boxes;
    PickerRun run("3", "LACP", "1,52");
    CKSXTrunkPort& picker = *run.picker;
    EXPECT_EQ(ClientRectOf(picker, IDC_TRUNK_MEMBER_CHECK_FIRST + 25), CRect(480, 140, 500, 160));
    EXPECT_EQ(ClientRectOf(picker, IDC_TRUNK_MEMBER_CHECK_FIRST + 26), CRect(55, 185, 75, 205));
    EXPECT_EQ(ClientRectOf(picker, IDC_TRUNK_MEMBER_LABEL_FIRST + 51), CRect(480, 170, 497, 185));
    EXPECT_TRUE(run.IsTicked(52));
    EXPECT_EQ(WindowPlace(picker), CRect(200, 200, 760, 530));

    // Ports 1 and 2: eight octets.
    run.Tick({1, 2});
    run.PressOk();
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(run.Ended());
    ASSERT_FALSE(writes.Sets().empty());
    EXPECT_EQ(writes.Sets().back(), (std::vector<std::string>{SwitchOid("8.1.3.1.2.3") + "|4x|c000000000000000",
                                                              SwitchOid("8.1.3.1.3.3") + "|2|1"}));
}

TEST(TrunkPicker, TwoToEightPortsBeforeAnyAdmissionRule)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    // Port 1 would be refused by the duplex rule.
    ASSERT_EQ(sim.Set(SwitchOid("1.13.1.2.1"), SnmpValueInteger, "3"), 0);
    UseSwitch(sim);
    SetWatch writes(sim);
    BoxRecorder boxes;
    PickerRun run("3", "LACP", "");
    run.Tick({1});
    run.PressOk();
    run.Tick({1, 2, 3, 4, 5, 6, 7, 8, 9});
    run.PressOk();
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"The mininum port members for an aggregated link is 2 !",
                                        "The maxinum port member for an aggregated link is exceeded !"}));
    EXPECT_FALSE(run.Ended());
    EXPECT_TRUE(writes.Sets().empty());
}

TEST(TrunkPicker, CancelWritesNothing)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim);
    SetWatch writes(sim);
    PickerRun run("3", "LACP", "");
    run.Tick({1, 2});
    ClickControl(*run.picker, IDCANCEL);
    EXPECT_TRUE(run.Ended());
    EXPECT_EQ(run.picker->m_strMemberMask, "");
    EXPECT_TRUE(writes.Sets().empty());
}

TEST(TrunkPicker, WithoutPortsTheReaderCannotStartAndNothingIsWritten)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim, 0);
    SetWatch writes(sim);
    BoxRecorder boxes;
    PickerRun run("3", "LACP", "1,2");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"TrunkValid Init Error !"});
    EXPECT_EQ(run.picker->GetDlgItem(IDC_TRUNK_MEMBER_ID)->GetWindowText(), "");
    run.PressOk();
    EXPECT_FALSE(run.Ended());
    EXPECT_TRUE(writes.Sets().empty());
}

} // namespace trunk_test

// The legacy per-port dialogs on the simulated switch: auto camera VLAN
// detection (batches of 30, aggregated links, the range message) and the
// multicast filtering mode (refused whole, typed ports), and closing them
// during their walks.
#include "legacy/CCameraVlanPortSetting.h"
#include "legacy/CIGMPRouterPortsSettings.h"
#include "legacy/CMultiFilterModePerPortConfig.h"
#include "legacy/LegacyTestSupport.h"

namespace legacy_test {

namespace {

bool WaitForWalk(CWnd& d, int listId, int refreshId, int rows)
{
    return Pump([&] { return Enabled(d, refreshId) && Rows(d, listId) == rows; }, 10000);
}

class PerPortTest : public LegacyTest
{
protected:
    void RunCamera(const std::string& state, int ports, const std::function<void(CCameraVlanPortSetting&)>& act)
    {
        CCameraVlanPortSetting dialog;
        dialog.m_strVlanId = "100";
        dialog.m_strVlanState = state;
        RunModal<CCameraVlanPortSetting>(dialog, [&](CCameraVlanPortSetting& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_LCAM_LIST, IDC_LCAM_REFRESH, ports));
            act(d);
        });
    }
    void RunMulticast(int ports, const std::function<void(CMultiFilterModePerPortConfig&)>& act)
    {
        CMultiFilterModePerPortConfig dialog;
        RunModal<CMultiFilterModePerPortConfig>(dialog, [&](CMultiFilterModePerPortConfig& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_LMF_LIST, IDC_LMF_REFRESH, ports));
            act(d);
        });
    }
};

void ChooseRange(CWnd& d, int fromId, int toId, int from, int to)
{
    Item<CComboBox>(d, fromId).SetCurSel(from - 1);
    Item<CComboBox>(d, toId).SetCurSel(to - 1);
}

std::vector<std::string> CameraBindings(int from, int to, const char* value)
{
    std::vector<std::string> bindings;
    for (int p = from; p <= to; ++p)
        bindings.push_back(Int(CameraOid(p), value));
    return bindings;
}

} // namespace

TEST_F(PerPortTest, CameraShowsThePortsAndWritesInBatchesOf30)
{
    StartLegacySwitch(52);
    BoxRecorder boxes;
    RunCamera("1", 52, [&](CCameraVlanPortSetting& d) {
        EXPECT_EQ(Text(d, IDC_LCAM_VLAN_ID), "100");
        EXPECT_EQ(Cell(d, IDC_LCAM_LIST, 1, 1), "Enabled");
        EXPECT_EQ(Cell(d, IDC_LCAM_LIST, 1, 2), "Static");
        EXPECT_EQ(Cell(d, IDC_LCAM_LIST, 2, 2), "4");
        EXPECT_EQ(Cell(d, IDC_LCAM_LIST, 3, 1), "Disabled");
        EXPECT_EQ(Cell(d, IDC_LCAM_LIST, 3, 2), "None");
        ChooseRange(d, IDC_LCAM_FROM_PORT, IDC_LCAM_TO_PORT, 1, 40);
        ChooseInCombo(d, IDC_LCAM_DETECTION, 1); // Disable: aggregated ports too
        ClickButton(d, IDC_LCAM_APPLY);
        EXPECT_EQ(Sets(), (RequestList{CameraBindings(1, 30, "2"), CameraBindings(31, 40, "2")}));
        EXPECT_TRUE(boxes.Calls().empty());
        ASSERT_TRUE(WaitForWalk(d, IDC_LCAM_LIST, IDC_LCAM_REFRESH, 52));
        EXPECT_EQ(Cell(d, IDC_LCAM_LIST, 1, 1), "Disabled");
    });
}

// A batch the switch refuses, or leaves unanswered, ends the sequence: the
// message names the batch and what was written before it; nothing after it
// is sent, and a silent switch is not asked again at once.
TEST_F(PerPortTest, CameraBatchesStopAtTheFirstFailedOne)
{
    struct Case
    {
        bool silent;
        std::size_t sets; // batches the switch answered, a refused one included
        const char* message;
    };
    const Case cases[] = {
        {false, 2,
         "Could not write the surveillance VLAN mode of ports 31-52: the switch refused it (bad value).\n"
         "Ports 1-30 were written; port 31 and later were not."},
        {true, 0,
         "Could not write the surveillance VLAN mode of ports 1-30: the switch did not answer.\nNothing was written."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        StartLegacySwitch(52);
        g_strTimeout = "700";
        BoxRecorder boxes;
        RunCamera("1", 52, [&](CCameraVlanPortSetting& d) {
            ChooseRange(d, IDC_LCAM_FROM_PORT, IDC_LCAM_TO_PORT, 1, 52);
            ChooseInCombo(d, IDC_LCAM_DETECTION, 1);
            if (c.silent) {
                ASSERT_TRUE(sim->SilenceFor(3000));
            } else {
                ASSERT_TRUE(sim->RefuseNextSet(CameraOid(31), 3));
            }
            ClickButton(d, IDC_LCAM_APPLY);
            EXPECT_EQ(Messages(boxes), std::vector<std::string>{c.message});
            EXPECT_EQ(Sets().size(), c.sets);
            // Silent: the walk after Apply is not started; refused: it reads back.
            EXPECT_EQ(Enabled(d, IDC_LCAM_REFRESH), c.silent);
        });
        g_strTimeout = "3000";
        sim.reset();
    }
}

TEST_F(PerPortTest, CameraRefusesEnablingARangeWithAnAggregatedPort)
{
    StartLegacySwitch(28);
    BoxRecorder boxes;
    RunCamera("1", 28, [&](CCameraVlanPortSetting& d) {
        ChooseRange(d, IDC_LCAM_FROM_PORT, IDC_LCAM_TO_PORT, 1, 10);
        ChooseInCombo(d, IDC_LCAM_DETECTION, 0);
        ClickButton(d, IDC_LCAM_APPLY);
        EXPECT_EQ(Messages(boxes),
                  std::vector<std::string>{"LA member port can not support in auto Surveillance vlan mode."});
        EXPECT_TRUE(Sets().empty());
        ChooseRange(d, IDC_LCAM_FROM_PORT, IDC_LCAM_TO_PORT, 7, 8);
        ClickButton(d, IDC_LCAM_APPLY);
        EXPECT_EQ(Sets(), RequestList{CameraBindings(7, 8, "1")});
    });
}

TEST_F(PerPortTest, ToPortBelowFromPortIsRefused)
{
    StartLegacySwitch(28);
    BoxRecorder boxes;
    RunCamera("1", 28, [&](CCameraVlanPortSetting& d) {
        ChooseInCombo(d, IDC_LCAM_FROM_PORT, 9);
        EXPECT_EQ(ComboSelection(d, IDC_LCAM_TO_PORT), "10");
        ChooseInCombo(d, IDC_LCAM_TO_PORT, 3);
        EXPECT_EQ(Messages(boxes), std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});
        EXPECT_EQ(ComboSelection(d, IDC_LCAM_TO_PORT), "10");
    });
}

TEST_F(PerPortTest, CameraApplyIsOffWhileTheAutoVlanIs)
{
    StartLegacySwitch(28);
    RunCamera("2", 28, [&](CCameraVlanPortSetting& d) {
        EXPECT_FALSE(Enabled(d, IDC_LCAM_APPLY));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LCAM_APPLY, BN_CLICKED), 0);
        EXPECT_TRUE(Sets().empty());
    });
}

TEST_F(PerPortTest, MulticastShowsModesAndWritesARange)
{
    StartLegacySwitch(28);
    BoxRecorder boxes;
    RunMulticast(28, [&](CMultiFilterModePerPortConfig& d) {
        EXPECT_EQ(Cell(d, IDC_LMF_LIST, 0, 1), "Forward Unregistered Groups");
        EXPECT_EQ(Cell(d, IDC_LMF_LIST, 1, 1), "Filtering Unregistered Groups");
        EXPECT_EQ(Cell(d, IDC_LMF_LIST, 3, 1), "Filtering Unregistered Groups");
        Type(d, IDC_LMF_FROM_PORT, "7");
        Type(d, IDC_LMF_TO_PORT, "9");
        ChooseInCombo(d, IDC_LMF_MODE, 1);
        ClickButton(d, IDC_LMF_APPLY);
        EXPECT_EQ(Sets(), (RequestList{{Int(ModeOid(7), "2"), Int(ModeOid(8), "2"), Int(ModeOid(9), "2")}}));
        EXPECT_TRUE(boxes.Calls().empty());
    });
}

TEST_F(PerPortTest, MulticastRefusesBadRangesWhole)
{
    struct Case
    {
        const char *from, *to, *message;
    };
    const Case cases[] = {
        {"1", "10", "Ports with different Multicast Filtering Mode in an aggregated link is invalid."},
        {"6", "6", "Ports with different Multicast Filtering Mode in an aggregated link is invalid."},
        {"0", "3", "Invalid port: a port is a number from 1 to 28."},
        {"1", "29", "Invalid port: a port is a number from 1 to 28."},
        {"x", "3", "Invalid port: a port is a number from 1 to 28."},
        {"1", "2a", "Invalid port: a port is a number from 1 to 28."},
        {"9", "8", "'To Port' can not be smaller than 'From Port'"},
    };
    StartLegacySwitch(28);
    BoxRecorder boxes;
    RunMulticast(28, [&](CMultiFilterModePerPortConfig& d) {
        for (int mode : {0, 1}) {
            ChooseInCombo(d, IDC_LMF_MODE, mode);
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.from) + "-" + c.to);
                Type(d, IDC_LMF_FROM_PORT, c.from);
                Type(d, IDC_LMF_TO_PORT, c.to);
                const std::size_t before = boxes.Calls().size();
                ClickButton(d, IDC_LMF_APPLY);
                ASSERT_EQ(boxes.Calls().size(), before + 1);
                EXPECT_EQ(boxes.Calls().back().text, c.message);
            }
        }
        EXPECT_TRUE(Sets().empty());
    });
}

TEST_F(PerPortTest, ClosingDuringTheWalksIsClean)
{
    StartLegacySwitch(28);
    ASSERT_TRUE(sim->SetReplyDelay(400));
    {
        CCameraVlanPortSetting camera;
        camera.m_strVlanState = "1";
        RunModal<CCameraVlanPortSetting>(camera, [&](CCameraVlanPortSetting& d) {
            EXPECT_FALSE(Enabled(d, IDC_LCAM_REFRESH));
        });
    }
    {
        CMultiFilterModePerPortConfig multicast;
        RunModal<CMultiFilterModePerPortConfig>(multicast, [&](CMultiFilterModePerPortConfig& d) {
            EXPECT_FALSE(Enabled(d, IDC_LMF_REFRESH));
        });
    }
    {
        CIGMPRouterPortsSettings igmp;
        RunModal<CIGMPRouterPortsSettings>(igmp, [&](CIGMPRouterPortsSettings& d) {
            EXPECT_EQ(d.GetWindowText(), "IGMP Router Ports Settings");
        });
    }
    EXPECT_TRUE(Sets().empty());
}

} // namespace legacy_test

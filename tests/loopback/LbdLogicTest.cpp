// The loopback detection logic on the simulated switch: what its reads and
// walks deliver (rows and bitmap ports the switch does not have skipped), the
// checks and bindings of the global write, and the port-range write.
#include "common/CWriteReport.h"
#include "features/layer2/CLBDetectionFunLogic.h"
#include "loopback/LoopbackTestSupport.h"

namespace loopback_test {

using namespace lbdtest;

namespace {

// The owner window: keeps what the logic sends, the records copied.
class LbdOwner : public CWnd
{
public:
    LbdOwner() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~LbdOwner() override { DestroyWindow(); }

    std::vector<std::string> codes; // "0", "1", or the code and its text
    std::vector<LBD_port_info> rows;
    std::vector<LBD_global_info> globals;

    bool Has(const std::string& code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_LOGIC_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        if (wParam == CLBDetectionFunLogic::kNotifyGlobals) {
            codes.push_back(lParam != 0 ? "0" : "0 failed");
            if (lParam != 0)
                globals.push_back(*reinterpret_cast<const LBD_global_info*>(lParam));
        } else if (wParam == CLBDetectionFunLogic::kNotifyPortRow) {
            codes.push_back("1");
            rows.push_back(*reinterpret_cast<const LBD_port_info*>(lParam));
        } else {
            codes.push_back(std::to_string(wParam) + " " + reinterpret_cast<const char*>(lParam));
        }
        return 0;
    }
};

class LbdLogicTest : public LbdTest
{
};

std::string Row(const LBD_port_info& r)
{
    return r.strPort + "|" + r.strState + "|" + r.strLoopStatus;
}

} // namespace

TEST_F(LbdLogicTest, WalksAndReadDeliverThePortsOfThisSwitchOnly)
{
    StartLbdSwitch({Fixture("port-hole.snmprec")});
    LbdOwner owner;
    CLBDetectionFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));

    logic.StartVlanLoopWalk();
    ASSERT_TRUE(Pump([&] { return owner.Has("6 VlanLoopFinished"); }, 20000));
    EXPECT_EQ(logic.GetLoopVlans(3), "10,20,");
    EXPECT_EQ(logic.GetLoopVlans(5), "10,");
    // Port 32 of VLAN 10's bitmap is no port of this switch.
    for (int port : {1, 4, 6, 28, 32, 0, -1})
        EXPECT_EQ(logic.GetLoopVlans(port), "") << port;

    logic.ReadGlobals();
    logic.StartPortWalk();
    ASSERT_TRUE(Pump([&] { return owner.Has("5 Finished") && owner.Has("0"); }, 20000));
    ASSERT_EQ(owner.globals.size(), 1u);
    EXPECT_EQ(owner.globals[0].bEnabled, 1);
    EXPECT_EQ(owner.globals[0].strInterval, "10");
    EXPECT_EQ(owner.globals[0].strRecoverTime, "60");
    EXPECT_EQ(owner.globals[0].strMode, "1");
    EXPECT_EQ(owner.globals[0].strVlanList, "");

    // 27 rows: port 7 has none, port 29 is none of this switch's.
    ASSERT_EQ(owner.rows.size(), 27u);
    EXPECT_EQ(Row(owner.rows[0]), "1|Disabled|Normal");
    EXPECT_EQ(Row(owner.rows[1]), "2|Enabled|Normal");
    EXPECT_EQ(Row(owner.rows[2]), "3|Disabled|Disabled");
    EXPECT_EQ(Row(owner.rows[26]), "28|Disabled|Normal");
    // The rows came before the walk's end.
    EXPECT_EQ(owner.codes.back(), "5 Finished");

    const std::vector<LBD_port_info> info = logic.GetPortInfo();
    ASSERT_EQ(info.size(), 28u);
    EXPECT_EQ(Row(info[6]), "7|2|Normal");
    EXPECT_EQ(Row(info[1]), "2|Enabled|Normal");
}

TEST_F(LbdLogicTest, AFailedWalkAndReadEndAndKeepTheLastCompleteRecords)
{
    StartLbdSwitch();
    LbdOwner owner;
    CLBDetectionFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    logic.StartPortWalk();
    ASSERT_TRUE(Pump([&] { return owner.Has("5 Finished"); }, 20000));
    owner.codes.clear();
    owner.rows.clear();

    ASSERT_TRUE(sim->SilenceFor(5000));
    logic.StartPortWalk();
    logic.ReadGlobals();
    ASSERT_TRUE(Pump([&] { return owner.Has("5 Finished") && owner.Has("0 failed"); }, 20000));
    EXPECT_TRUE(owner.globals.empty());
    EXPECT_TRUE(owner.rows.empty());
    const std::vector<LBD_port_info> info = logic.GetPortInfo();
    ASSERT_EQ(info.size(), 28u);
    EXPECT_EQ(Row(info[1]), "2|Enabled|Normal");
}

TEST_F(LbdLogicTest, WriteGlobalsChecksTheRangesAndWritesWhatTheStateNeeds)
{
    StartLbdSwitch();
    struct Case
    {
        const char* state;
        const char* interval;
        const char* recover;
        const char* vlans;
        BOOL result;
        const char* message; // nullptr: none
        std::size_t bindings; // of the SET sent; 0: none sent
    };
    const char* const kIntervalRange = "The value range is 1 - 32767.";
    const char* const kRecoverRange = "The value range is 60 - 1000000 or 0.";
    const Case cases[] = {
        {"1", "0", "60", "", FALSE, kIntervalRange, 0},
        {"1", "32768", "60", "", FALSE, kIntervalRange, 0},
        {"1", "ten", "60", "", FALSE, kIntervalRange, 0},
        {"1", "10", "59", "", FALSE, kRecoverRange, 0},
        {"1", "10", "1000001", "", FALSE, kRecoverRange, 0},
        {"2", "0", "60", "", FALSE, kIntervalRange, 0},
        {"1", "10", "1-9", "", FALSE, kRecoverRange, 0},
        {"1", "10", "60", "1-9", FALSE, "LBD VLAN mode maximum support 8 VLAN groups.", 0},
        {"1", "10", "60", "5000", FALSE, "Invalid VLAN List", 0},
        {"1", "1", "0", "", TRUE, nullptr, 5},
        {"1", "32767", "60", "10,20", TRUE, nullptr, 5},
        {"1", "10", "1000000", "", TRUE, nullptr, 5},
        // Disabling writes the state alone; the VLAN list is not looked at.
        {"2", "10", "60", "not a list", TRUE, nullptr, 1},
    };
    CLBDetectionFunLogic logic;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.state) + " " + c.interval + " " + c.recover + " " + c.vlans);
        const std::size_t setsBefore = Sets().size();
        BoxRecorder boxes;
        CWriteReport report;
        EXPECT_EQ(logic.WriteGlobals(c.state, "1", c.interval, c.recover, c.vlans, report), c.result);
        EXPECT_FALSE(report.Failed());
        const auto calls = boxes.Calls();
        if (c.message) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].text, c.message);
        } else {
            EXPECT_TRUE(calls.empty());
        }
        const RequestList sets = Sets();
        if (c.bindings == 0) {
            EXPECT_EQ(sets.size(), setsBefore);
            continue;
        }
        ASSERT_EQ(sets.size(), setsBefore + 1);
        ASSERT_EQ(sets.back().size(), c.bindings);
        EXPECT_EQ(sets.back()[0], Int(kState, c.state));
        if (c.bindings == 5) {
            EXPECT_EQ(sets.back()[1], Int(kMode, "1"));
            EXPECT_EQ(sets.back()[2], Int(kInterval, c.interval));
            EXPECT_EQ(sets.back()[3], Int(kRecoverTime, c.recover));
            EXPECT_EQ(sim->Get(kVlanList), c.vlans);
        }
    }
    EXPECT_EQ(sim->Get(kState), "2");
}

TEST_F(LbdLogicTest, WritePortStatesWritesEachPortOfTheRangeAndAlwaysReportsTheEnd)
{
    StartLbdSwitch();
    LbdOwner owner;
    CLBDetectionFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));

    CWriteReport report;
    logic.WritePortStates(5, 3, "1", report);
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(owner.codes, std::vector<std::string>{"3 PortStateWriteMIBFinished"});

    logic.WritePortStates(27, 30, "1", report);
    EXPECT_FALSE(report.Failed());
    const RequestList sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0], std::vector<std::string>{Int(PortState(27), "1")});
    EXPECT_EQ(sets[1], std::vector<std::string>{Int(PortState(28), "1")});
    EXPECT_EQ(sim->Get(PortState(28)), "1");
    EXPECT_EQ(owner.codes.size(), 2u);
}

} // namespace loopback_test

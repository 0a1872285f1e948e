// The GVRP logic on the simulated switch: what its reads deliver to the owner
// window, the timer rules and writes of the global settings, the port range
// writes, the trunk group rule, and closing with a read outstanding.
#include "features/ports_vlans/CGVRPFunLogic.h"
#include "gvrp/GvrpTestSupport.h"

#include <QElapsedTimer>

namespace gvrp_test {

using namespace gvrptest;

namespace {

// The owner window: keeps what the logic sends, the records copied.
class OwnerWindow : public CWnd
{
public:
    explicit OwnerWindow(bool globalRecords) : m_globalRecords(globalRecords)
    {
        CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0);
    }
    ~OwnerWindow() override { DestroyWindow(); }

    // "0", "4 AddFinished", "5 Finished", "6" (the port table whole); the trunk
    // walk's "trunk end" or "trunk failed".
    std::vector<std::string> codes;
    std::vector<GVRP_port_info> rows;
    std::vector<GVRP_global_info> globals;

    int Count(const std::string& code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LOGIC_NOTIFY) {
            if (wParam == CGVRPFunLogic::kNotifyRow) {
                codes.push_back("0");
                if (m_globalRecords)
                    globals.push_back(*reinterpret_cast<const GVRP_global_info*>(lParam));
            } else if (wParam == CGVRPFunLogic::kNotifyPortRows) {
                codes.push_back("6");
                rows = *reinterpret_cast<const std::vector<GVRP_port_info>*>(lParam);
            } else {
                codes.push_back(std::to_string(wParam) + " " + reinterpret_cast<const char*>(lParam));
            }
            return 0;
        }
        if (message == WM_TRUNK_WALK_ABORTED) {
            codes.push_back(wParam == 0 ? "trunk end" : "trunk failed");
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    bool m_globalRecords;
};

class GvrpLogicTest : public GvrpTest
{
protected:
    // Runs the trunk walk to its end; how it ended.
    static std::string WalkTrunks(CGVRPFunLogic& logic, OwnerWindow& owner)
    {
        const std::size_t before = owner.codes.size();
        logic.StartTrunkGroupWalk();
        if (!Pump([&] { return owner.codes.size() > before; }, 20000))
            return "no end";
        return owner.codes.back();
    }
};

std::string Row(const GVRP_port_info& r)
{
    return r.strPort + "|" + r.strPvid + "|" + r.strGvrpState + "|" + r.strIngressChecking + "|" + r.strAcceptFrameType;
}

} // namespace

TEST_F(GvrpLogicTest, PortTableRowsAreMappedToTheirTexts)
{
    StartGvrpSwitch();
    ASSERT_EQ(sim->Set(PortOid(2, 2), SnmpValueInteger, "10"), 0);
    ASSERT_EQ(sim->Set(PortOid(3, 2), SnmpValueInteger, "1"), 0);
    ASSERT_EQ(sim->Set(PortOid(5, 2), SnmpValueInteger, "2"), 0);
    ASSERT_EQ(sim->Set(PortOid(4, 3), SnmpValueInteger, "2"), 0);
    ASSERT_EQ(sim->Set(PortOid(5, 3), SnmpValueInteger, "3"), 0); // neither 1 nor 2: unknown
    OwnerWindow owner(false);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    logic.StartPortTableWalk();
    ASSERT_TRUE(Pump([&] { return owner.Count("5 Finished") == 1; }, 20000));
    ASSERT_EQ(owner.rows.size(), 28U);
    EXPECT_EQ(Row(owner.rows[0]), "1|1|Disabled|Enabled|AllFrames");
    EXPECT_EQ(Row(owner.rows[1]), "2|10|Enabled|Enabled|TaggedOnly");
    EXPECT_EQ(Row(owner.rows[2]), "3|1|Disabled|Disabled|");
    EXPECT_EQ(Row(owner.rows[27]), "28|1|Disabled|Enabled|AllFrames");
    EXPECT_EQ(owner.codes.back(), "5 Finished");
}

TEST_F(GvrpLogicTest, GlobalReadGivesTheStateAndTimers)
{
    StartGvrpSwitch();
    struct Case
    {
        const char* state;
        int enabled;
    };
    for (const Case& c : {Case{"1", 1}, Case{"2", 0}, Case{"3", -1}}) {
        SCOPED_TRACE(c.state);
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, c.state), 0);
        OwnerWindow owner(true);
        CGVRPFunLogic logic;
        ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
        logic.StartGlobalRead();
        ASSERT_TRUE(Pump([&] { return !owner.globals.empty(); }, 10000));
        EXPECT_EQ(owner.globals[0].nEnabled, c.enabled);
        EXPECT_EQ(owner.globals[0].strJoinTime, "200");
        EXPECT_EQ(owner.globals[0].strLeaveTime, "600");
        EXPECT_EQ(owner.globals[0].strLeaveAllTime, "10000");
    }
}

TEST_F(GvrpLogicTest, AGlobalReadThatFailsIsReportedFailedAndFinished)
{
    StartGvrpSwitch();
    g_strTimeout = "300";
    OwnerWindow owner(true);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_TRUE(sim->SilenceFor(1500));
    logic.StartGlobalRead();
    ASSERT_TRUE(Pump([&] { return !owner.codes.empty(); }, 10000));
    PumpFor(200);
    EXPECT_EQ(owner.codes, (std::vector<std::string>{"7 the GVRP settings", "5 Finished"}));
    EXPECT_TRUE(owner.globals.empty());
}

TEST_F(GvrpLogicTest, GlobalWritesFollowTheStateChangeAndTheTimerRules)
{
    StartGvrpSwitch();
    const std::string join = kJoin + "|2|", leave = kLeave + "|2|", leaveAll = kLeaveAll + "|2|";
    struct Case
    {
        const char* what;
        std::string oldState, newState, join, leave, leaveAll;
        std::string message;               // "" when nothing is refused
        std::vector<std::string> bindings; // of the one SET, none when nothing is sent
    };
    const Case cases[] = {
        {"enabled to disabled: the state only", "1", "2", "1", "1", "1", "", {kState + "|2|2"}},
        {"disabled to disabled: nothing, whatever the timers", "2", "2", "x", "", "5", "", {}},
        {"disabled to enabled: state and timers",
         "2",
         "1",
         "200",
         "401",
         "402",
         "",
         {kState + "|2|1", join + "200", leave + "401", leaveAll + "402"}},
        {"enabled to enabled: the timers",
         "1",
         "1",
         "300",
         "700",
         "800",
         "",
         {join + "300", leave + "700", leaveAll + "800"}},
        {"join too small", "1", "1", "99", "401", "402", "Join Time(100-100000).", {}},
        {"join too large", "1", "1", "100001", "401", "402", "Join Time(100-100000).", {}},
        {"leave out of range", "1", "1", "200", "100001", "402", "Leave Time(100-100000).", {}},
        {"leave-all out of range", "2", "1", "200", "401", "", "Leave_All Time(100-100000).", {}},
        {"leave not above twice join",
         "1",
         "1",
         "200",
         "400",
         "1000",
         "Leave Time should be greater than 2*Join Time.",
         {}},
        {"leave-all not above leave",
         "1",
         "1",
         "200",
         "401",
         "401",
         "Leave_All Time should be greater than Leave Time. ",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = Sets().size();
        BoxRecorder boxes;
        CGVRPFunLogic logic;
        logic.SetGlobal(c.oldState, c.newState, c.join, c.leave, c.leaveAll);
        const auto sets = Sets(before);
        if (c.bindings.empty()) {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(sets.size(), 1U);
            EXPECT_EQ(sets[0], c.bindings);
        }
        if (c.message.empty()) {
            EXPECT_TRUE(boxes.Calls().empty());
        } else {
            ASSERT_EQ(boxes.Calls().size(), 1U);
            EXPECT_EQ(boxes.Calls()[0].text, c.message);
            EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        }
    }
    EXPECT_EQ(sim->Get(kJoin), "300");
    EXPECT_EQ(sim->Get(kLeave), "700");
    EXPECT_EQ(sim->Get(kLeaveAll), "800");
    EXPECT_EQ(sim->Get(kState), "1");
}

TEST_F(GvrpLogicTest, PortRangeIsWrittenPortByPortThenReported)
{
    StartGvrpSwitch();
    OwnerWindow owner(false);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    EXPECT_TRUE(logic.SetPortRange(5, 8, "20", "1", "2", "2"));
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 4U);
    for (int port = 5; port <= 8; ++port) {
        EXPECT_EQ(sets[static_cast<std::size_t>(port - 5)], PortSet(port, "20", "1", "2", "2"));
        EXPECT_EQ(sim->Get(PortOid(2, port)), "20");
        EXPECT_EQ(sim->Get(PortOid(3, port)), "1");
        EXPECT_EQ(sim->Get(PortOid(4, port)), "2");
        EXPECT_EQ(sim->Get(PortOid(5, port)), "2");
    }
    EXPECT_EQ(sim->Get(PortOid(2, 4)), "1");
    EXPECT_EQ(sim->Get(PortOid(2, 9)), "1");
    EXPECT_EQ(owner.codes, std::vector<std::string>{"4 AddFinished"});

    // An empty range writes nothing and is reported all the same.
    EXPECT_TRUE(logic.SetPortRange(9, 8, "20", "1", "2", "2"));
    EXPECT_EQ(Sets().size(), 4U);
    EXPECT_EQ(owner.Count("4 AddFinished"), 2);
}

TEST_F(GvrpLogicTest, RefusedPortRangeWriteIsAFailure)
{
    StartGvrpSwitch();
    OwnerWindow owner(false);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));

    // The switch refuses port 3: ports 1 and 2 stay written, 3 and 4 are not.
    ASSERT_TRUE(sim->RefuseNextSet(PortOid(2, 3), 5));
    EXPECT_FALSE(logic.SetPortRange(1, 4, "30", "1", "1", "1"));
    EXPECT_EQ(Sets().size(), 3U);
    EXPECT_EQ(sim->Get(PortOid(2, 2)), "30");
    EXPECT_EQ(sim->Get(PortOid(2, 3)), "1");
    EXPECT_EQ(sim->Get(PortOid(2, 4)), "1");

    // A PVID the switch takes as no integer is refused too.
    EXPECT_FALSE(logic.SetPortRange(5, 5, "abc", "1", "1", "1"));
    EXPECT_EQ(sim->Get(PortOid(2, 5)), "1");

    // Ports the switch does not have are not written at all.
    const std::size_t before = Sets().size();
    for (auto [from, to] : {std::pair{0, 2}, std::pair{27, 29}, std::pair{-5, -1}})
        EXPECT_FALSE(logic.SetPortRange(from, to, "30", "1", "1", "1")) << from << ".." << to;
    EXPECT_EQ(Sets().size(), before);
    EXPECT_EQ(owner.Count("4 AddFinished"), 0);
}

TEST_F(GvrpLogicTest, RangeMustHoldTrunkGroupsWhole)
{
    StartGvrpSwitch();
    SetTrunkMembers(1, std::string("\x30\x00\x00\x00", 4)); // ports 3 and 4
    SetTrunkMembers(2, std::string("\x00\x00\x00\x00", 4));
    OwnerWindow owner(false);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_EQ(WalkTrunks(logic, owner), "trunk end");
    std::vector<int> expected(28, 0);
    expected[2] = expected[3] = 1;
    EXPECT_EQ(logic.GetTrunkPorts(), expected);

    struct Case
    {
        int from, to;
        bool accepted;
    };
    for (const Case& c : {Case{1, 3, false}, Case{4, 8, false}, Case{1, 4, true}, Case{3, 4, true}, Case{5, 28, true},
                          Case{4, 3, true}, Case{-3, 100, true}, Case{0, 3, false}}) {
        SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
        BoxRecorder boxes;
        EXPECT_EQ(logic.CheckTrunkGroupsInRange(c.from, c.to), c.accepted ? TRUE : FALSE);
        EXPECT_EQ(boxes.Texts(),
                  c.accepted ? std::vector<std::string>{}
                             : std::vector<std::string>{"Some ports in the same LA Group are not be included."});
    }

    // A port that has left its group no longer binds the others; members the
    // switch reports beyond its ports are left out.
    SetTrunkMembers(1, std::string("\x10\x00\x00\x00\xff\xff", 6)); // port 4, and ports 33 to 48
    ASSERT_EQ(WalkTrunks(logic, owner), "trunk end");
    expected[2] = 0;
    EXPECT_EQ(logic.GetTrunkPorts(), expected);
    BoxRecorder boxes;
    EXPECT_TRUE(logic.CheckTrunkGroupsInRange(1, 4));
    EXPECT_TRUE(logic.CheckTrunkGroupsInRange(4, 4));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(GvrpLogicTest, TrunkGroupsAreKeptWhenAWalkFails)
{
    StartGvrpSwitch();
    g_strTimeout = "400";
    OwnerWindow owner(false);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_EQ(WalkTrunks(logic, owner), "trunk end");
    std::vector<int> expected(28, 0);
    expected[24] = expected[25] = 2;
    expected[26] = expected[27] = 1;
    ASSERT_EQ(logic.GetTrunkPorts(), expected);

    ASSERT_TRUE(sim->SilenceFor(3000));
    EXPECT_EQ(WalkTrunks(logic, owner), "trunk failed");
    EXPECT_EQ(logic.GetTrunkPorts(), expected);
    BoxRecorder boxes;
    EXPECT_FALSE(logic.CheckTrunkGroupsInRange(20, 27));
}

TEST_F(GvrpLogicTest, EachCompleteVlanWalkReplacesTheIdListAndAFailedOneKeepsIt)
{
    StartGvrpSwitch();
    OwnerWindow owner(false);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    logic.StartVlanIdWalk();
    ASSERT_TRUE(Pump([&] { return owner.Count("5 Finished") == 1; }, 20000));
    const std::string once = logic.GetVlanIdList();
    EXPECT_EQ(once.rfind("1,2,10,20,", 0), 0U) << once;
    EXPECT_EQ(once.back(), ',');
    EXPECT_TRUE(logic.HasVlanId("10"));
    EXPECT_TRUE(logic.HasVlanId("1"));
    EXPECT_FALSE(logic.HasVlanId("0"));
    EXPECT_FALSE(logic.HasVlanId("3"));
    logic.StartVlanIdWalk();
    ASSERT_TRUE(Pump([&] { return owner.Count("5 Finished") == 2; }, 20000));
    EXPECT_EQ(logic.GetVlanIdList(), once);
    // A walk the switch cuts short is said and leaves the list as it was.
    g_strTimeout = "300";
    ASSERT_TRUE(sim->SilenceFor(1500));
    logic.StartVlanIdWalk();
    ASSERT_TRUE(Pump([&] { return owner.Count("5 Finished") == 3; }, 20000));
    EXPECT_EQ(owner.Count("7 the VLAN list"), 1);
    EXPECT_EQ(logic.GetVlanIdList(), once);
    EXPECT_TRUE(owner.rows.empty());
}

TEST_F(GvrpLogicTest, NothingArrivesOnceTheSessionsAreClosedTheGlobalReadNeither)
{
    StartGvrpSwitch();
    OwnerWindow owner(true);
    CGVRPFunLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_TRUE(sim->SetReplyDelay(500));
    logic.StartGlobalRead();
    PumpFor(50);
    logic.CloseSessions();
    // A reply that came while the sessions closed may have been delivered;
    // none comes afterwards.
    const std::size_t delivered = owner.codes.size();
    PumpFor(1200);
    EXPECT_EQ(owner.codes.size(), delivered);
    ASSERT_TRUE(sim->SetReplyDelay(0));
}

} // namespace gvrp_test

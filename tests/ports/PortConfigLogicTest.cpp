// The logic behind the port dialogs on the simulated switch: how its walks
// report to the owner window, what they store, and how a description range is
// split into requests.
#include "features/ports_vlans/CPortConfigLogic.h"
#include "ports/PortsTestSupport.h"

#include <QElapsedTimer>

#include <atomic>
#include <thread>

namespace ports_test {

namespace {

// The owner window: records the walk messages it is sent.
class OwnerWindow : public CWnd
{
public:
    OwnerWindow() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~OwnerWindow() override { DestroyWindow(); }
    std::vector<UINT> messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WALK_FINISHED || message == WM_WALK_STALE || message == WM_WALK_FAILED)
            messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A reply whose request id was never issued, delivered as the session's
// worker would, from another thread.
void DeliverStaleDescriptionReply(CPortConfigLogic& logic)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        CPortConfigLogic::OnDescriptionReply(nullptr, 0, &logic, 0);
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    worker.join();
}

class PortConfigLogicTest : public PortsTest
{
};

} // namespace

TEST_F(PortConfigLogicTest, WalksReportTheirEndAndStoreRowsUpToThePortCount)
{
    // 52 rows in the table, 28 ports in the profile.
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    OwnerWindow owner;
    CPortConfigLogic logic;
    logic.SetHwnd(owner.GetSafeHwnd());

    logic.StartPortTableWalk();
    ASSERT_TRUE(PumpUntil([&] { return !owner.messages.empty(); }, 20000));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(owner.messages, std::vector<UINT>{WM_WALK_STALE});
    const std::vector<PORT_setting_info> ports = logic.GetPortSettings();
    ASSERT_EQ(ports.size(), 28U);
    EXPECT_EQ(ports[2].nPort, 3);
    EXPECT_EQ(ports[2].nSpeed, 2);
    EXPECT_EQ(ports[2].nLinkStatus, 3);
    EXPECT_EQ(ports[27].nPort, 28);
    EXPECT_EQ(ports[27].nMediaType, 3);

    owner.messages.clear();
    logic.StartDescriptionWalk();
    ASSERT_TRUE(PumpUntil([&] { return !owner.messages.empty(); }, 20000));
    EXPECT_EQ(owner.messages, std::vector<UINT>{WM_WALK_FINISHED});
    const std::vector<PORT_description_info> descriptions = logic.GetDescriptions();
    ASSERT_EQ(descriptions.size(), 28U);
    EXPECT_EQ(descriptions[1].nPort, 2);
    EXPECT_EQ(descriptions[1].strDescription, "Server rack A");
}

TEST_F(PortConfigLogicTest, StaleReplyFillsNothingWhileANewerWalkRuns)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    ASSERT_TRUE(sim->SetReplyDelay(30));
    OwnerWindow owner;
    CPortConfigLogic logic;
    logic.SetHwnd(owner.GetSafeHwnd());
    logic.StartDescriptionWalk();
    ASSERT_TRUE(PumpUntil([&] { return Requests("GETNEXT").size() >= 5; }));
    DeliverStaleDescriptionReply(logic);
    EXPECT_TRUE(owner.messages.empty());

    ASSERT_TRUE(PumpUntil([&] { return !owner.messages.empty(); }, 20000));
    EXPECT_EQ(owner.messages, std::vector<UINT>{WM_WALK_FINISHED});
    // With no walk running, the stale reply refreshes from the finished records.
    DeliverStaleDescriptionReply(logic);
    EXPECT_EQ(owner.messages, (std::vector<UINT>{WM_WALK_FINISHED, WM_WALK_STALE}));
}

TEST_F(PortConfigLogicTest, DescriptionRangeGoesOutInRequestsOfFifteenWithPauses)
{
    struct Case
    {
        int from, to;
        std::vector<std::size_t> requestSizes;
    };
    const Case cases[] = {
        {1, 16, {16}}, {1, 28, {15, 13}}, {1, 30, {15, 15}}, {1, 31, {15, 15, 1}}, {7, 7, {1}},
    };
    StartSwitch({KorvelSimulator::BaseData(), PortsData(), ModelData("KSX-Alcor R2")}, 52);
    CPortConfigLogic logic;
    std::size_t seen = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "-" + std::to_string(c.to));
        PORT_description_range range;
        range.nFromPort = c.from;
        range.nToPort = c.to;
        range.strDescription = "rack " + std::to_string(c.to);
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(logic.SetDescriptions(range));
        EXPECT_GE(timer.elapsed(), 100 * static_cast<qint64>(c.requestSizes.size() - 1));

        const auto sets = Requests("SET");
        ASSERT_EQ(sets.size(), seen + c.requestSizes.size());
        for (std::size_t i = 0; i < c.requestSizes.size(); ++i)
            EXPECT_EQ(sets[seen + i].size(), c.requestSizes[i]);
        seen = sets.size();
        EXPECT_EQ(sim->Get(DescriptionOid(c.from)), range.strDescription);
        EXPECT_EQ(sim->Get(DescriptionOid(c.to)), range.strDescription);
    }
    // Nothing is sent for a range that holds no port.
    PORT_description_range empty;
    empty.nFromPort = 5;
    empty.nToPort = 4;
    EXPECT_FALSE(logic.SetDescriptions(empty));
    EXPECT_EQ(Requests("SET").size(), seen);
}

} // namespace ports_test

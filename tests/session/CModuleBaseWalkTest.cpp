// The walks of the feature-logic base as an owner window sees them: one
// message per row handled on the UI thread, the end message, and stopping or
// destroying a walk whose call-back waits for the UI thread.
#include "SessionTestSupport.h"

#include "common/CModuleBase.h"
#include "platform/system/UiThreadWait.h"
#include "platform/ui/MessageMap.h"
#include "ui/UiTestSupport.h"

namespace session_test {

using namespace session_test;

namespace {

struct Message
{
    UINT message = 0;
    WPARAM wParam = 0;
    bool bHasRow = false;
    VLAN_list_info row;
    bool bOnUiThread = false;
    int nTrunkReady = -1;
};

class WalkModule : public CModuleBase
{
public:
    CCommonSNMP& VlanSession() { return m_cSnmpVlanWalk; }
    CCommonSNMP& TrunkSession() { return m_cSnmpTrunkWalk; }
};

// The window the walks report to; it records every message on the UI thread.
class COwnerWnd : public CWnd
{
public:
    std::vector<Message> Messages()
    {
        std::lock_guard lock(m_lock);
        return m_messages;
    }
    size_t Count()
    {
        std::lock_guard lock(m_lock);
        return m_messages.size();
    }

    const KorvelSimulator* m_pSilenceAfterFirstRow = nullptr;
    WalkModule* m_pModule = nullptr;

protected:
    LRESULT OnVlanList(WPARAM wParam, LPARAM lParam)
    {
        Message m = Record(WM_VLAN_LIST_NOTIFY, wParam);
        if (lParam != 0) {
            m.bHasRow = true;
            m.row = *reinterpret_cast<const VLAN_list_info*>(lParam);
        }
        std::lock_guard lock(m_lock);
        m_messages.push_back(m);
        if (m_pSilenceAfterFirstRow && m_messages.size() == 1)
            m_pSilenceAfterFirstRow->SilenceFor(9000);
        return 0;
    }
    LRESULT OnTrunkWalkAborted(WPARAM wParam, LPARAM /*lParam*/)
    {
        Message m = Record(WM_TRUNK_WALK_ABORTED, wParam);
        std::lock_guard lock(m_lock);
        m_messages.push_back(m);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    Message Record(UINT message, WPARAM wParam)
    {
        Message m;
        m.message = message;
        m.wParam = wParam;
        m.bOnUiThread = ui_wait::IsUiThread();
        if (m_pModule)
            m.nTrunkReady = m_pModule->IsTrunkReady();
        return m;
    }

    std::mutex m_lock;
    std::vector<Message> m_messages;
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_MESSAGE(WM_VLAN_LIST_NOTIFY, OnVlanList)
ON_MESSAGE(WM_TRUNK_WALK_ABORTED, OnTrunkWalkAborted)
END_MESSAGE_MAP()

class CModuleBaseWalkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        ASSERT_TRUE(m_sim.Running());
        UseSimulator(m_sim);
        g_nPortCount = 28;
        ASSERT_TRUE(m_owner.CreateEx(0, "KorvelWalkOwner", "", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    }
    void TearDown() override { m_owner.DestroyWindow(); }

    // Waits on the UI thread, serving the walks' carried messages.
    static bool Serve(const std::function<bool()>& ready, DWORD timeoutMs = 10000)
    {
        return ui_wait::WaitServingUi(ready, timeoutMs);
    }

    // Returns once the walk's first request was answered and its row has had
    // time to be carried to the (not serving) UI thread. The reply's way to the
    // worker is short; the wait before it (thread, session, request) is the
    // part that grows on a loaded machine, and it is waited for, not guessed.
    void WaitForFirstRowCarried()
    {
        ASSERT_TRUE(Eventually([&] { return !LogLinesOf(m_sim, "GETNEXT").empty(); }, 20000));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }

    // A restart or destruction that waited for the blocked call-back would
    // hang for good or until the 6 s step time-out; anything well below is prompt.
    static constexpr long kPromptMs = 4000;

    static std::vector<std::string> Row(const Message& m)
    {
        return {m.row.strVlanId, m.row.strVlanName, m.row.strRowStatus};
    }

    KorvelSimulator m_sim;
    COwnerWnd m_owner;
};

TEST_F(CModuleBaseWalkTest, VlanWalkSendsOneMessagePerRowThenTheEnd)
{
    WalkModule module;
    EXPECT_FALSE(module.SetHwnd(nullptr));
    ASSERT_TRUE(module.SetHwnd(m_owner.GetSafeHwnd()));
    EXPECT_FALSE(module.SetHwnd(nullptr)); // the owner stays

    module.StartVlanWalk();
    ASSERT_TRUE(Serve([&] { return m_owner.Count() == 4; }));
    ASSERT_TRUE(module.VlanSession().WaitDone());
    const std::vector<Message> messages = m_owner.Messages();
    ASSERT_EQ(messages.size(), 4U);
    const std::vector<std::vector<std::string>> rows = {
        {"1", "default", "1"}, {"2", "sales", "1"}, {"100", "lab", "1"}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(messages[i].message, WM_VLAN_LIST_NOTIFY);
        EXPECT_EQ(messages[i].wParam, 0U);
        ASSERT_TRUE(messages[i].bHasRow);
        EXPECT_EQ(Row(messages[i]), rows[i]);
        EXPECT_TRUE(messages[i].bOnUiThread);
    }
    EXPECT_EQ(messages[3].message, WM_VLAN_LIST_NOTIFY);
    EXPECT_EQ(messages[3].wParam, 2U);
    EXPECT_FALSE(messages[3].bHasRow);
    EXPECT_EQ(module.GetVlanName("4094"), "");
}

// A failed walk ends with its own message (wParam 1), not the end of the
// table's: the owner waiting for the end gets its controls back.
TEST_F(CModuleBaseWalkTest, AVlanWalkThatFailsEndsWithTheFailureMessage)
{
    WalkModule module;
    module.SetHwnd(m_owner.GetSafeHwnd());
    m_owner.m_pSilenceAfterFirstRow = &m_sim; // the second step times out (6 s)

    module.StartVlanWalk();
    ASSERT_TRUE(Serve([&] { return m_owner.Count() == 1; }));
    ASSERT_TRUE(WaitWalkEnd(module.VlanSession(), 10000));
    Serve([] { return false; }, 300);
    const std::vector<Message> messages = m_owner.Messages();
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[0].wParam, 0U);
    EXPECT_EQ(Row(messages[0]), (std::vector<std::string>{"1", "default", "1"}));
    EXPECT_EQ(messages[1].message, WM_VLAN_LIST_NOTIFY);
    EXPECT_EQ(messages[1].wParam, 1U);
    EXPECT_FALSE(messages[1].bHasRow);
    EXPECT_TRUE(module.GetVlanIds().empty()); // no walk completed
}

TEST_F(CModuleBaseWalkTest, TrunkWalkEndMessageComesWithTheGroupsPublished)
{
    WalkModule module;
    m_owner.m_pModule = &module;
    module.SetHwnd(m_owner.GetSafeHwnd());
    module.StartTrunkWalk();
    ASSERT_TRUE(Serve([&] { return m_owner.Count() == 1; }));
    const Message m = m_owner.Messages()[0];
    EXPECT_EQ(m.message, WM_TRUNK_WALK_ABORTED);
    EXPECT_EQ(m.wParam, 0U);
    EXPECT_EQ(m.nTrunkReady, 1);
    EXPECT_EQ(module.GetTrunkPorts()[26], 1); // the base data: ports 27 and 28 in group 1
    EXPECT_EQ(module.GetTrunkPorts()[27], 1);
}

TEST_F(CModuleBaseWalkTest, RestartingAWalkWhoseCallbackWaitsForTheUiThreadNeitherBlocksNorMixesRows)
{
    WalkModule module;
    module.SetHwnd(m_owner.GetSafeHwnd());
    module.StartVlanWalk();
    // Not serving: the first row's message waits for the UI thread.
    WaitForFirstRowCarried();

    const auto start = Clock::now();
    module.StartVlanWalk(); // stops the running walk, serving its message meanwhile
    EXPECT_LT(MsSince(start), kPromptMs);
    ASSERT_TRUE(Serve([&] { return m_owner.Count() == 5; }));
    ASSERT_TRUE(module.VlanSession().WaitDone());
    Serve([] { return false; }, 300);

    const std::vector<Message> messages = m_owner.Messages();
    ASSERT_EQ(messages.size(), 5U); // the old walk's first row, then the new walk whole
    EXPECT_EQ(Row(messages[0]), (std::vector<std::string>{"1", "default", "1"}));
    EXPECT_EQ(Row(messages[1]), (std::vector<std::string>{"1", "default", "1"}));
    EXPECT_EQ(Row(messages[3]), (std::vector<std::string>{"100", "lab", "1"}));
    EXPECT_EQ(messages[4].wParam, 2U);
}

TEST_F(CModuleBaseWalkTest, DestroyingAModuleWhoseCallbackWaitsForTheUiThreadIsClean)
{
    auto pModule = std::make_unique<WalkModule>();
    pModule->SetHwnd(m_owner.GetSafeHwnd());
    pModule->StartVlanWalk();
    WaitForFirstRowCarried(); // the first row waits for the UI thread

    const auto start = Clock::now();
    pModule.reset();
    EXPECT_LT(MsSince(start), kPromptMs);
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(5000));
    Serve([] { return false; }, 300);
    EXPECT_EQ(m_owner.Count(), 1U);
}

TEST_F(CModuleBaseWalkTest, DestroyingAModuleDuringWalksAgainstASlowAgentIsClean)
{
    auto pModule = std::make_unique<WalkModule>();
    pModule->SetHwnd(m_owner.GetSafeHwnd());
    ASSERT_TRUE(m_sim.SetReplyDelay(4500));
    pModule->StartVlanWalk();  // 6 s time-out
    pModule->StartTrunkWalk(); // 3 s time-out
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    // Each walk session lets its worker go after 3 s; the late replies are
    // dropped without touching the freed module (AddressSanitizer and
    // ThreadSanitizer watch).
    const auto start = Clock::now();
    pModule.reset();
    EXPECT_LT(MsSince(start), 8000);
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
    Serve([] { return false; }, 300);
    EXPECT_EQ(m_owner.Count(), 0U);
}

} // namespace

} // namespace session_test

// The SNMP session against the simulated switch: requests, ids, walks on the
// worker thread, stopping and destroying sessions while a walk runs.
#include "SessionTestSupport.h"

namespace session_test {

using namespace session_test;

namespace {

class CCommonSNMPTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.Running());
        UseSimulator(m_sim);
    }

    // Prepares a walk of the trunk member column (eight rows in the base data).
    static void OpenTrunkWalk(CCommonSNMP& session)
    {
        ASSERT_TRUE(session.Open(1));
        ASSERT_EQ(session.AddValue(kTrunkMembers, 4), 0);
    }

    KorvelSimulator m_sim;
};

TEST_F(CCommonSNMPTest, WalkTakesOneIdPerStepOnOneWorkerAndEndsWithMinusTwo)
{
    g_nRequestID = 0; // as at the start of the process
    CCommonSNMP session;
    OpenTrunkWalk(session);
    WalkRecorder walk(session);
    walk.Start();
    ASSERT_TRUE(Eventually([&] { return walk.Ended(); }));
    EXPECT_TRUE(session.WaitDone());

    const std::vector<Reply> replies = walk.Replies();
    ASSERT_EQ(replies.size(), 9U); // 8 rows and the end
    for (size_t i = 0; i < replies.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replies[i].nRequestID, static_cast<int>(i) + 1);
        EXPECT_FALSE(replies[i].bStale);
        EXPECT_EQ(replies[i].thread, replies[0].thread);
        if (i < 8) {
            EXPECT_EQ(replies[i].nStatus, 0);
            EXPECT_EQ(replies[i].strSuffix, "." + std::to_string(i + 1));
        }
    }
    EXPECT_EQ(replies.back().nStatus, -2);
    EXPECT_NE(replies[0].thread, std::this_thread::get_id());
    EXPECT_EQ(g_nRequestID.load(), 9);
}

TEST_F(CCommonSNMPTest, StartRequestReturnsMinusOneAlsoWhenItStarts)
{
    CCommonSNMP session;
    OpenTrunkWalk(session);
    WalkRecorder walk(session);
    walk.m_nMaxRows = 1;
    const int nBefore = g_nRequestID;
    EXPECT_EQ(session.StartRequest(nullptr, nullptr, 0, 0), -1); // started, with no call-back
    EXPECT_EQ(g_nRequestID.load(), nBefore + 1);
    EXPECT_TRUE(session.WaitDone());

    EXPECT_EQ(session.Start(&WalkRecorder::OnReply, &walk, 0), -1);
    ASSERT_TRUE(Eventually([&] { return walk.Count() == 1; }));
    EXPECT_EQ(walk.Replies()[0].nStatus, 0);
    EXPECT_EQ(walk.Replies()[0].nRequestID, nBefore + 2);
}

TEST_F(CCommonSNMPTest, SendAndStepKeepTheirBindingsAndWalkStepsAdvance)
{
    CCommonSNMP session;
    ASSERT_TRUE(session.Open(0));
    session.AddValue(kSysName, 4);
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<CSnmp> pResponse;
        ASSERT_EQ(session.send(pResponse, 0), 0);
        char* pszValue = nullptr;
        int nType = 0;
        ASSERT_EQ(pResponse->getValue(0, &nType, &pszValue), 0);
        EXPECT_STREQ(pszValue, "korvel-switch");
    }
    const std::vector<std::string> gets = LogLinesOf(m_sim, "GET");
    ASSERT_EQ(gets.size(), 2U);
    EXPECT_EQ(gets[0], gets[1]);
    EXPECT_NE(gets[0].find("\tmirtle\t" + kSysName + "|"), std::string::npos) << gets[0];

    // Synchronous walk steps on one prepared request return successive rows.
    OpenTrunkWalk(session);
    for (int row = 1; row <= 2; ++row) {
        std::unique_ptr<CSnmp> pResponse;
        ASSERT_EQ(session.getNext(pResponse, 0), 0);
        std::string strSuffix;
        EXPECT_EQ(session.GetIndexSuffix(0, pResponse.get(), strSuffix), 0);
        EXPECT_EQ(strSuffix, "." + std::to_string(row));
    }

    // A write goes out with the write community.
    ASSERT_TRUE(session.Open(3));
    session.AddValue("1.3.6.1.2.1.1.6.0", 2, "Lab rack 2");
    std::unique_ptr<CSnmp> pResponse;
    ASSERT_EQ(session.send(pResponse, 0), 0);
    EXPECT_EQ(m_sim.Get("1.3.6.1.2.1.1.6.0"), "Lab rack 2");
    EXPECT_NE(LogLinesOf(m_sim, "SET").at(0).find("\tquenbor\t"), std::string::npos);
}

TEST_F(CCommonSNMPTest, NothingIsSentWithoutBindingsOrForAnUnknownKind)
{
    CCommonSNMP session;
    ASSERT_TRUE(session.Open(0));
    std::unique_ptr<CSnmp> pResponse;
    EXPECT_EQ(session.send(pResponse, 0), -1);
    EXPECT_EQ(session.getNext(pResponse, 0), -1);
    const int nBefore = g_nRequestID;
    WalkRecorder walk(session);
    walk.Start();
    EXPECT_EQ(g_nRequestID.load(), nBefore);
    EXPECT_TRUE(session.WaitDone());

    // SNMPv1 knows GET, GETNEXT and SET only.
    EXPECT_FALSE(session.Open(2));
    EXPECT_FALSE(session.Open(-1));
    EXPECT_FALSE(session.Open(7));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(walk.Count(), 0U);
    EXPECT_TRUE(m_sim.LogLines().empty());
}

TEST_F(CCommonSNMPTest, ATimeOutOfZeroIsTheDefaultTimeOut)
{
    UseSimulator(m_sim, "700");
    CCommonSNMP session;
    ASSERT_TRUE(m_sim.SilenceFor(4000));
    session.Open(0);
    session.AddValue(kSysName, 4);

    std::unique_ptr<CSnmp> pResponse;
    auto start = Clock::now();
    EXPECT_EQ(session.send(pResponse, 0), -1);
    EXPECT_GE(MsSince(start), 600);
    EXPECT_LT(MsSince(start), 2500);

    start = Clock::now();
    EXPECT_EQ(session.getNext(pResponse, 0), -1);
    EXPECT_GE(MsSince(start), 600);
    EXPECT_LT(MsSince(start), 2500);

    WalkRecorder walk(session);
    start = Clock::now();
    walk.Start();
    ASSERT_TRUE(Eventually([&] { return walk.Ended(); }));
    EXPECT_GE(MsSince(start), 600);
    EXPECT_LT(MsSince(start), 2500);
    EXPECT_EQ(walk.Replies().at(0).nStatus, -1);
}

TEST_F(CCommonSNMPTest, CloseDropsTheRunningWalkAndMakesItsIdStale)
{
    CCommonSNMP session;
    OpenTrunkWalk(session);
    ASSERT_TRUE(m_sim.SetReplyDelay(800));
    WalkRecorder walk(session);
    walk.Start();
    const int nId = g_nRequestID;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    const auto start = Clock::now();
    session.Close(); // the step in flight completes; its reply is dropped
    EXPECT_LT(MsSince(start), 3000);
    EXPECT_EQ(session.FindRequestID(nId), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_EQ(walk.Count(), 0U);

    // Closed: nothing starts until the next Open.
    ASSERT_TRUE(m_sim.SetReplyDelay(0));
    const int nIdsBefore = g_nRequestID;
    walk.Start();
    EXPECT_EQ(g_nRequestID.load(), nIdsBefore);
    EXPECT_TRUE(session.WaitDone());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(walk.Count(), 0U);

    OpenTrunkWalk(session);
    walk.Start();
    ASSERT_TRUE(Eventually([&] { return walk.Ended(); }));
    EXPECT_EQ(walk.Count(), 9U);
}

TEST_F(CCommonSNMPTest, OpenDuringAWalkStopsItAfterTheStepInFlight)
{
    CCommonSNMP session;
    OpenTrunkWalk(session);
    ASSERT_TRUE(m_sim.SetReplyDelay(600));
    WalkRecorder walk(session);
    walk.Start();
    ASSERT_TRUE(Eventually([&] { return walk.Count() == 1; })); // the second step is in flight

    const auto start = Clock::now();
    OpenTrunkWalk(session);
    EXPECT_LT(MsSince(start), 2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(walk.Count(), 1U);
    EXPECT_TRUE(session.WaitDone());

    // The session walks again from the first row.
    ASSERT_TRUE(m_sim.SetReplyDelay(0));
    WalkRecorder again(session);
    again.Start();
    ASSERT_TRUE(Eventually([&] { return again.Ended(); }));
    ASSERT_EQ(again.Count(), 9U);
    EXPECT_EQ(again.Replies()[0].strSuffix, ".1");
}

// A walk stopped while its call-back runs: the next step that call-back asks
// for is not sent, and its start does not report a failure that nobody waits
// for (a window closing its session would be told it during its close).
TEST_F(CCommonSNMPTest, AStepAskedAfterTheWalkWasStoppedEndsItQuietly)
{
    const std::function<void(CCommonSNMP&)> stops[] = {
        [](CCommonSNMP& session) { session.Close(); },
        [](CCommonSNMP& session) { OpenTrunkWalk(session); },
    };
    for (const auto& stop : stops) {
        CCommonSNMP session;
        OpenTrunkWalk(session);
        WalkRecorder walk(session);
        walk.m_nPauseRow = 2;
        walk.m_nPauseMs = 500;
        walk.Start();
        ASSERT_TRUE(Eventually([&] { return walk.Count() == 2; })); // pausing in the call-back
        const int nIdsBefore = g_nRequestID;
        stop(session);
        ASSERT_TRUE(Eventually([&] { return walk.NextSteps().size() == 2; }));
        EXPECT_EQ(walk.NextSteps(), (std::vector<bool>{true, true}));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(walk.Count(), 2U);
        EXPECT_EQ(g_nRequestID.load(), nIdsBefore);
    }
}

TEST_F(CCommonSNMPTest, DestroyingASessionWaitsForItsRunningCallback)
{
    auto pSession = std::make_unique<CCommonSNMP>();
    OpenTrunkWalk(*pSession);
    auto pWalk = std::make_unique<WalkRecorder>(*pSession);
    pWalk->m_nPauseRow = 1;
    pWalk->m_nPauseMs = 3500; // longer than the destructor waits for a worker in a step
    pWalk->Start();
    ASSERT_TRUE(Eventually([&] { return pWalk->Count() == 1; })); // pausing in the call-back

    // The call-back goes on using the recorder and the session after its
    // pause: both must still be there (AddressSanitizer watches).
    pSession.reset();
    pWalk.reset();
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(5000));
}

TEST_F(CCommonSNMPTest, DestroyingASessionDuringAStepAgainstASlowAgentLetsTheWorkerGo)
{
    ASSERT_TRUE(m_sim.SilenceFor(9000));
    auto pSession = std::make_unique<CCommonSNMP>();
    OpenTrunkWalk(*pSession);
    auto pWalk = std::make_unique<WalkRecorder>(*pSession, 6000);
    pWalk->Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    // The worker is in a 6 s step: the destructor lets it go after 3 s, and the
    // call-back's user data goes right after, as in a dialog.
    const auto start = Clock::now();
    pSession.reset();
    const long nDestroyMs = MsSince(start);
    pWalk.reset();
    EXPECT_GE(nDestroyMs, 2500);
    EXPECT_LT(nDestroyMs, 5000);

    // The worker ends when its step times out, without a call-back and
    // without touching what was freed (AddressSanitizer and ThreadSanitizer
    // watch).
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace

} // namespace session_test

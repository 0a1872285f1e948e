// The legacy viewer frame: its reply token, its one-shot read and write (on a
// test-only template), the versions that read nothing, the SNMPv3 levels that
// send nothing, a walk restarted by Refresh, and closing during a walk.
#include "legacy/C8021Status.h"
#include "legacy/CCommunityInfo.h"
#include "legacy/CEngineInfo.h"
#include "legacy/CGroupInfo.h"
#include "legacy/CRouterMap.h"
#include "legacy/LegacyReplyToken.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/snmp/CSnmp.h"
#include "resources/legacy.h"
#include "resources/legacy_test.h"

#include <functional>
#include <memory>

namespace legacy_frame_test {

using namespace legacytest;

namespace {

constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";

// A dialog on the frame that reads two scalars into edits and writes them back.
class FrameTestDialog : public CLegacyFrame
{
public:
    FrameTestDialog() : CLegacyFrame(IDD_LEGACY_FRAME_TEST, nullptr) { m_bReadOnInit = false; }

    BOOL Read() { return ReadOnce({kSysName, kSysContact}); }
    BOOL Write()
    {
        return WriteValues({{kSysName, SnmpValueOctetString, GetDlgItem(IDC_LEGACY_TEST_NAME)->GetWindowText()},
                            {kSysContact, SnmpValueOctetString, GetDlgItem(IDC_LEGACY_TEST_CONTACT)->GetWindowText()}});
    }
    int replies = 0;

protected:
    void OnReadReply(CSnmp& reply) override
    {
        ++replies;
        SetDlgItemText(IDC_LEGACY_TEST_NAME, ValueText(reply, 0));
        SetDlgItemText(IDC_LEGACY_TEST_CONTACT, ValueText(reply, 1));
    }
};

class LegacyFrameTest : public LegacyTest
{
};

} // namespace

TEST(LegacyReplyTokenTest, QueuesRepliesUntilRevokedThenDropsThem)
{
    std::shared_ptr<LegacyReplyToken> token = LegacyReplyToken::Create(nullptr, WM_APP);
    EXPECT_TRUE(LegacyReplyToken::Deliver(token->Key(), 1, new CSnmp(), 7, 0));
    EXPECT_TRUE(LegacyReplyToken::Deliver(token->Key(), 2, nullptr, 8, -1));
    std::vector<LegacyReplyToken::Reply> replies = token->Take();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].kind, 1);
    EXPECT_EQ(replies[0].requestId, 7);
    EXPECT_NE(replies[0].response, nullptr);
    EXPECT_EQ(replies[1].status, -1);
    EXPECT_TRUE(token->Take().empty());

    void* key = token->Key();
    token->Revoke();
    // A late reply is deleted, not queued.
    EXPECT_FALSE(LegacyReplyToken::Deliver(key, 1, new CSnmp(), 9, 0));
    EXPECT_TRUE(token->Take().empty());
    token.reset();
    EXPECT_FALSE(LegacyReplyToken::Deliver(key, 1, new CSnmp(), 10, 0));
    // Keys are not reused.
    EXPECT_NE(LegacyReplyToken::Create(nullptr, WM_APP)->Key(), key);
}

TEST_F(LegacyFrameTest, OneShotReadFillsTheControlsAndAFailedReadChangesNothing)
{
    StartLegacySwitch();
    FrameTestDialog dialog;
    RunModal<FrameTestDialog>(dialog, [&](FrameTestDialog& d) {
        ASSERT_TRUE(d.Read());
        ASSERT_TRUE(Pump([&] { return d.replies == 1; }));
        EXPECT_EQ(Text(d, IDC_LEGACY_TEST_NAME), "ksx-puffin");
        EXPECT_EQ(Text(d, IDC_LEGACY_TEST_CONTACT), "Network Operations");

        // No answer: the edits keep what they show.
        d.SetDlgItemText(IDC_LEGACY_TEST_NAME, "typed");
        ASSERT_TRUE(sim->SilenceFor(6000));
        ASSERT_TRUE(d.Read());
        PumpFor(4500);
        EXPECT_EQ(d.replies, 1);
        EXPECT_EQ(Text(d, IDC_LEGACY_TEST_NAME), "typed");
    });
}

TEST_F(LegacyFrameTest, WriteReachesTheSwitchAndARefusalIsNoSuccess)
{
    StartLegacySwitch();
    FrameTestDialog dialog;
    RunModal<FrameTestDialog>(dialog, [&](FrameTestDialog& d) {
        d.SetDlgItemText(IDC_LEGACY_TEST_NAME, "core-7");
        d.SetDlgItemText(IDC_LEGACY_TEST_CONTACT, "Desk 4");
        EXPECT_TRUE(d.Write());
        EXPECT_EQ(sim->Get(kSysName), "core-7");
        EXPECT_EQ(sim->Get(kSysContact), "Desk 4");

        ASSERT_TRUE(sim->RefuseNextSet(kSysName, 5));
        d.SetDlgItemText(IDC_LEGACY_TEST_NAME, "refused");
        EXPECT_FALSE(d.Write());
        EXPECT_EQ(sim->Get(kSysName), "core-7");
    });
}

TEST_F(LegacyFrameTest, ReadAndWriteSendNothingUnderSnmpV3)
{
    StartLegacySwitch();
    UseV3(kAuthNoPriv);
    FrameTestDialog dialog;
    RunModal<FrameTestDialog>(dialog, [&](FrameTestDialog& d) {
        EXPECT_FALSE(d.Read());
        EXPECT_FALSE(d.Write());
        PumpFor(300);
    });
    EXPECT_EQ(RequestCount(), 0u);
}

// Any version but "1" and "3" reads nothing and shows nothing.
TEST_F(LegacyFrameTest, VersionTwoSendsNothing)
{
    StartLegacySwitch();
    g_strSnmpVersion = "2";
    struct Case
    {
        std::function<std::unique_ptr<CLegacyFrame>()> make;
        int listId;
        int refreshId;
    };
    const Case cases[] = {
        {[] { return std::make_unique<CCommunityInfo>(); }, IDC_COMMUNITY_LIST, IDC_LEGACY_REFRESH_V3},
        {[] { return std::make_unique<C8021Status>(); }, IDC_8021X_STATUS_LIST, IDC_LEGACY_REFRESH_8021X},
        {[] { return std::make_unique<CRouterMap>(); }, IDC_ROUTER_LIST, IDC_ROUTER_REFRESH},
        {[] { return std::make_unique<CEngineInfo>(); }, 0, IDC_LEGACY_REFRESH_V3},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CLegacyFrame> dialog = c.make();
        RunModal<CLegacyFrame>(*dialog, [&](CLegacyFrame& d) {
            ClickButton(d, c.refreshId);
            PumpFor(300);
            if (c.listId != 0)
                EXPECT_EQ(List(d, c.listId).GetItemCount(), 0);
            else
                EXPECT_EQ(Text(d, IDC_ENGINE_ID), "");
        });
    }
    EXPECT_EQ(RequestCount(), 0u);
}

// An SNMPv3 level that the protocols cannot give is not sent at a lower one.
TEST_F(LegacyFrameTest, RefusedWeakerSecurityLevelsSendNothing)
{
    StartLegacySwitch();
    const V3User cases[] = {
        {"korvel-md5", "2", "1", "md5-auth-pass", "1", ""},                   // authentication without a protocol
        {"korvel-md5-des", "3", "2", "md5-auth-pass", "1", "md5-priv-pass"}, // privacy without a protocol
        {"korvel-md5-des", "3", "1", "md5-auth-pass", "2", "md5-priv-pass"}, // no authentication protocol
        {"korvel-md5-des", "3", "4", "md5-auth-pass", "3", "md5-priv-pass"}, // neither known
    };
    // Each read that cannot be made is said once per action: opening, Refresh.
    BoxRecorder boxes;
    for (const V3User& user : cases) {
        UseV3(user);
        CGroupInfo dialog;
        RunModal<CGroupInfo>(dialog, [&](CGroupInfo& d) {
            ClickButton(d, IDC_LEGACY_REFRESH_V3);
            EXPECT_EQ(List(d, IDC_GROUP_LIST).GetItemCount(), 0) << user.level << user.authProtocol;
        });
        EXPECT_EQ(RequestCount(), 0u) << user.level << user.authProtocol << user.privProtocol;
    }
    ASSERT_EQ(boxes.Calls().size(), 2 * std::size(cases));
    EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text("the group list", false));
    // The same user with its protocols reads.
    UseV3({"korvel-md5-des", "3", "2", "md5-auth-pass", "2", "md5-priv-pass"});
    CGroupInfo dialog;
    RunModal<CGroupInfo>(dialog, [&](CGroupInfo& d) { EXPECT_EQ(List(d, IDC_GROUP_LIST).GetItemCount(), 7); });
}

// Refresh during a slow walk starts it again: the list ends with the whole
// table, each row once, in order (member and heap form).
TEST_F(LegacyFrameTest, RefreshDuringASlowWalkEndsWithTheWholeTable)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(60));
    {
        C8021Status dialog;
        RunModal<C8021Status>(dialog, [&](C8021Status& d) {
            ASSERT_TRUE(Pump([&] { return List(d, IDC_8021X_STATUS_LIST).GetItemCount() >= 3; }, 15000));
            ASSERT_TRUE(d.WalkRunning());
            ClickButton(d, IDC_LEGACY_REFRESH_8021X);
            EXPECT_EQ(List(d, IDC_8021X_STATUS_LIST).GetItemCount(), 0);
            ASSERT_TRUE(WaitForWalk(d, IDC_8021X_STATUS_LIST, 28, 30000));
            PumpFor(300);
            const Rows rows = ListRows(d, IDC_8021X_STATUS_LIST);
            ASSERT_EQ(rows.size(), 28u);
            for (int port = 1; port <= 28; ++port)
                EXPECT_EQ(rows[static_cast<std::size_t>(port - 1)][0],
                          sim->Get("1.0.8802.1.1.1.1.2.2.1.1." + std::to_string(port)))
                    << port;
        });
    }
}

TEST_F(LegacyFrameTest, RefreshDuringASlowHeapFormWalkEndsWithTheWholeTable)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(60));
    {
        CRouterMap dialog;
        RunModal<CRouterMap>(dialog, [&](CRouterMap& d) {
            ASSERT_TRUE(PumpPosted([&] { return List(d, IDC_ROUTER_LIST).GetItemCount() >= 2; }, 15000));
            ClickButton(d, IDC_ROUTER_REFRESH);
            ASSERT_TRUE(WaitForWalk(d, IDC_ROUTER_LIST, 6, 30000));
            PumpFor(300);
            const Rows rows = ListRows(d, IDC_ROUTER_LIST);
            ASSERT_EQ(rows.size(), 6u);
            EXPECT_EQ(rows.front()[0], "0.0.0.0");
            EXPECT_EQ(rows.back()[0], "224.0.0.0");
            EXPECT_EQ(Text(d, IDC_ROUTER_COUNT), "6");
        });
    }
}

// A walk cut short by a silent switch is never shown as the table: the last
// complete read comes back, and the failure is said once (SNMPv1 silenced
// mid-walk in a list that Refresh empties; SNMPv3 silent from the start).
TEST_F(LegacyFrameTest, AWalkCutShortKeepsTheLastCompleteListAndSaysItOnce)
{
    StartLegacySwitch();
    struct Case
    {
        bool v3;
        std::function<std::unique_ptr<CLegacyFrame>()> make;
        int listId;
        int refreshId;
        int rows;
        const char* what;
    };
    const Case cases[] = {
        {false, [] { return std::make_unique<C8021Status>(); }, IDC_8021X_STATUS_LIST, IDC_LEGACY_REFRESH_8021X, 28,
         "the 802.1X statistics"},
        {true, [] { return std::make_unique<CGroupInfo>(); }, IDC_GROUP_LIST, IDC_LEGACY_REFRESH_V3, 7,
         "the group list"},
    };
    for (const Case& c : cases) {
        if (c.v3)
            UseV3(kAuthPriv);
        BoxRecorder boxes;
        std::unique_ptr<CLegacyFrame> dialog = c.make();
        RunModal<CLegacyFrame>(*dialog, [&](CLegacyFrame& d) {
            ASSERT_TRUE(WaitForWalk(d, c.listId, c.rows, 15000)) << c.what;
            const Rows complete = ListRows(d, c.listId);
            if (c.v3) {
                ASSERT_TRUE(sim->SilenceFor(15000));
                ClickButton(d, c.refreshId); // the walk runs inside the click
            } else {
                ASSERT_TRUE(sim->SetReplyDelay(50));
                const std::size_t asked = Requests("GETNEXT").size();
                ClickButton(d, c.refreshId);
                ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() >= asked + 5; }, 15000));
                ASSERT_TRUE(sim->SilenceFor(15000));
                ASSERT_TRUE(PumpPosted([&] { return !d.WalkRunning(); }, 20000));
            }
            EXPECT_FALSE(d.LastWalkComplete()) << c.what;
            EXPECT_EQ(ListRows(d, c.listId), complete) << c.what;
        });
        ASSERT_EQ(boxes.Calls().size(), 1u) << c.what;
        EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text(c.what, true));
        sim.reset();
        StartLegacySwitch();
    }
}

// Closing while replies are on their way: nothing reaches the closed dialog
// (the sanitizer builds watch this).
TEST_F(LegacyFrameTest, ClosingDuringAWalkIsClean)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(100));
    for (int round = 0; round < 3; ++round) {
        auto status = std::make_unique<C8021Status>();
        RunModal<C8021Status>(*status, [&](C8021Status& d) {
            ASSERT_TRUE(Pump([&] { return List(d, IDC_8021X_STATUS_LIST).GetItemCount() >= 1; }, 15000));
            d.EndDialog(IDCANCEL);
        });
        status.reset();
        auto routes = std::make_unique<CRouterMap>();
        RunModal<CRouterMap>(*routes, [&](CRouterMap& d) {
            PumpFor(50 * round);
            d.EndDialog(IDCANCEL);
        });
        routes.reset();
        FrameTestDialog frame;
        RunModal<FrameTestDialog>(frame, [&](FrameTestDialog& d) {
            d.Read();
            d.EndDialog(IDCANCEL);
        });
    }
    PumpFor(600);
}

} // namespace legacy_frame_test

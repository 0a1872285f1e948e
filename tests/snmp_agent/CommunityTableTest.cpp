// The community page on the simulated switch: the active communities listed,
// the active SNMPv1 and SNMPv2c users offered once each, a community added
// and deleted, Apply's refusals in their order, the limit of 10, no user to
// bind to, several rows selected for Delete, and closing during the walks.
#include "features/agent_tools/CSNMPCommunity.h"
#include "snmp_agent/AgentTestSupport.h"

#include "common/CCommonSNMP.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::string kCommunity = kAgent + ".5.1.1";
std::string CommunityOid(int column, const std::string& name)
{
    return kCommunity + "." + std::to_string(column) + CSNMPConfig::NameToOidIndex(name);
}
std::string UserStatus(const std::string& name, const std::string& version)
{
    return kAgent + ".2.1.1.8" + CSNMPConfig::NameModelIndex(name, version);
}

CListCtrl& Communities(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SNMP_COMMUNITY_LIST);
}

Rows CommunityRows(CWnd& d)
{
    Rows rows;
    for (int i = 0; i < Communities(d).GetItemCount(); ++i)
        rows.push_back({Communities(d).GetItemText(i, 0), Communities(d).GetItemText(i, 1)});
    return rows;
}

std::vector<std::string> Users(CWnd& d)
{
    CComboBox& box = Item<CComboBox>(d, IDC_SNMP_COMMUNITY_USER);
    std::vector<std::string> users;
    for (int i = 0; i < box.GetCount(); ++i) {
        std::string text;
        box.GetLBText(i, text);
        users.push_back(text);
    }
    return users;
}

// Until both walks have ended (the user walk's end enables Refresh again).
bool WaitForWalks(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SNMP_COMMUNITY_REFRESH); }, 15000);
}

void AddCommunity(CWnd& d, const std::string& name, int user)
{
    d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->SetWindowText(name);
    Item<CComboBox>(d, IDC_SNMP_COMMUNITY_USER).SetCurSel(user);
    ClickButton(d, IDC_SNMP_COMMUNITY_APPLY);
    ASSERT_TRUE(WaitForWalks(d)) << name;
}

class CommunityTableTest : public AgentTest
{
};

} // namespace

TEST_F(CommunityTableTest, ListsActiveCommunitiesOffersActiveV1AndV2cUsersAndAddsAndDeletes)
{
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPCommunity dialog;
    RunModal<CSNMPCommunity>(dialog, [&](CSNMPCommunity& d) {
        ASSERT_TRUE(WaitForWalks(d));
        EXPECT_EQ(d.GetWindowText(), "SNMP Community Table Configuration");
        // Not in service: standby; v1off is not active, admin and v2user's
        // second row are SNMPv3, v2user (V2c) is V2USER in other letters.
        EXPECT_EQ(CommunityRows(d), (Rows{{"public", "v1user"}, {"private", "v2user"}}));
        EXPECT_EQ(Users(d), (std::vector<std::string>{"V2USER", "v1user"}));
        EXPECT_EQ(ComboSelection(d, IDC_SNMP_COMMUNITY_USER), "V2USER");
        ClickButton(d, IDC_SNMP_COMMUNITY_REFRESH);
        ASSERT_TRUE(WaitForWalks(d));
        EXPECT_EQ(Users(d), (std::vector<std::string>{"V2USER", "v1user"}));

        AddCommunity(d, " lab1  ", 1);
        const std::string status = CommunityOid(3, "lab1");
        EXPECT_EQ(status, kCommunity + ".3.4.108.97.98.49");
        EXPECT_EQ(Sets(), (RequestList{{Int(status, "5")}, {Str(CommunityOid(2, "lab1"), "v1user")}, {Int(status, "1")}}));
        EXPECT_EQ(CommunityRows(d), (Rows{{"lab1", "v1user"}, {"public", "v1user"}, {"private", "v2user"}}));
        EXPECT_EQ(d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->GetWindowText(), "");
        EXPECT_EQ(ComboSelection(d, IDC_SNMP_COMMUNITY_USER), "V2USER");

        // Two rows selected: only the first is deleted.
        Communities(d).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        Communities(d).SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        ClickButton(d, IDC_SNMP_COMMUNITY_DELETE);
        ASSERT_TRUE(WaitForWalks(d));
        EXPECT_EQ(Sets().back(), std::vector<std::string>{Int(status, "6")});
        EXPECT_EQ(CommunityRows(d), (Rows{{"public", "v1user"}, {"private", "v2user"}}));
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_FALSE(sim->Has(CommunityOid(3, "lab1")));
    EXPECT_EQ(sim->Get(CommunityOid(3, "private")), "1");
}

TEST_F(CommunityTableTest, ApplyRefusesInItsOrderAndSendsNothing)
{
    const std::string empty = "Please enter valid Community Name !";
    const std::string invalid = "Invalid Community Name.";
    struct Case
    {
        std::string name;
        std::string message;
    };
    const Case cases[] = {
        {"", empty},          {"   ", empty},     {"a.b", invalid},
        {"a/b", invalid},     {"we@x", invalid},  {"public", "This Community Entry already exists."},
    };
    StartAgentSwitch();
    CSNMPCommunity dialog;
    RunModal<CSNMPCommunity>(dialog, [&](CSNMPCommunity& d) {
        ASSERT_TRUE(WaitForWalks(d));
        for (const Case& c : cases) {
            BoxRecorder boxes;
            d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->SetWindowText(c.name);
            ClickButton(d, IDC_SNMP_COMMUNITY_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message}) << c.name;
        }
        BoxRecorder boxes;
        ClickButton(d, IDC_SNMP_COMMUNITY_DELETE);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select the item would be delete!\n"});
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(CommunityTableTest, TenCommunitiesAtMostAndInactiveOnesDoNotCount)
{
    StartAgentSwitch();
    CSNMPCommunity dialog;
    RunModal<CSNMPCommunity>(dialog, [&](CSNMPCommunity& d) {
        ASSERT_TRUE(WaitForWalks(d));
        // The name of a community not in service passes the duplicate check;
        // the switch, which holds its row, refuses to create it again: that
        // is said, and nothing follows.
        {
            BoxRecorder refused;
            AddCommunity(d, "standby", 0);
            EXPECT_EQ(Sets(), (RequestList{{Int(CommunityOid(3, "standby"), "5")}}));
            ASSERT_EQ(refused.Calls().size(), 1u);
            EXPECT_EQ(refused.Calls()[0].text.rfind("Could not write community entry \"standby\": the switch refused it (", 0),
                      0u);
        }
        // Without that row the switch takes eight more.
        SetObject(CommunityOid(3, "standby"), SnmpValueInteger, "6");
        for (int n = 1; n <= 8; ++n)
            AddCommunity(d, "c-" + std::to_string(n), n % 2);
        ASSERT_EQ(Communities(d).GetItemCount(), 10);
        const std::size_t sets = Sets().size();
        BoxRecorder boxes;
        d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->SetWindowText("c_11");
        ClickButton(d, IDC_SNMP_COMMUNITY_APPLY);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Maximum number of Community Entry is 10."});
        EXPECT_EQ(Sets().size(), sets);
    });
    // The switch itself takes no eleventh row either.
    EXPECT_NE(sim->Set(CommunityOid(3, "c_11"), SnmpValueInteger, "5"), 0);
}

TEST_F(CommunityTableTest, WithoutAnActiveV1OrV2cUserApplySendsNothing)
{
    StartAgentSwitch();
    for (const auto& [name, version] : {std::pair{"V2USER", "V1"}, std::pair{"v1user", "V1"}, std::pair{"v2user", "V2c"}})
        SetObject(UserStatus(name, version), SnmpValueInteger, "2");
    CSNMPCommunity dialog;
    RunModal<CSNMPCommunity>(dialog, [&](CSNMPCommunity& d) {
        ASSERT_TRUE(WaitForWalks(d));
        EXPECT_TRUE(Users(d).empty());
        BoxRecorder boxes;
        d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->SetWindowText("newcomm");
        ClickButton(d, IDC_SNMP_COMMUNITY_APPLY);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{"There is no SNMPv1 or SNMPv2c user to choose as the User Name (View Policy)."});
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(CommunityTableTest, AFailedRefreshKeepsTheListAndClosingDuringTheWalksIsClean)
{
    StartAgentSwitch();
    g_strTimeout = "1000";
    {
        BoxRecorder boxes;
        CSNMPCommunity dialog;
        RunModal<CSNMPCommunity>(dialog, [&](CSNMPCommunity& d) {
            ASSERT_TRUE(WaitForWalks(d));
            ASSERT_TRUE(sim->SilenceFor(6000));
            ClickButton(d, IDC_SNMP_COMMUNITY_REFRESH);
            EXPECT_FALSE(Enabled(d, IDC_SNMP_COMMUNITY_APPLY));
            ASSERT_TRUE(WaitForWalks(d));
            EXPECT_EQ(CommunityRows(d), (Rows{{"public", "v1user"}, {"private", "v2user"}}));
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The community list could not be read again from "
                                                                 "the switch; the last complete read is shown."});
    }
    // Rows come slowly; the page closes during the community walk, then
    // during the user walk.
    ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(250); }, 10000));
    for (int wait : {0, 1200}) {
        CSNMPCommunity dialog;
        RunModal<CSNMPCommunity>(dialog, [&](CSNMPCommunity& d) {
            PumpFor(wait);
            EXPECT_FALSE(Enabled(d, IDC_SNMP_COMMUNITY_REFRESH));
        });
        EXPECT_EQ(g_bDialogClosing, 1);
    }
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace snmp_agent_test

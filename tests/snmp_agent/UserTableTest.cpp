// The user page on the simulated switch: the active users listed, the form's
// controls enabling one another, each version's writes in their sequence,
// Apply's refusals in their order, the limit of 50 and Delete.
#include "features/agent_tools/CSNMPUser.h"
#include "snmp_agent/AgentTestSupport.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::string kUser = kAgent + ".2.1.1";
std::string UserOid(int column, const std::string& name, const std::string& version)
{
    return kUser + "." + std::to_string(column) + CSNMPConfig::NameModelIndex(name, version);
}

CListCtrl& UserList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SNMP_USER_LIST);
}

Rows UserRows(CWnd& d)
{
    Rows rows;
    for (int i = 0; i < UserList(d).GetItemCount(); ++i) {
        std::vector<std::string> row;
        for (int column = 0; column < 5; ++column)
            row.push_back(UserList(d).GetItemText(i, column));
        rows.push_back(row);
    }
    return rows;
}

bool WaitForUserWalk(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SNMP_USER_REFRESH); }, 15000);
}

// What the user types; version, authentication and privacy by position.
struct Form
{
    std::string name{};
    std::string group{};
    int version = 0; // 0 V1, 1 V2c, 2 V3
    bool encrypted = false;
    int auth = 0; // 0 MD5, 1 SHA
    std::string authPassword{};
    int priv = 0; // 0 DES, 1 None
    std::string privPassword{};
};

// Fills the form as a user does: the encrypted box can only be ticked or
// cleared with V3 chosen, so V3 comes first and the form's own version last
// (another version leaves the tick as it is).
void Fill(CWnd& d, const Form& f)
{
    d.GetDlgItem(IDC_SNMP_USER_NAME)->SetWindowText(f.name);
    d.GetDlgItem(IDC_SNMP_USER_GROUP)->SetWindowText(f.group);
    ChooseInCombo(d, IDC_SNMP_USER_VERSION, 2);
    if (Checked(d, IDC_SNMP_USER_ENCRYPTED) != f.encrypted)
        ClickButton(d, IDC_SNMP_USER_ENCRYPTED);
    if (f.encrypted) {
        ChooseInCombo(d, IDC_SNMP_USER_AUTH_PROTOCOL, f.auth);
        ChooseInCombo(d, IDC_SNMP_USER_PRIV_PROTOCOL, f.priv);
        d.GetDlgItem(IDC_SNMP_USER_AUTH_PASSWORD)->SetWindowText(f.authPassword);
        d.GetDlgItem(IDC_SNMP_USER_PRIV_PASSWORD)->SetWindowText(f.privPassword);
    }
    ChooseInCombo(d, IDC_SNMP_USER_VERSION, f.version);
}

class UserTableTest : public AgentTest
{
};

} // namespace

TEST_F(UserTableTest, ListsActiveUsersAndTheFormEnablesItsControls)
{
    StartAgentSwitch();
    CSNMPUser dialog;
    RunModal<CSNMPUser>(dialog, [&](CSNMPUser& d) {
        ASSERT_TRUE(WaitForUserWalk(d));
        EXPECT_EQ(d.GetWindowText(), "SNMP User Table ");
        // v1off is not in service.
        EXPECT_EQ(UserRows(d), (Rows{{"admin", "admins", "V3", "MD5", "DES_CBC"},
                                     {"V2USER", "grp1", "V1", "None", "None"},
                                     {"v1user", "grp1", "V1", "None", "None"},
                                     {"v2user", "grp2", "V2c", "None", "None"},
                                     {"v2user", "admins", "V3", "SHA", "None"}}));
        const int form[] = {IDC_SNMP_USER_ENCRYPTED, IDC_SNMP_USER_AUTH_PROTOCOL, IDC_SNMP_USER_AUTH_PASSWORD,
                            IDC_SNMP_USER_PRIV_PROTOCOL, IDC_SNMP_USER_PRIV_PASSWORD};
        for (int id : form)
            EXPECT_FALSE(Enabled(d, id)) << id;
        ChooseInCombo(d, IDC_SNMP_USER_VERSION, 2);
        EXPECT_TRUE(Enabled(d, IDC_SNMP_USER_ENCRYPTED));
        ClickButton(d, IDC_SNMP_USER_ENCRYPTED);
        for (int id : form)
            EXPECT_TRUE(Enabled(d, id)) << id;
        ChooseInCombo(d, IDC_SNMP_USER_PRIV_PROTOCOL, 1);
        EXPECT_FALSE(Enabled(d, IDC_SNMP_USER_PRIV_PASSWORD));
        ChooseInCombo(d, IDC_SNMP_USER_VERSION, 0);
        EXPECT_FALSE(Enabled(d, IDC_SNMP_USER_ENCRYPTED));
        EXPECT_FALSE(Enabled(d, IDC_SNMP_USER_AUTH_PROTOCOL));
        EXPECT_FALSE(Enabled(d, IDC_SNMP_USER_PRIV_PROTOCOL));
        EXPECT_TRUE(Checked(d, IDC_SNMP_USER_ENCRYPTED));
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(UserTableTest, EachVersionWritesItsColumnsInSequence)
{
    const std::string md5 = std::string(32, 'm');
    const std::string des = std::string(32, 'd');
    const std::string sha = std::string(40, 's');
    struct Case
    {
        Form form;
        std::string version;
        std::vector<std::vector<std::string>> writes; // between the row's 5 and 1
    };
    const Case cases[] = {
        {{"abc", "g1", 2, true, 0, md5, 0, des},
         "V3",
         {{Str(UserOid(3, "abc", "V3"), "g1")},
          {Int(UserOid(4, "abc", "V3"), "2"), Int(UserOid(6, "abc", "V3"), "2")},
          {Str(UserOid(5, "abc", "V3"), md5), Str(UserOid(7, "abc", "V3"), des)}}},
        {{"ro", "g2", 2, true, 1, sha, 1, "ignored"},
         "V3",
         {{Str(UserOid(3, "ro", "V3"), "g2")}, {Int(UserOid(4, "ro", "V3"), "3")}, {Str(UserOid(5, "ro", "V3"), sha)}}},
        // V3 without encryption: authentication None, an empty password.
        {{"carol", "g3", 2},
         "V3",
         {{Str(UserOid(3, "carol", "V3"), "g3")}, {Int(UserOid(4, "carol", "V3"), "1")}, {Str(UserOid(5, "carol", "V3"), "")}}},
        // Ticked, then V1: the passwords are checked, only the group is written.
        {{"bob", " g 4 ", 0, true, 0, "pw", 0, "pp"}, "V1", {{Str(UserOid(3, "bob", "V1"), "g 4")}}},
        // The same name once per version.
        {{"bob", "g5", 1}, "V2c", {{Str(UserOid(3, "bob", "V2c"), "g5")}}},
    };
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPUser dialog;
    RunModal<CSNMPUser>(dialog, [&](CSNMPUser& d) {
        ASSERT_TRUE(WaitForUserWalk(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.form.name + "/" + c.version);
            const std::size_t before = Sets().size();
            Fill(d, c.form);
            ClickButton(d, IDC_SNMP_APPLY);
            ASSERT_TRUE(WaitForUserWalk(d));
            RequestList expected{{Int(UserOid(8, c.form.name, c.version), "5")}};
            expected.insert(expected.end(), c.writes.begin(), c.writes.end());
            expected.push_back({Int(UserOid(8, c.form.name, c.version), "1")});
            const RequestList sets = Sets();
            EXPECT_EQ(RequestList(sets.begin() + static_cast<std::ptrdiff_t>(before), sets.end()), expected);
            // The form is reset.
            EXPECT_EQ(d.GetDlgItem(IDC_SNMP_USER_NAME)->GetWindowText(), "");
            EXPECT_FALSE(Checked(d, IDC_SNMP_USER_ENCRYPTED));
            EXPECT_EQ(ComboSelection(d, IDC_SNMP_USER_VERSION), "V1");
        }
        EXPECT_EQ(UserRows(d).size(), 10u);
        // abc/V3 is row .3.97.98.99.3.
        EXPECT_EQ(UserOid(8, "abc", "V3"), kUser + ".8.3.97.98.99.3");
        EXPECT_TRUE(boxes.Calls().empty());

        // A user not in service is no duplicate; the switch, which holds its
        // row, refuses to create it again: that is said, and nothing follows.
        const std::size_t before = Sets().size();
        Fill(d, {"v1off", "g6", 0});
        ClickButton(d, IDC_SNMP_APPLY);
        ASSERT_TRUE(WaitForUserWalk(d));
        const RequestList sets = Sets();
        EXPECT_EQ(RequestList(sets.begin() + static_cast<std::ptrdiff_t>(before), sets.end()),
                  (RequestList{{Int(UserOid(8, "v1off", "V1"), "5")}}));
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text.rfind("Could not write user entry \"v1off\": the switch refused it (", 0), 0u);
    });
    EXPECT_EQ(sim->Get(UserOid(8, "abc", "V3")), "1");
    EXPECT_EQ(sim->Get(UserOid(5, "abc", "V3")), md5);
}

TEST_F(UserTableTest, ApplyRefusesInItsOrderAndSendsNothing)
{
    struct Case
    {
        Form form;
        std::string message;
    };
    const Case cases[] = {
        {{"  ", "g"}, "Please enter valid User Name "},
        {{"a.b", "g"}, "Invalid User Name ."},
        {{"a@b", ""}, "Invalid User Name ."},
        {{"a b-c_d", " "}, "Please enter valid Group Name "},
        {{"ann", "g.1"}, "Invalid Group Name."},
        {{"v1user", "g"}, "This User Entry already exists."},
        {{"v2user", "g", 2}, "This User Entry already exists."},
        {{"ann", "g", 2, true, 0, " ", 0, "pp"}, "Auth-Protocol Password can't be empty."},
        {{"ann", "g", 2, true, 0, std::string(33, 'm'), 0, "pp"}, " MD5 Max. Password length is 32."},
        {{"ann", "g", 2, true, 1, std::string(41, 's'), 0, "pp"}, " SHA Max. Password length is 40."},
        {{"ann", "g", 2, true, 1, "pw", 0, ""}, "Priv-Protocol Password can't be empty."},
        {{"ann", "g", 0, true, 1, "pw", 0, std::string(33, 'd')}, " DES Max. Password length is 32."},
    };
    StartAgentSwitch();
    CSNMPUser dialog;
    RunModal<CSNMPUser>(dialog, [&](CSNMPUser& d) {
        ASSERT_TRUE(WaitForUserWalk(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.form.name + "/" + c.message);
            BoxRecorder boxes;
            Fill(d, c.form);
            ClickButton(d, IDC_SNMP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
        BoxRecorder boxes;
        ClickButton(d, IDC_SNMP_USER_DELETE);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select the item would be delete!\n"});
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(UserTableTest, FiftyUsersAtMostAndDeleteMakesRoom)
{
    StartAgentSwitch();
    // Without the user not in service, 5 rows; 45 more make the limit.
    SetObject(UserOid(8, "v1off", "V1"), SnmpValueInteger, "6");
    for (int n = 1; n <= 45; ++n)
        SetObject(UserOid(8, "u" + std::to_string(n), "V2c"), SnmpValueInteger, "4");
    CSNMPUser dialog;
    RunModal<CSNMPUser>(dialog, [&](CSNMPUser& d) {
        ASSERT_TRUE(WaitForUserWalk(d));
        ASSERT_EQ(UserList(d).GetItemCount(), 50);
        {
            BoxRecorder boxes;
            Fill(d, {"u51", "g"});
            ClickButton(d, IDC_SNMP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Maximum number of User Entry is 50."});
            EXPECT_TRUE(Sets().empty());
        }
        ClickRow(UserList(d), 0);
        const std::string first = UserList(d).GetItemText(0, 0);
        const std::string version = UserList(d).GetItemText(0, 2);
        ClickButton(d, IDC_SNMP_USER_DELETE);
        ASSERT_TRUE(WaitForUserWalk(d));
        EXPECT_EQ(Sets(), RequestList{{Int(UserOid(8, first, version), "6")}});
        EXPECT_EQ(UserList(d).GetItemCount(), 49);
        BoxRecorder boxes;
        Fill(d, {"u51", "g"});
        ClickButton(d, IDC_SNMP_APPLY);
        ASSERT_TRUE(WaitForUserWalk(d));
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(UserList(d).GetItemCount(), 50);
    });
}

} // namespace snmp_agent_test

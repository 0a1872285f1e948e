// The 802.1X local users on the simulated switch: the list (active rows only,
// Total counting every row), the name index, Add with its write sequence and
// its refusals, a refused password SET that leaves no row, and Delete.
#include "dot1x/Dot1xTestSupport.h"
#include "features/security/C8021XUserDLG.h"
#include "platform/ui/CEdit.h"
#include "resources/dot1x.h"

namespace dot1x_test {

using namespace dot1xtest;

namespace {

CListCtrl& UserList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_8021X_USER_LIST);
}

std::string UserText(CWnd& d, int id)
{
    std::string text;
    d.GetDlgItem(id)->GetWindowText(text);
    return text;
}

std::string UserOid(int column, const std::string& name)
{
    return k8021x + ".3.1.1." + std::to_string(column) + C8021XUserDLG::MakeNameIndex(name);
}

void Enter(CWnd& d, const std::string& name, const std::string& password, const std::string& confirm)
{
    d.GetDlgItem(IDC_8021X_USER_NAME)->SetWindowText(name);
    d.GetDlgItem(IDC_8021X_USER_PASSWORD)->SetWindowText(password);
    d.GetDlgItem(IDC_8021X_USER_CONFIRM)->SetWindowText(confirm);
}

class UserDialogTest : public Dot1xTest
{
protected:
    // The walk has ended with `rows` users listed and the controls back.
    bool WaitForUsers(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_8021X_USER_ADD) && UserList(d).GetItemCount() == rows; }, 20000) &&
               WaitForQuiet();
    }
};

} // namespace

TEST(UserNameIndex, IsTheLengthThenEveryByte)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abcd", ".4.97.98.99.100"}, {"a b", ".3.97.32.98"}, {"\xc3\xa9t\xc3\xa9", ".5.195.169.116.195.169"}};
    for (const auto& [name, index] : cases)
        EXPECT_EQ(C8021XUserDLG::MakeNameIndex(name), index) << name;
}

TEST_F(UserDialogTest, ListsActiveUsersAndCountsEveryRow)
{
    StartDot1xSwitch();
    C8021XUserDLG dialog;
    RunModal<C8021XUserDLG>(dialog, [&](C8021XUserDLG& d) {
        ASSERT_TRUE(WaitForUsers(d, 1));
        EXPECT_EQ(d.GetWindowText(), "802.1X User");
        EXPECT_EQ(RowText(UserList(d), 0, 3), "1|abc|*****");
        EXPECT_EQ(UserText(d, IDC_8021X_USER_TOTAL), "2");
        EXPECT_FALSE(Enabled(d, IDC_8021X_USER_TOTAL));
        for (int id : {IDC_8021X_USER_NAME, IDC_8021X_USER_PASSWORD, IDC_8021X_USER_CONFIRM})
            EXPECT_EQ(Item<CEdit>(d, id).GetLimitText(), 15U) << id;
    });
}

TEST_F(UserDialogTest, AddCreatesWritesThePasswordActivatesAndRereads)
{
    StartDot1xSwitch();
    BoxRecorder boxes;
    C8021XUserDLG dialog;
    RunModal<C8021XUserDLG>(dialog, [&](C8021XUserDLG& d) {
        ASSERT_TRUE(WaitForUsers(d, 1));
        Enter(d, "abcd", "pass", "pass");
        ClickButton(d, IDC_8021X_USER_ADD);
        ASSERT_TRUE(WaitForUsers(d, 2));
        EXPECT_EQ(RowText(UserList(d), 1, 3), "2|abcd|*****");
        EXPECT_EQ(UserText(d, IDC_8021X_USER_TOTAL), "3");
        EXPECT_EQ(UserText(d, IDC_8021X_USER_NAME), "");
        // Names are case-sensitive: guest is not the hidden Guest.
        Enter(d, "guest", "secret", "secret");
        ClickButton(d, IDC_8021X_USER_ADD);
        ASSERT_TRUE(WaitForUsers(d, 3));
    });
    EXPECT_TRUE(boxes.Calls().empty());
    const std::string status = k8021x + ".3.1.1.3.4.97.98.99.100";
    const std::vector<std::vector<std::string>> abcd = {
        {status + "|2|4"}, {k8021x + ".3.1.1.2.4.97.98.99.100|4|pass"}, {status + "|2|1"}};
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 6U);
    EXPECT_EQ(std::vector<std::vector<std::string>>(sets.begin(), sets.begin() + 3), abcd);
    EXPECT_EQ(sim->Get(status), "1");
    EXPECT_EQ(sim->Get(UserOid(2, "guest")), "secret");
}

TEST_F(UserDialogTest, AddRefusesWithItsMessagesAndWritesNothing)
{
    struct Case
    {
        std::string name, password, confirm, message;
    };
    const Case cases[] = {
        {"abc", "pass", "pass", "Please Confirm user name length must large than 4 characters."},
        {"abcd", "pas", "pas", "Please Confirm password length must large than 4 characters."},
        {"abcd", "pass", "Pass", "Please Confirm User Password!"},
        {"abc ", "pass", "pass", ""}, // four characters: passes the length check, added
        {"Guest", "pass", "pass", "Duplicate 802.1X User Name"}, // a row that is not listed
    };
    StartDot1xSwitch();
    C8021XUserDLG dialog;
    RunModal<C8021XUserDLG>(dialog, [&](C8021XUserDLG& d) {
        ASSERT_TRUE(WaitForUsers(d, 1));
        int listed = 1;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name + "/" + c.password + "/" + c.confirm);
            BoxRecorder boxes;
            const std::size_t before = Requests("SET").size();
            Enter(d, c.name, c.password, c.confirm);
            ClickButton(d, IDC_8021X_USER_ADD);
            if (c.message.empty()) {
                ASSERT_TRUE(WaitForUsers(d, ++listed));
                EXPECT_EQ(Requests("SET").size(), before + 3);
            } else {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
                EXPECT_EQ(Requests("SET").size(), before);
                EXPECT_EQ(UserText(d, IDC_8021X_USER_NAME), c.name);
            }
        }
    });
}

TEST_F(UserDialogTest, ARefusedWriteOfAddLeavesNoRow)
{
    struct Case
    {
        std::string name;
        int refusedColumn;                         // 3: the creation, 2: the password
        std::vector<std::string> expectedStatuses; // the status SETs sent, in order
    };
    const Case cases[] = {{"wxyz", 3, {"4"}}, {"vwxy", 2, {"4", "6"}}};
    StartDot1xSwitch();
    C8021XUserDLG dialog;
    RunModal<C8021XUserDLG>(dialog, [&](C8021XUserDLG& d) {
        ASSERT_TRUE(WaitForUsers(d, 1));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.refusedColumn);
            ASSERT_TRUE(sim->RefuseNextSet(UserOid(c.refusedColumn, c.name), 5));
            BoxRecorder boxes;
            const std::size_t before = Requests("SET").size();
            Enter(d, c.name, "pass", "pass");
            ClickButton(d, IDC_8021X_USER_ADD);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"please check what you put"});
            std::vector<std::string> statuses;
            for (const auto& set : Sets(before)) {
                if (set.front().rfind(UserOid(3, c.name) + "|2|", 0) == 0)
                    statuses.push_back(set.front().substr(set.front().rfind('|') + 1));
            }
            EXPECT_EQ(statuses, c.expectedStatuses);
            EXPECT_FALSE(sim->Has(UserOid(3, c.name)));
        }
    });
}

TEST_F(UserDialogTest, DeleteDestroysTheChosenRowAndNeedsAChoice)
{
    StartDot1xSwitch();
    C8021XUserDLG dialog;
    RunModal<C8021XUserDLG>(dialog, [&](C8021XUserDLG& d) {
        ASSERT_TRUE(WaitForUsers(d, 1));
        {
            BoxRecorder boxes;
            ClickButton(d, IDC_8021X_USER_DELETE);
            EXPECT_EQ(boxes.Texts(),
                      std::vector<std::string>{"Please Choose One To Delete Or Check If Have Any Data"});
            EXPECT_TRUE(Sets().empty());
        }
        ClickRow(UserList(d), 0);
        ClickButton(d, IDC_8021X_USER_DELETE);
        ASSERT_TRUE(WaitForUsers(d, 0));
        EXPECT_EQ(UserText(d, IDC_8021X_USER_TOTAL), "1");
    });
    EXPECT_EQ(Sets(), std::vector<std::vector<std::string>>{{UserOid(3, "abc") + "|2|6"}});
    EXPECT_FALSE(sim->Has(UserOid(1, "abc")));
}

// Two rows show the name "abc"; Delete of the one at the index of "abcd"
// destroys that row, never the real user abc.
TEST_F(UserDialogTest, DeleteNamesTheRowByItsOwnIndexNeverByItsNameColumn)
{
    StartDot1xSwitch({FixtureData("dot1x-hostile.snmprec")});
    C8021XUserDLG dialog;
    RunModal<C8021XUserDLG>(dialog, [&](C8021XUserDLG& d) {
        ASSERT_TRUE(WaitForUsers(d, 2));
        ASSERT_EQ(UserList(d).GetItemText(1, 1), "abc");
        ClickRow(UserList(d), 1);
        ClickButton(d, IDC_8021X_USER_DELETE);
        ASSERT_TRUE(WaitForUsers(d, 1));
    });
    EXPECT_EQ(Sets(), std::vector<std::vector<std::string>>{{UserOid(3, "abcd") + "|2|6"}});
    EXPECT_EQ(sim->Get(UserOid(3, "abc")), "1");
}

} // namespace dot1x_test

// The RADIUS servers on the simulated switch: the list (active rows only, the
// key never shown), Apply's write sequence for a new and an existing index,
// IPv4 and IPv6, a typed index, the field refusals with their messages, a
// refused column SET cleaned up and reported, and Delete.
#include "dot1x/Dot1xTestSupport.h"
#include "features/security/C8021XAuRadiusServerDLG.h"
#include "resources/dot1x.h"

namespace dot1x_test {

using namespace dot1xtest;

namespace {

CListCtrl& ServerList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_RADIUS_LIST);
}

// What the user enters; an empty text leaves the field as it is.
struct Server
{
    std::string index, address, authPort, acctPort, timeout, retransmit, key, confirm;
};

void EnterServer(CWnd& d, const Server& s)
{
    const std::pair<int, const std::string*> fields[] = {
        {IDC_RADIUS_INDEX, &s.index},       {IDC_RADIUS_ADDRESS, &s.address},   {IDC_RADIUS_AUTH_PORT, &s.authPort},
        {IDC_RADIUS_ACCT_PORT, &s.acctPort}, {IDC_RADIUS_TIMEOUT, &s.timeout},   {IDC_RADIUS_RETRANSMIT, &s.retransmit},
        {IDC_RADIUS_KEY, &s.key},           {IDC_RADIUS_CONFIRM_KEY, &s.confirm}};
    for (const auto& [id, text] : fields) {
        if (!text->empty())
            d.GetDlgItem(id)->SetWindowText(*text);
    }
}

// The status values the row of `index` was sent, in order.
std::vector<std::string> StatusSets(const std::vector<std::vector<std::string>>& sets, int index)
{
    std::vector<std::string> values;
    const std::string prefix = RadiusOid(10, index) + "|2|";
    for (const auto& set : sets) {
        if (set.size() == 1 && set[0].rfind(prefix, 0) == 0)
            values.push_back(set[0].substr(prefix.size()));
    }
    return values;
}

class RadiusDialogTest : public Dot1xTest
{
protected:
    bool WaitForServers(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_RADIUS_APPLY) && ServerList(d).GetItemCount() == rows; }, 20000) &&
               WaitForQuiet();
    }
};

} // namespace

TEST_F(RadiusDialogTest, ListsActiveServersWithoutTheirKey)
{
    StartDot1xSwitch();
    C8021XAuRadiusServerDLG dialog;
    RunModal<C8021XAuRadiusServerDLG>(dialog, [&](C8021XAuRadiusServerDLG& d) {
        ASSERT_TRUE(WaitForServers(d, 3));
        EXPECT_EQ(d.GetWindowText(), "Authentication RADIUS Server");
        EXPECT_EQ(RowText(ServerList(d), 0, 7), "1|192.168.0.1|1812|1813|5|2|*****");
        EXPECT_EQ(RowText(ServerList(d), 1, 7), "2|2001:db8::1|1812|1813|5|2|*****");
        EXPECT_EQ(ServerList(d).GetItemText(2, 0), "3");
        EXPECT_EQ(ComboSelection(d, IDC_RADIUS_INDEX), "1");
    });
}

TEST_F(RadiusDialogTest, ApplyDestroysAnExistingRowThenCreatesFillsAndActivates)
{
    struct Case
    {
        Server server;
        int index;
        std::vector<std::string> statuses;
        std::string typeValue;
    };
    const Case cases[] = {
        {{"5", "192.168.1.9", "65535", "1", "255", "255", "k1", "k1"}, 5, {"5", "1"}, "1"},
        {{"2", "2001:db8::9", "", "", "", "", "key2", "key2"}, 2, {"6", "5", "1"}, "2"},
        // Server 4 is not in service: not listed, destroyed all the same.
        {{"4", "10.1.1.1", "", "", "", "", "k", "k"}, 4, {"6", "5", "1"}, "1"},
        // A typed index beyond the combo's items.
        {{"7", "10.1.1.7", "", "", "", "", "k", "k"}, 7, {"5", "1"}, "1"},
    };
    StartDot1xSwitch();
    C8021XAuRadiusServerDLG dialog;
    BoxRecorder boxes;
    RunModal<C8021XAuRadiusServerDLG>(dialog, [&](C8021XAuRadiusServerDLG& d) {
        ASSERT_TRUE(WaitForServers(d, 3));
        int listed = 3;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.server.index);
            const std::size_t before = Requests("SET").size();
            EnterServer(d, c.server);
            ClickButton(d, IDC_RADIUS_APPLY);
            if (c.index != 2)
                ++listed;
            ASSERT_TRUE(WaitForServers(d, listed));
            const auto sets = Sets(before);
            EXPECT_EQ(StatusSets(sets, c.index), c.statuses);
            // Type, then type and address; the four numbers; the key.
            ASSERT_EQ(sets.size(), c.statuses.size() + 7);
            EXPECT_EQ(sets[c.statuses.size() - 1].front(), RadiusOid(2, c.index) + "|2|" + c.typeValue);
            EXPECT_EQ(sets[c.statuses.size()].back().rfind(RadiusOid(3, c.index) + "|", 0), 0U);
            EXPECT_EQ(sim->Get(RadiusOid(10, c.index)), "1");
            // The fields are back to their defaults.
            EXPECT_EQ(ComboSelection(d, IDC_RADIUS_INDEX), "1");
        }
        EXPECT_EQ(RowText(ServerList(d), 1, 7), "2|2001:db8::9|1812|1813|5|2|*****");
        EXPECT_EQ(RowText(ServerList(d), 4, 7), "5|192.168.1.9|65535|1|255|255|*****");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(sim->Get(RadiusOid(9, 5)), "k1");
}

TEST_F(RadiusDialogTest, RefusalsShowTheirMessageAndWriteNothing)
{
    const std::string indexMessage = "The index must be a positive decimal number.";
    struct Case
    {
        Server server;
        std::string message;
    };
    const Case cases[] = {
        {{"x7", "10.1.1.1", "", "", "", "", "k", "k"}, indexMessage},
        {{"0", "10.1.1.1", "", "", "", "", "k", "k"}, indexMessage},
        {{"2.1", "10.1.1.1", "", "", "", "", "k", "k"}, indexMessage},
        {{"5", "10.1.1.1", "0", "", "", "", "k", "k"}, "Please Confirm Authentication Port range from 1 to 65535."},
        {{"5", "10.1.1.1", "65536", "", "", "", "k", "k"}, "Please Confirm Authentication Port range from 1 to 65535."},
        {{"5", "10.1.1.1", "1812", "0", "", "", "k", "k"}, "Please Confirm Accounting Port range from 1 to 65535."},
        {{"5", "10.1.1.1", "1812", "1813", "256", "", "k", "k"}, "Please Confirm Timeout value range from 1 to 255."},
        {{"5", "10.1.1.1", "1812", "1813", "5", "0", "k", "k"}, "Please Confirm Retransmit value from 1 to 255."},
        {{"5", "10.1.1.1", "1812", "1813", "5", "2", "", ""}, "Invalid Authentication RADIUS Server Key"},
        {{"5", "10.1.1.1", "1812", "1813", "5", "2", "", "k"}, "Please Confirm Your Key!"},
    };
    StartDot1xSwitch();
    C8021XAuRadiusServerDLG dialog;
    RunModal<C8021XAuRadiusServerDLG>(dialog, [&](C8021XAuRadiusServerDLG& d) {
        ASSERT_TRUE(WaitForServers(d, 3));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.server.index + " " + c.server.address + " " + c.message);
            BoxRecorder boxes;
            d.GetDlgItem(IDC_RADIUS_KEY)->SetWindowText("");
            d.GetDlgItem(IDC_RADIUS_CONFIRM_KEY)->SetWindowText("");
            EnterServer(d, c.server);
            ClickButton(d, IDC_RADIUS_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
        // An empty or invalid address is refused with a message.
        for (const char* address : {"10.1.1", " "}) {
            BoxRecorder boxes;
            d.GetDlgItem(IDC_RADIUS_ADDRESS)->SetWindowText("");
            EnterServer(d, {"5", address, "1812", "1813", "5", "2", "k", "k"});
            ClickButton(d, IDC_RADIUS_APPLY);
            EXPECT_EQ(boxes.Texts(),
                      std::vector<std::string>{
                          "The IP address of the RADIUS server is empty or is no IP address. Nothing was written."});
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(RadiusDialogTest, ARefusedColumnIsReportedTheWaitingRowDestroyedAndTheListReread)
{
    StartDot1xSwitch();
    ASSERT_TRUE(sim->RefuseNextSet(RadiusOid(7, 5), 5));
    BoxRecorder boxes;
    C8021XAuRadiusServerDLG dialog;
    RunModal<C8021XAuRadiusServerDLG>(dialog, [&](C8021XAuRadiusServerDLG& d) {
        ASSERT_TRUE(WaitForServers(d, 3));
        EnterServer(d, {"5", "10.1.1.5", "", "", "", "", "k", "k"});
        ClickButton(d, IDC_RADIUS_APPLY);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{
                      "Could not write the time-out of server 5: the switch refused it (general error)."});
        ASSERT_TRUE(WaitForServers(d, 3));
        // The entries stay for another try.
        std::string index;
        d.GetDlgItem(IDC_RADIUS_INDEX)->GetWindowText(index);
        EXPECT_EQ(index, "5");
    });
    EXPECT_EQ(StatusSets(Sets(), 5), (std::vector<std::string>{"5", "6"}));
    EXPECT_FALSE(sim->Has(RadiusOid(10, 5)));
}

TEST_F(RadiusDialogTest, DeleteDestroysTheChosenServerAndNeedsAChoice)
{
    StartDot1xSwitch();
    C8021XAuRadiusServerDLG dialog;
    RunModal<C8021XAuRadiusServerDLG>(dialog, [&](C8021XAuRadiusServerDLG& d) {
        ASSERT_TRUE(WaitForServers(d, 3));
        {
            BoxRecorder boxes;
            ClickButton(d, IDC_RADIUS_DELETE);
            EXPECT_EQ(boxes.Texts(),
                      std::vector<std::string>{"Please Choose One To Delete Or Check If Have Any Data"});
        }
        ClickRow(ServerList(d), 1);
        ClickButton(d, IDC_RADIUS_DELETE);
        ASSERT_TRUE(WaitForServers(d, 2));
        EXPECT_EQ(ServerList(d).GetItemText(1, 0), "3");
    });
    EXPECT_EQ(Sets(), std::vector<std::vector<std::string>>{{RadiusOid(10, 2) + "|2|6"}});
    EXPECT_FALSE(sim->Has(RadiusOid(3, 2)));
}

// Replacing a server destroys its row first: when the new one is refused, the
// old one is written back as it was read, and the message says so.
TEST_F(RadiusDialogTest, AReplacementTheSwitchRefusesWritesTheOldServerBack)
{
    StartDot1xSwitch();
    std::vector<std::string> before;
    for (int column : {2, 3, 5, 6, 7, 8, 10})
        before.push_back(sim->Get(RadiusOid(column, 1)));
    ASSERT_TRUE(sim->RefuseNextSet(RadiusOid(7, 1), 5));
    BoxRecorder boxes;
    C8021XAuRadiusServerDLG dialog;
    RunModal<C8021XAuRadiusServerDLG>(dialog, [&](C8021XAuRadiusServerDLG& d) {
        ASSERT_TRUE(WaitForServers(d, 3));
        EnterServer(d, {"1", "10.9.9.9", "1900", "", "", "", "k", "k"});
        ClickButton(d, IDC_RADIUS_APPLY);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{"Could not write the time-out of server 1: the switch refused it (general "
                                           "error).\nThe previous server 1 was written back as it was."});
        ASSERT_TRUE(WaitForServers(d, 3));
        EXPECT_EQ(RowText(ServerList(d), 0, 7), "1|192.168.0.1|1812|1813|5|2|*****");
    });
    std::vector<std::string> after;
    for (int column : {2, 3, 5, 6, 7, 8, 10})
        after.push_back(sim->Get(RadiusOid(column, 1)));
    EXPECT_EQ(after, before);
    EXPECT_EQ(StatusSets(Sets(), 1), (std::vector<std::string>{"6", "5", "6", "5", "1"}));
}

} // namespace dot1x_test

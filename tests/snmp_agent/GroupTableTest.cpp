// The group page on the simulated switch: the active groups listed, each
// group's level and views written in one request under its index, Apply's
// refusals in their order, the level kept when the model changes, the limit
// of 50 and Delete.
#include "features/agent_tools/CSNMPGroup.h"
#include "snmp_agent/AgentTestSupport.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::string kGroup = kAgent + ".3.1.1";
std::string GroupOid(int column, const std::string& index)
{
    return kGroup + "." + std::to_string(column) + index;
}

CListCtrl& GroupList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SNMP_GROUP_LIST);
}

Rows GroupRows(CWnd& d)
{
    Rows rows;
    for (int i = 0; i < GroupList(d).GetItemCount(); ++i) {
        std::vector<std::string> row;
        for (int column = 0; column < 6; ++column)
            row.push_back(GroupList(d).GetItemText(i, column));
        rows.push_back(row);
    }
    return rows;
}

bool WaitForGroupWalk(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SNMP_GROUP_REFRESH); }, 15000);
}

struct GroupForm
{
    std::string name{};
    int model = 0; // 0 v1, 1 v2c, 2 v3
    int level = 0; // chosen while v3 is selected
    std::string read{}, write{}, notify{};
};

void FillGroup(CWnd& d, const GroupForm& f)
{
    d.GetDlgItem(IDC_SNMP_GROUP_NAME)->SetWindowText(f.name);
    d.GetDlgItem(IDC_SNMP_GROUP_READ_VIEW)->SetWindowText(f.read);
    d.GetDlgItem(IDC_SNMP_GROUP_WRITE_VIEW)->SetWindowText(f.write);
    d.GetDlgItem(IDC_SNMP_GROUP_NOTIFY_VIEW)->SetWindowText(f.notify);
    ChooseInCombo(d, IDC_SNMP_GROUP_MODEL, 2);
    ChooseInCombo(d, IDC_SNMP_GROUP_LEVEL, f.level);
    ChooseInCombo(d, IDC_SNMP_GROUP_MODEL, f.model);
}

class GroupTableTest : public AgentTest
{
};

} // namespace

TEST_F(GroupTableTest, ListsActiveGroupsAndWritesEachUnderItsIndex)
{
    struct Case
    {
        GroupForm form;
        std::string index;
        std::vector<std::string> write; // the one SET between the row's 5 and 1
    };
    const std::string ro = ".2.114.111.3.2";
    const std::string lead = ".5.32.108.101.97.100.1.1";
    const std::string ops = ".3.111.112.115.1.3";
    const std::string grp1 = ".4.103.114.112.49.3.1";
    const Case cases[] = {
        {{"ro", 2, 1, "all", "", ""}, ro, {Int(GroupOid(3, ro), "2"), Str(GroupOid(4, ro), "all")}},
        // Not trimmed; no views: the level alone.
        {{" lead", 0, 0}, lead, {Int(GroupOid(3, lead), "1")}},
        // The level chosen with v3 stays when the model becomes v1.
        {{"ops", 0, 2, "r", "w", "n"},
         ops,
         {Int(GroupOid(3, ops), "3"), Str(GroupOid(4, ops), "r"), Str(GroupOid(5, ops), "w"),
          Str(GroupOid(6, ops), "n")}},
        // The same name once per model.
        {{"grp1", 2, 0, "", "", "all"}, grp1, {Int(GroupOid(3, grp1), "1"), Str(GroupOid(6, grp1), "all")}},
    };
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPGroup dialog;
    RunModal<CSNMPGroup>(dialog, [&](CSNMPGroup& d) {
        ASSERT_TRUE(WaitForGroupWalk(d));
        EXPECT_EQ(d.GetWindowText(), "SNMP Group Table Info");
        // ops is not in service.
        EXPECT_EQ(GroupRows(d), (Rows{{"grp1", "all", "", "all", "v1", "NoAuthNoPriv"},
                                      {"grp2", "all", "all", "all", "v2c", "NoAuthNoPriv"},
                                      {"admins", "all", "all", "all", "v3", "AuthPriv"}}));
        EXPECT_FALSE(Enabled(d, IDC_SNMP_GROUP_LEVEL));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.form.name);
            const std::size_t before = Sets().size();
            FillGroup(d, c.form);
            EXPECT_EQ(Enabled(d, IDC_SNMP_GROUP_LEVEL), c.form.model == 2);
            ClickButton(d, IDC_SNMP_GROUP_APPLY);
            ASSERT_TRUE(WaitForGroupWalk(d));
            const RequestList sets = Sets();
            EXPECT_EQ(RequestList(sets.begin() + static_cast<std::ptrdiff_t>(before), sets.end()),
                      (RequestList{{Int(GroupOid(7, c.index), "5")}, c.write, {Int(GroupOid(7, c.index), "1")}}));
            EXPECT_EQ(sim->Get(GroupOid(7, c.index)), "1");
            EXPECT_EQ(d.GetDlgItem(IDC_SNMP_GROUP_NAME)->GetWindowText(), "");
            EXPECT_FALSE(Enabled(d, IDC_SNMP_GROUP_LEVEL));
        }
        EXPECT_EQ(GroupList(d).GetItemCount(), 7);

        ClickRow(GroupList(d), 0);
        const std::vector<std::string> first = GroupRows(d)[0];
        ClickButton(d, IDC_SNMP_GROUP_DELETE);
        ASSERT_TRUE(WaitForGroupWalk(d));
        EXPECT_EQ(Sets().back(),
                  std::vector<std::string>{Int(GroupOid(7, CSNMPConfig::GroupIndex(first[0], first[4], first[5])), "6")});
        EXPECT_EQ(GroupList(d).GetItemCount(), 6);
    });
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(GroupTableTest, ApplyRefusesInItsOrderAndFiftyGroupsAtMost)
{
    struct Case
    {
        GroupForm form;
        std::string message;
    };
    const Case cases[] = {
        {{""}, "Please enter valid group name!"},
        {{"g.1"}, "Invalid Group Name."},
        {{"a/b"}, "Invalid Group Name."},
        {{"grp1", 0, 2}, "This Group Entry already exists."},
    };
    StartAgentSwitch();
    // Without the group not in service, 3 rows; 47 more make the limit.
    SetObject(GroupOid(7, ".3.111.112.115.3.2"), SnmpValueInteger, "6");
    for (int n = 1; n <= 47; ++n)
        SetObject(GroupOid(7, CSNMPConfig::GroupIndex("g" + std::to_string(n), "v2c", "NoAuthNoPriv")),
                  SnmpValueInteger, "4");
    CSNMPGroup dialog;
    RunModal<CSNMPGroup>(dialog, [&](CSNMPGroup& d) {
        ASSERT_TRUE(WaitForGroupWalk(d));
        ASSERT_EQ(GroupList(d).GetItemCount(), 50);
        for (const Case& c : cases) {
            BoxRecorder boxes;
            FillGroup(d, c.form);
            ClickButton(d, IDC_SNMP_GROUP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message}) << c.form.name;
        }
        BoxRecorder boxes;
        FillGroup(d, {"g51"});
        ClickButton(d, IDC_SNMP_GROUP_APPLY);
        ClickButton(d, IDC_SNMP_GROUP_DELETE);
        EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Maximum number of Group Entry is 50.",
                                                                   "Please select the item would be delete!\n"}));
    });
    EXPECT_TRUE(Sets().empty());
    // The switch itself takes no fifty-first row either.
    EXPECT_NE(sim->Set(GroupOid(7, CSNMPConfig::GroupIndex("g51", "v1", "NoAuthNoPriv")), SnmpValueInteger, "5"), 0);
}

} // namespace snmp_agent_test

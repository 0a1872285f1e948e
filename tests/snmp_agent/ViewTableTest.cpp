// The view page on the simulated switch: the active entries listed (a mask
// shorter than its subtree shows the octets received), Apply's rules on
// names, subtrees and masks in their order, an entry written as mask octets
// and type under its index, and Delete.
#include "features/agent_tools/CSNMPViewTree.h"
#include "snmp_agent/AgentTestSupport.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::string kView = kAgent + ".4.1.1";
std::string ViewOid(int column, const std::string& name, const std::string& subtree)
{
    return kView + "." + std::to_string(column) + CSNMPConfig::ViewIndex(name, subtree);
}

CListCtrl& ViewList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SNMP_VIEW_LIST);
}

Rows ViewRows(CWnd& d)
{
    Rows rows;
    for (int i = 0; i < ViewList(d).GetItemCount(); ++i) {
        std::vector<std::string> row;
        for (int column = 0; column < 4; ++column)
            row.push_back(ViewList(d).GetItemText(i, column));
        rows.push_back(row);
    }
    return rows;
}

bool WaitForViewWalk(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SNMP_VIEW_REFRESH); }, 15000);
}

void FillView(CWnd& d, const std::string& name, const std::string& subtree, const std::string& mask, int type)
{
    d.GetDlgItem(IDC_SNMP_VIEW_NAME)->SetWindowText(name);
    d.GetDlgItem(IDC_SNMP_VIEW_SUBTREE)->SetWindowText(subtree);
    d.GetDlgItem(IDC_SNMP_VIEW_MASK)->SetWindowText(mask);
    Item<CComboBox>(d, IDC_SNMP_VIEW_TYPE).SetCurSel(type);
}

class ViewTableTest : public AgentTest
{
};

} // namespace

TEST(ViewEntryRules, NamesSubtreesAndMasksInTheirOrder)
{
    const std::string subtree = "Please enter valid subtree OID";
    const std::string mask = "Please enter valid OID Mask.";
    struct Case
    {
        std::string name, subtree, mask, refusal;
    };
    const Case cases[] = {
        {" ", "1.3", "1", "Please enter valid view name."},
        {"a.b", "1.3", "1", "Invalid View Name."},
        {"v", "1.3a", "1", subtree},
        {"v", "1.3 ", "1", subtree},
        {"v", "1.3.6.", "1", subtree + " ."},
        {"v", ".1.3", "1", subtree + " ."},
        {"v", "1..3", "1", subtree + " ."},
        {"v", "", "1", subtree + " ."},
        {"v", "1.3.6.1", " ", mask},
        {"v", "1.3.6.1", "2", mask},
        {"v", "1.3.6.1", "11", mask},
        {"v", "1.3.6.1", "1..1", mask},
        {"v", "1.3.6.1", "1.1.1.1.1", "Invalid  OID length"},
        {" v ", "1.3.6.1", "1.1.1.1", ""},
        {"v", "1.3.6.1", "1.1", ""},
        {"v", "1.3.6.1", "01.00.0.1", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSNMPViewTree::CheckEntry(c.name, c.subtree, c.mask), c.refusal)
            << c.name << "/" << c.subtree << "/" << c.mask;
    EXPECT_EQ(CSNMPConfig::ViewIndex("all", "1.3.6.1"), ".3.97.108.108.4.1.3.6.1");
}

TEST_F(ViewTableTest, ListsWritesAndDeletesEntries)
{
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPViewTree dialog;
    RunModal<CSNMPViewTree>(dialog, [&](CSNMPViewTree& d) {
        ASSERT_TRUE(WaitForViewWalk(d));
        EXPECT_EQ(d.GetWindowText(), "SNMP View Table Configuration");
        // old is not in service; restricted's mask has two octets only.
        EXPECT_EQ(ViewRows(d), (Rows{{"all", "1.3.6.1", "1.1.1.1", "Included"},
                                     {"restricted", "1.3.6.1.2.1.1", "1.1", "Excluded"}}));

        {
            BoxRecorder refused;
            FillView(d, "all", "1.3.6.1", "1", 0);
            ClickButton(d, IDC_SNMP_APPLY);
            FillView(d, "all", "1.3.6.1.", "1", 0);
            ClickButton(d, IDC_SNMP_APPLY);
            EXPECT_EQ(refused.Texts(),
                      (std::vector<std::string>{"This View Entry already exist.", "Please enter valid subtree OID ."}));
            EXPECT_TRUE(Sets().empty());
        }

        FillView(d, " all2 ", "1.3.6.1", "1.0.01.00", 1);
        ClickButton(d, IDC_SNMP_APPLY);
        ASSERT_TRUE(WaitForViewWalk(d));
        const std::string status = ViewOid(5, "all2", "1.3.6.1");
        EXPECT_EQ(Sets(), (RequestList{{Int(status, "5")},
                                       {Hex(ViewOid(3, "all2", "1.3.6.1"), "01000100"),
                                        Int(ViewOid(4, "all2", "1.3.6.1"), "2")},
                                       {Int(status, "1")}}));
        ASSERT_EQ(ViewRows(d).size(), 3u);
        EXPECT_EQ(ViewRows(d)[1], (std::vector<std::string>{"all2", "1.3.6.1", "1.0.1.0", "Excluded"}));
        EXPECT_EQ(d.GetDlgItem(IDC_SNMP_VIEW_NAME)->GetWindowText(), "");
        EXPECT_EQ(ComboSelection(d, IDC_SNMP_VIEW_TYPE), "Included");

        ClickRow(ViewList(d), 1);
        ClickButton(d, IDC_SNMP_VIEW_DELETE);
        ASSERT_TRUE(WaitForViewWalk(d));
        EXPECT_EQ(Sets().back(), std::vector<std::string>{Int(status, "6")});
        EXPECT_EQ(ViewList(d).GetItemCount(), 2);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_FALSE(sim->Has(ViewOid(5, "all2", "1.3.6.1")));
}

} // namespace snmp_agent_test

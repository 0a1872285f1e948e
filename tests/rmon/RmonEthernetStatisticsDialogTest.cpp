// The RMON Ethernet statistics dialog on the simulated switch: the valid rows
// with their counters and Delete buttons, the Apply checks with their
// messages, a creation that first removes the port's rows that are not valid,
// and a Delete click.
#include "features/poe_rmon/CRMONEthernetStatistics.h"
#include "resources/rmon.h"
#include "rmon/RmonTestSupport.h"

#include "platform/ui/CEdit.h"

namespace rmon_test {

using namespace rmontest;

namespace {

CReportCtrl& EtherList(CWnd& d)
{
    return Item<CReportCtrl>(d, IDC_RMON_ETHER_LIST);
}

std::vector<std::string> EtherRows(CWnd& d)
{
    return ListRows(d, IDC_RMON_ETHER_LIST, 8);
}

void EtherFill(CWnd& d, const std::string& index, const std::string& port, const std::string& owner)
{
    d.GetDlgItem(IDC_RMON_ETHER_INDEX)->SetWindowText(index);
    d.GetDlgItem(IDC_RMON_ETHER_PORT)->SetWindowText(port);
    d.GetDlgItem(IDC_RMON_ETHER_OWNER)->SetWindowText(owner);
}

class RmonEthernetStatisticsDialogTest : public RmonTest
{
protected:
    // The walk has ended and the list shows `rows` rows.
    bool WaitForList(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_RMON_ETHER_REFRESH) && EtherList(d).GetItemCount() == rows; }, 20000);
    }
};

} // namespace

TEST_F(RmonEthernetStatisticsDialogTest, ListsTheValidRowsWithTheirCounters)
{
    StartRmonSwitch();
    CRMONEthernetStatistics dialog;
    RunModal<CRMONEthernetStatistics>(dialog, [&](CRMONEthernetStatistics& d) {
        ASSERT_TRUE(WaitForList(d, 3));
        EXPECT_EQ(d.GetWindowText(), "RMON Ethernet Statistics Configuration");
        CReportCtrl& list = EtherList(d);
        ASSERT_EQ(list.GetColumnCount(), 9);
        EXPECT_EQ(list.GetHeaderText(5), "Broadcast \n Packets");
        EXPECT_EQ(list.GetHeaderText(8), "");
        // Rows 4 and 6 are not valid, row 3 is only the standard table's.
        EXPECT_EQ(EtherRows(d), (std::vector<std::string>{"1|1|11|3000000000|50000|300|200|alpha",
                                                     "2|3|0|2147483647|7|2|1|", "8|7|4294967295|4000000000|2147483648|9|8|big"}));
        for (int row = 0; row < 3; ++row) {
            QAbstractButton* button = ButtonOver(list, row, 8);
            ASSERT_NE(button, nullptr) << row;
            EXPECT_EQ(button->text().toStdString(), "Delete");
        }
        EXPECT_TRUE(Enabled(d, IDC_RMON_ETHER_APPLY));
        EXPECT_EQ(Item<CEdit>(d, IDC_RMON_ETHER_OWNER).GetLimitText(), 32U);
    });
}

TEST_F(RmonEthernetStatisticsDialogTest, ApplyRefusesWhatCannotBeCreated)
{
    StartRmonSwitch();
    struct Case
    {
        const char* index;
        const char* port;
        const char* message;
    };
    const Case cases[] = {
        {"", "2", "Index must be between 1 and 65535!"},
        {"0", "2", "Index must be between 1 and 65535!"},
        {"70000", "2", "Index must be between 1 and 65535!"},
        {"8", "2", "Index had already exits!"},
        {"12", "", "Port number must be between 1 and 28!"},
        {"12", "29", "Port number must be between 1 and 28!"},
        {"12", "7", "Setting error. Port number had already exits!"},
    };
    CRMONEthernetStatistics dialog;
    RunModal<CRMONEthernetStatistics>(dialog, [&](CRMONEthernetStatistics& d) {
        ASSERT_TRUE(WaitForList(d, 3));
        for (const Case& c : cases) {
            BoxRecorder boxes;
            EtherFill(d, c.index, c.port, "o");
            ClickButton(d, IDC_RMON_ETHER_APPLY);
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U) << c.index << "/" << c.port;
            EXPECT_EQ(calls[0].text, c.message);
            EXPECT_EQ(calls[0].type & 0xF, static_cast<UINT>(MB_OK));
        }
    });
    EXPECT_TRUE(SetLines().empty());
}

TEST_F(RmonEthernetStatisticsDialogTest, CreationRemovesThePortsRowsThatAreNotValidFirst)
{
    StartRmonSwitch();
    CRMONEthernetStatistics dialog;
    RunModal<CRMONEthernetStatistics>(dialog, [&](CRMONEthernetStatistics& d) {
        ASSERT_TRUE(WaitForList(d, 3));
        BoxRecorder boxes;
        // Index 4 is one of port 5's rows that are not valid.
        EtherFill(d, "4", "5", "lab");
        ClickButton(d, IDC_RMON_ETHER_APPLY);
        ASSERT_TRUE(WaitForList(d, 4));
        EXPECT_TRUE(boxes.Calls().empty());
        const std::string status4 = Cell(kEthernetEntry, 4, 4);
        EXPECT_EQ(SetLines(), (std::vector<std::string>{status4 + "|2|4", Cell(kEthernetEntry, 4, 6) + "|2|4",
                                                        status4 + "|2|2",
                                                        Cell(kEthernetEntry, 2, 4) + "|6|" + kIfIndex + ".5",
                                                        Cell(kEthernetEntry, 3, 4) + "|4|lab", status4 + "|2|1"}));
        const std::string row = EtherRows(d)[2]; // in index order
        EXPECT_EQ(row.substr(0, 4), "4|5|");
        EXPECT_EQ(row.substr(row.rfind('|')), "|lab");
        for (int id : {IDC_RMON_ETHER_INDEX, IDC_RMON_ETHER_PORT, IDC_RMON_ETHER_OWNER})
            EXPECT_EQ(d.GetDlgItem(id)->GetWindowText(), "");
    });
}

TEST_F(RmonEthernetStatisticsDialogTest, DeleteRemovesTheRowWithOneWriteAndOneNewWalk)
{
    StartRmonSwitch();
    CRMONEthernetStatistics dialog;
    RunModal<CRMONEthernetStatistics>(dialog, [&](CRMONEthernetStatistics& d) {
        ASSERT_TRUE(WaitForList(d, 3));
        const std::size_t walks = WalkStarts(kEthernetEntry + ".1");
        ASSERT_TRUE(ClickDelete(d, IDC_RMON_ETHER_LIST, 1, 8));
        ASSERT_TRUE(WaitForList(d, 2));
        PumpFor(500);
        EXPECT_EQ(SetLines(), (std::vector<std::string>{Cell(kEthernetEntry, 4, 2) + "|2|4"}));
        EXPECT_EQ(WalkStarts(kEthernetEntry + ".1"), walks + 1);
        EXPECT_EQ(EtherRows(d)[1].substr(0, 2), "8|");
        EXPECT_FALSE(sim->Has(Cell(kEthernetEntry, 4, 2)));
        // The rows left keep working buttons.
        EXPECT_NE(ButtonOver(EtherList(d), 1, 8), nullptr);
    });
}

TEST_F(RmonEthernetStatisticsDialogTest, ClosingWhileTheWalkRunsEndsItCleanly)
{
    StartRmonSwitch();
    ASSERT_TRUE(sim->SetReplyDelay(300));
    CRMONEthernetStatistics dialog;
    RunModal<CRMONEthernetStatistics>(dialog, [&](CRMONEthernetStatistics& d) {
        ASSERT_TRUE(Pump([&] { return !Requests("GETNEXT").empty(); }, 10000));
        EXPECT_FALSE(Enabled(d, IDC_RMON_ETHER_CLOSE));
        d.EndDialog(IDCANCEL);
    });
    const std::size_t asked = Requests("GETNEXT").size();
    PumpFor(1000);
    EXPECT_EQ(Requests("GETNEXT").size(), asked) << "the walk went on after the dialog closed";
}

} // namespace rmon_test

// The binding white list and black list dialogs on the simulated switch: the
// rows and their number, Delete with and without a selection, and the black
// list's Find over the rows of its last walk.
#include "features/security/CIMPBBlackList.h"
#include "features/security/CIMPBWhiteList.h"
#include "resources/impb.h"
#include "support/FeatureDialogTest.h"

namespace impb_test {

namespace {

const std::string kListsRoot = "1.3.6.1.4.1.32473.10.76.19.1.14.10";
const char* const kSelectToDelete = "Please select the item would be delete!\n";

using RequestList = std::vector<std::vector<std::string>>;

std::string Rows(CWnd& d, int listId, int columns)
{
    CListCtrl& list = Item<CListCtrl>(d, listId);
    std::string text;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        text += row ? " / " : "";
        for (int col = 0; col < columns; ++col)
            text += (col ? "|" : "") + list.GetItemText(row, col);
    }
    return text;
}

class BindingListsTest : public FeatureDialogTest
{
protected:
    void StartImpbSwitch(const std::vector<std::string>& fixtures = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("impb.snmprec")};
        for (const std::string& name : fixtures)
            files.push_back(std::string(KORVEL_SOURCE_DIR) + "/tests/impb/fixtures/" + name);
        StartSwitch(files, 28);
    }
};

// A walk has ended: the buttons are back.
bool WaitForList(CWnd& d, int refreshId)
{
    return Pump([&] { return Enabled(d, refreshId); }, 20000);
}

} // namespace

TEST_F(BindingListsTest, WhiteListShowsItsRowsAndDeletesTheSelectedOne)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CIMPBWhiteList dialog;
    RunModal<CIMPBWhiteList>(dialog, [&](CIMPBWhiteList& d) {
        ASSERT_TRUE(WaitForList(d, IDC_WL_REFRESH));
        EXPECT_EQ(d.GetWindowText(), "White List");
        EXPECT_EQ(Rows(d, IDC_WL_LIST, 3),
                  "192.168.0.20|00-1A-2B-3C-4D-01|3 / 192.168.0.21|00-1A-2B-00-00-00|4 / |00-1A-2B-3C-4D-03|6");
        EXPECT_EQ(d.GetDlgItem(IDC_WL_TOTAL)->GetWindowText(), "3");

        ClickButton(d, IDC_WL_DELETE);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, kSelectToDelete);
        EXPECT_TRUE(Requests("SET").empty());

        ClickRow(Item<CListCtrl>(d, IDC_WL_LIST), 0);
        ClickButton(d, IDC_WL_DELETE);
        EXPECT_EQ(Requests("SET"), (RequestList{{kListsRoot + ".3.1.4.4.192.168.0.20.0.26.43.60.77.1|2|6"}}));
        ASSERT_TRUE(WaitForList(d, IDC_WL_REFRESH));
        EXPECT_EQ(d.GetDlgItem(IDC_WL_TOTAL)->GetWindowText(), "2");
        EXPECT_EQ(boxes.Calls().size(), 1u);
    });
}

TEST_F(BindingListsTest, AnEmptyWhiteListCountsNone)
{
    StartImpbSwitch({"empty-white-list.snmprec"});
    CIMPBWhiteList dialog;
    RunModal<CIMPBWhiteList>(dialog, [&](CIMPBWhiteList& d) {
        ASSERT_TRUE(WaitForList(d, IDC_WL_REFRESH));
        EXPECT_EQ(Item<CListCtrl>(d, IDC_WL_LIST).GetItemCount(), 0);
        EXPECT_EQ(d.GetDlgItem(IDC_WL_TOTAL)->GetWindowText(), "0");
    });
}

TEST_F(BindingListsTest, BlackListFindShowsTheRowsOfTheLastWalkThatMatch)
{
    StartImpbSwitch();
    const std::string v4 = "1|10.1.1.2|00-1A-2B-3C-4D-5E|5";
    const std::string v6 = "2|2001:db8::10|00-1A-2B-3C-4D-60|6";
    struct Case
    {
        const char* vid;
        const char* ip;
        const char* mac;
        const char* port;
        std::string shown;
        const char* message; // nullptr: none
    };
    const Case cases[] = {
        {"", "", "00-1a-2b-3c-4d-5e", "", v4, nullptr},
        {"2", "", "", "6", v6, nullptr},
        {"1", "", "", "6", "", nullptr},
        {"", "2001:db8:0:0:0:0:0:10", "", "", v6, nullptr},
        {"", "", "", "", v4 + " / " + v6, nullptr},
        {"", "10.1.1.300", "", "", v4 + " / " + v6, "Please enter correct IP format."},
        {"", "", "00-1A-2B", "", v4 + " / " + v6, "Please enter correct MAC format(ex:00-00-00-00-00-01)"},
    };
    CIMPBBlackList dialog;
    RunModal<CIMPBBlackList>(dialog, [&](CIMPBBlackList& d) {
        ASSERT_TRUE(WaitForList(d, IDC_BL_REFRESH));
        EXPECT_EQ(d.GetWindowText(), "Black List");
        EXPECT_EQ(Rows(d, IDC_BL_LIST, 4), v4 + " / " + v6);
        EXPECT_EQ(d.GetDlgItem(IDC_BL_TOTAL)->GetWindowText(), "2");
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.vid) + "|" + c.ip + "|" + c.mac + "|" + c.port);
            d.GetDlgItem(IDC_BL_VID)->SetWindowText(c.vid);
            d.GetDlgItem(IDC_BL_IP)->SetWindowText(c.ip);
            d.GetDlgItem(IDC_BL_MAC)->SetWindowText(c.mac);
            d.GetDlgItem(IDC_BL_PORT)->SetWindowText(c.port);
            BoxRecorder boxes;
            ClickButton(d, IDC_BL_FIND);
            const auto calls = boxes.Calls();
            if (c.message != nullptr) {
                ASSERT_EQ(calls.size(), 1u);
                EXPECT_EQ(calls[0].text, c.message);
                // The criteria stay for the user to correct.
                EXPECT_EQ(d.GetDlgItem(IDC_BL_MAC)->GetWindowText(), c.mac);
            } else {
                EXPECT_TRUE(calls.empty());
                EXPECT_EQ(d.GetDlgItem(IDC_BL_MAC)->GetWindowText(), "");
            }
            EXPECT_EQ(Rows(d, IDC_BL_LIST, 4), c.shown);
            EXPECT_EQ(d.GetDlgItem(IDC_BL_TOTAL)->GetWindowText(), "2");
        }
        EXPECT_TRUE(Requests("SET").empty());
    });
}

TEST_F(BindingListsTest, BlackListDeleteRemovesTheSelectedEntry)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CIMPBBlackList dialog;
    RunModal<CIMPBBlackList>(dialog, [&](CIMPBBlackList& d) {
        ASSERT_TRUE(WaitForList(d, IDC_BL_REFRESH));
        ClickButton(d, IDC_BL_DELETE);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, kSelectToDelete);
        EXPECT_TRUE(Requests("SET").empty());

        ClickRow(Item<CListCtrl>(d, IDC_BL_LIST), 0);
        ClickButton(d, IDC_BL_DELETE);
        EXPECT_EQ(Requests("SET"), (RequestList{{kListsRoot + ".4.1.5.0.26.43.60.77.94.1.5|2|1"}}));
        ASSERT_TRUE(WaitForList(d, IDC_BL_REFRESH));
        EXPECT_EQ(Rows(d, IDC_BL_LIST, 4), "2|2001:db8::10|00-1A-2B-3C-4D-60|6");
        EXPECT_EQ(d.GetDlgItem(IDC_BL_TOTAL)->GetWindowText(), "1");
    });
}

} // namespace impb_test

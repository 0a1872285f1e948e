// The ARP Spoofing Prevention list on the sample model's switch: the rows
// listed, the entry limit of Add, and Delete.
#include "arp/ArpTestSupport.h"
#include "features/security/CARPSpoofSetting.h"
#include "resources/arp.h"

#include "platform/ui/CListCtrl.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QTimer>

namespace arp_test {

using namespace arptest;

namespace {

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_ARP_LIST);
}

std::string Row(CWnd& d, int row)
{
    std::string text;
    for (int col = 0; col < 4; ++col)
        text += (col ? "|" : "") + List(d).GetItemText(row, col);
    return text;
}

// The caption of the dialog that runs modally over `owner` once it shows;
// it is then cancelled. Empty when none came up.
std::string CancelNestedDialog(CWnd& owner)
{
    std::string caption;
    PumpUntil(
        [&] {
            QWidget* top = QApplication::activeModalWidget();
            WindowRecord* rec = top == nullptr ? nullptr : WindowRegistry::FromWidget(top);
            if (rec == nullptr) {
                for (QWidget* child : top ? top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly) : QList<QWidget*>{})
                    if ((rec = WindowRegistry::FromWidget(child)) != nullptr)
                        break;
            }
            CWnd* wnd = rec == nullptr ? nullptr : CWnd::FromHandle(rec->hwnd);
            if (wnd == nullptr || wnd == &owner)
                return false;
            caption = wnd->GetWindowText();
            static_cast<CDialog*>(wnd)->EndDialog(IDCANCEL);
            return true;
        },
        5000);
    return caption;
}

class ArpListDialogTest : public ArpTest
{
protected:
    void Run(const std::function<void(CARPSpoofSetting&)>& act)
    {
        CARPSpoofSetting dialog;
        RunModal<CARPSpoofSetting>(dialog, [&](CARPSpoofSetting& d) {
            ASSERT_TRUE(Settled());
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_ARP_REFRESH); }));
            act(d);
        });
    }
};

} // namespace

TEST_F(ArpListDialogTest, ListsActiveRowsWithARunningIndexAndTheirPortsAsRanges)
{
    StartPuffin();
    AddRow("10.0.0.1", "5", std::string("\x00\x11\x22\x33\x44\x01", 6), std::string("\xf0\x00\x00\x00", 4));
    AddRow("10.0.0.2", "4", std::string("\x00\x1a\x2b\x3c\x4d\x5e", 6), std::string("\xe8\x00\x00\x00", 4));
    Run([&](CARPSpoofSetting& d) {
        EXPECT_EQ(d.GetWindowText(), "ARP Spoofing Prevention Setting");
        ASSERT_EQ(List(d).GetItemCount(), 2);
        EXPECT_EQ(Row(d, 0), "1|10.0.0.2|00-1A-2B-3C-4D-5E|1-3,5");
        EXPECT_EQ(List(d).GetItemText(1, 0), "2");
        EXPECT_EQ(List(d).GetItemText(1, 1), "192.168.1.254");
        EXPECT_EQ(List(d).GetItemText(1, 3), "2-3");
        EXPECT_EQ(d.GetDlgItem(IDC_ARP_TOTAL)->GetWindowText(), "2");
    });
}

TEST_F(ArpListDialogTest, AddOpensTheEntryDialogBelow64EntriesAndIsRefusedAt64)
{
    StartPuffin();
    for (int i = 1; i <= 62; ++i)
        AddRow("10.0.1." + std::to_string(i), "4");
    Run([&](CARPSpoofSetting& d) {
        ASSERT_EQ(List(d).GetItemCount(), 63);
        std::string caption;
        QTimer::singleShot(0, [&] { caption = CancelNestedDialog(d); });
        ClickButton(d, IDC_ARP_ADD);
        EXPECT_EQ(caption, "ARP Spoofing Prevention Settings");
        ASSERT_TRUE(Settled());

        AddRow("10.0.2.1", "4");
        ClickButton(d, IDC_ARP_REFRESH);
        ASSERT_TRUE(Settled());
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_ARP_REFRESH) && List(d).GetItemCount() == 64; }));
        BoxRecorder boxes;
        ClickButton(d, IDC_ARP_ADD);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The Maximum of Entry is 64, can not add any more"});
    });
}

TEST_F(ArpListDialogTest, DeleteDestroysTheSelectedRowAndNeedsASelection)
{
    StartPuffin();
    AddRow("10.0.0.2", "4");
    const std::size_t setsBefore = Requests("SET").size();
    Run([&](CARPSpoofSetting& d) {
        {
            BoxRecorder boxes;
            ClickButton(d, IDC_ARP_DELETE);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select the entry you would be delete!"});
        }
        EXPECT_TRUE(SetsSince(setsBefore).empty());
        ClickRow(List(d), 0);
        ClickButton(d, IDC_ARP_DELETE);
        ASSERT_TRUE(Settled());
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_ARP_REFRESH); }));
        ASSERT_EQ(List(d).GetItemCount(), 1);
        EXPECT_EQ(List(d).GetItemText(0, 1), "192.168.1.254");
    });
    EXPECT_EQ(SetsSince(setsBefore), (std::vector<std::vector<std::string>>{{Column(4, "10.0.0.2") + "|2|6"}}));
    EXPECT_FALSE(sim->Has(Column(4, "10.0.0.2")));
}

} // namespace arp_test

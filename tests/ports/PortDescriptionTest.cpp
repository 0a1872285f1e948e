// The port description dialog on the simulated switch: the list, writing one
// text to a range of ports, the port boxes, a refused write and closing
// during a walk.
#include "features/ports_vlans/CPortDescription.h"
#include "ports/PortsTestSupport.h"
#include "resources/ports_vlans.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace ports_test {

namespace {

bool WaitForList(CPortDescription& d)
{
    return PumpUntil(
        [&] { return Enabled(d, IDC_PORTDESC_REFRESH) && Item<CListCtrl>(d, IDC_PORTDESC_LIST).GetItemCount() > 0; },
        20000);
}

// The ports each SET request carried, as "first-last" per request.
std::vector<std::string> PortRanges(const std::vector<std::vector<std::string>>& requests)
{
    std::vector<std::string> ranges;
    for (const auto& bindings : requests) {
        auto portOf = [](const std::string& binding) {
            const std::string oid = binding.substr(0, binding.find('|'));
            return oid.substr(oid.rfind('.') + 1);
        };
        ranges.push_back(portOf(bindings.front()) + "-" + portOf(bindings.back()) + " (" +
                         std::to_string(bindings.size()) + ")");
    }
    return ranges;
}

class PortDescriptionTest : public PortsTest
{
};

} // namespace

TEST_F(PortDescriptionTest, TextIsWrittenToTheRangeInRequestsOfFifteenAndReadBack)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    BoxRecorder boxes(IDOK);
    const std::string text = "Büro 3. Stock – Raum ☎";
    CPortDescription dialog;
    RunModal<CPortDescription>(dialog, [&](CPortDescription& d) {
        ASSERT_TRUE(WaitForList(d));
        EXPECT_EQ(d.GetWindowText(), "Port Description: " + sim->Host());
        CListCtrl& list = Item<CListCtrl>(d, IDC_PORTDESC_LIST);
        ASSERT_EQ(list.GetItemCount(), 28);
        EXPECT_EQ(list.GetItemText(0, 0), "1");
        EXPECT_EQ(list.GetItemText(0, 1), "Uplink");
        EXPECT_EQ(list.GetItemText(27, 0), "28");

        ChooseInCombo(d, IDC_PORTDESC_TO, 27);
        d.GetDlgItem(IDC_PORTDESC_TEXT)->SetWindowText(text);
        ClickButton(d, IDC_PORTDESC_APPLY);
        EXPECT_EQ(d.GetDlgItem(IDC_PORTDESC_TEXT)->GetWindowText(), "");
        ASSERT_TRUE(WaitForList(d));
        for (int row = 0; row < 28; ++row)
            EXPECT_EQ(list.GetItemText(row, 1), text) << row;

        // An empty text empties the description.
        ChooseInCombo(d, IDC_PORTDESC_FROM, 4);
        EXPECT_EQ(ComboSelection(d, IDC_PORTDESC_TO), "5");
        ClickButton(d, IDC_PORTDESC_APPLY);
        ASSERT_TRUE(WaitForList(d));
        EXPECT_EQ(list.GetItemText(4, 1), "");
        EXPECT_EQ(list.GetItemText(5, 1), text);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(PortRanges(Requests("SET")), (std::vector<std::string>{"1-15 (15)", "16-28 (13)", "5-5 (1)"}));
    EXPECT_EQ(sim->Get(DescriptionOid(1)), text);
    EXPECT_EQ(sim->Get(DescriptionOid(28)), text);
    EXPECT_EQ(sim->Get(DescriptionOid(5)), "");
}

TEST_F(PortDescriptionTest, PortBoxesFollowThePortCountAndToNeverGoesBelowFrom)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData(), ModelData("KVT-CorvidR2")}, 10);
    BoxRecorder boxes(IDOK);
    CPortDescription dialog;
    RunModal<CPortDescription>(dialog, [&](CPortDescription& d) {
        ASSERT_TRUE(WaitForList(d));
        EXPECT_EQ(Item<CListCtrl>(d, IDC_PORTDESC_LIST).GetItemCount(), 10);
        for (int id : {IDC_PORTDESC_FROM, IDC_PORTDESC_TO}) {
            EXPECT_EQ(Item<CComboBox>(d, id).GetCount(), 10);
            EXPECT_EQ(ComboSelection(d, id), "1");
        }
        ChooseInCombo(d, IDC_PORTDESC_FROM, 4);
        EXPECT_EQ(ComboSelection(d, IDC_PORTDESC_TO), "5");
        ChooseInCombo(d, IDC_PORTDESC_TO, 2);
        EXPECT_EQ(ComboSelection(d, IDC_PORTDESC_TO), "5");
        ChooseInCombo(d, IDC_PORTDESC_TO, 9);
        EXPECT_EQ(ComboSelection(d, IDC_PORTDESC_TO), "10");

        // At most 32 characters are typed, whatever they are.
        auto* edit = static_cast<QLineEdit*>(d.GetDlgItem(IDC_PORTDESC_TEXT)->GetWidget());
        for (int i = 0; i < 40; ++i) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("ä"));
            QApplication::sendEvent(edit, &key);
        }
        EXPECT_EQ(d.GetDlgItem(IDC_PORTDESC_TEXT)->GetWindowText().size(), 32U * 2);
    });
    EXPECT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text, "'To Port' can not be smaller than 'From Port'");
}

TEST_F(PortDescriptionTest, WriteWithARefusedRequestFailsAndKeepsTheList)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    // The first request (ports 1-15) is refused: the second is not sent.
    ASSERT_TRUE(sim->RefuseNextSet(DescriptionOid(3), 5));
    const std::string before20 = sim->Get(DescriptionOid(20));
    BoxRecorder boxes;
    CPortDescription dialog;
    RunModal<CPortDescription>(dialog, [&](CPortDescription& d) {
        ASSERT_TRUE(WaitForList(d));
        const std::size_t stepsBefore = Requests("GETNEXT").size();
        ChooseInCombo(d, IDC_PORTDESC_TO, 27);
        d.GetDlgItem(IDC_PORTDESC_TEXT)->SetWindowText("spare");
        ClickButton(d, IDC_PORTDESC_APPLY);
        // No re-read: the buttons are back at once and the list keeps its rows.
        for (int id : {IDC_PORTDESC_REFRESH, IDC_PORTDESC_APPLY, IDC_PORTDESC_CLOSE})
            EXPECT_TRUE(Enabled(d, id));
        EXPECT_EQ(Requests("GETNEXT").size(), stepsBefore);
        EXPECT_EQ(Item<CListCtrl>(d, IDC_PORTDESC_LIST).GetItemText(2, 1), "Printer");
    });
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0].text, "Could not write the description of ports 1-15: the switch refused it (general error).\n"
                             "Nothing was written.");
    EXPECT_EQ(Requests("SET").size(), 1U);
    EXPECT_EQ(sim->Get(DescriptionOid(3)), "Printer");
    EXPECT_EQ(sim->Get(DescriptionOid(20)), before20);
}

TEST_F(PortDescriptionTest, EscapeDuringAWalkClosesTheDialog)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    ASSERT_TRUE(sim->SetReplyDelay(40));
    {
        CPortDescription dialog;
        const INT_PTR result = RunModal<CPortDescription>(dialog, [&](CPortDescription& d) {
            PumpUntil([&] { return Requests("GETNEXT").size() >= 5; });
            EXPECT_FALSE(Enabled(d, IDC_PORTDESC_CLOSE));
            SendKey(d.GetDlgItem(IDC_PORTDESC_LIST)->GetWidget(), Qt::Key_Escape);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
    const std::size_t requestsAfterClose = sim->LogLines().size();
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(sim->LogLines().size(), requestsAfterClose);
}

} // namespace ports_test

// The smart binding page on the simulated switch: the learned entries, Add's
// refusals and its white-list entry, Binding, and the scan with its re-reads
// until the number of rows stops changing.
#include "features/security/CIMPBSmartBinding.h"
#include "resources/impb.h"
#include "support/FeatureDialogTest.h"

#include <QElapsedTimer>

namespace impb_test {

namespace {

const std::string kBinding = "1.3.6.1.4.1.32473.10.76.19.1.14.10";

CListCtrl& LearnedList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SB_LIST);
}

std::string LearnedRow(CWnd& d, int row)
{
    std::string text;
    for (int col = 0; col < 5; ++col)
        text += (col ? "|" : "") + LearnedList(d).GetItemText(row, col);
    return text;
}

bool WaitForLearned(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SB_REFRESH) && Enabled(d, IDC_SB_SCAN); }, 20000);
}

class SmartBindingPageTest : public FeatureDialogTest
{
protected:
    void StartImpbSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("impb.snmprec")}, 28);
    }
    // How many learned walks have started.
    std::size_t LearnedWalks() const
    {
        std::size_t count = 0;
        for (const auto& request : Requests("GETNEXT"))
            if (!request.empty() && request[0] == kBinding + ".2.1.1|5|")
                ++count;
        return count;
    }
};

} // namespace

TEST_F(SmartBindingPageTest, AddRefusesBadInputAndAddsTheEntryToTheWhiteList)
{
    StartImpbSwitch();
    struct Case
    {
        const char* ip;
        const char* mac;
        const char* port;
        const char* message;
    };
    const Case cases[] = {
        {"fe80::1%eth0", "00-1A-2B-3C-4D-09", "5", "Invalid IP Address."},
        {"10.0.0.300", "00-1A-2B-3C-4D-09", "5", "Invalid IP Address."},
        {"192.168.0.30", "00-1A-2B", "5", "Please enter correct MAC format(ex:00-00-00-00-00-01)"},
        {"192.168.0.30", "01-00-5E-00-00-01", "5", "Multicast MAC is not allowed."},
        {"192.168.0.30", "00-1A-2B-3C-4D-09", "0", "Invalid port number."},
        {"192.168.0.30", "00-1A-2B-3C-4D-09", "", "Invalid port number."},
        {"192.168.0.30", "00-1A-2B-3C-4D-09", "29", "Invalid port number."},
        {"192.168.0.30", "00-1A-2B-3C-4D-09", "5", "Success."},
    };
    CIMPBSmartBinding dialog;
    RunModal<CIMPBSmartBinding>(dialog, [&](CIMPBSmartBinding& d) {
        ASSERT_TRUE(WaitForLearned(d));
        EXPECT_EQ(d.GetWindowText(), "Smart Binding");
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.ip) + " " + c.mac + " " + c.port);
            d.GetDlgItem(IDC_SB_ADDRESS)->SetWindowText(c.ip);
            d.GetDlgItem(IDC_SB_MAC)->SetWindowText(c.mac);
            d.GetDlgItem(IDC_SB_PORT)->SetWindowText(c.port);
            BoxRecorder boxes;
            ClickButton(d, IDC_SB_ADD);
            ASSERT_EQ(boxes.Calls().size(), 1u);
            EXPECT_EQ(boxes.Calls()[0].text, c.message);
        }
        const std::string index = ".4.192.168.0.30.0.26.43.60.77.9";
        EXPECT_EQ(Requests("SET"), (std::vector<std::vector<std::string>>{{kBinding + ".3.1.4" + index + "|2|5"},
                                                                           {kBinding + ".3.1.3" + index + "|2|5"},
                                                                           {kBinding + ".3.1.4" + index + "|2|1"}}));
        for (int id : {IDC_SB_ADDRESS, IDC_SB_MAC, IDC_SB_PORT})
            EXPECT_EQ(d.GetDlgItem(id)->GetWindowText(), "") << id;
    });
}

TEST_F(SmartBindingPageTest, BindingBindsANotBoundEntryOnly)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CIMPBSmartBinding dialog;
    RunModal<CIMPBSmartBinding>(dialog, [&](CIMPBSmartBinding& d) {
        ASSERT_TRUE(WaitForLearned(d));
        ASSERT_EQ(LearnedList(d).GetItemCount(), 2);
        EXPECT_EQ(LearnedRow(d, 0), "1|10.0.0.2|00-1A-2B-3C-4D-5E|7|Not Binding");
        EXPECT_EQ(LearnedRow(d, 1), "1|2001:0db8:0000:0000:0000:0000:0000:0001|00-1A-2B-3C-4D-5F|8|Not Binding");

        ClickButton(d, IDC_SB_BINDING);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Please select the item would be binding!\n");

        ClickRow(LearnedList(d), 1);
        ClickButton(d, IDC_SB_BINDING);
        const std::string oid = kBinding + ".2.1.5.0.26.43.60.77.95.8.16.32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1";
        EXPECT_EQ(Requests("SET"), (std::vector<std::vector<std::string>>{{oid + "|2|1"}}));
        ASSERT_TRUE(Pump([&] { return LearnedList(d).GetItemText(1, 4) == "Binding"; }, 20000));
        ASSERT_TRUE(WaitForLearned(d));

        ClickRow(LearnedList(d), 1);
        ClickButton(d, IDC_SB_BINDING);
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[1].text, "The entry is binding.");
        EXPECT_EQ(Requests("SET").size(), 1u);
    });
}

TEST_F(SmartBindingPageTest, ScanRefusesMixedFamiliesAndRereadsUntilTheCountSettles)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CIMPBSmartBinding dialog;
    RunModal<CIMPBSmartBinding>(dialog, [&](CIMPBSmartBinding& d) {
        ASSERT_TRUE(WaitForLearned(d));
        const struct
        {
            const char* from;
            const char* to;
            const char* message;
        } refusals[] = {
            {"", "192.168.0.2", "Invalid From IP Address."},
            {"192.168.0.1", "192.168.0", "Invalid To IP Address."},
            {"192.168.0.1", "2001:db8::1", "Invalid IP address !"},
        };
        for (const auto& r : refusals) {
            d.GetDlgItem(IDC_SB_SCAN_FROM)->SetWindowText(r.from);
            d.GetDlgItem(IDC_SB_SCAN_TO)->SetWindowText(r.to);
            ClickButton(d, IDC_SB_SCAN);
            ASSERT_FALSE(boxes.Calls().empty());
            EXPECT_EQ(boxes.Calls().back().text, r.message);
        }
        EXPECT_TRUE(Requests("SET").empty());

        // A range downwards is sent as it is.
        d.GetDlgItem(IDC_SB_SCAN_FROM)->SetWindowText("192.168.0.200");
        d.GetDlgItem(IDC_SB_SCAN_TO)->SetWindowText("192.168.0.100");
        const std::size_t walks = LearnedWalks();
        QElapsedTimer clock;
        clock.start();
        ClickButton(d, IDC_SB_SCAN);
        EXPECT_EQ(Requests("SET"), (std::vector<std::vector<std::string>>{
                                       {kBinding + ".5.0|4x|c0a800c8", kBinding + ".6.0|4x|c0a80064"},
                                       {kBinding + ".7.0|2|1"}}));
        EXPECT_EQ(d.GetDlgItem(IDC_SB_SCAN_FROM)->GetWindowText(), "");
        EXPECT_FALSE(Enabled(d, IDC_SB_SCAN));
        // The first tick re-reads (the switch has learned three hosts by
        // then), the second re-reads as the count changed, the third stops.
        ASSERT_TRUE(Pump([&] { return LearnedWalks() == walks + 2 && Enabled(d, IDC_SB_REFRESH); }, 30000));
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SB_SCAN) && clock.elapsed() > 11000; }, 30000));
        EXPECT_EQ(LearnedWalks(), walks + 2);
        EXPECT_EQ(LearnedList(d).GetItemCount(), 5);
        EXPECT_EQ(LearnedRow(d, 0), "1|192.168.0.200|00-0A-0B-0C-0D-01|1|Not Binding");
        // No more re-reads after the last tick.
        PumpFor(4500);
        EXPECT_EQ(LearnedWalks(), walks + 2);
    });
}

} // namespace impb_test

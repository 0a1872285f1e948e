// The firmware and configuration transfer dialog on the simulated switch:
// transfers that reach their end, what Apply refuses, the file name's limit,
// the switch's failure answers and refusals, and the dialog's window.
#include "firmware/FirmwareTestSupport.h"

#include <QKeyEvent>
#include <QLineEdit>

using namespace firmwaretest;

namespace {

const std::string kQuestion = "The connection will be disconnected.\nPlease do not apply other changes when uploading.\n"
                              "Reconnect to the device later when uploading completes.";

} // namespace

TEST_F(FirmwareTest, OpensIdleWithTheListsAndNoBar)
{
    StartFirmwareSwitch("1");
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        EXPECT_EQ(d.GetWindowText(), "Firmware and Configuration Upgrade/Backup");
        EXPECT_EQ(ComboSelection(d, IDC_FIRM_OPERATION), "Upgrade");
        EXPECT_EQ(Item<CComboBox>(d, IDC_FIRM_OPERATION).GetCount(), 2);
        EXPECT_EQ(ComboSelection(d, IDC_FIRM_FILE_TYPE), "Configuration");
        EXPECT_EQ(Item<CComboBox>(d, IDC_FIRM_FILE_TYPE).GetCount(), 2);
        EXPECT_FALSE(Visible(d, IDC_FIRM_PROGRESS));
        EXPECT_FALSE(Visible(d, IDC_FIRM_PROGRESS_LABEL));
        EXPECT_TRUE(InputsEnabled(d));
    });
    EXPECT_TRUE(Requests("SET").empty());
}

// A configuration upgrade over IPv4: the question, the three writes on the
// configuration branch, the first poll 3 s after the operation, a poll each
// second while the switch prepares, the bar moving 1, 3, 5 ... and at 99
// behind "Success!", then empty with the inputs back.
TEST_F(FirmwareTest, ConfigurationUpgradeReachesSuccess)
{
    StartFirmwareSwitch("4:3500,3:6000,1");
    Boxes boxes;
    RequestClock clock(*sim);
    std::vector<int> bars;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "switch.cfg", kUpgrade, kConfiguration);
        ClickButton(d, IDC_FIRM_APPLY);
        EXPECT_TRUE(Visible(d, IDC_FIRM_PROGRESS));
        EXPECT_TRUE(Visible(d, IDC_FIRM_PROGRESS_LABEL));
        EXPECT_FALSE(Enabled(d, IDCANCEL));
        ASSERT_TRUE(Pump(
            [&] {
                clock.Sample();
                if (bars.empty() || bars.back() != Bar(d))
                    bars.push_back(Bar(d));
                return boxes.Count() >= 2 && InputsEnabled(d);
            },
            40000));
        EXPECT_EQ(Bar(d), 0);
        EXPECT_TRUE(Visible(d, IDC_FIRM_PROGRESS));
    });
    const std::vector<Box> shown = boxes.All();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, kQuestion);
    EXPECT_EQ(shown[0].type, UINT(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST));
    EXPECT_EQ(shown[1].text, "Success!");
    EXPECT_EQ(shown[1].type, UINT(MB_OK | MB_TOPMOST));
    EXPECT_EQ(shown[1].bar, 99);

    EXPECT_EQ(Requests("SET"), (std::vector<std::vector<std::string>>{
                                   {kConfig + ".2.0|2|1"},
                                   {kConfig + ".1.0|4x|c0a80105", kConfig + ".4.0|4|switch.cfg"},
                                   {kConfig + ".5.0|2|1"}}));
    EXPECT_EQ(sim->Get(kConfig + ".4.0"), "switch.cfg");

    const auto operation = clock.Times("SET", kConfig + ".5.0|");
    const auto polls = clock.Times("GET", kConfig + ".6.0|");
    ASSERT_EQ(operation.size(), 1u);
    ASSERT_GE(polls.size(), 4u);
    EXPECT_GE(Ms(polls[0] - operation[0]), 2800);
    EXPECT_LE(Ms(polls[0] - operation[0]), 5500);
    // "4" until 3.5 s: the next poll a second later.
    EXPECT_GE(Ms(polls[1] - polls[0]), 900);
    EXPECT_LE(Ms(polls[1] - polls[0]), 2500);
    for (const std::string& line : sim->LogLines())
        EXPECT_EQ(line.find(kFirmware + "."), std::string::npos) << line;

    // 0 (hidden), then 1, 3, 5 ... as the progress timer moves it, 99 at the
    // end, then 0 again.
    ASSERT_GE(bars.size(), 4u);
    EXPECT_EQ(bars[0], 0);
    EXPECT_EQ(bars[1], 1);
    EXPECT_EQ(bars[2], 3);
    EXPECT_EQ(bars.back(), 0);
    for (std::size_t i = 2; i + 1 < bars.size() && bars[i] != 99; ++i)
        EXPECT_EQ(bars[i], bars[i - 1] + 2);
    EXPECT_EQ(g_nStatusTimeoutCount, 0);
}

// A firmware backup to an IPv6 server asks nothing, writes 16 octets, type 2
// and operation 2 on the firmware branch, and polls first after 15 s.
TEST_F(FirmwareTest, FirmwareBackupOverIpv6ReachesSuccess)
{
    StartFirmwareSwitch("4:1000,3:2000,0");
    Boxes boxes;
    RequestClock clock(*sim);
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "2001:DB8::5", "image.bin", kBackup, kFirmwareFile);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(WaitForEnd(d, boxes, 1, 40000, &clock));
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Success!"});
    EXPECT_EQ(Requests("SET"),
              (std::vector<std::vector<std::string>>{
                  {kFirmware + ".2.0|2|2"},
                  {kFirmware + ".1.0|4x|20010db8000000000000000000000005", kFirmware + ".4.0|4|image.bin"},
                  {kFirmware + ".5.0|2|2"}}));
    const auto operation = clock.Times("SET", kFirmware + ".5.0|");
    const auto polls = clock.Times("GET", kFirmware + ".6.0|");
    ASSERT_EQ(operation.size(), 1u);
    ASSERT_EQ(polls.size(), 1u);
    EXPECT_GE(Ms(polls[0] - operation[0]), 14000);
    EXPECT_LE(Ms(polls[0] - operation[0]), 18500);
}

// The switch's failure answer, for each kind and operation (timers scaled:
// the firmware's first poll comes after 3 s).
TEST_F(FirmwareTest, FailureAnswerShowsTheTextOfKindAndOperation)
{
    struct Case
    {
        int operation;
        int fileType;
        const char* text;
    };
    const Case cases[] = {
        {kUpgrade, kFirmwareFile, "Firmware Upgrade Fail!"},
        {kBackup, kFirmwareFile, "Firmware Backup Fail!"},
        {kUpgrade, kConfiguration, "Config File Upgrade Fail!"},
        {kBackup, kConfiguration, "Config File Backup Fail!"},
    };
    StartFirmwareSwitch("4:200,3:300,2");
    SetWindowTimerScale(0.2);
    Boxes boxes;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "10.1.1.9", "f", kUpgrade, kConfiguration);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.text);
            const std::size_t before = boxes.Count();
            Item<CComboBox>(d, IDC_FIRM_OPERATION).SetCurSel(c.operation);
            Item<CComboBox>(d, IDC_FIRM_FILE_TYPE).SetCurSel(c.fileType);
            ClickButton(d, IDC_FIRM_APPLY);
            const std::size_t expected = before + (c.operation == kUpgrade ? 2 : 1);
            ASSERT_TRUE(WaitForEnd(d, boxes, expected, 20000));
            EXPECT_EQ(boxes.Texts().back(), c.text);
            EXPECT_EQ(Bar(d), 0);
        }
    });
}

TEST_F(FirmwareTest, ApplyRefusalsSendNothingOrOnlyTheRefusedAddressType)
{
    StartFirmwareSwitch("1");
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        {
            // Cancel on the question: nothing sent, the bar stays hidden.
            Boxes boxes(IDCANCEL);
            Fill(d, "192.168.1.5", "a.cfg", kUpgrade, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kQuestion});
            EXPECT_FALSE(Visible(d, IDC_FIRM_PROGRESS));
            EXPECT_TRUE(InputsEnabled(d));
        }
        {
            // An address that is none: the bar shows, nothing is sent.
            Boxes boxes;
            Fill(d, "192.168.1.0", "a.cfg", kBackup, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Invalid TFTP server IP."});
            EXPECT_TRUE(Visible(d, IDC_FIRM_PROGRESS));
            EXPECT_TRUE(InputsEnabled(d));
            // A link-local address would need an interface name, which the
            // switch's server address does not take.
            Fill(d, "fe80::1%eth0", "a.cfg", kBackup, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            EXPECT_EQ(boxes.Texts().back(), "Invalid TFTP server IP.");
        }
        EXPECT_TRUE(Requests("SET").empty());
        {
            // No file name: refused before anything is written.
            Boxes boxes;
            Fill(d, "192.168.1.5", "", kBackup, kFirmwareFile);
            ClickButton(d, IDC_FIRM_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Invalid file."});
            EXPECT_TRUE(InputsEnabled(d));
        }
        EXPECT_TRUE(Requests("SET").empty());
        {
            // A refused address type is said, and nothing more is sent.
            Boxes boxes;
            ASSERT_TRUE(sim->RefuseNextSet(kFirmware + ".2.0", 5));
            Fill(d, "192.168.1.5", "image.bin", kBackup, kFirmwareFile);
            ClickButton(d, IDC_FIRM_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                                         "Could not write the TFTP server address type: the switch refused it "
                                         "(general error)."});
            EXPECT_TRUE(InputsEnabled(d));
        }
    });
    EXPECT_EQ(Requests("SET"), (std::vector<std::vector<std::string>>{{kFirmware + ".2.0|2|1"}}));
}

TEST_F(FirmwareTest, FileNameIsCutTo64CharactersKeepingTheCaret)
{
    StartFirmwareSwitch("1");
    Boxes boxes;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        CWnd* name = d.GetDlgItem(IDC_FIRM_FILE_NAME);
        const std::string full = std::string(30, 'a') + std::string(34, 'b');
        name->SetWindowText(full);
        EXPECT_EQ(boxes.Count(), 0u);
        // The user types one more character in the middle.
        auto* edit = static_cast<QLineEdit*>(name->GetWidget());
        edit->setFocus();
        edit->setCursorPosition(10);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(edit, &press);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The maximum length of file name is 64!"});
        const std::string typed = std::string(10, 'a') + "x" + std::string(20, 'a') + std::string(34, 'b');
        EXPECT_EQ(name->GetWindowText(), typed.substr(0, 64));
        EXPECT_EQ(edit->cursorPosition(), 11);
        // Pasted at once, a longer text is cut too.
        name->SetWindowText(std::string(70, 'c'));
        EXPECT_EQ(name->GetWindowText(), std::string(64, 'c'));
        EXPECT_EQ(boxes.Count(), 2u);
    });
}

// What the switch refuses, or answers that it cannot mean, ends the transfer
// with a message and gives the inputs back; nothing after it is sent.
TEST_F(FirmwareTest, RefusalsAndUnknownStatusEndTheTransfer)
{
    struct Case
    {
        const char* what;
        std::string refuse; // the object whose SET the switch refuses
        const char* steps;
        const char* text;
        std::size_t sets; // SETs the switch received (the refused one included)
        bool polled;
    };
    const Case cases[] = {
        {"names refused", kConfig + ".4.0", "4:200,1", "Setting file name Fail !", 2, false},
        {"operation refused", kConfig + ".5.0", "4:200,1", "Setting operation Fail !", 3, false},
        {"status 7 before any 3", "", "7", "Get Info Fail !", 3, true},
    };
    StartFirmwareSwitch("1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t setsBefore = Requests("SET").size();
        const std::size_t getsBefore = Requests("GET").size();
        ASSERT_EQ(sim->Set(kSimTransferSteps, SnmpValueOctetString, c.steps), 0);
        // The last transfer's outcome, which a status poll would read.
        ASSERT_EQ(sim->Set(kSimConfigStatus, SnmpValueInteger, "1"), 0);
        if (!c.refuse.empty()) {
            ASSERT_TRUE(sim->RefuseNextSet(c.refuse, 5));
        }
        Boxes boxes;
        CFirmDownLoad dialog;
        RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
            boxes.Watch(&d);
            Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            ASSERT_TRUE(WaitForEnd(d, boxes, 1, 20000));
            // No poll is left to come.
            PumpFor(3500);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.text});
        EXPECT_EQ(Requests("SET").size() - setsBefore, c.sets);
        EXPECT_EQ(Requests("GET").size() - getsBefore, c.polled ? 1u : 0u);
    }
}

// The dialog is not topmost, and its live picture renders.
TEST_F(FirmwareTest, IsNotTopmost)
{
    StartFirmwareSwitch("1");
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        EXPECT_FALSE(d.GetWidget()->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    });
}

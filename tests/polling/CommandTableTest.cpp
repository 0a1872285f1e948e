// The main window's command table on the simulated switch: feature dialogs
// open with the launch pattern and pause the polling, a port click opens the
// port configuration over the running panel, and the Tools commands ask
// first and then telnet, browse, save or reboot.
#include "LiveWindowSupport.h"

#include "resources/main.h"

#include <cstdlib>
#include <fstream>

namespace polling_test {

using namespace polling_test;

namespace {

constexpr UINT kQuestion = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;
const std::string kReachability = KorvelOid("10.76.19.1.25.1.0");

void Command(CKorvelModuleDlg& d, UINT id)
{
    d.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The polling's cycles so far, by their reachability checks (the dialogs read
// from the switch too).
size_t PollingCycles(const KorvelSimulator& sim)
{
    size_t n = 0;
    for (const std::string& line : LogLinesOf(sim, "GET"))
        n += line.find(kReachability) != std::string::npos ? 1 : 0;
    return n;
}

// What the main window looked like while a dialog ran.
struct WhileOpen
{
    bool dialog = false;
    std::string caption;
    bool mainShown = false;
    BYTE featureDialogOpen = 0;
    size_t cyclesBefore = 0;
    size_t cyclesAfter = 0;
};

// Starts `open` (which runs a modal dialog) and looks at the main window
// while the dialog is up, for `watchMs`, then closes the dialog.
WhileOpen WatchDialog(CKorvelModuleDlg& d, const KorvelSimulator& sim, int watchMs, const std::function<void()>& open)
{
    WhileOpen seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<CDialog*>(RunningDialog(d));
        seen.dialog = dialog != nullptr;
        if (!dialog)
            return;
        seen.caption = dialog->GetWindowText();
        seen.mainShown = d.IsWindowVisible() && !d.IsIconic();
        seen.featureDialogOpen = d.m_bFeatureDialogOpen;
        seen.cyclesBefore = PollingCycles(sim);
        PumpUntil([] { return false; }, watchMs);
        seen.cyclesAfter = PollingCycles(sim);
        dialog->EndDialog(IDCANCEL);
    });
    open();
    return seen;
}

// Stand-ins for the terminal emulator and the web browser, on a PATH of the
// test's own; each records its arguments, one a line.
class ProgramStandIns
{
public:
    ProgramStandIns()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvel-commands-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        m_dir = pattern;
        m_record = m_dir / "record";
        m_oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", m_dir.c_str(), 1);
        unsetenv("BROWSER");
    }
    ~ProgramStandIns()
    {
        setenv("PATH", m_oldPath.c_str(), 1);
        unsetenv("BROWSER");
        std::filesystem::remove_all(m_dir);
    }
    ProgramStandIns(const ProgramStandIns&) = delete;
    ProgramStandIns& operator=(const ProgramStandIns&) = delete;

    // A recording program of that name; returns its path.
    std::string Add(const std::string& name)
    {
        const std::filesystem::path path = m_dir / name;
        std::ofstream(path) << "#!/bin/sh\n{ for a in \"$@\"; do printf '%s\\n' \"$a\"; done; printf 'END\\n'; } > '"
                            << m_record.string() << "'\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }

    // The arguments the started program recorded; empty when none did.
    std::vector<std::string> Record(int waitMs)
    {
        std::vector<std::string> lines;
        PumpUntil(
            [&] {
                lines.clear();
                std::ifstream file(m_record);
                for (std::string line; std::getline(file, line);)
                    lines.push_back(line);
                return !lines.empty() && lines.back() == "END";
            },
            waitMs);
        if (!lines.empty() && lines.back() == "END")
            lines.pop_back();
        else
            lines.clear();
        std::filesystem::remove(m_record);
        return lines;
    }

private:
    std::filesystem::path m_dir;
    std::filesystem::path m_record;
    std::string m_oldPath;
};

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

} // namespace

TEST(CommandTable, FeatureDialogHidesThePanelAndPausesThePolling)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Puffin")});
    ASSERT_TRUE(sim.Running());
    RunLiveWindow(kPuffin, sim, [&](CKorvelModuleDlg& d) {
        // After the first cycle; the dialog stays up longer than a cycle.
        ASSERT_TRUE(PumpUntil([&] { return LedOf(d, 2) == CPanelStatus::LED_GREEN; }, 5000));
        const WhileOpen seen = WatchDialog(d, sim, 6500, [&] { Command(d, ID_TRUNK_CONFIGURATION); });
        ASSERT_TRUE(seen.dialog);
        EXPECT_EQ(seen.caption, "Trunk Configuration");
        EXPECT_FALSE(seen.mainShown);
        EXPECT_EQ(seen.featureDialogOpen, 1);
        EXPECT_EQ(seen.cyclesAfter, seen.cyclesBefore);

        // Back, and polling again.
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_FALSE(d.IsIconic());
        EXPECT_EQ(d.m_bFeatureDialogOpen, 0);
        const size_t before = PollingCycles(sim);
        EXPECT_TRUE(PumpUntil([&] { return PollingCycles(sim) > before; }, 7000));
    });
}

TEST(CommandTable, EveryFeatureCommandOpensItsDialogWithTheLaunchPattern)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    const std::pair<UINT, const char*> commands[] = {
        {ID_PORT_CONFIGURATION, "Port Configuration"},
        {ID_PORT_DESCRIPTION, "Port Description: "},
        {ID_TRUNK_CONFIGURATION, "Trunk Configuration"},
        {ID_FIRMWARE_UPGRADE, "Firmware and Configuration Upgrade/Backup"},
        {ID_IGMP_SNOOPING, "IGMP Snooping Configuration"},
        {ID_SNMP_GLOBAL, "SNMP Global State Settings"},
        {ID_SNMP_ENGINE_ID, "SNMP Engine ID"},
        {ID_SNMP_TRAP, "SNMP Trap Configuration"},
        {ID_SNMP_COMMUNITY, "SNMP Community Table Configuration"},
        {ID_SNMP_USER, "SNMP User Table "},
        {ID_SNMP_GROUP, "SNMP Group Table Info"},
        {ID_SNMP_VIEW, "SNMP View Table Configuration"},
        {ID_APP_ABOUT, "KSX-Bellis Module"},
    };
    // The tests' switch lacks some features' objects: those dialogs say that
    // their settings could not be read, and nothing else.
    BoxRecorder boxes(IDOK);
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        for (const auto& [id, caption] : commands) {
            const WhileOpen seen = WatchDialog(d, sim, 0, [&, id = id] { Command(d, id); });
            ASSERT_TRUE(seen.dialog) << id;
            EXPECT_EQ(seen.caption.rfind(caption, 0), 0u) << seen.caption;
            EXPECT_FALSE(seen.mainShown) << id;
            EXPECT_EQ(seen.featureDialogOpen, 1) << id;
            EXPECT_TRUE(d.IsWindowVisible() && !d.IsIconic()) << id;
            EXPECT_EQ(d.m_bFeatureDialogOpen, 0) << id;
        }
    });
    for (const MessageBoxCall& call : boxes.Calls())
        EXPECT_NE(call.text.find("could not be read"), std::string::npos) << call.text;
}

TEST(CommandTable, PortClickOpensThePortConfigurationOverThePanel)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        CRect port;
        d.GetPanelRoot().FindChildByClass("CPort", 0)->GetRect(&port);
        const CPoint at = port.CenterPoint();
        const WhileOpen seen =
            WatchDialog(d, sim, 0, [&] { d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)); });
        ASSERT_TRUE(seen.dialog);
        EXPECT_EQ(seen.caption, "Port Configuration");
        EXPECT_TRUE(seen.mainShown);
        EXPECT_EQ(seen.featureDialogOpen, 0);
    });
}

TEST(CommandTable, ToolsCommandsAskFirstAndCancelDoesNothing)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    ProgramStandIns programs;
    programs.Add("x-terminal-emulator");
    setenv("BROWSER", programs.Add("browser").c_str(), 1);
    const std::pair<UINT, const char*> commands[] = {
        {ID_TELNET, "Do you want to TELNET this device?"},
        {ID_WEB, "Do you want to access this device with browser?"},
        {ID_SAVE_CONFIGURATION, "Do you want to save the configuration?"},
        {ID_REBOOT, "Do you want to reboot the device?"},
    };
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        for (const auto& [id, question] : commands) {
            BoxRecorder boxes(IDCANCEL);
            Command(d, id);
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1u) << question;
            EXPECT_EQ(calls[0].text, question);
            EXPECT_EQ(calls[0].type, kQuestion) << question;
        }
        EXPECT_TRUE(LogLinesOf(sim, "SET").empty());
        EXPECT_TRUE(programs.Record(300).empty());
    });
}

TEST(CommandTable, TelnetAndWebStartTheirProgramsWithTheSwitchsAddress)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    ProgramStandIns programs;
    programs.Add("x-terminal-emulator");
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        BoxRecorder boxes(IDOK);
        Command(d, ID_TELNET);
        const auto telnet = programs.Record(5000);
        EXPECT_TRUE(Contains(telnet, "telnet"));
        EXPECT_TRUE(Contains(telnet, sim.Host()));

        // No browser at all.
        Command(d, ID_WEB);
        ASSERT_EQ(boxes.Calls().size(), 3u);
        EXPECT_EQ(boxes.Calls()[2].text, "Failed to get IE path !");

        setenv("BROWSER", programs.Add("browser").c_str(), 1);
        Command(d, ID_WEB);
        EXPECT_EQ(programs.Record(5000), std::vector<std::string>{sim.Host()});
        EXPECT_EQ(boxes.Calls().size(), 4u);
    });
}

TEST(CommandTable, SaveConfigurationSaysSuccessOnlyWhenTheSwitchAccepted)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    const std::string success = "           Success!           ";
    const std::string failed = "           Failed!            ";
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        BoxRecorder boxes(IDOK);
        Command(d, ID_SAVE_CONFIGURATION);
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[1].text, success);
        const auto sets = LogLinesOf(sim, "SET");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0], "SET\tv1\tquenbor\t" + kSaveInProgress + "|2|1");

        // The switch refuses the write.
        ASSERT_TRUE(sim.RefuseNextSet(kSaveInProgress, 5));
        Command(d, ID_SAVE_CONFIGURATION);
        ASSERT_EQ(boxes.Calls().size(), 4u);
        EXPECT_EQ(boxes.Calls()[3].text, failed);

        // The switch does not answer: after the write's time-out.
        ASSERT_TRUE(sim.SilenceFor(6000));
        const auto start = Clock::now();
        Command(d, ID_SAVE_CONFIGURATION);
        EXPECT_GE(MsSince(start), 3900);
        ASSERT_EQ(boxes.Calls().size(), 6u);
        EXPECT_EQ(boxes.Calls()[5].text, failed);
    });
}

TEST(CommandTable, RebootRefusesWhileATransferRunsAndOtherwiseReboots)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        BoxRecorder boxes(IDOK);
        ASSERT_EQ(sim.Set(kFirmwareTransfer, SnmpValueInteger, "4"), 0);
        Command(d, ID_REBOOT);
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[1].text, "FW upgrade/backup or config backup/restore is already progressing. ");
        for (const std::string& line : LogLinesOf(sim, "SET"))
            EXPECT_EQ(line.find(kReboot), std::string::npos);

        ASSERT_EQ(sim.Set(kFirmwareTransfer, SnmpValueInteger, "1"), 0);
        Command(d, ID_REBOOT);
        EXPECT_EQ(boxes.Calls().size(), 3u);
        const auto sets = LogLinesOf(sim, "SET");
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets.back(), "SET\tv1\tquenbor\t" + kReboot + "|2|1");
    });
}

// The reboot's silence: the panel's LEDs go dark while the switch restarts
// and light again once it answers; no message follows the question.
TEST(CommandTable, RebootSilenceDarkensTheLedsUntilTheSwitchAnswers)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), FirmwareData(), ModelData("KSX-Puffin")});
    ASSERT_TRUE(sim.Running());
    ASSERT_EQ(sim.Set(kSimRebootMs, SnmpValueInteger, "9000"), 0);
    RunLiveWindow(kPuffin, sim, [&](CKorvelModuleDlg& d) {
        ASSERT_TRUE(PumpUntil([&] { return LedOf(d, 2) == CPanelStatus::LED_GREEN; }, 5000));
        BoxRecorder boxes(IDOK);
        Command(d, ID_REBOOT);
        EXPECT_TRUE(PumpUntil([&] { return LedOf(d, 2) == CPanelStatus::LED_NONE; }, 15000));
        EXPECT_TRUE(PumpUntil([&] { return LedOf(d, 2) == CPanelStatus::LED_GREEN; }, 30000));
        EXPECT_EQ(boxes.Calls().size(), 1u);
    });
}

// A switch that does not answer still gets the reboot: the busy check times
// out, the reboot SET is sent and times out, and no message follows.
TEST(CommandTable, UnreachableSwitchStillGetsTheRebootAttempt)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    RunLiveWindow(kBellis, sim, [&](CKorvelModuleDlg& d) {
        BoxRecorder boxes(IDOK);
        const std::string timeout = g_strTimeout;
        g_strTimeout = "1000";
        ASSERT_TRUE(sim.SilenceFor(30000));
        const auto start = std::chrono::steady_clock::now();
        Command(d, ID_REBOOT);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        g_strTimeout = timeout;
        // Two requests, each waited for to its time-out.
        EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 1900);
        EXPECT_EQ(boxes.Calls().size(), 1u);
    });
}

} // namespace polling_test

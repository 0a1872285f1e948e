// Starting programs: stand-in terminal emulators, browsers and xdg-settings
// are shell scripts that the tests put on a PATH of their own; each records
// how it was started. No real terminal or browser is ever started.
#include "platform/system/ProcessLaunch.h"
#include "common/CUtils.h"
#include "common/Globals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace utils_test {

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

class ProcessLaunchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "korvel-launch-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_bin = m_dir / "bin";
        fs::create_directories(m_bin);
        fs::create_directories(m_dir / "share" / "applications");
        m_record = m_dir / "record";
        SetEnv("PATH", m_bin.string());
        SetEnv("HOME", m_dir.string());
        SetEnv("XDG_DATA_HOME", (m_dir / "share").string());
        SetEnv("XDG_DATA_DIRS", (m_dir / "no-share").string());
        SetEnv("KORVEL_LAUNCH_RECORD", m_record.string());
        SetEnv("BROWSER", std::nullopt);
        m_savedDeviceIP = g_strDeviceIP;
    }

    void TearDown() override
    {
        g_strDeviceIP = m_savedDeviceIP;
        for (const auto& [name, value] : m_savedEnv) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        fs::remove_all(m_dir);
    }

    void SetEnv(const std::string& name, const std::optional<std::string>& value)
    {
        if (!m_savedEnv.count(name)) {
            const char* old = std::getenv(name.c_str());
            m_savedEnv[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }

    fs::path AddScript(const std::string& name, const std::string& body)
    {
        const fs::path path = m_bin / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    // A stand-in that records its own path and its arguments, one a line, then "END".
    fs::path AddRecorder(const std::string& name)
    {
        return AddScript(name, "{ printf '%s\\n' \"$0\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; "
                               "printf 'END\\n'; } > \"$KORVEL_LAUNCH_RECORD\"\n");
    }

    // The default browser's desktop entry, named by a stand-in xdg-settings.
    void AddDesktopBrowser(const std::string& exec)
    {
        AddScript("xdg-settings", "[ \"$1 $2\" = 'get default-web-browser' ] || exit 1\n"
                                  "printf 'stub-browser.desktop\\n'\n");
        std::ofstream(m_dir / "share" / "applications" / "stub-browser.desktop")
            << "[Desktop Action new-window]\nExec=/nowhere/else\n\n"
            << "[Desktop Entry]\nName=Stub browser\nType=Application\nExec=" << exec << "\n";
    }

    // What the started stand-in recorded; empty when nothing finished recording in time.
    Lines WaitForRecord()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream file(m_record);
            Lines lines;
            for (std::string line; std::getline(file, line);)
                lines.push_back(line);
            if (!lines.empty() && lines.back() == "END") {
                lines.pop_back();
                fs::remove(m_record);
                return lines;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {};
    }

    bool NothingRecorded()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return !fs::exists(m_record);
    }

    std::string Bin(const std::string& name) const { return (m_bin / name).string(); }

    fs::path m_dir;
    fs::path m_bin;
    fs::path m_record;

private:
    std::map<std::string, std::optional<std::string>> m_savedEnv;
    std::string m_savedDeviceIP;
};

} // namespace

TEST_F(ProcessLaunchTest, DetachedProcessGetsItsArgumentsVerbatim)
{
    AddRecorder("recorder");
    const Lines args{"a b", "$(touch injected)", "*", "", "'quoted'; echo no"};
    Lines argv{"recorder"};
    argv.insert(argv.end(), args.begin(), args.end());
    ASSERT_TRUE(StartDetachedProcess(argv));
    Lines expected{Bin("recorder")};
    expected.insert(expected.end(), args.begin(), args.end());
    EXPECT_EQ(WaitForRecord(), expected);
    EXPECT_FALSE(fs::exists(m_bin / "injected"));
    EXPECT_FALSE(fs::exists("injected"));
}

TEST_F(ProcessLaunchTest, DetachedProcessThatCannotStartIsReported)
{
    EXPECT_FALSE(StartDetachedProcess({}));
    EXPECT_FALSE(StartDetachedProcess({"no-such-program"}));
    // Not executable.
    std::ofstream(m_bin / "plain") << "#!/bin/sh\n";
    EXPECT_FALSE(StartDetachedProcess({"plain"}));
    // Executable, but its interpreter is missing: the exec itself fails.
    AddScript("broken", "");
    std::ofstream(m_bin / "broken") << "#!/no/such/interpreter\n";
    EXPECT_FALSE(StartDetachedProcess({"broken"}));
    EXPECT_FALSE(StartDetachedProcess({Bin("broken")}));
}

TEST_F(ProcessLaunchTest, FindProgramSearchesThePath)
{
    AddRecorder("tool");
    EXPECT_EQ(FindProgram("tool"), Bin("tool"));
    EXPECT_EQ(FindProgram(Bin("tool")), Bin("tool"));
    EXPECT_EQ(FindProgram("missing"), "");
    EXPECT_EQ(FindProgram(""), "");
    fs::create_directories(m_bin / "folder");
    EXPECT_EQ(FindProgram("folder"), "");
}

TEST_F(ProcessLaunchTest, ConsoleProgramRunsInXTerminalEmulatorFirst)
{
    AddRecorder("xterm");
    AddRecorder("x-terminal-emulator");
    ASSERT_TRUE(StartInTerminal({"telnet", "127.0.0.1"}));
    EXPECT_EQ(WaitForRecord(), (Lines{Bin("x-terminal-emulator"), "-e", "telnet", "127.0.0.1"}));
}

TEST_F(ProcessLaunchTest, ConsoleProgramRunsInACommonTerminalOtherwise)
{
    struct Case
    {
        std::string terminal;
        Lines options;
    };
    const Case cases[] = {
        {"gnome-terminal", {"--"}}, {"konsole", {"-e"}}, {"xfce4-terminal", {"-x"}}, {"kitty", {}}, {"xterm", {"-e"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.terminal);
        fs::remove_all(m_bin);
        fs::create_directories(m_bin);
        AddRecorder(c.terminal);
        ASSERT_TRUE(StartInTerminal({"telnet", "::1"}));
        Lines expected{Bin(c.terminal)};
        expected.insert(expected.end(), c.options.begin(), c.options.end());
        expected.insert(expected.end(), {"telnet", "::1"});
        EXPECT_EQ(WaitForRecord(), expected);
    }
}

TEST_F(ProcessLaunchTest, TelnetLauncherStartsTheDeviceInATerminal)
{
    AddRecorder("x-terminal-emulator");
    g_strDeviceIP = "127.0.0.1";
    EXPECT_NE(CUtils::StartTelnet(), 0);
    EXPECT_EQ(WaitForRecord(), (Lines{Bin("x-terminal-emulator"), "-e", "telnet", "127.0.0.1"}));
    g_strDeviceIP.clear();
    EXPECT_NE(CUtils::StartTelnet(), 0);
    EXPECT_EQ(WaitForRecord(), (Lines{Bin("x-terminal-emulator"), "-e", "telnet"}));
}

TEST_F(ProcessLaunchTest, TelnetLauncherWithoutTerminalFails)
{
    g_strDeviceIP = "127.0.0.1";
    EXPECT_FALSE(StartInTerminal({"telnet", "127.0.0.1"}));
    EXPECT_EQ(CUtils::StartTelnet(), 0);
}

TEST_F(ProcessLaunchTest, BrowserFromTheBrowserVariable)
{
    AddRecorder("stub-browser");
    AddRecorder("xdg-open");
    SetEnv("BROWSER", "missing-browser:stub-browser --private %s --end");
    EXPECT_EQ(WebBrowserCommand("10.0.0.1"), (Lines{Bin("stub-browser"), "--private", "10.0.0.1", "--end"}));
    EXPECT_EQ(WebBrowserCommand(""), (Lines{Bin("stub-browser"), "--private", "--end"}));
    SetEnv("BROWSER", "stub-browser");
    EXPECT_EQ(WebBrowserCommand("10.0.0.1"), (Lines{Bin("stub-browser"), "10.0.0.1"}));
    EXPECT_EQ(CUtils::GetBrowserPath(), Bin("stub-browser"));
}

TEST_F(ProcessLaunchTest, BrowserFromTheDesktopDefault)
{
    AddRecorder("web browser");
    AddRecorder("xdg-open");
    AddDesktopBrowser("\"" + Bin("web browser") + "\" --new-window %u %i");
    EXPECT_EQ(WebBrowserCommand("10.1.2.3"), (Lines{Bin("web browser"), "--new-window", "10.1.2.3"}));
    EXPECT_EQ(CUtils::GetBrowserPath(), Bin("web browser"));

    // The launcher opens the device's address with it.
    g_strDeviceIP = "10.1.2.3";
    CUtils::StartBrowser();
    EXPECT_EQ(WaitForRecord(), (Lines{Bin("web browser"), "--new-window", "10.1.2.3"}));
}

TEST_F(ProcessLaunchTest, DesktopExecLinesAreReadAsTheirSpecificationSays)
{
    AddRecorder("stub-browser");
    struct Case
    {
        std::string exec;
        Lines command;
    };
    const Case cases[] = {
        // No field code: the address goes last.
        {"stub-browser", {Bin("stub-browser"), "10.1.2.3"}},
        {"stub-browser --url=%U --x %%", {Bin("stub-browser"), "--url=10.1.2.3", "--x", "%"}},
        {"stub-browser @@u %u @@", {Bin("stub-browser"), "@@u", "10.1.2.3", "@@"}},
        // Quoted words; a backslash in the file is written twice, and twice again inside quotes.
        {"stub-browser \"a \\\"b\\\" \\\\\\\\c\" %f", {Bin("stub-browser"), "a \"b\" \\c", "10.1.2.3"}},
        // A program that does not exist is no browser: xdg-open is not there either.
        {"missing-browser %u", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exec);
        AddDesktopBrowser(c.exec);
        EXPECT_EQ(WebBrowserCommand("10.1.2.3"), c.command);
    }
}

TEST_F(ProcessLaunchTest, BrowserFallsBackToXdgOpen)
{
    AddRecorder("xdg-open");
    // xdg-settings that fails gives no browser of its own.
    AddScript("xdg-settings", "exit 3\n");
    EXPECT_EQ(WebBrowserCommand("10.0.0.1"), (Lines{Bin("xdg-open"), "10.0.0.1"}));
    EXPECT_EQ(CUtils::GetBrowserPath(), Bin("xdg-open"));
}

TEST_F(ProcessLaunchTest, NoBrowserGivesAnEmptyPathAndStartsNothing)
{
    SetEnv("BROWSER", "missing-browser");
    EXPECT_EQ(WebBrowserCommand("10.0.0.1"), Lines{});
    EXPECT_EQ(CUtils::GetBrowserPath(), "");
    g_strDeviceIP = "10.0.0.1";
    CUtils::StartBrowser();
    EXPECT_TRUE(NothingRecorded());
}

} // namespace utils_test

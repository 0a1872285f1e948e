// The MIB-II viewers and the system information against net-snmp's own
// agent, started on a free loopback port with a configuration of the test's
// own: what each lists is what snmpwalk / snmpget of the same objects gives,
// formatted by the viewer's rules. Skipped where snmpd is not installed.
#include "features/agent_tools/CIPAddrTable.h"
#include "features/agent_tools/CIntfList.h"
#include "features/agent_tools/CSnmpDevIden.h"
#include "features/agent_tools/CTcpPortInfo.h"
#include "features/agent_tools/CUdpPortInfo.h"
#include "resources/mib2.h"
#include "resources/sysinfo.h"
#include "support/FeatureDialogTest.h"

#include "common/CListCtrlEx.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

extern char** environ;

namespace mib2_test {

namespace {

const char* const kSnmpd = "/usr/sbin/snmpd";
const char* const kCommunity = "realagent";

// A free UDP (or TCP) port of the loopback address, and the socket holding
// it when `keep` (a TCP listener), else closed.
int LoopbackPort(int type, int* keep = nullptr)
{
    const int fd = socket(AF_INET, type, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return 0;
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    if (keep != nullptr) {
        listen(fd, 1);
        *keep = fd;
    } else {
        close(fd);
    }
    return ntohs(addr.sin_port);
}

// The lines a command prints.
std::vector<std::string> Output(const std::string& command)
{
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return lines;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        // A quoted string value.
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
            line = line.substr(1, line.size() - 2);
        lines.push_back(line);
    }
    pclose(pipe);
    return lines;
}

class RealAgentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (access(kSnmpd, X_OK) != 0 || access("/usr/bin/snmpwalk", X_OK) != 0)
            GTEST_SKIP() << "net-snmp's snmpd and snmpwalk are not installed";
        EnsureApplication();
        dir = std::filesystem::temp_directory_path() / ("korvel-snmpd-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        port = LoopbackPort(SOCK_DGRAM);
        ASSERT_NE(port, 0);
        host = "127.0.0.1:" + std::to_string(port);
        const std::string conf = (dir / "snmpd.conf").string();
        std::ofstream(conf) << "agentaddress udp:" << host << "\n"
                            << "rocommunity " << kCommunity << " 127.0.0.1\n"
                            << "sysname realagent-test\n"
                            << "syslocation Test bench 4\n"
                            << "syscontact nobody\n";
        const std::string persistent = "SNMP_PERSISTENT_DIR=" + (dir / "persist").string();
        std::vector<std::string> env{persistent, "MIBS=", "HOME=" + dir.string()};
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::vector<std::string> args{
            kSnmpd, "-f",           "-C", "-c", conf, "-Lf", (dir / "log").string(), "-r", "-p", (dir / "pid").string(),
            "-M",   "/nonexistent", "-m", ""};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&pid, kSnmpd, nullptr, nullptr, argv.data(), envp.data()), 0);
        // Ready once it answers.
        bool up = false;
        for (int i = 0; i < 100 && !up; ++i) {
            up = !Walk("1.3.6.1.2.1.1.5").empty();
            if (!up)
                usleep(100000);
        }
        ASSERT_TRUE(up) << "snmpd did not answer on " << host;
        g_strDeviceIP = host;
        g_strSnmpVersion = "1";
        g_strReadCommunity = kCommunity;
        g_strWriteCommunity = kCommunity;
        g_strTimeout = "3000";
    }
    void TearDown() override
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            int status = 0;
            waitpid(pid, &status, 0);
        }
        if (!dir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        }
    }
    // snmpwalk / snmpget of one object, the values only, numbers as numbers.
    std::vector<std::string> Walk(const std::string& oid) const
    {
        return Output("MIBS= snmpwalk -M /nonexistent -v1 -c " + std::string(kCommunity) + " -Oqven -t 2 -r 1 " + host +
                      " " + oid + " 2>/dev/null");
    }
    std::string Get(const std::string& oid) const
    {
        const auto lines = Output("MIBS= snmpget -M /nonexistent -v1 -c " + std::string(kCommunity) +
                                  " -Oqvent -t 2 -r 1 " + host + " " + oid + " 2>/dev/null");
        return lines.empty() ? std::string() : lines[0];
    }
    template <class Dialog> std::vector<std::string> ViewerRows(int listId, int refreshId, int columns)
    {
        std::vector<std::string> rows;
        Dialog dialog;
        RunModal<Dialog>(dialog, [&](Dialog& d) {
            EXPECT_TRUE(
                Pump([&] { return Enabled(d, refreshId) && Item<CListCtrlEx>(d, listId).GetItemCount() > 0; }, 20000));
            rows = ListRows(d, listId, columns);
        });
        return rows;
    }

    std::filesystem::path dir;
    int port = 0;
    std::string host;
    pid_t pid = -1;
};

} // namespace

TEST_F(RealAgentTest, InterfaceAndIpViewersListWhatSnmpwalkGives)
{
    const auto index = Walk("1.3.6.1.2.1.2.2.1.1");
    const auto status = Walk("1.3.6.1.2.1.2.2.1.8");
    const auto speed = Walk("1.3.6.1.2.1.2.2.1.5");
    ASSERT_FALSE(index.empty());
    ASSERT_EQ(index.size(), status.size());
    ASSERT_EQ(index.size(), speed.size());
    CIntfList format;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < index.size(); ++i)
        expected.push_back(index[i] + "|" + format.FormatColumn(1, status[i]) + "|" + format.FormatColumn(2, speed[i]));
    EXPECT_EQ((ViewerRows<CIntfList>(IDC_INTF_LIST, IDC_INTF_REFRESH, 3)), expected);

    const auto address = Walk("1.3.6.1.2.1.4.20.1.1");
    const auto mask = Walk("1.3.6.1.2.1.4.20.1.3");
    ASSERT_FALSE(address.empty());
    ASSERT_EQ(address.size(), mask.size());
    expected.clear();
    for (std::size_t i = 0; i < address.size(); ++i)
        expected.push_back(address[i] + "|" + mask[i]);
    EXPECT_EQ((ViewerRows<CIPAddrTable>(IDC_IPADDR_LIST, IDC_IPADDR_REFRESH, 2)), expected);
}

TEST_F(RealAgentTest, TcpViewerShowsAListenerAndUdpViewerTheAgentsPort)
{
    int listener = -1;
    const int tcpPort = LoopbackPort(SOCK_STREAM, &listener);
    ASSERT_NE(tcpPort, 0);
    const auto tcp = ViewerRows<CTcpPortInfo>(IDC_TCPINFO_LIST, IDC_TCPINFO_REFRESH, 5);
    close(listener);
    const std::string want = std::to_string(tcpPort) + "|127.0.0.1|0.0.0.0|0|listen";
    EXPECT_NE(std::find(tcp.begin(), tcp.end(), want), tcp.end()) << want;

    const auto udp = ViewerRows<CUdpPortInfo>(IDC_UDPINFO_LIST, IDC_UDPINFO_REFRESH, 2);
    const std::string agent = std::to_string(port) + "|127.0.0.1";
    EXPECT_NE(std::find(udp.begin(), udp.end(), agent), udp.end()) << agent;
}

TEST_F(RealAgentTest, SystemInformationMatchesSnmpget)
{
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SYSINFO_APPLY); }, 15000));
        EXPECT_EQ(d.GetDlgItem(IDC_SYSINFO_DESCRIPTION)->GetWindowText(), Get("1.3.6.1.2.1.1.1.0"));
        std::string oid = Get("1.3.6.1.2.1.1.2.0");
        if (!oid.empty() && oid[0] == '.')
            oid.erase(0, 1);
        EXPECT_EQ(d.GetDlgItem(IDC_SYSINFO_OBJECT_ID)->GetWindowText(), oid);
        EXPECT_EQ(d.GetDlgItem(IDC_SYSINFO_NAME)->GetWindowText(), "realagent-test");
        EXPECT_EQ(d.GetDlgItem(IDC_SYSINFO_NAME)->GetWindowText(), Get("1.3.6.1.2.1.1.5.0"));
        EXPECT_EQ(d.GetDlgItem(IDC_SYSINFO_LOCATION)->GetWindowText(), Get("1.3.6.1.2.1.1.6.0"));
        // The uptime within a minute of the agent's.
        const std::string ticks = Get("1.3.6.1.2.1.1.3.0");
        ASSERT_FALSE(ticks.empty());
        const long long now = std::atoll(ticks.c_str());
        const std::string shown = d.GetDlgItem(IDC_SYSINFO_UPTIME)->GetWindowText();
        const bool close = shown == CSnmpDevIden::UptimeText(std::to_string(now)) ||
                           (now >= 6000 && shown == CSnmpDevIden::UptimeText(std::to_string(now - 6000)));
        EXPECT_TRUE(close) << shown << " against " << now << " ticks";
    });
}

} // namespace mib2_test

#include "bench/BenchApp.h"

#include "bench/BenchWalks.h"
#include "bench/ChildProcess.h"
#include "common/CListCtrlEx.h"
#include "platform/snmp/CSnmpV1.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Throw-away credentials of the agents the benchmark starts itself.
const char* const kCommunity = "bench-read";
const char* const kUser = "bench-user";
const char* const kAuthPassword = "bench-auth-pass";
const char* const kPrivPassword = "bench-priv-pass";
const char* const kColumn = "1.3.6.1.4.1.32473.900.1.1";     // 5,000 rows
const char* const kListColumn = "1.3.6.1.4.1.32473.900.2.1"; // 1,000 rows
const char* const kMib2 = "1.3.6.1.2.1";

int FreeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof addr;
    int port = -1;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length) == 0)
        port = ntohs(addr.sin_port);
    close(fd);
    return port;
}

bool Answers(const std::string& host)
{
    CSnmpV1 request(SnmpPduGetNext);
    request.setCommunity(kCommunity);
    request.addValue("1.3.6.1", SnmpValueNull);
    CSnmp* raw = nullptr;
    const int status = request.send(host.c_str(), raw, 500);
    std::unique_ptr<CSnmp> response(raw);
    return status == SnmpStatusOk;
}

bool WaitAnswers(const std::string& host)
{
    for (int i = 0; i < 40; ++i) {
        if (Answers(host))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// One agent the benchmark walks.
struct Agent
{
    std::string name;
    std::string host;
    std::string root;
    ChildProcess process;
};

bool StartSnmpd(const fs::path& dir, Agent& agent)
{
    const int port = FreeUdpPort();
    if (port <= 0)
        return false;
    const fs::path conf = dir / "snmpd.conf";
    std::ofstream out(conf);
    out << "agentAddress udp:127.0.0.1:" << port << "\n"
        << "rocommunity " << kCommunity << " 127.0.0.1\n"
        << "createUser " << kUser << " SHA \"" << kAuthPassword << "\" DES \"" << kPrivPassword << "\"\n"
        << "rouser " << kUser << " priv\n"
        << "dontLogTCPWrappersConnects yes\n";
    out.close();
    agent.name = "snmpd";
    agent.host = "127.0.0.1:" + std::to_string(port);
    agent.root = kMib2;
    const std::vector<std::string> env{"SNMP_PERSISTENT_DIR=" + dir.string(), "SNMPCONFPATH=" + dir.string(),
                                       "MIBDIRS=" + dir.string(), "MIBS="};
    // -C: no configuration but our own file; -f: stays our child.
    if (!agent.process.Start(
            {"/usr/sbin/snmpd", "-f", "-C", "-c", conf.string(), "-Ln", "-p", (dir / "snmpd.pid").string()}, env,
            false))
        return false;
    return WaitAnswers(agent.host);
}

bool StartSimulator(const fs::path& dir, Agent& agent)
{
    const fs::path data = dir / "bench.snmprec";
    std::ofstream out(data);
    out << "1.3.6.1.2.1.1.5.0|4|bench-switch\n";
    for (int i = 1; i <= 5000; ++i)
        out << kColumn << "." << i << "|4|bench row " << i << "\n";
    for (int i = 1; i <= 1000; ++i)
        out << kListColumn << "." << i << "|4|list row " << i << "\n";
    out.close();
    agent.name = "korvel-sim";
    agent.root = kColumn;
    if (!agent.process.Start({KORVEL_SIM_PATH, "--data", data.string(), "--port", "0", "--user",
                              std::string(kUser) + ":SHA:" + kAuthPassword + ":DES:" + kPrivPassword},
                             {}, true))
        return false;
    std::string line;
    const std::string prefix = "korvel-sim listening on ";
    while (agent.process.ReadLine(line, 10000))
        if (line.rfind(prefix, 0) == 0) {
            agent.host = line.substr(prefix.size());
            // The simulator's own communities; ours is added as its read one.
            return true;
        }
    return false;
}

BenchTarget Target(const Agent& agent, int version, const std::string& root, const std::string& community)
{
    BenchTarget t;
    t.host = agent.host;
    t.root = root;
    t.version = version;
    t.community = community;
    t.user = kUser;
    t.authPassword = kAuthPassword;
    t.privPassword = kPrivPassword;
    return t;
}

bool RunSnmpwalk(const fs::path& dir, const BenchTarget& t, BenchFigure& figure)
{
    std::vector<std::string> args{"/usr/bin/snmpwalk", "-On", "-t", "3", "-r", "0"};
    if (t.version == 1) {
        args.insert(args.end(), {"-v1", "-c", t.community});
    } else {
        args.insert(args.end(), {"-v3", "-l", "authPriv", "-u", t.user, "-a", "SHA", "-A", t.authPassword, "-x", "DES",
                                 "-X", t.privPassword});
    }
    args.insert(args.end(), {t.host, t.root});
    const std::vector<std::string> env{"SNMP_PERSISTENT_DIR=" + dir.string(), "SNMPCONFPATH=" + dir.string(),
                                       "MIBDIRS=" + dir.string(), "MIBS=", "HOME=" + dir.string()};
    return RunMeasured(args, env, figure.cpu, figure.wall);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Per-row figures of one walker over the rounds.
struct Series
{
    std::vector<double> cpu;
    std::vector<double> wall;
    long rows = 0;
    bool failed = false;

    void Add(bool ok, const BenchFigure& f, long rows)
    {
        failed = failed || !ok || rows <= 0;
        if (rows <= 0)
            return;
        this->rows = rows;
        cpu.push_back(f.cpu / static_cast<double>(rows) * 1e6);
        wall.push_back(f.wall / static_cast<double>(rows) * 1e6);
    }
};

int Rounds(const std::string& commandLine)
{
    const auto at = commandLine.find("--rounds");
    if (at == std::string::npos)
        return 5;
    const int n = std::atoi(commandLine.c_str() + at + 8);
    return std::clamp(n, 1, 100);
}

} // namespace

BenchApp::BenchApp() : CWinApp("korvel-bench") {}

BOOL BenchApp::InitInstance()
{
    char dirTemplate[] = "/tmp/korvel-bench-XXXXXX";
    if (!mkdtemp(dirTemplate)) {
        std::fprintf(stderr, "korvel-bench: cannot make a temporary folder\n");
        return FALSE;
    }
    const fs::path dir = dirTemplate;
    struct Cleanup
    {
        fs::path dir;
        ~Cleanup()
        {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } cleanup{dir};

    Agent snmpd;
    Agent sim;
    if (!StartSnmpd(dir, snmpd)) {
        std::fprintf(stderr, "korvel-bench: snmpd did not start (package snmpd, scripts/setup)\n");
        return FALSE;
    }
    if (!StartSimulator(dir, sim)) {
        std::fprintf(stderr, "korvel-bench: korvel-sim did not start\n");
        return FALSE;
    }
    const int rounds = Rounds(m_lpCmdLine);
    std::printf("korvel-bench: %d interleaved rounds; snmpd on %s (MIB-II), korvel-sim on %s (5,000-row column)\n",
                rounds, snmpd.host.c_str(), sim.host.c_str());
    std::printf("figures: median per row over the rounds; CPU is this process's (every thread) or snmpwalk's\n\n");

    const char* const walkers[] = {"snmpwalk", "CSnmpTable", "CCommonSNMP"};
    struct Key
    {
        std::string agent;
        int version;
        int walker;
        bool operator<(const Key& o) const
        {
            return std::tie(agent, version, walker) < std::tie(o.agent, o.version, o.walker);
        }
    };
    std::map<Key, Series> series;
    Agent* agents[] = {&snmpd, &sim};
    for (int round = 0; round < rounds; ++round) {
        for (Agent* agent : agents)
            for (int version : {1, 3}) {
                const std::string community = agent == &sim ? "mirtle" : kCommunity;
                const BenchTarget target = Target(*agent, version, agent->root, community);
                for (int i = 0; i < 3; ++i) {
                    const int walker = (i + round) % 3; // a different one first in each round
                    BenchFigure f;
                    bool ok = false;
                    long rows = 0;
                    if (walker == 0) {
                        ok = RunSnmpwalk(dir, target, f);
                        // snmpwalk's rows: the library's count of the same walk.
                        rows = -1;
                    } else if (walker == 1) {
                        ok = WalkSync(target, f);
                        rows = f.rows;
                    } else {
                        ok = WalkAsync(target, f);
                        rows = f.rows;
                    }
                    Series& s = series[{agent->name, version, walker}];
                    if (rows < 0) { // counted below, once the library walked it
                        s.failed = s.failed || !ok;
                        s.cpu.push_back(f.cpu);
                        s.wall.push_back(f.wall);
                    } else {
                        s.Add(ok, f, rows);
                    }
                }
            }
    }
    // snmpwalk's times become per-row figures with the rows the library
    // counted in the same rounds.
    for (auto& [key, s] : series) {
        if (key.walker != 0)
            continue;
        const long rows = series[{key.agent, key.version, 1}].rows;
        s.rows = rows;
        for (double& v : s.cpu)
            v = rows > 0 ? v / static_cast<double>(rows) * 1e6 : 0;
        for (double& v : s.wall)
            v = rows > 0 ? v / static_cast<double>(rows) * 1e6 : 0;
    }

    bool allOk = true;
    std::printf("%-11s %-8s %-12s %6s %12s %13s %15s\n", "agent", "version", "walker", "rows", "CPU us/row",
                "wall us/row", "CPU vs snmpwalk");
    for (Agent* agent : agents)
        for (int version : {1, 3}) {
            const double base = Median(series[{agent->name, version, 0}].cpu);
            for (int walker = 0; walker < 3; ++walker) {
                const Series& s = series[{agent->name, version, walker}];
                allOk = allOk && !s.failed;
                const double cpu = Median(s.cpu);
                char ratio[32] = "";
                if (walker != 0 && base > 0)
                    std::snprintf(ratio, sizeof ratio, "%.2fx", cpu / base);
                std::printf("%-11s %-8s %-12s %6ld %12.1f %13.1f %15s%s\n", agent->name.c_str(),
                            version == 1 ? "v1" : "v3 aP", walkers[walker], s.rows, cpu, Median(s.wall), ratio,
                            s.failed ? "  (a walk failed)" : "");
            }
        }
    std::printf("targets: CPU at most 1.2x snmpwalk over SNMPv1, 1.5x over SNMPv3 authPriv\n\n");

    // A dialog's list: the 1,000-row walk into a CListCtrlEx, each row
    // carried from the session's worker to the UI thread, against the bare walk.
    CWnd frame;
    CListCtrlEx list;
    if (!frame.CreateEx(0, nullptr, "korvel-bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 480, 360), nullptr, 0) ||
        !list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 470, 350), &frame, 1001)) {
        std::fprintf(stderr, "korvel-bench: cannot make the list\n");
        return FALSE;
    }
    frame.ShowWindow(SW_SHOW);
    list.InsertAutoWidthColumn(" Value ", 0, -1, LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, LVCFMT_LEFT);
    std::vector<double> bare;
    std::vector<double> filled;
    std::vector<double> carried;
    long listRows = 0;
    for (int round = 0; round < rounds; ++round) {
        const BenchTarget target = Target(sim, 1, kListColumn, "mirtle");
        BenchFigure f;
        allOk = WalkAsync(target, f) && allOk;
        bare.push_back(f.wall / std::max(1L, f.rows) * 1e6);
        list.DeleteAllItems();
        double fill = 0;
        allOk = WalkAsync(target, f, &list, &fill) && allOk;
        allOk = allOk && list.GetItemCount() == f.rows;
        listRows = f.rows;
        filled.push_back(f.wall / std::max(1L, f.rows) * 1e6);
        carried.push_back(fill / std::max(1L, f.rows) * 1e6);
    }
    std::printf("list fill, %ld rows into CListCtrlEx (offscreen), SNMPv1, wall us/row: bare walk %.1f, "
                "walk filling the list %.1f (of which the carried insert %.1f)\n",
                listRows, Median(bare), Median(filled), Median(carried));
    frame.DestroyWindow();
    m_nResult = allOk ? 0 : 1;
    if (!allOk)
        std::printf("korvel-bench: a walk failed\n");
    return FALSE;
}

int BenchApp::ExitInstance()
{
    return m_nResult;
}

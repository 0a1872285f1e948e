// Table walks of the SNMP library against the simulated switch and net-snmp's
// own agent.
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/KorvelMib.h"
#include "tests/snmp/SnmpTestHelpers.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <thread>

namespace snmp_test {

namespace {

struct Row
{
    std::vector<std::string> values; // "-" for a cell the table lacks
    std::vector<std::string> suffixes;
};

// Walks until a non-zero status; returns the rows and that status.
int Walk(CSnmpTable& table, const std::string& host, std::vector<Row>& rows, int limit = 1000)
{
    for (int n = 0; n < limit; ++n) {
        CSnmp* raw = nullptr;
        int status = table.getNext(host.c_str(), raw, 2000);
        if (status != SnmpStatusOk) {
            EXPECT_EQ(raw, nullptr);
            return status;
        }
        std::unique_ptr<CSnmp> response(raw);
        Row row;
        for (int i = 0; i < response->getVarBindCount(); ++i) {
            int type = 0;
            char* text = nullptr;
            raw->getValue(i, &type, &text);
            row.values.push_back(type == SnmpNoValue ? std::string("-") : ValueText(raw, i));
            char* suffix = nullptr;
            table.getInstance(i, raw, &suffix);
            row.suffixes.push_back(suffix);
        }
        rows.push_back(row);
    }
    return 99;
}

struct WalkCase
{
    const char* name;
    int version;
};

void PrintTo(const WalkCase& c, std::ostream* out)
{
    *out << c.name;
}

class SnmpWalk : public ::testing::TestWithParam<WalkCase>
{
protected:
    std::unique_ptr<CSnmp> Request(int type) const
    {
        if (GetParam().version == 1)
            return V1(type);
        return V3(type, "korvel-md5-des", 3, 0, "md5-auth-pass", 0, "md5-priv-pass");
    }
};

TEST_P(SnmpWalk, OneColumnUpToTheEnd)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto request = Request(SnmpPduGetNext);
    request->addValue("1.3.6.1.2.1.2.2.1.2", SnmpValueNull); // ifDescr
    CSnmpTable table(request.get());
    std::vector<Row> rows;
    EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
    ASSERT_EQ(rows.size(), 28U);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].values[0], "Port " + std::to_string(i + 1));
        EXPECT_EQ(rows[i].suffixes[0], "." + std::to_string(i + 1));
    }
    // The walk stays at its end until the request changes.
    CSnmp* raw = nullptr;
    EXPECT_EQ(table.getNext(sim.Host().c_str(), raw, 2000), SnmpStatusEndOfWalk);
    request->clearVarBindList();
    request->addValue(KorvelOid("10.76.19.1.22.1.1.13").c_str(), SnmpValueNull);
    rows.clear();
    EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
    ASSERT_EQ(rows.size(), 24U);
    EXPECT_EQ(rows[0].values[0], "POWER ON");
    EXPECT_EQ(rows[4].suffixes[0], ".1.5");
}

TEST_P(SnmpWalk, SeveralColumnsOfAFullTable)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto request = Request(SnmpPduGetNext);
    for (const std::string& column : {std::string("1.3.6.1.2.1.2.2.1.3"), std::string("1.3.6.1.2.1.2.2.1.5"),
                                      std::string("1.3.6.1.2.1.2.2.1.7"), std::string("1.3.6.1.2.1.2.2.1.8"),
                                      KorvelOid("10.76.19.1.1.13.1.7")})
        request->addValue(column.c_str(), SnmpValueNull);
    CSnmpTable table(request.get());
    std::vector<Row> rows;
    EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
    ASSERT_EQ(rows.size(), 28U);
    EXPECT_EQ(rows[2].values, (std::vector<std::string>{"6", "100000000", "1", "1", "2"}));
    EXPECT_EQ(rows[3].values, (std::vector<std::string>{"6", "1000000000", "2", "2", "2"}));
    EXPECT_EQ(rows[27].values[4], "3");
    for (const std::string& suffix : rows[27].suffixes)
        EXPECT_EQ(suffix, ".28");
}

std::string HoleColumn(int n)
{
    return KorvelOid("99.1.1." + std::to_string(n));
}

// One text per row: its index, then its cells.
std::vector<std::string> RowTexts(const std::vector<Row>& rows)
{
    std::vector<std::string> texts;
    for (const Row& row : rows) {
        std::string text = row.suffixes.empty() ? "" : row.suffixes[0];
        for (size_t i = 0; i < row.values.size(); ++i) {
            text += " " + row.values[i];
            if (row.suffixes[i] != row.suffixes[0])
                text += "@" + row.suffixes[i];
        }
        texts.push_back(text);
    }
    return texts;
}

TEST_P(SnmpWalk, HolesInEachColumnLeaveEveryRowInPlace)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), std::string(KORVEL_SOURCE_DIR) + "/tests/snmp/holes.snmprec"});
    ASSERT_TRUE(sim.Running());
    struct Case
    {
        std::vector<int> columns;
        std::vector<std::string> rows;
    } cases[] = {
        {{1, 2, 3}, {".1 a1 - c1", ".2 a2 22 -", ".3 - 23 c3", ".4 a4 24 -", ".5 a5 - c5", ".6 - - c6", ".7 a7 - -"}},
        // The last column of the agent's MIB ends first (SNMPv1: noSuchName).
        {{3, 1}, {".1 c1 a1", ".2 - a2", ".3 c3 -", ".4 - a4", ".5 c5 a5", ".6 c6 -", ".7 - a7"}},
        {{2}, {".2 22", ".3 23", ".4 24"}},
    };
    for (const Case& c : cases) {
        auto request = Request(SnmpPduGetNext);
        for (int column : c.columns)
            request->addValue(HoleColumn(column).c_str(), SnmpValueNull);
        CSnmpTable table(request.get());
        std::vector<Row> rows;
        EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
        EXPECT_EQ(RowTexts(rows), c.rows) << c.columns.size() << " columns from " << c.columns[0];
        CSnmp* raw = nullptr;
        EXPECT_EQ(table.getNext(sim.Host().c_str(), raw, 2000), SnmpStatusEndOfWalk);
    }
}

// snmpwalk's rows of one column: index suffix -> value.
std::map<std::string, std::string> SnmpwalkColumn(const std::string& host, const std::string& column)
{
    std::map<std::string, std::string> cells;
    const std::string listing = "snmpwalk -v1 -c mirtle -t 3 -r 2 -On -Oq " + host + " " + column + " 2>/dev/null";
    FILE* out = popen(listing.c_str(), "r");
    if (!out)
        return cells;
    char line[512];
    while (std::fgets(line, sizeof line, out)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const size_t space = text.find(' ');
        const std::string oid = text.substr(0, space);
        std::string value = space == std::string::npos ? "" : text.substr(space + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const std::string prefix = "." + column;
        if (oid.rfind(prefix + ".", 0) == 0)
            cells[oid.substr(prefix.size())] = value;
    }
    pclose(out);
    return cells;
}

TEST(SnmpWalkHoles, RowsAgreeWithSnmpwalkColumnByColumn)
{
    if (std::system("command -v snmpwalk >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "snmpwalk is not installed";
    KorvelSimulator sim({KorvelSimulator::BaseData(), std::string(KORVEL_SOURCE_DIR) + "/tests/snmp/holes.snmprec"});
    ASSERT_TRUE(sim.Running());
    auto request = V1(SnmpPduGetNext);
    std::vector<std::map<std::string, std::string>> columns;
    std::set<std::string> indexes;
    for (int n = 1; n <= 3; ++n) {
        request->addValue(HoleColumn(n).c_str(), SnmpValueNull);
        columns.push_back(SnmpwalkColumn(sim.Host(), HoleColumn(n)));
        for (const auto& cell : columns.back())
            indexes.insert(cell.first);
    }
    ASSERT_EQ(indexes.size(), 7U) << "snmpwalk read no table";
    CSnmpTable table(request.get());
    std::vector<Row> rows;
    EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
    std::set<std::string> walked;
    for (const Row& row : rows) {
        walked.insert(row.suffixes[0]);
        for (size_t i = 0; i < columns.size(); ++i) {
            auto it = columns[i].find(row.suffixes[0]);
            EXPECT_EQ(row.values[i], it == columns[i].end() ? "-" : it->second) << row.suffixes[0] << " column " << i;
        }
    }
    EXPECT_EQ(walked, indexes);
}

// An agent whose GETNEXT answers name the very object asked: each request
// comes back as a response with the same bindings.
class EchoAgent
{
public:
    EchoAgent()
    {
        m_fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        bind(m_fd, reinterpret_cast<sockaddr*>(&addr), len);
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_host = "127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
        timeval tv{0, 100000};
        setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        m_thread = std::thread([this] { Serve(); });
    }
    ~EchoAgent()
    {
        m_stop = true;
        m_thread.join();
        close(m_fd);
    }
    const std::string& Host() const { return m_host; }
    int Requests() const { return m_requests; }

private:
    // Skips one BER header at `at`; false when the datagram is too short.
    static bool Header(const std::vector<unsigned char>& d, size_t& at, size_t& length)
    {
        if (at + 2 > d.size())
            return false;
        ++at;
        length = d[at++];
        if (length & 0x80) {
            const size_t n = length & 0x7f;
            length = 0;
            for (size_t i = 0; i < n; ++i) {
                if (at >= d.size())
                    return false;
                length = length << 8 | d[at++];
            }
        }
        return true;
    }
    void Serve()
    {
        while (!m_stop) {
            std::vector<unsigned char> d(65536);
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n = recvfrom(m_fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n <= 0)
                continue;
            d.resize(static_cast<size_t>(n));
            size_t at = 0, length = 0;
            // message SEQUENCE, then version and community, then the PDU.
            if (!Header(d, at, length) || !Header(d, at, length))
                continue;
            at += length;
            if (!Header(d, at, length))
                continue;
            at += length;
            if (at >= d.size() || d[at] != 0xA1)
                continue;
            d[at] = 0xA2;
            ++m_requests;
            sendto(m_fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }
    int m_fd = -1;
    std::string m_host;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

TEST(SnmpWalkBrokenAgent, AnIdentifierThatDoesNotIncreaseFailsTheWalk)
{
    EchoAgent agent;
    for (int columns : {1, 3}) {
        auto request = V1(SnmpPduGetNext);
        for (int n = 1; n <= columns; ++n)
            request->addValue(HoleColumn(n).c_str(), SnmpValueNull);
        CSnmpTable table(request.get());
        std::vector<Row> rows;
        EXPECT_EQ(Walk(table, agent.Host(), rows, 20), SnmpStatusFailed) << columns << " columns";
        EXPECT_TRUE(rows.empty());
    }
    EXPECT_GE(agent.Requests(), 2);
}

TEST_P(SnmpWalk, ColumnAtTheEndOfTheAgentsMib)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    // The last object the simulator serves besides its controls is .25.1.0.
    auto request = Request(SnmpPduGetNext);
    request->addValue(KorvelOid("10.76.19.1.25").c_str(), SnmpValueNull);
    CSnmpTable table(request.get());
    std::vector<Row> rows;
    EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].suffixes[0], ".1.0");

    request->clearVarBindList();
    request->addValue("1.3.6.1.3.4471.4", SnmpValueNull); // the very last object
    rows.clear();
    EXPECT_EQ(Walk(table, sim.Host(), rows), SnmpStatusEndOfWalk);
    EXPECT_EQ(rows.size(), 1U);
}

TEST_P(SnmpWalk, GetAndSetThroughTheWalkerAreCarriedOutAsSuch)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto get = Request(SnmpPduGet);
    get->addValue(KorvelOid("10.76.19.1.1.15.1.0").c_str(), SnmpValueNull);
    get->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    CSnmpTable table(get.get());
    for (int i = 0; i < 2; ++i) { // a GET does not walk on
        CSnmp* raw = nullptr;
        ASSERT_EQ(table.getNext(sim.Host().c_str(), raw, 3000), SnmpStatusOk);
        EXPECT_EQ(OidText(raw, 0), KorvelOid("10.76.19.1.1.15.1.0"));
        EXPECT_EQ(ValueText(raw, 0), "1");
        EXPECT_EQ(ValueText(raw, 1), "korvel-switch");
        delete raw;
    }
    std::unique_ptr<CSnmp> set = GetParam().version == 1
                                     ? std::unique_ptr<CSnmp>(V1(SnmpPduSet, "quenbor"))
                                     : Request(SnmpPduSet);
    set->addValue("1.3.6.1.2.1.2.2.1.7.5", SnmpValueInteger, "2");
    table.setRequest(set.get());
    CSnmp* raw = nullptr;
    ASSERT_EQ(table.getNext(sim.Host().c_str(), raw, 3000), SnmpStatusOk);
    EXPECT_EQ(ErrorStatus(raw), 0);
    delete raw;
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.2.2.1.7.5"), "2");
    auto lines = sim.LogLines();
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[0].substr(0, 4), "GET\t");
    EXPECT_EQ(lines[1].substr(0, 4), "GET\t");
    EXPECT_EQ(lines[2].substr(0, 4), "SET\t");
}

INSTANTIATE_TEST_SUITE_P(Versions, SnmpWalk, ::testing::Values(WalkCase{"v1", 1}, WalkCase{"v3", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// net-snmp's own agent, started on a free loopback port with a configuration
// of the test's own.
TEST(SnmpWalkPeer, SystemGroupOfNetSnmpsAgent)
{
    const char* snmpd = "/usr/sbin/snmpd";
    if (access(snmpd, X_OK) != 0)
        GTEST_SKIP() << "snmpd is not installed";
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), len), 0);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    close(fd);
    const int port = ntohs(addr.sin_port);

    char dirTemplate[] = "/tmp/korvel-snmpd-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    const std::string dir = dirTemplate;
    {
        std::ofstream conf(dir + "/snmpd.conf");
        conf << "rocommunity peer-test 127.0.0.1\nsysName peer-agent\nsysLocation test bench\nsysContact nobody\n";
    }
    const std::string host = "127.0.0.1:" + std::to_string(port);
    const std::string command = "SNMP_PERSISTENT_DIR=" + dir + " MIBS= " + snmpd + " -f -Ln -C -c " + dir +
                                "/snmpd.conf -I -smux -p " + dir + "/pid udp:" + host + " >/dev/null 2>&1 & echo $!";
    FILE* started = popen(command.c_str(), "r");
    ASSERT_NE(started, nullptr);
    int pid = 0;
    ASSERT_EQ(fscanf(started, "%d", &pid), 1);
    pclose(started);

    auto request = V1(SnmpPduGetNext, "peer-test");
    request->addValue("1.3.6.1.2.1.1", SnmpValueNull);
    CSnmpTable table(request.get());
    // Wait until the agent answers.
    auto probe = V1(SnmpPduGet, "peer-test");
    probe->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    bool up = false;
    for (int i = 0; i < 50 && !up; ++i) {
        CSnmp* raw = nullptr;
        up = probe->send(host.c_str(), raw, 200) == SnmpStatusOk;
        delete raw;
    }
    std::vector<Row> rows;
    int status = up ? Walk(table, host, rows) : SnmpStatusFailed;
    kill(pid, SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);

    ASSERT_TRUE(up) << "snmpd did not answer";
    EXPECT_EQ(status, SnmpStatusEndOfWalk);
    std::vector<std::string> values;
    for (const Row& row : rows)
        values.push_back(row.values[0]);
    EXPECT_GE(rows.size(), 7U);
    EXPECT_NE(std::find(values.begin(), values.end(), "peer-agent"), values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), "test bench"), values.end());
    ASSERT_GE(rows.size(), 2U);
    EXPECT_EQ(rows[0].suffixes[0], ".1.0"); // sysDescr.0
}

} // namespace

} // namespace snmp_test

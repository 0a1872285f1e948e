// Table walks of the SNMP library against the simulated switch and net-snmp's
// own agent.
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/KorvelMib.h"
#include "tests/snmp/SnmpTestHelpers.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <filesystem>
#include <fstream>

namespace {

struct Row
{
    std::vector<std::string> values;
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
            row.values.push_back(ValueText(raw, i));
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

TEST_P(SnmpWalk, SeveralColumnsEndWithTheFirst)
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

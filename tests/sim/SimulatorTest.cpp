// The simulated switch, checked with net-snmp's command-line tools (a peer
// nobody here wrote) and with the SNMP library.
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/CSnmpV1.h"
#include "platform/snmp/CSnmpV3.h"
#include "platform/snmp/KorvelMib.h"
#include "tests/support/SimulatorFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace sim_test {

namespace {

// Runs a command and returns what it printed on standard output.
std::string RunTool(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(("MIBS= " + command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return out;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, pipe))
        out.append(buf, n);
    pclose(pipe);
    return out;
}

bool HaveTools()
{
    return access("/usr/bin/snmpwalk", X_OK) == 0 && access("/usr/bin/snmpget", X_OK) == 0 &&
           access("/usr/bin/snmpset", X_OK) == 0;
}

// OID -> TYPE|VALUE of every object line of a data file.
std::map<std::string, std::string> DataObjects(const std::string& path)
{
    std::map<std::string, std::string> objects;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        size_t bar = line.find('|');
        objects[line.substr(0, bar)] = line.substr(bar + 1);
    }
    return objects;
}

std::string Temp(const std::string& content)
{
    char name[] = "/tmp/korvel-sim-data-XXXXXX";
    int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    close(fd);
    return name;
}

TEST(SimulatorPeer, NetSnmpToolsAgreeWithTheDataFile)
{
    if (!HaveTools())
        GTEST_SKIP() << "net-snmp's command-line tools are not installed";
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    const std::string host = sim.Host();

    // Every object of the maker's MIB, in order, with its value.
    auto data = DataObjects(KorvelSimulator::BaseData());
    std::map<std::string, std::string> expected;
    for (const auto& [oid, typeValue] : data)
        if (oid.rfind(std::string(korvelEnterprise) + ".", 0) == 0)
            expected[oid] = typeValue;
    std::istringstream walk(RunTool("snmpwalk -v1 -c mirtle -On -Oq -Oe " + host + " " + korvelEnterprise));
    size_t count = 0;
    for (std::string line; std::getline(walk, line);) {
        if (line.empty() || line[0] != '.')
            continue; // "End of MIB"
        ++count;
        std::string oid = line.substr(1, line.find(' ') - 1);
        std::string value = line.substr(line.find(' ') + 1);
        ASSERT_TRUE(expected.count(oid)) << line;
        const std::string& typeValue = expected[oid];
        std::string want = typeValue.substr(typeValue.find('|') + 1);
        if (typeValue.rfind("4|", 0) == 0)
            want = "\"" + want + "\"";
        if (typeValue.rfind("4x|", 0) != 0) {
            EXPECT_EQ(value, want) << oid;
        }
    }
    EXPECT_EQ(count, expected.size());

    // SNMPv3 with authentication and privacy.
    EXPECT_EQ(
        RunTool("snmpget -Oqv -v3 -l authPriv -u korvel-sha-des -a SHA -A sha-auth-pass -x DES -X sha-priv-pass " +
                host + " 1.3.6.1.2.1.1.5.0"),
        "\"korvel-switch\"\n");
    EXPECT_EQ(
        RunTool("snmpget -Oqv -v3 -l authNoPriv -u korvel-md5 -a MD5 -A md5-auth-pass " + host + " 1.3.6.1.2.1.1.6.0"),
        "\"Lab rack 1\"\n");
    EXPECT_EQ(RunTool("snmpget -Oqv -v3 -l authNoPriv -u korvel-md5 -a MD5 -A wrong-password -t 1 -r 0 " + host +
                      " 1.3.6.1.2.1.1.6.0"),
              "");

    // SNMPv2c SET, and its error statuses.
    RunTool("snmpset -v2c -c quenbor " + host + " 1.3.6.1.2.1.1.6.0 s 'Row 9'");
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.6.0"), "Row 9");
    RunTool("snmpset -v2c -c quenbor " + host + " 1.3.6.1.2.1.1.1.0 s x");
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.1.0").substr(0, 6), "Korvel");
    // The read community cannot write.
    RunTool("snmpset -v2c -c mirtle " + host + " 1.3.6.1.2.1.1.6.0 s other");
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.6.0"), "Row 9");
}

int SetStatus(const KorvelSimulator& sim, int version, const std::vector<std::tuple<std::string, int, std::string>>& b)
{
    std::unique_ptr<CSnmp> request;
    if (version == 1) {
        auto v1 = std::make_unique<CSnmpV1>(SnmpPduSet);
        v1->setCommunity("quenbor");
        request = std::move(v1);
    } else {
        auto v3 = std::make_unique<CSnmpV3>(SnmpPduSet);
        v3->setUserName("korvel-sha");
        v3->setMsgFlags(1);
        v3->setAuthArith(1);
        v3->setAuthPwd("sha-auth-pass", 13);
        request = std::move(v3);
    }
    for (const auto& [oid, type, value] : b)
        request->addValue(oid.c_str(), type, value.c_str());
    CSnmp* raw = nullptr;
    if (request->send(sim.Host().c_str(), raw, 2000) != SnmpStatusOk)
        return -1;
    int status = 0, index = 0;
    raw->getError(&status, &index);
    delete raw;
    return status;
}

TEST(SimulatorRows, RowStatusCreatesAndDestroysRows)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    const std::string name = KorvelOid("10.76.19.1.7.6.1.1");
    const std::string status = KorvelOid("10.76.19.1.7.6.1.5");

    // createAndGo with a value of its own: active at once.
    EXPECT_EQ(SetStatus(sim, 3, {{status + ".10", SnmpValueInteger, "4"}, {name + ".10", SnmpValueOctetString, "lab"}}),
              0);
    EXPECT_EQ(sim.Get(status + ".10"), "1");
    EXPECT_EQ(sim.Get(name + ".10"), "lab");
    // createAndWait takes the template's values, active activates.
    EXPECT_EQ(SetStatus(sim, 1, {{status + ".20", SnmpValueInteger, "5"}}), 0);
    EXPECT_EQ(sim.Get(status + ".20"), "2");
    EXPECT_EQ(sim.Get(name + ".20"), "");
    EXPECT_EQ(SetStatus(sim, 1, {{status + ".20", SnmpValueInteger, "1"}}), 0);
    EXPECT_EQ(sim.Get(status + ".20"), "1");
    // A row that exists cannot be created again.
    EXPECT_EQ(SetStatus(sim, 3, {{status + ".10", SnmpValueInteger, "4"}}), 12);
    EXPECT_EQ(SetStatus(sim, 1, {{status + ".10", SnmpValueInteger, "5"}}), 3);
    // A column of a row that does not exist cannot be created on its own.
    EXPECT_EQ(SetStatus(sim, 3, {{name + ".30", SnmpValueOctetString, "x"}}), 11);
    EXPECT_EQ(SetStatus(sim, 3, {{status + ".30", SnmpValueInteger, "9"}}), 10);
    // destroy removes the whole row.
    EXPECT_EQ(SetStatus(sim, 1, {{status + ".10", SnmpValueInteger, "6"}}), 0);
    EXPECT_FALSE(sim.Has(status + ".10"));
    EXPECT_FALSE(sim.Has(name + ".10"));
    EXPECT_TRUE(sim.Has(name + ".20"));
    // A failing binding takes the row creation of the same request with it.
    EXPECT_EQ(
        SetStatus(sim, 3, {{status + ".40", SnmpValueInteger, "4"}, {"1.3.6.1.2.1.1.3.0", SnmpValueInteger, "1"}}), 17);
    EXPECT_FALSE(sim.Has(status + ".40"));
}

TEST(SimulatorData, ServesObjectsOutsideOneThreeAndReadsDirectives)
{
    std::string extra = Temp("# LLDP lives under 1.0.8802\n"
                             "1.0.8802.1.1.2.1.1.1.0|2|30\n"
                             "1.0.8802.1.1.2.1.1.2.0|2|4\n"
                             "#@readonly 1.0.8802.1.1.2.1.1.2\n"
                             "1.3.6.1.4.1.32473.99.5.0|4x|414243\n"
                             "#@user extra-user:SHA:extra-password\n");
    KorvelSimulator sim({KorvelSimulator::BaseData(), extra}, {"--user", "cli-user:MD5:cli-password:DES:cli-privacy"});
    std::remove(extra.c_str());
    ASSERT_TRUE(sim.Running());
    EXPECT_EQ(sim.Get("1.0.8802.1.1.2.1.1.1.0"), "30");
    EXPECT_EQ(sim.Get("1.3.6.1.4.1.32473.99.5.0"), "ABC");
    EXPECT_EQ(sim.Set("1.0.8802.1.1.2.1.1.1.0", SnmpValueInteger, "60"), 0);
    EXPECT_EQ(sim.Set("1.0.8802.1.1.2.1.1.2.0", SnmpValueInteger, "6"), 4);

    // A walk from 1.0 passes on into 1.3.
    CSnmpV1 request(SnmpPduGetNext);
    request.setCommunity("mirtle");
    request.addValue("1.0", SnmpValueNull);
    CSnmp* raw = nullptr;
    ASSERT_EQ(request.send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    char* oid = nullptr;
    raw->getOid(0, &oid);
    EXPECT_STREQ(oid, "1.0.8802.1.1.2.1.1.1.0");
    delete raw;
    CSnmpV1 after(SnmpPduGetNext);
    after.setCommunity("mirtle");
    after.addValue("1.0.8802.1.1.2.1.1.2.0", SnmpValueNull);
    ASSERT_EQ(after.send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    raw->getOid(0, &oid);
    EXPECT_STREQ(oid, "1.3.6.1.2.1.1.1.0");
    delete raw;

    // Users from a data file and from the command line.
    for (auto [user, flags, auth, pass, privPass] :
         {std::tuple<const char*, int, int, const char*, const char*>{"extra-user", 1, 1, "extra-password", ""},
          {"cli-user", 3, 0, "cli-password", "cli-privacy"}}) {
        CSnmpV3 v3(SnmpPduGet);
        v3.setUserName(user);
        v3.setMsgFlags(flags);
        v3.setAuthArith(auth);
        v3.setAuthPwd(pass, static_cast<int>(strlen(pass)));
        v3.setPriArith(0);
        v3.setPriPwd(privPass, static_cast<int>(strlen(privPass)));
        v3.addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
        ASSERT_EQ(v3.send(sim.Host().c_str(), raw, 2000), SnmpStatusOk) << user;
        delete raw;
    }
}

TEST(SimulatorLog, OneLinePerRequestInOrder)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    sim.Get("1.3.6.1.2.1.1.5.0");
    sim.Set("1.3.6.1.2.1.1.6.0", SnmpValueOctetString, "two words");
    sim.Set(KorvelOid("10.76.19.1.1.9.0"), SnmpValueInteger, "1");
    auto lines = sim.LogLines();
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], "GET\tv1\tmirtle\t1.3.6.1.2.1.1.5.0|5|");
    EXPECT_EQ(lines[1], "SET\tv1\tquenbor\t1.3.6.1.2.1.1.6.0|4|two words");
    EXPECT_EQ(lines[2], "SET\tv1\tquenbor\t" + KorvelOid("10.76.19.1.1.9.0") + "|2|1");
}

TEST(SimulatorControls, SilenceEndsAndTheSimulatorStopsCleanly)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SilenceFor(800));
    std::string value;
    EXPECT_FALSE(sim.Get("1.3.6.1.2.1.1.5.0", value, 300));
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_TRUE(sim.Get("1.3.6.1.2.1.1.5.0", value, 1000));
    // The test controls sit outside the maker's MIB.
    EXPECT_EQ(std::string(kSimControlRoot).rfind(korvelEnterprise, 0), std::string::npos);
    EXPECT_TRUE(sim.Stop());
}

TEST(SimulatorCommandLine, RefusesWhatItCannotServe)
{
    const std::string sim = KORVEL_SIM_PATH;
    const std::string data = " --data " + KorvelSimulator::BaseData();
    for (const std::string& args : {data + " --address 192.0.2.1", data + " --address 0.0.0.0",
                                    std::string(" --port 0"), data + " --user bad:MD4:password1",
                                    data + " --user u:MD5:short", std::string(" --data /nonexistent.snmprec")}) {
        int rc = std::system((sim + args + " >/dev/null 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == 2) << args;
    }
}

} // namespace

TEST(SimulatorBehaviours, ACreatedComponentRowHoldsItsAddressUnlessItsIndexIsNoAddress)
{
    KorvelSimulator sim(
        {KorvelSimulator::BaseData(), KorvelSimulator::TestData("surveillance.snmprec")});
    ASSERT_TRUE(sim.Running());
    const std::string table = KorvelOid("10.76.19.1.26.2.1.1");
    ASSERT_EQ(sim.Set(table + ".5.2.17.34.51.68.85", SnmpValueInteger, "4"), 0);
    EXPECT_EQ(sim.Get(table + ".1.2.17.34.51.68.85"), std::string("\x02\x11\x22\x33\x44\x55"));
    // 300 is no octet: the row keeps the address it was made with, not 300 cut to 44.
    ASSERT_EQ(sim.Set(table + ".5.2.17.34.51.68.300", SnmpValueInteger, "4"), 0);
    EXPECT_NE(sim.Get(table + ".1.2.17.34.51.68.300"), std::string("\x02\x11\x22\x33\x44\x2c"));
    EXPECT_TRUE(sim.Has(table + ".1.2.17.34.51.68.300"));
}

// A transfer's status follows the steps it was started with; the test control
// sets the status, which the switch's managers cannot; a save reads 1 for the
// time its control gives.
TEST(SimulatorBehaviours, TransferStepsStatusControlAndSaveTime)
{
    KorvelSimulator sim(
        {KorvelSimulator::BaseData(), std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/firmware.snmprec"});
    ASSERT_TRUE(sim.Running());
    const std::string status = KorvelOid("10.76.19.1.3.10.6.0");
    ASSERT_EQ(sim.Set(kSimTransferSteps, SnmpValueOctetString, "4:600,3:600,2"), 0);
    ASSERT_EQ(sim.Set(KorvelOid("10.76.19.1.3.10.5.0"), SnmpValueInteger, "2"), 0);
    EXPECT_EQ(sim.Get(status), "4");
    for (int i = 0; i < 100 && sim.Get(status) != "3"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(sim.Get(status), "3");
    for (int i = 0; i < 100 && sim.Get(status) != "2"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(sim.Get(status), "2");
    // The firmware branch did not move.
    EXPECT_EQ(sim.Get(KorvelOid("10.76.19.1.3.9.6.0")), "0");

    EXPECT_NE(sim.Set(status, SnmpValueInteger, "3"), 0);
    ASSERT_EQ(sim.Set(kSimConfigStatus, SnmpValueInteger, "3"), 0);
    EXPECT_EQ(sim.Get(status), "3");

    const std::string save = KorvelOid("10.76.19.1.1.10.0");
    ASSERT_EQ(sim.Set(kSimSaveMs, SnmpValueInteger, "400"), 0);
    ASSERT_EQ(sim.Set(save, SnmpValueInteger, "1"), 0);
    EXPECT_EQ(sim.Get(save), "1");
    for (int i = 0; i < 100 && sim.Get(save) != "2"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(sim.Get(save), "2");
}

} // namespace sim_test

// SNMPv3 user-based security of the SNMP library.
#include "tests/snmp/SnmpTestHelpers.h"

#include <gtest/gtest.h>

namespace snmp_test {

namespace {

struct SecurityCase
{
    const char* name;
    const char* user;
    int flags;
    int auth;
    const char* authPass;
    int priv;
    const char* privPass;
    bool answers;
};

void PrintTo(const SecurityCase& c, std::ostream* out)
{
    *out << c.name;
}

class SnmpV3Security : public ::testing::TestWithParam<SecurityCase>
{
};

TEST_P(SnmpV3Security, GetOfSysName)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    const SecurityCase& c = GetParam();
    auto request = V3(SnmpPduGet, c.user, c.flags, c.auth, c.authPass, c.priv, c.privPass);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    CSnmp* raw = nullptr;
    int status = request->send(sim.Host().c_str(), raw, 2000);
    std::unique_ptr<CSnmp> response(raw);
    if (c.answers) {
        ASSERT_EQ(status, SnmpStatusOk);
        EXPECT_EQ(ErrorStatus(raw), 0);
        EXPECT_EQ(ValueText(raw, 0), "korvel-switch");
        ASSERT_FALSE(sim.LogLines().empty());
        EXPECT_EQ(sim.LogLines().back(), std::string("GET\tv3\t") + c.user + "\t1.3.6.1.2.1.1.5.0|5|");
    } else {
        EXPECT_EQ(status, SnmpStatusFailed);
        EXPECT_EQ(raw, nullptr);
        // Nothing the agent would take as a request of that user arrived.
        for (const std::string& line : sim.LogLines())
            EXPECT_EQ(line.find(c.user), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SnmpV3Security,
    ::testing::Values(
        SecurityCase{"NoAuth", "korvel-none", 0, -1, "", -1, "", true},
        SecurityCase{"AuthMd5", "korvel-md5", 1, 0, "md5-auth-pass", -1, "", true},
        SecurityCase{"AuthSha", "korvel-sha", 1, 1, "sha-auth-pass", -1, "", true},
        SecurityCase{"AuthPrivMd5Des", "korvel-md5-des", 3, 0, "md5-auth-pass", 0, "md5-priv-pass", true},
        SecurityCase{"AuthPrivShaDes", "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "sha-priv-pass", true},
        SecurityCase{"WrongAuthPassword", "korvel-sha", 1, 1, "not-the-password", -1, "", false},
        SecurityCase{"WrongPrivPassword", "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "not-the-password", false},
        SecurityCase{"WrongAuthAlgorithm", "korvel-sha", 1, 0, "sha-auth-pass", -1, "", false},
        // Unknown algorithms and flags never fall back to weaker security.
        SecurityCase{"UnknownAuthAlgorithm", "korvel-sha", 1, 2, "sha-auth-pass", -1, "", false},
        SecurityCase{"UnknownPrivAlgorithm", "korvel-sha-des", 3, 1, "sha-auth-pass", 1, "sha-priv-pass", false},
        SecurityCase{"PrivWithoutAuth", "korvel-sha-des", 2, 1, "sha-auth-pass", 0, "sha-priv-pass", false},
        SecurityCase{"ShortPassword", "korvel-sha", 1, 1, "short", -1, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnmpV3, EveryRequestUsesItsOwnPassword)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto send = [&](const char* password) {
        auto request = V3(SnmpPduGet, "korvel-md5-des", 3, 0, "md5-auth-pass", 0, password);
        request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
        CSnmp* raw = nullptr;
        int status = request->send(sim.Host().c_str(), raw, 2000);
        delete raw;
        return status;
    };
    EXPECT_EQ(send("md5-priv-pass"), SnmpStatusOk);
    EXPECT_EQ(send("wrong-priv-pass"), SnmpStatusFailed);
    EXPECT_EQ(send("md5-priv-pass"), SnmpStatusOk);

    // A SET under SNMPv3 goes out with the security it was given.
    auto set = V3(SnmpPduSet, "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "sha-priv-pass");
    set->addValue("1.3.6.1.2.1.1.6.0", SnmpValueOctetString, "v3 place");
    CSnmp* raw = nullptr;
    ASSERT_EQ(set->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    EXPECT_EQ(ErrorStatus(raw), 0);
    delete raw;
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.6.0"), "v3 place");
}

} // namespace

} // namespace snmp_test

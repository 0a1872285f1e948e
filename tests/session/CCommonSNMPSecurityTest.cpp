// SNMPv1 and SNMPv3 sessions at each security level, and the set-ups a session
// refuses rather than sending with less security than asked for.
#include "SessionTestSupport.h"

namespace session_test {

using namespace session_test;

namespace {

struct SecurityCase
{
    const char* name;
    const char* version;
    const char* level;
    const char* user;
    const char* authProtocol;
    const char* authPassword;
    const char* privProtocol;
    const char* privPassword;
    bool works;
};

const SecurityCase kCases[] = {
    {"v1", "1", "1", "", "1", "", "1", "", true},
    {"v3NoAuth", "3", "1", "korvel-none", "1", "", "1", "", true},
    {"v3AuthMd5", "3", "2", "korvel-md5", "2", "md5-auth-pass", "1", "", true},
    {"v3AuthSha", "3", "2", "korvel-sha", "3", "sha-auth-pass", "1", "", true},
    // Level 2 does not look at the privacy settings (a 1-byte key would fail).
    {"v3AuthIgnoresPrivacy", "3", "2", "korvel-md5", "2", "md5-auth-pass", "2", "x", true},
    {"v3PrivMd5Des", "3", "3", "korvel-md5-des", "2", "md5-auth-pass", "2", "md5-priv-pass", true},
    {"v3PrivShaDes", "3", "3", "korvel-sha-des", "3", "sha-auth-pass", "2", "sha-priv-pass", true},
    // Refused: these would have gone out with less security than asked for.
    {"v3AuthUnknownAuthProtocol", "3", "2", "korvel-md5", "1", "md5-auth-pass", "1", "", false},
    {"v3PrivUnknownAuthProtocol", "3", "3", "korvel-md5-des", "4", "md5-auth-pass", "2", "md5-priv-pass", false},
    {"v3PrivUnknownPrivProtocol", "3", "3", "korvel-md5-des", "2", "md5-auth-pass", "1", "md5-priv-pass", false},
    // Neither SNMPv1 nor SNMPv3.
    {"v2", "2", "1", "", "1", "", "1", "", false},
};

void PrintTo(const SecurityCase& c, std::ostream* os)
{
    *os << c.name;
}

class CCommonSNMPSecurityTest : public ::testing::TestWithParam<SecurityCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.Running());
        UseSimulator(m_sim);
        const SecurityCase& c = GetParam();
        g_strSnmpVersion = c.version;
        g_strSecurityLevel = c.level;
        g_strUserName = c.user;
        g_strAuthProtocol = c.authProtocol;
        g_strAuthPassword = c.authPassword;
        g_strPrivProtocol = c.privProtocol;
        g_strPrivPassword = c.privPassword;
    }

    KorvelSimulator m_sim;
};

TEST_P(CCommonSNMPSecurityTest, ReadsWritesAndWalksOnlyWithTheSecurityAskedFor)
{
    const SecurityCase& c = GetParam();
    CCommonSNMP session;

    EXPECT_EQ(session.Open(0), c.works);
    EXPECT_EQ(session.AddValue(kSysName, 4), c.works ? 0 : -1);
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = session.send(pResponse, 0);
    EXPECT_EQ(nStatus, c.works ? 0 : -1);
    if (c.works) {
        ASSERT_TRUE(pResponse);
        int nError = -1;
        int nIndex = -1;
        pResponse->getError(&nError, &nIndex);
        EXPECT_EQ(nError, 0);
        char* pszValue = nullptr;
        int nType = 0;
        ASSERT_EQ(pResponse->getValue(0, &nType, &pszValue), 0);
        EXPECT_STREQ(pszValue, "korvel-switch");
    }

    session.Open(3);
    session.AddValue("1.3.6.1.2.1.1.4.0", 2, "Second shift");
    EXPECT_EQ(session.send(pResponse, 0), c.works ? 0 : -1);

    session.Open(1);
    session.AddValue(kTrunkMembers, 4);
    WalkRecorder walk(session);
    walk.Start();
    if (c.works) {
        ASSERT_TRUE(Eventually([&] { return walk.Ended(); }));
        EXPECT_EQ(walk.Count(), 9U);
    } else {
        EXPECT_TRUE(session.WaitDone());
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(walk.Count(), 0U);
    }

    // What reached the switch, and as whom.
    const std::vector<std::string> lines = m_sim.LogLines();
    EXPECT_EQ(m_sim.Get("1.3.6.1.2.1.1.4.0"), c.works ? "Second shift" : "Network Operations");
    if (!c.works) {
        EXPECT_TRUE(lines.empty()) << lines.front();
        return;
    }
    const std::string who = std::string(c.version) == "1" ? "v1\tmirtle" : std::string("v3\t") + c.user;
    ASSERT_EQ(lines.size(), 11U); // GET, SET, 8 rows and the end
    EXPECT_EQ(lines[0].rfind("GET\t" + who + "\t", 0), 0U) << lines[0];
    const std::string writer = std::string(c.version) == "1" ? "v1\tquenbor" : std::string("v3\t") + c.user;
    EXPECT_EQ(lines[1].rfind("SET\t" + writer + "\t", 0), 0U) << lines[1];
}

INSTANTIATE_TEST_SUITE_P(Levels, CCommonSNMPSecurityTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<SecurityCase>& info) { return info.param.name; });

TEST(CCommonSNMPSecurity, AWrongPasswordIsAFailedRequest)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    UseSimulator(sim, "1000");
    g_strSnmpVersion = "3";
    g_strSecurityLevel = "2";
    g_strUserName = "korvel-md5";
    g_strAuthProtocol = "2";
    g_strAuthPassword = "not-the-password";
    CCommonSNMP session;
    ASSERT_TRUE(session.Open(0));
    session.AddValue(kSysName, 4);
    std::unique_ptr<CSnmp> pResponse;
    EXPECT_EQ(session.send(pResponse, 0), -1);
    EXPECT_FALSE(pResponse);
}

} // namespace

} // namespace session_test

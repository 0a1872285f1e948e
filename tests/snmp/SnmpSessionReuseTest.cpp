// A request keeps its session from one exchange to the next: one socket for a
// whole walk, credentials that change take effect at once, and an agent that
// restarted meanwhile is reached again.
#include "platform/snmp/CSnmpTable.h"
#include "tests/snmp/SnmpTestHelpers.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace snmp_test {

namespace {

// The sockets the process has open, by inode.
std::set<std::string> Sockets()
{
    std::set<std::string> sockets;
    DIR* dir = opendir("/proc/self/fd");
    if (!dir)
        return sockets;
    while (dirent* entry = readdir(dir)) {
        char target[128] = {};
        const std::string path = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<size_t>(n)).rfind("socket:", 0) == 0)
            sockets.insert(target);
    }
    closedir(dir);
    return sockets;
}

struct Version
{
    const char* name;
    int version;
};

void PrintTo(const Version& c, std::ostream* out)
{
    *out << c.name;
}

class SnmpSessionReuse : public ::testing::TestWithParam<Version>
{
protected:
    std::unique_ptr<CSnmp> Request(int type) const
    {
        if (GetParam().version == 1)
            return V1(type);
        return V3(type, "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "sha-priv-pass");
    }

    static int Send(CSnmp& request, const std::string& host, std::string* value = nullptr, int timeout = 2000)
    {
        CSnmp* raw = nullptr;
        const int status = request.send(host.c_str(), raw, static_cast<unsigned long>(timeout));
        std::unique_ptr<CSnmp> response(raw);
        if (value)
            *value = status == SnmpStatusOk ? ValueText(raw, 0) : "<none>";
        return status;
    }
};

// The same rows as a walk whose every step is a request of its own, over one
// socket that stays the same for the whole walk and for the walk after it.
TEST_P(SnmpSessionReuse, WalkOverOneSessionGivesTheSameRows)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    const char* column = "1.3.6.1.2.1.2.2.1.2"; // ifDescr

    std::vector<std::string> expected;
    std::string next = column;
    while (true) {
        auto single = Request(SnmpPduGetNext);
        single->addValue(next.c_str(), SnmpValueNull);
        CSnmp* raw = nullptr;
        ASSERT_EQ(single->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
        std::unique_ptr<CSnmp> response(raw);
        next = OidText(raw, 0);
        if (next.rfind(std::string(column) + ".", 0) != 0)
            break;
        expected.push_back(OidText(raw, 0) + "=" + ValueText(raw, 0));
    }
    ASSERT_EQ(expected.size(), 28U);

    auto request = Request(SnmpPduGetNext);
    CSnmpTable table(request.get());
    const std::set<std::string> before = Sockets();
    std::set<std::string> during;
    for (int pass = 0; pass < 2; ++pass) {
        request->clearVarBindList();
        request->addValue(column, SnmpValueNull);
        std::vector<std::string> rows;
        int status = SnmpStatusOk;
        while (status == SnmpStatusOk && rows.size() <= expected.size()) {
            CSnmp* raw = nullptr;
            status = table.getNext(sim.Host().c_str(), raw, 2000);
            std::unique_ptr<CSnmp> response(raw);
            if (status == SnmpStatusOk)
                rows.push_back(OidText(raw, 0) + "=" + ValueText(raw, 0));
            for (const std::string& socket : Sockets())
                if (!before.count(socket))
                    during.insert(socket);
        }
        EXPECT_EQ(status, SnmpStatusEndOfWalk);
        EXPECT_EQ(rows, expected) << "pass " << pass;
    }
    EXPECT_EQ(during.size(), 1U) << "every step of both walks went over the request's one socket";

    request.reset();
    for (const std::string& socket : during)
        EXPECT_EQ(Sockets().count(socket), 0U) << "the socket is closed with its request";
}

// An agent that restarts on the same port between two requests (new process,
// new engine time) is reached again by the same request object, whether a
// request failed while it was away or not.
TEST_P(SnmpSessionReuse, AgentRestartedBetweenRequestsIsReachedAgain)
{
    auto sim = std::make_unique<KorvelSimulator>();
    ASSERT_TRUE(sim->Running());
    const std::string port = std::to_string(sim->Port());
    const std::string host = sim->Host();
    auto request = Request(SnmpPduGet);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    std::string value;
    ASSERT_EQ(Send(*request, host, &value), SnmpStatusOk);
    EXPECT_EQ(value, "korvel-switch");

    for (const bool askWhileAway : {true, false}) {
        sim->Stop();
        if (askWhileAway) {
            EXPECT_EQ(Send(*request, host, nullptr, 300), SnmpStatusFailed);
        }
        sim.reset();
        sim = std::make_unique<KorvelSimulator>(std::vector<std::string>{KorvelSimulator::BaseData()},
                                                std::vector<std::string>{"--port", port});
        ASSERT_TRUE(sim->Running());
        ASSERT_EQ(sim->Host(), host);
        value.clear();
        EXPECT_EQ(Send(*request, host, &value), SnmpStatusOk) << "asked while away: " << askWhileAway;
        EXPECT_EQ(value, "korvel-switch");
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, SnmpSessionReuse, ::testing::Values(Version{"v1", 1}, Version{"v3", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// Credentials changed between two requests of one object are the ones the
// next request uses; a wrong one fails, also while another object of the same
// user sends with the right one.
TEST(SnmpSessionCredentials, ChangedPasswordsTakeEffectOnTheNextRequest)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    struct Step
    {
        const char* auth;
        const char* priv;
        bool answers;
    };
    const Step steps[] = {
        {"sha-auth-pass", "sha-priv-pass", true},      {"wrong-auth-pass", "sha-priv-pass", false},
        {"sha-auth-pass", "sha-priv-pass", true},      {"sha-auth-pass", "wrong-priv-pass", false},
        {"sha-auth-pass", "sha-priv-pass", true},      {"sha-auth-pass", "sha-priv-pass", true},
        {"wrong-auth-pass", "wrong-priv-pass", false},
    };
    auto request = V3(SnmpPduGet, "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "sha-priv-pass");
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    // Another object of the same user, always with the right passwords.
    auto other = V3(SnmpPduGet, "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "sha-priv-pass");
    other->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        request->setAuthPwd(s.auth, static_cast<int>(std::strlen(s.auth)));
        request->setPriPwd(s.priv, static_cast<int>(std::strlen(s.priv)));
        CSnmp* raw = nullptr;
        const int status = request->send(sim.Host().c_str(), raw, 1000);
        std::unique_ptr<CSnmp> response(raw);
        EXPECT_EQ(status, s.answers ? SnmpStatusOk : SnmpStatusFailed) << "step " << i;
        if (s.answers) {
            EXPECT_EQ(ValueText(raw, 0), "korvel-switch") << "step " << i;
        }
        raw = nullptr;
        EXPECT_EQ(other->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk) << "step " << i;
        delete raw;
    }
}

// SNMPv1: each request goes out with the community it has now, on the same
// session; an unknown one gets no answer.
TEST(SnmpSessionCredentials, EachRequestCarriesItsCurrentCommunity)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto request = V1(SnmpPduGet);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    for (const char* community : {"mirtle", "quenbor", "not-a-community", "mirtle"}) {
        request->setCommunity(community);
        const bool known = std::string(community) != "not-a-community";
        CSnmp* raw = nullptr;
        const int status = request->send(sim.Host().c_str(), raw, known ? 2000 : 300);
        std::unique_ptr<CSnmp> response(raw);
        ASSERT_EQ(status, known ? SnmpStatusOk : SnmpStatusFailed) << community;
        if (known) {
            ASSERT_FALSE(sim.LogLines().empty());
            EXPECT_EQ(sim.LogLines().back(), std::string("GET\tv1\t") + community + "\t1.3.6.1.2.1.1.5.0|5|");
        }
    }
}

// Another user on a kept session: the request goes out as the new user.
TEST(SnmpSessionCredentials, ChangedUserIsTheOneTheAgentSees)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto request = V3(SnmpPduGet, "korvel-md5", 1, 0, "md5-auth-pass");
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    for (const char* user : {"korvel-md5", "korvel-sha", "korvel-md5"}) {
        const bool sha = std::string(user) == "korvel-sha";
        request->setUserName(user);
        request->setAuthArith(sha ? 1 : 0);
        const std::string password = sha ? "sha-auth-pass" : "md5-auth-pass";
        request->setAuthPwd(password.c_str(), static_cast<int>(password.size()));
        CSnmp* raw = nullptr;
        ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk) << user;
        delete raw;
        ASSERT_FALSE(sim.LogLines().empty());
        EXPECT_EQ(sim.LogLines().back(), std::string("GET\tv3\t") + user + "\t1.3.6.1.2.1.1.5.0|5|");
    }
}

} // namespace

} // namespace snmp_test

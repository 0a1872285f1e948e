// GET and SET requests of the SNMP library against the simulated switch.
#include "platform/snmp/KorvelMib.h"
#include "platform/snmp/SnmpMessage.h"
#include "tests/snmp/SnmpTestHelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace snmp_test {

namespace {

struct ValueCase
{
    const char* oid;
    int type;            // BER tag getValue reports
    const char* text;    // getValue's text
};

TEST(SnmpRequest, GetGivesEveryValueTypeAsText)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TypesData()});
    ASSERT_TRUE(sim.Running());
    const ValueCase cases[] = {
        {"1.3.6.1.4.1.32473.99.1.1.0", 2, "-42"},
        {"1.3.6.1.4.1.32473.99.1.2.0", 4, "hello"},
        {"1.3.6.1.4.1.32473.99.1.4.0", 6, "1.3.6.1.4.1.32473.10"},
        {"1.3.6.1.4.1.32473.99.1.5.0", 64, "192.0.2.7"},
        {"1.3.6.1.4.1.32473.99.1.6.0", 65, "4000000000"},
        {"1.3.6.1.4.1.32473.99.1.7.0", 66, "3000000000"},
        {"1.3.6.1.4.1.32473.99.1.8.0", 67, "123456"},
        {"1.3.6.1.4.1.32473.99.1.9.0", 70, "18446744073709551615"},
        {"1.3.6.1.2.1.1.5.0", 4, "korvel-switch"},
    };
    // SNMPv3, as SNMPv1 cannot carry a Counter64.
    auto request = V3(SnmpPduGet, "korvel-sha", 1, 1, "sha-auth-pass");
    for (const auto& c : cases)
        ASSERT_EQ(request->addValue(c.oid, SnmpValueNull), 0);
    CSnmp* raw = nullptr;
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    std::unique_ptr<CSnmp> response(raw);
    ASSERT_EQ(response->getVarBindCount(), static_cast<int>(std::size(cases)));
    EXPECT_EQ(ErrorStatus(raw), 0);
    for (int i = 0; i < response->getVarBindCount(); ++i) {
        int type = 0;
        char* text = nullptr;
        EXPECT_EQ(response->getValue(i, &type, &text), 0);
        EXPECT_EQ(type, cases[i].type) << cases[i].oid;
        EXPECT_STREQ(text, cases[i].text) << cases[i].oid;
        EXPECT_EQ(OidText(raw, i), cases[i].oid);
    }
    // Bindings stay in the request: sending it again sends the same bindings.
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    std::unique_ptr<CSnmp> again(raw);
    EXPECT_EQ(again->getVarBindCount(), static_cast<int>(std::size(cases)));
    EXPECT_EQ(ValueText(raw, 8), "korvel-switch");
}

TEST(SnmpRequest, RawBytesAndMissingObjects)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TypesData()});
    ASSERT_TRUE(sim.Running());
    // SNMPv3 so that the agent answers each missing object with an exception.
    auto request = V3(SnmpPduGet, "korvel-sha", 1, 1, "sha-auth-pass");
    request->addValue("1.3.6.1.4.1.32473.99.1.3.0", SnmpValueNull);  // 00 ff 0a 41
    request->addValue("1.3.6.1.2.1.2.2.1.6.1", SnmpValueNull);       // ifPhysAddress.1
    request->addValue("1.3.6.1.4.1.32473.99.1.5.0", SnmpValueNull);  // IpAddress
    request->addValue("1.3.6.1.2.1.1.5.7", SnmpValueNull);           // noSuchInstance
    request->addValue("1.3.6.1.4.1.32473.98.0", SnmpValueNull);      // noSuchObject
    CSnmp* raw = nullptr;
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 3000), SnmpStatusOk);
    std::unique_ptr<CSnmp> response(raw);
    ASSERT_EQ(response->getVarBindCount(), 5);

    auto bytes = [&](int index) {
        int type = 0, length = -1;
        void* data = nullptr;
        EXPECT_EQ(response->getValueBytes(index, &type, &data, &length), 0);
        std::string out = data ? std::string(static_cast<char*>(data), static_cast<size_t>(length)) : "";
        std::free(data);
        return out;
    };
    EXPECT_EQ(bytes(0), std::string("\x00\xff\x0a\x41", 4));
    EXPECT_EQ(bytes(1), std::string("\x02\xa0\xc9\x4d\x00\x01", 6));
    EXPECT_EQ(bytes(2), std::string("\xc0\x00\x02\x07", 4));
    for (int i : {3, 4}) {
        int type = 0, length = -1;
        void* data = reinterpret_cast<void*>(1);
        EXPECT_EQ(response->getValueBytes(i, &type, &data, &length), 0);
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(length, 0);
        EXPECT_EQ(ValueText(raw, i), "");
    }
    // The text of an octet string stops at its first NUL byte.
    EXPECT_EQ(ValueText(raw, 0), "");
    // An index out of range fails without touching memory it does not own.
    int type = 0;
    char* text = nullptr;
    EXPECT_EQ(response->getValue(5, &type, &text), -1);
    EXPECT_STREQ(text, "");
}

struct SetCase
{
    const char* oid;
    int type;
    std::string value;   // as given to addValue
    int length;          // -1: the text form of addValue
    const char* readBack;
};

TEST(SnmpRequest, SetEveryValueType)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TypesData()});
    ASSERT_TRUE(sim.Running());
    const SetCase cases[] = {
        {"1.3.6.1.4.1.32473.99.1.1.0", SnmpValueInteger, "-2000000000", -1, "-2000000000"},
        // An integer given as text is read whole, whatever length comes with it.
        {"1.3.6.1.2.1.2.2.1.7.5", SnmpValueInteger, "2", 1, "2"},
        {"1.3.6.1.4.1.32473.99.1.1.0", SnmpValueInteger, "1234", 1, "1234"},
        {"1.3.6.1.2.1.1.5.0", SnmpValueOctetString, "lab-switch-7", -1, "lab-switch-7"},
        {"1.3.6.1.4.1.32473.99.1.4.0", SnmpValueObjectId, "1.3.6.1.2.1.1", -1, "1.3.6.1.2.1.1"},
        {"1.3.6.1.4.1.32473.99.1.5.0", SnmpValueIpAddress, "10.20.30.40", -1, "10.20.30.40"},
        {"1.3.6.1.4.1.32473.99.1.7.0", SnmpValueUnsigned, "4294967295", 2, "4294967295"},
    };
    for (const auto& c : cases) {
        auto request = V1(SnmpPduSet, "quenbor");
        if (c.length < 0)
            ASSERT_EQ(request->addValue(c.oid, c.type, c.value.c_str()), 0) << c.oid;
        else
            ASSERT_EQ(request->addValue(c.oid, c.type, c.value.c_str(), c.length), 0) << c.oid;
        CSnmp* raw = nullptr;
        ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk) << c.oid;
        std::unique_ptr<CSnmp> response(raw);
        EXPECT_EQ(ErrorStatus(raw), 0) << c.oid;
        EXPECT_EQ(sim.Get(c.oid), c.readBack) << c.oid;
    }

    // Octet strings given as bytes with a length keep every byte, NULs too.
    auto request = V1(SnmpPduSet, "quenbor");
    const char bitmap[] = {0x00, 0x00, 0x01, 0x30};
    const std::string trunk = KorvelOid("10.76.19.1.8.1.3.1.2.2");
    ASSERT_EQ(request->addValue(trunk.c_str(), SnmpValueOctetString, bitmap, 4), 0);
    CSnmp* raw = nullptr;
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    delete raw;
    auto lines = sim.LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "SET\tv1\tquenbor\t" + trunk + "|4x|00000130");
}

TEST(SnmpRequest, BadBindingsKeepTheRequestFromBeingSent)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    struct
    {
        const char* oid;
        int type;
        const char* value;
    } bad[] = {
        {"1.3.6.1.2.1.1.5.0", SnmpValueInteger, "12abc"},
        {"1.3.6.1.2.1.1.5.0", SnmpValueInteger, "4294967296"},
        {"1.3.6.1.2.1.1.5.0", SnmpValueUnsigned, "-1"},
        {"1.3.6.1.2.1.1.5.0", SnmpValueIpAddress, "10.0.0"},
        {"1.3.6.1.2.1.1.5.0", SnmpValueObjectId, "1.3.x"},
        {"1.3.6.1.2.1.1.5.0", 9, "1"},
        {"1.3.6..1", SnmpValueNull, nullptr},
        {"", SnmpValueNull, nullptr},
    };
    for (const auto& b : bad) {
        auto request = V1(SnmpPduSet, "quenbor");
        ASSERT_EQ(request->addValue("1.3.6.1.2.1.1.6.0", SnmpValueOctetString, "changed"), 0);
        EXPECT_EQ(request->addValue(b.oid, b.type, b.value), -1) << b.oid << " " << (b.value ? b.value : "");
        CSnmp* raw = nullptr;
        // The good binding must not go out alone.
        EXPECT_EQ(request->send(sim.Host().c_str(), raw, 1000), SnmpStatusFailed);
        EXPECT_EQ(raw, nullptr);
    }
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.6.0"), "Lab rack 1");

    // A request without bindings, or without a host, is never sent.
    auto empty = V1(SnmpPduGet);
    CSnmp* raw = nullptr;
    EXPECT_EQ(empty->send(sim.Host().c_str(), raw, 1000), SnmpStatusFailed);
    auto noHost = V1(SnmpPduGet);
    noHost->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    EXPECT_EQ(noHost->send(nullptr, raw, 1000), SnmpStatusFailed);
    EXPECT_EQ(noHost->send("", raw, 1000), SnmpStatusFailed);
}

struct ErrorCase
{
    int version;
    const char* oid;
    int type;
    const char* value;
    int status;
};

TEST(SnmpRequest, SetErrorStatusesOfTheAgent)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    const ErrorCase cases[] = {
        {1, "1.3.6.1.2.1.1.1.0", SnmpValueOctetString, "x", 4},    // readOnly
        {3, "1.3.6.1.2.1.1.1.0", SnmpValueOctetString, "x", 17},   // notWritable
        {1, "1.3.6.1.2.1.1.5.0", SnmpValueInteger, "3", 3},        // badValue
        {3, "1.3.6.1.2.1.1.5.0", SnmpValueInteger, "3", 7},        // wrongType
        {1, "1.3.6.1.2.1.1.99.0", SnmpValueInteger, "3", 2},       // noSuchName
        {3, "1.3.6.1.2.1.1.99.0", SnmpValueInteger, "3", 11},      // noCreation
    };
    for (const auto& c : cases) {
        std::unique_ptr<CSnmp> request;
        if (c.version == 1)
            request = V1(SnmpPduSet, "quenbor");
        else
            request = V3(SnmpPduSet, "korvel-md5-des", 3, 0, "md5-auth-pass", 0, "md5-priv-pass");
        request->addValue(c.oid, c.type, c.value);
        CSnmp* raw = nullptr;
        ASSERT_EQ(request->send(sim.Host().c_str(), raw, 3000), SnmpStatusOk) << c.oid;
        std::unique_ptr<CSnmp> response(raw);
        int index = 0;
        EXPECT_EQ(ErrorStatus(raw, &index), c.status) << "v" << c.version << " " << c.oid;
        EXPECT_EQ(index, 1);
    }
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.5.0"), "korvel-switch");
}

TEST(SnmpRequest, MultiBindingSetIsAppliedWholeOrNotAtAll)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto request = V1(SnmpPduSet, "quenbor");
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueOctetString, "new-name");
    request->addValue("1.3.6.1.2.1.1.1.0", SnmpValueOctetString, "read-only");
    CSnmp* raw = nullptr;
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    int index = 0;
    EXPECT_EQ(ErrorStatus(raw, &index), 4);
    EXPECT_EQ(index, 2);
    delete raw;
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.5.0"), "korvel-switch");

    // The simulator's refusal control refuses the whole request once.
    ASSERT_TRUE(sim.RefuseNextSet("1.3.6.1.2.1.1.6.0", 5));
    auto both = V1(SnmpPduSet, "quenbor");
    both->addValue("1.3.6.1.2.1.1.5.0", SnmpValueOctetString, "new-name");
    both->addValue("1.3.6.1.2.1.1.6.0", SnmpValueOctetString, "new-place");
    ASSERT_EQ(both->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    EXPECT_EQ(ErrorStatus(raw, &index), 5);
    EXPECT_EQ(index, 2);
    delete raw;
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.5.0"), "korvel-switch");
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.6.0"), "Lab rack 1");
    ASSERT_EQ(both->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    EXPECT_EQ(ErrorStatus(raw), 0);
    delete raw;
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.5.0"), "new-name");
    EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.6.0"), "new-place");
}

TEST(SnmpRequest, TimeOutEndsWithinTheRequestsTimeOut)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SilenceFor(6000));
    using Clock = std::chrono::steady_clock;
    std::unique_ptr<CSnmp> requests[] = {
        V1(SnmpPduGet),
        V3(SnmpPduGet, "korvel-sha-des", 3, 1, "sha-auth-pass", 0, "sha-priv-pass"),
    };
    for (auto& request : requests) {
        request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
        CSnmp* raw = nullptr;
        auto start = Clock::now();
        EXPECT_EQ(request->send(sim.Host().c_str(), raw, 1200), SnmpStatusFailed);
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        EXPECT_EQ(raw, nullptr);
        EXPECT_GE(elapsed, 1100) << request->message().version;
        EXPECT_LE(elapsed, 1500) << request->message().version;
    }
}

TEST(SnmpRequest, SlowRepliesWithinTheTimeOutArrive)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SetReplyDelay(400));
    auto request = V1(SnmpPduGet);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    CSnmp* raw = nullptr;
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 3000), SnmpStatusOk);
    EXPECT_EQ(ValueText(raw, 0), "korvel-switch");
    delete raw;
}

TEST(SnmpRequest, HostTextIsThePeerName)
{
    KorvelSimulator sim({KorvelSimulator::BaseData()}, {"--address", "::1"});
    ASSERT_TRUE(sim.Running());
    ASSERT_EQ(sim.Host().rfind("udp6:[::1]:", 0), 0U) << sim.Host();
    auto request = V1(SnmpPduGet);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    CSnmp* raw = nullptr;
    ASSERT_EQ(request->send(sim.Host().c_str(), raw, 2000), SnmpStatusOk);
    EXPECT_EQ(ValueText(raw, 0), "korvel-switch");
    delete raw;
}

} // namespace

} // namespace snmp_test

// The address edit adds the address it checked to an SNMP request: its type as
// an integer, its octets as an octet string, and the zone of a link-local
// address; as the simulated switch receives them.
#include "controls/DemoSupport.h"
#include "session/SessionTestSupport.h"

#include <gtest/gtest.h>

namespace controls_test {

namespace {

const std::string kType = KorvelOid("99.7.1.0");
const std::string kAddress = KorvelOid("99.7.2.0");
const std::string kZone = KorvelOid("99.7.3.0");

TEST(AddressValues, TypeOctetsAndZoneAsTheSwitchReceivesThem)
{
    KorvelSimulator sim(
        {KorvelSimulator::BaseData(), std::string(KORVEL_SOURCE_DIR) + "/tests/controls/address-host.snmprec"});
    ASSERT_TRUE(sim.Running());
    session_test::UseSimulator(sim);

    struct Case
    {
        const char* text;
        std::string bindings; // as the switch's log writes them
    };
    const Case cases[] = {
        {"192.168.1.10", kType + "|2|1\t" + kAddress + "|4x|c0a8010a"},
        {"2001:DB8::1", kType + "|2|2\t" + kAddress + "|4x|20010db8000000000000000000000001"},
        {"fe80::1%eth0", kType + "|2|2\t" + kAddress + "|4x|fe800000000000000000000000000001\t" + kZone + "|4|eth0"},
    };
    OpenDemo open;
    CEditEXIPV6& edit = open.dialog.m_address;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EnterAndLeave(open.dialog, c.text);
        ASSERT_EQ(edit.m_nStatus, 1);
        CCommonSNMP session;
        ASSERT_TRUE(session.Open(3));
        edit.AddTypeValue(&session, kType);
        edit.AddAddressValue(&session, kAddress);
        edit.AddZoneValue(&session, kZone);
        std::unique_ptr<CSnmp> pResponse;
        EXPECT_EQ(session.send(pResponse, 0), 0);
        const std::vector<std::string> sets = session_test::LogLinesOf(sim, "SET");
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets.back(), "SET\tv1\tquenbor\t" + c.bindings);
    }
}

} // namespace

} // namespace controls_test

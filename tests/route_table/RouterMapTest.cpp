// The route table viewer on the simulated switch: the routes with their type
// and protocol words and the entry count, one walk per opening, and nothing
// read over SNMPv3.
#include "legacy/CRouterMap.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "resources/legacy.h"

namespace route_table_test {

using namespace legacytest;

namespace {

class RouterMapTest : public LegacyTest
{
protected:
    // Walk starts: GETNEXT requests that ask for the destination column itself.
    std::size_t WalkStarts() const
    {
        std::size_t starts = 0;
        for (const auto& request : Requests("GETNEXT"))
            if (!request.empty() && request[0].rfind("1.3.6.1.2.1.4.21.1.1|", 0) == 0)
                ++starts;
        return starts;
    }
};

} // namespace

TEST_F(RouterMapTest, ShowsTheRoutesWithTheirWordsAndCount)
{
    StartLegacySwitch();
    CRouterMap dialog;
    RunModal<CRouterMap>(dialog, [&](CRouterMap& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_ROUTER_LIST, 6));
        PumpFor(300);
        EXPECT_EQ(d.GetWindowText(), "Router Table");
        const Rows expected = {
            {"0.0.0.0", "192.168.1.254", "0.0.0.0", "1", "Indirect", "netmgmt", "3600", "2", "-1", "-1", "-1"},
            {"10.20.0.0", "192.168.1.1", "255.255.0.0", "1", "Indirect", "ospf", "120", "2", "-1", "-1", "-1"},
            {"172.16.0.0", "192.168.1.2", "255.240.0.0", "1", "Indirect", "rip", "25", "2", "-1", "-1", "-1"},
            {"192.168.1.0", "192.168.1.10", "255.255.255.0", "1", "Direct", "local", "0", "1", "-1", "-1", "-1"},
            {"192.168.50.0", "192.168.1.3", "255.255.255.0", "1", "Indirect", "bgp", "900", "2", "-1", "-1", "-1"},
            {"224.0.0.0", "0.0.0.0", "240.0.0.0", "1", "Illegal", "other", "0", "2", "-1", "-1", "-1"},
        };
        EXPECT_EQ(ListRows(d, IDC_ROUTER_LIST), expected);
        EXPECT_EQ(Text(d, IDC_ROUTER_COUNT), "6");
    });
    EXPECT_EQ(WalkStarts(), 1u);
}

TEST(RouterMapWordsTest, RouteTypesAndProtocols)
{
    const std::pair<const char*, const char*> types[] = {
        {"1", "UnKnown"}, {"2", "Illegal"}, {"3", "Direct"}, {"4", "Indirect"}, {"5", "0"}, {"", "0"}};
    for (const auto& [value, word] : types)
        EXPECT_EQ(CRouterMap::RouteTypeWord(value), word) << value;
    const std::pair<const char*, const char*> protocols[] = {
        {"1", "other"}, {"2", "local"},     {"4", "icmp"},       {"8", "rip"},  {"10", "es-is"},
        {"11", "ciscoIgrp"}, {"12", "bbnSpfIgp"}, {"13", "ospf"}, {"14", "bgp"}, {"15", "other"}};
    for (const auto& [value, word] : protocols)
        EXPECT_EQ(CRouterMap::RouteProtocolWord(value), word) << value;
}

TEST_F(RouterMapTest, ReadsNothingOverSnmpV3)
{
    StartLegacySwitch();
    UseV3(kAuthPriv);
    CRouterMap dialog;
    RunModal<CRouterMap>(dialog, [&](CRouterMap& d) {
        PumpPosted([] { return false; }, 500);
        ClickButton(d, IDC_ROUTER_REFRESH);
        PumpFor(300);
        EXPECT_EQ(List(d, IDC_ROUTER_LIST).GetItemCount(), 0);
        EXPECT_EQ(Text(d, IDC_ROUTER_COUNT), "0");
    });
    EXPECT_EQ(RequestCount(), 0u);
}

} // namespace route_table_test

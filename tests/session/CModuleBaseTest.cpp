// The shared services of the feature-logic base against the simulated switch:
// single GET, SET of several bindings, row status, port lists, device MAC and
// the trunk groups.
#include "SessionTestSupport.h"

#include "common/CModuleBase.h"
#include "platform/ui/MessageBox.h"

namespace session_test {

using namespace session_test;

namespace {

// Opens the protected sessions to the tests.
class TestModule : public CModuleBase
{
public:
    CCommonSNMP& TrunkSession() { return m_cSnmpTrunkWalk; }
};

class CModuleBaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.Running());
        UseSimulator(m_sim);
        g_nPortCount = 28;
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            std::lock_guard lock(m_boxLock);
            m_boxes.push_back(call.text);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxHook({}); }

    std::vector<std::string> Boxes()
    {
        std::lock_guard lock(m_boxLock);
        return m_boxes;
    }

    // The octets of an object as the module reads them.
    static std::string Octets(CModuleBase& module, const std::string& oid)
    {
        std::string value;
        return module.GetValue(oid, value) ? value : std::string("<none>");
    }

    KorvelSimulator m_sim;
    std::mutex m_boxLock;
    std::vector<std::string> m_boxes;
};

TEST_F(CModuleBaseTest, GetValueReadsTextAndOctetsAndFailsWithoutAValue)
{
    CModuleBase module;
    std::string value;
    ASSERT_TRUE(module.GetValue(kSysName, value));
    EXPECT_EQ(value, "korvel-switch");
    ASSERT_TRUE(module.GetValue(kTrunkMembers + ".1", value));
    EXPECT_EQ(value, std::string("\x00\x00\x00\x30", 4));
    ASSERT_TRUE(module.GetValue("1.3.6.1.2.1.2.1.0", value));
    EXPECT_EQ(value, "28");

    value = "kept";
    EXPECT_FALSE(module.GetValue("1.3.6.1.2.1.1.99.0", value)); // the agent reports noSuchName
    EXPECT_EQ(value, "kept");
}

TEST_F(CModuleBaseTest, SetValuesSendsAllItemsInOneSetAndIsRefusedWhole)
{
    CModuleBase module;
    const std::string mode1 = kTrunkModes + ".1";
    const std::string mode2 = kTrunkModes + ".2";
    const std::string members2 = kTrunkMembers + ".2";
    const char members[] = {'\xC0', 0, 0, 0};
    SNMP_VARBIND items[3];
    items[0].oid = mode1;
    items[0].value = "2";
    items[0].type = 1;
    items[0].length = 1;
    items[1].oid = mode2;
    items[1].value = "2";
    items[1].type = 1;
    items[1].length = 1;
    items[2].oid = members2;
    items[2].value = members;
    items[2].type = 2;
    items[2].length = 4;

    ASSERT_TRUE(module.SetValues(items, 3));
    const std::vector<std::string> sets = LogLinesOf(m_sim, "SET");
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_NE(sets[0].find(mode1 + "|"), std::string::npos);
    EXPECT_NE(sets[0].find(mode2 + "|"), std::string::npos);
    EXPECT_NE(sets[0].find(members2 + "|"), std::string::npos);
    EXPECT_EQ(m_sim.Get(mode1), "2");
    EXPECT_EQ(Octets(module, members2), std::string("\xC0\x00\x00\x00", 4));

    // One refused binding refuses the whole request.
    items[0].value = "1";
    items[1].value = "1";
    ASSERT_TRUE(m_sim.RefuseNextSet(mode2, 5));
    EXPECT_FALSE(module.SetValues(items, 3));
    EXPECT_EQ(m_sim.Get(mode1), "2");

    items[2].oid = kSysDescr; // read-only
    EXPECT_FALSE(module.SetValues(items, 3));
    EXPECT_EQ(m_sim.Get(mode1), "2");
}

TEST_F(CModuleBaseTest, SetRowStatusAcceptsTheFourRowStatesAndReportsRefusals)
{
    CModuleBase module;
    const std::string row20 = kVlanRowStatus + ".20";

    for (const char* value : {"2", "3", "0", ""}) {
        SCOPED_TRACE(value);
        m_boxes.clear();
        EXPECT_FALSE(module.SetRowStatus(row20, value));
        EXPECT_EQ(Boxes(), std::vector<std::string>{"error status value!"});
    }
    EXPECT_TRUE(LogLinesOf(m_sim, "SET").empty());

    EXPECT_TRUE(module.SetRowStatus(row20, "4"));
    EXPECT_EQ(m_sim.Get(row20), "1");
    EXPECT_FALSE(module.SetRowStatus(row20, "4")); // the row exists: the agent refuses
    EXPECT_TRUE(module.SetRowStatus(row20, "6"));
    EXPECT_FALSE(m_sim.Has(row20));

    const std::string row21 = kVlanRowStatus + ".21";
    EXPECT_TRUE(module.SetRowStatus(row21, "5"));
    EXPECT_TRUE(module.SetRowStatus(row21, "1"));
    EXPECT_EQ(m_sim.Get(row21), "1");
    EXPECT_EQ(Boxes().size(), 1U); // only from the loop above
}

TEST_F(CModuleBaseTest, SetPortListWritesThePortBitmapOnlyForAValidSet)
{
    struct Case
    {
        const char* list;
        std::vector<int> flags;
        bool withFlags;
        const char* box;      // the message shown, or null
        const char* expected; // octets written, or null for no SET
    };
    std::vector<int> flags1and28(28, 0);
    flags1and28[0] = 1;
    flags1and28[27] = 1;
    const Case cases[] = {
        {"1,3-5", {}, false, nullptr, "\xB8\x00\x00\x00"},
        {"28", {}, false, nullptr, "\x00\x00\x00\x10"},
        {"", flags1and28, true, nullptr, "\x80\x00\x00\x10"},
        {"2", flags1and28, true, nullptr, "\x40\x00\x00\x00"}, // the list wins over the flags
        {"", {1, 1}, true, nullptr, "\xC0\x00\x00\x00"},       // missing flags count as 0
        {"29", {}, false, "Invalid Portlist", nullptr},
        {"1,5-3", {}, false, "Invalid Portlist", nullptr},
        {"", {}, false, "Please input port value.", nullptr},
    };

    const std::string oid = kTrunkMembers + ".3";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        CModuleBase module;
        ASSERT_EQ(m_sim.Set(oid, 2, std::string(4, '\x55')), 0);
        const size_t nSetsBefore = LogLinesOf(m_sim, "SET").size();
        m_boxes.clear();

        EXPECT_EQ(module.SetPortList(c.list, c.withFlags ? &c.flags : nullptr, oid), 0);

        EXPECT_EQ(Boxes(), c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        const size_t nSets = LogLinesOf(m_sim, "SET").size() - nSetsBefore;
        if (c.expected) {
            EXPECT_EQ(nSets, 1U);
            EXPECT_EQ(Octets(module, oid), std::string(c.expected, 4));
        } else {
            EXPECT_EQ(nSets, 0U);
            EXPECT_EQ(Octets(module, oid), std::string(4, '\x55'));
        }
    }
}

TEST(CModuleBaseDeviceMac, LastOctetLessOneWithoutBorrowAndEmptyWhenUnusable)
{
    struct Case
    {
        const char* hex; // ifPhysAddress.1, null: the switch does not answer
        const char* mac;
    };
    const Case cases[] = {
        {"001122334455", "00-11-22-33-44-54"},
        {"0011223344ff", "00-11-22-33-44-FE"},
        {"001122334400", "00-11-22-33-44-FF"},   // no borrow into the fifth octet
        {"00112233445566", "00-11-22-33-44-54"}, // octets past six are not looked at
        {"0011223344", ""},                      // shorter than six octets
        {"", ""},
        {nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex ? c.hex : "(no reply)");
        TempDataFile overlay(std::string("1.3.6.1.2.1.2.2.1.6.1|4x|") + (c.hex ? c.hex : "") + "\n");
        KorvelSimulator sim({KorvelSimulator::BaseData(), overlay.Path()});
        ASSERT_TRUE(sim.Running());
        UseSimulator(sim, "500");
        if (!c.hex) {
            ASSERT_TRUE(sim.SilenceFor(3000));
        }
        CModuleBase module;
        std::string mac = "previous";
        module.GetDeviceMac(mac);
        EXPECT_EQ(mac, c.mac);
    }
}

// Trunk groups for the consistency cases: group 1 = ports 1 and 2, group 2 =
// ports 5, 6 and 7, group 3 = port 9 alone; the other groups are empty.
class CModuleBaseTrunkTest : public CModuleBaseTest
{
protected:
    void SetUp() override
    {
        CModuleBaseTest::SetUp();
        SetGroup(1, "\xC0\x00\x00\x00");
        SetGroup(2, "\x0E\x00\x00\x00");
        SetGroup(3, "\x00\x80\x00\x00");
    }
    void SetGroup(int group, const char* octets)
    {
        ASSERT_EQ(m_sim.Set(kTrunkMembers + "." + std::to_string(group), 2, std::string(octets, 4)), 0);
    }
    static void Walk(TestModule& module)
    {
        module.StartTrunkWalk();
        ASSERT_TRUE(module.TrunkSession().WaitDone());
    }
    // Per-port values from "port:value" pairs.
    static std::vector<int> Values(std::initializer_list<std::pair<int, int>> pairs)
    {
        std::vector<int> values(28, 0);
        for (auto [port, value] : pairs)
            values[port - 1] = value;
        return values;
    }
};

TEST_F(CModuleBaseTrunkTest, ConsistencyOverATableOfCases)
{
    struct Case
    {
        const char* name;
        std::vector<int> values;
        BOOL consistent;
    };
    const Case cases[] = {
        {"nothing set", Values({}), TRUE},
        {"one member set, the other not", Values({{1, 5}}), FALSE},
        {"both members alike", Values({{1, 5}, {2, 5}}), TRUE},
        {"both members differ", Values({{1, 5}, {2, 4}}), FALSE},
        {"port in no group", Values({{3, 7}, {28, 1}}), TRUE},
        {"three members alike", Values({{5, 1}, {6, 1}, {7, 1}}), TRUE},
        {"two of three members", Values({{5, 1}, {6, 1}}), FALSE},
        {"two groups uniform", Values({{1, 2}, {2, 2}, {5, 3}, {6, 3}, {7, 3}}), TRUE},
        {"single-port group", Values({{9, 4}}), TRUE},
        {"short value array", std::vector<int>{5}, FALSE},
    };

    TestModule module;
    EXPECT_EQ(module.IsTrunkReady(), 0);
    for (const Case& c : cases) // no walk yet: nothing to judge by
        EXPECT_TRUE(module.CheckTrunkConsistency(c.values)) << c.name;

    Walk(module);
    EXPECT_EQ(module.IsTrunkReady(), 1);
    std::vector<int> expected(28, 0);
    expected[0] = expected[1] = 1;
    expected[4] = expected[5] = expected[6] = 2;
    expected[8] = 3;
    EXPECT_EQ(module.GetTrunkPorts(), expected);
    for (const Case& c : cases)
        EXPECT_EQ(module.CheckTrunkConsistency(c.values), c.consistent) << c.name;
}

TEST_F(CModuleBaseTrunkTest, EachWalkReplacesTheGroupsWholeWhenItEnds)
{
    TestModule module;
    Walk(module);
    const std::vector<int> port1Only = Values({{1, 5}});
    EXPECT_FALSE(module.CheckTrunkConsistency(port1Only));

    // Port 2 leaves group 1. While the next walk runs, checks still see the
    // last complete table; once it ends, port 1 is alone in its group.
    SetGroup(1, "\x80\x00\x00\x00");
    ASSERT_TRUE(m_sim.SetReplyDelay(150));
    module.StartTrunkWalk();
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(module.CheckTrunkConsistency(port1Only));
        EXPECT_EQ(module.GetTrunkPorts()[1], 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(module.TrunkSession().WaitDone());
    EXPECT_TRUE(module.CheckTrunkConsistency(port1Only));
    EXPECT_EQ(module.GetTrunkPorts()[1], 0);
    EXPECT_EQ(module.GetTrunkPorts()[0], 1);
}

TEST_F(CModuleBaseTrunkTest, AFailedWalkKeepsTheLastCompleteGroups)
{
    UseSimulator(m_sim, "600");
    TestModule module;
    Walk(module);
    const std::vector<int> before = module.GetTrunkPorts();

    SetGroup(2, "\x00\x00\x00\x00");
    ASSERT_TRUE(m_sim.SilenceFor(2000));
    Walk(module); // times out: status -1
    EXPECT_EQ(module.GetTrunkPorts(), before);
    EXPECT_FALSE(module.CheckTrunkConsistency(Values({{5, 1}})));
}

TEST_F(CModuleBaseTrunkTest, AFailedFirstWalkLeavesEveryCheckPassing)
{
    UseSimulator(m_sim, "600");
    TestModule module;
    ASSERT_TRUE(m_sim.SilenceFor(2000));
    Walk(module);
    EXPECT_EQ(module.IsTrunkReady(), 0);
    EXPECT_TRUE(module.CheckTrunkConsistency(Values({{1, 5}})));
    EXPECT_EQ(module.GetTrunkPorts(), std::vector<int>(28, 0));
}

TEST_F(CModuleBaseTrunkTest, CheckTrunkRangeRefusesAGroupedPortWithoutText)
{
    TestModule module;
    Walk(module);
    EXPECT_FALSE(module.CheckTrunkRange(1, 3, ""));
    EXPECT_TRUE(module.CheckTrunkRange(1, 3, "LACP"));
    EXPECT_TRUE(module.CheckTrunkRange(3, 4, ""));
    EXPECT_TRUE(module.CheckTrunkRange(27, 40, "")); // ports past the count are skipped
    ASSERT_TRUE(module.TrunkSession().WaitDone());
}

} // namespace

} // namespace session_test

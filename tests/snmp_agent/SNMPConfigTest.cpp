// The agent configuration object on the simulated switch: the name indexes,
// the row-status refusal, and the engine ID a model's default writes.
#include "features/agent_tools/CSNMPConfig.h"
#include "snmp_agent/AgentTestSupport.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

class SNMPConfigTest : public AgentTest
{
};

} // namespace

TEST(SNMPConfigIndex, NameAndModelIndexes)
{
    struct Case
    {
        std::string name;
        std::string version; // empty: the plain name index
        std::string index;
    };
    const Case cases[] = {
        {"lab1", "", ".4.108.97.98.49"},
        {"", "", ".0"},
        {"\xc3\xa9\xff", "", ".3.195.169.255"},
        {"abc", "V2c", ".3.97.98.99.2"},
        {"abc", "v2c", ".3.97.98.99.2"},
        {"abc", "V2C", ".3.97.98.99"},
        {"abc", "V1", ".3.97.98.99.1"},
        {"abc", "v3", ".3.97.98.99.3"},
        {"abc", "V3-AuthPriv", ".3.97.98.99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + "/" + c.version);
        if (c.version.empty())
            EXPECT_EQ(CSNMPConfig::NameToOidIndex(c.name), c.index);
        else
            EXPECT_EQ(CSNMPConfig::NameModelIndex(c.name, c.version), c.index);
    }
    EXPECT_EQ(CSNMPConfig::HostIndex(4, "10.1.1.5", "1"), "4.10.1.1.5.1");
}

TEST(SNMPConfigIndex, SpecialCharacters)
{
    for (char c : std::string("~`!@#$%^&*{}[]|\\:;\"'<>,.?/"))
        EXPECT_EQ(CSNMPConfig::HasNoSpecialChars(std::string("ab") + c), 0) << c;
    EXPECT_EQ(CSNMPConfig::HasNoSpecialChars("a b-c_d(e)+f=9"), 1);
}

TEST_F(SNMPConfigTest, RowStatusOutsideOneFiveSixIsRefusedAndNothingIsSent)
{
    StartAgentSwitch();
    const std::string oid = HostOid(6, "4.10.0.0.7.1");
    CSNMPConfig config;
    {
        BoxRecorder boxes;
        { CWriteReport report; config.SetRowStatus(report, oid, "4", "the row"); }
        { CWriteReport report; config.SetRowStatus(report, oid, "2", "the row"); }
        EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"error istatus value!", "error istatus value!"}));
    }
    EXPECT_TRUE(Sets().empty());
    BoxRecorder boxes;
    { CWriteReport report; config.SetRowStatus(report, oid, "5", "the row"); }
    { CWriteReport report; config.SetRowStatus(report, oid, "1", "the row"); }
    { CWriteReport report; config.SetRowStatus(report, oid, "6", "the row"); }
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Sets(), (RequestList{{Int(oid, "5")}, {Int(oid, "1")}, {Int(oid, "6")}}));
    EXPECT_FALSE(sim->Has(oid));
}

TEST_F(SNMPConfigTest, ModelDefaultEngineIDs)
{
    const std::string gannet = "4b53582d47616e6e6574" "00" "0102030405";
    const std::string ibis = "4b53582d49626973" "00" "3701824096";
    struct Case
    {
        std::string model;
        std::string written;
        std::string held; // the octets up to the first zero, as text
    };
    const Case cases[] = {
        {"KSX-Gannet", gannet, "KSX-Gannet"}, {"KSX-Heron", gannet, "KSX-Gannet"}, {"KSX-Ibis", ibis, "KSX-Ibis"}};
    StartAgentSwitch();
    CSNMPConfig config;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        g_strModelName = c.model;
        const std::size_t before = Sets().size();
        { CWriteReport report; config.SetEngineID(report, "ffff", 1); }
        const RequestList sets = Sets();
        ASSERT_EQ(sets.size(), before + 1);
        EXPECT_EQ(sets.back(), std::vector<std::string>{Hex(kEngineID, c.written)});
        std::string held;
        ASSERT_TRUE(sim->Get(kEngineID, held));
        EXPECT_EQ(held, c.held);
    }

    // A model without a default writes an empty engine ID, which the switch
    // refuses: it keeps the last one.
    g_strModelName = "KSX-Puffin";
    { CWriteReport report; config.SetEngineID(report, "ffff", 1); }
    EXPECT_EQ(Sets().back(), std::vector<std::string>{Str(kEngineID, "")});
    std::string held;
    ASSERT_TRUE(sim->Get(kEngineID, held));
    EXPECT_EQ(held, "KSX-Ibis");

    // An odd length gets a leading zero: abc is the octets 0x0a 0xbc.
    { CWriteReport report; config.SetEngineID(report, "abc", 0); }
    EXPECT_EQ(Sets().back(), std::vector<std::string>{Hex(kEngineID, "0abc")});
}

} // namespace snmp_agent_test

// The SNMPv3 information viewers on the simulated switch: every viewer's rows
// and words over SNMPv1, SNMPv3 authNoPriv and authPriv; the index names
// decoded for names of several lengths, every model and level; the engine ID
// as hexadecimal; and that the simulator's agent library answers none of these
// objects itself.
#include "legacy/CAccessInfo.h"
#include "legacy/CCommunityInfo.h"
#include "legacy/CEngineInfo.h"
#include "legacy/CGroupInfo.h"
#include "legacy/CMibTreeInfo.h"
#include "legacy/CUserInfo.h"
#include "legacy/LegacyWords.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/snmp/CSnmpTable.h"
#include "resources/legacy.h"

#include <fstream>
#include <functional>
#include <memory>
#include <set>

namespace snmpv3_info_test {

using namespace legacytest;

namespace {

constexpr const char* kEngineHex = "80007ED90302004C4F0102";

struct Viewer
{
    const char* name;
    std::function<std::unique_ptr<CLegacyFrame>()> make;
    int listId;
    Rows rows;
};

const std::vector<Viewer>& Viewers()
{
    static const std::vector<Viewer> viewers = {
        {"community", [] { return std::make_unique<CCommunityInfo>(); }, IDC_COMMUNITY_LIST,
         {{"mirtle", "korvel-ro", kEngineHex, "nonVolatile"}, {"quenbor", "korvel-rw", kEngineHex, "permanent"}}},
        {"group", [] { return std::make_unique<CGroupInfo>(); }, IDC_GROUP_LIST,
         {{"v1", "mirtle", "korvel-ro", "nonVolatile", "active"},
          {"v2", "quenbor", "korvel-rw", "permanent", "active"},
          {"v3", "korvel-md5", "auth-group", "nonVolatile", "active"},
          {"v3", "korvel-sha", "auth-group", "volatile", "active"},
          {"v3", "korvel-none", "noauth-group", "nonVolatile", "active"},
          {"v3", "korvel-md5-des", "priv-group", "nonVolatile", "active"},
          {"v3", "korvel-sha-des", "priv-group", "nonVolatile", "notInService"}}},
        {"access", [] { return std::make_unique<CAccessInfo>(); }, IDC_ACCESS_LIST,
         {{"korvel-ro", "v1", "noAuthNoPriv", "all", "", "all", "nonVolatile"},
          {"korvel-rw", "v2", "noAuthNoPriv", "all", "all", "all", "nonVolatile"},
          {"auth-group", "v3", "authNoPriv", "all", "all", "all", "nonVolatile"},
          {"priv-group", "v3", "authPriv", "all", "all", "all", "volatile"},
          {"noauth-group", "v3", "noAuthNoPriv", "restricted-view", "", "restricted-view", "permanent"}}},
        {"view", [] { return std::make_unique<CMibTreeInfo>(); }, IDC_MIB_TREE_LIST,
         {{"all", "1", "included", "nonVolatile", "active"},
          {"korvel-view", "1.3.6.1.4.1.32473", "included", "permanent", "active"},
          {"restricted-view", "1.3.6.1.2.1", "included", "nonVolatile", "active"},
          {"restricted-view", "1.3.6.1.6.3", "excluded", "nonVolatile", "active"}}},
        {"user", [] { return std::make_unique<CUserInfo>(); }, IDC_USER_LIST,
         {{"guest", "", "MD5", "Other"},
          {"korvel-md5", "auth-group", "MD5", "Other"},
          {"korvel-sha", "auth-group", "Other", "Other"},
          {"korvel-none", "noauth-group", "Other", "Other"},
          {"korvel-md5-des", "priv-group", "MD5", "DES"},
          {"korvel-sha-des", "priv-group", "Other", "DES"}}},
    };
    return viewers;
}

struct Connection
{
    const char* name;
    std::function<void()> use;
};

const Connection kConnections[] = {
    {"SNMPv1", [] { g_strSnmpVersion = std::string("1"); }},
    {"SNMPv3 authNoPriv", [] { UseV3(kAuthNoPriv); }},
    {"SNMPv3 authPriv", [] { UseV3(kAuthPriv); }},
};

// Runs the viewer and gives the rows it shows once its read has ended.
Rows Show(CLegacyFrame& dialog, int listId, int rows)
{
    Rows shown;
    RunModal<CLegacyFrame>(dialog, [&](CLegacyFrame& d) {
        EXPECT_TRUE(WaitForWalk(d, listId, rows));
        PumpFor(200);
        shown = ListRows(d, listId);
    });
    return shown;
}

class SnmpV3InfoTest : public LegacyTest
{
};

} // namespace

TEST_F(SnmpV3InfoTest, EveryViewerShowsTheSwitchsRowsOverEveryVersion)
{
    StartLegacySwitch();
    for (const Connection& connection : kConnections) {
        for (const Viewer& viewer : Viewers()) {
            connection.use();
            std::unique_ptr<CLegacyFrame> dialog = viewer.make();
            EXPECT_EQ(Show(*dialog, viewer.listId, static_cast<int>(viewer.rows.size())), viewer.rows)
                << viewer.name << " over " << connection.name;
        }
    }
}

TEST_F(SnmpV3InfoTest, EngineViewerShowsTheEngineIdAsHexWithOneGet)
{
    StartLegacySwitch();
    for (const Connection& connection : kConnections) {
        connection.use();
        CEngineInfo dialog;
        RunModal<CEngineInfo>(dialog, [&](CEngineInfo& d) {
            ASSERT_TRUE(Pump([&] { return Text(d, IDC_ENGINE_MAX_MSG_SIZE) == "1500"; }, 10000)) << connection.name;
            EXPECT_EQ(Text(d, IDC_ENGINE_ID), kEngineHex);
            EXPECT_EQ(Text(d, IDC_ENGINE_BOOTS), "7");
            EXPECT_EQ(Text(d, IDC_ENGINE_TIME), "86400");
            EXPECT_FALSE(Enabled(d, IDC_ENGINE_ID));
        });
    }
    // A GET stays a GET: one request per read, no walk.
    EXPECT_EQ(Requests("GET").size(), 3u);
    EXPECT_EQ(Requests("GETNEXT").size(), 0u);
}

// Index names of the access, group and view tables of every length, model
// and level, decoded from their length-prefixed parts.
TEST_F(SnmpV3InfoTest, IndexNamesOfEveryLengthModelAndLevelAreDecoded)
{
    StartLegacySwitch({KorvelSimulator::TestData("legacy-index.snmprec")});
    const std::vector<std::string> names = {"a", "groupnine", "group-ten1", "thirty-character-group-name-30"};
    const char* const modes[] = {"v1", "v2", "v3"};
    const char* const levels[] = {"noAuthNoPriv", "authNoPriv", "authPriv"};
    Rows access;
    Rows groups;
    Rows views;
    for (const std::string& name : names) {
        for (int model = 0; model < 3; ++model)
            for (int level = 0; level < 3; ++level)
                access.push_back({name, modes[model], levels[level], "r-" + name, "w-" + name, "n-" + name,
                                  "nonVolatile"});
        views.push_back({name, "1", "included", "nonVolatile", "active"});
        views.push_back({name, "1.3.6.1.4.1", "excluded", "nonVolatile", "active"});
    }
    for (int model = 0; model < 3; ++model)
        for (const std::string& name : names)
            groups.push_back({modes[model], name, "g-" + name, "nonVolatile", "active"});

    for (const Connection& connection : {kConnections[0], kConnections[2]}) {
        connection.use();
        CAccessInfo accessInfo;
        EXPECT_EQ(Show(accessInfo, IDC_ACCESS_LIST, 36), access) << connection.name;
        CGroupInfo groupInfo;
        EXPECT_EQ(Show(groupInfo, IDC_GROUP_LIST, 12), groups) << connection.name;
        CMibTreeInfo viewInfo;
        EXPECT_EQ(Show(viewInfo, IDC_MIB_TREE_LIST, 8), views) << connection.name;
    }
}

TEST(LegacyWordsTest, ValueWords)
{
    struct Case
    {
        std::function<std::string(const std::string&)> word;
        const char* value;
        const char* shown;
    };
    const Case cases[] = {
        {legacy::StorageTypeWord, "1", "Other"},         {legacy::StorageTypeWord, "2", "volatile"},
        {legacy::StorageTypeWord, "5", "readOnly"},      {legacy::StorageTypeWord, "", "Other"},
        {legacy::RowStatusWord, "1", "active"},          {legacy::RowStatusWord, "5", "createAndWait"},
        {legacy::RowStatusWord, "6", "destroy"},         {legacy::ViewTypeWord, "2", "excluded"},
        {legacy::AuthProtocolWord, "1.3.6.1.6.3.10.1.1.2", "MD5"},
        {legacy::AuthProtocolWord, "1.3.6.1.6.3.10.1.1.3", "Other"},
        {legacy::PrivProtocolWord, "1.3.6.1.6.3.10.1.2.2", "DES"},
        {legacy::PrivProtocolWord, "1.3.6.1.6.3.10.1.2.1", "Other"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.word(c.value), c.shown) << c.value;
    EXPECT_EQ(legacy::HexBytes(std::string("\x80\x00\x00\xAB\x03", 5)), "800000AB03");
}

TEST(LegacyWordsTest, LengthPrefixedIndexParts)
{
    std::vector<unsigned long> arcs = {3, 'a', 'b', 'c', 0, 2, 1, 3};
    std::size_t pos = 0;
    std::string name;
    std::string context;
    std::string subtree;
    ASSERT_TRUE(legacy::TakeIndexName(arcs, pos, name));
    EXPECT_EQ(name, "abc");
    ASSERT_TRUE(legacy::TakeIndexName(arcs, pos, context));
    EXPECT_EQ(context, "");
    ASSERT_TRUE(legacy::TakeIndexOid(arcs, pos, subtree));
    EXPECT_EQ(subtree, "1.3");
    EXPECT_EQ(pos, arcs.size());
    // A length beyond the arcs, or no arcs: nothing is read past the end.
    for (const std::vector<unsigned long>& broken : {std::vector<unsigned long>{5, 'a', 'b'},
                                                     std::vector<unsigned long>{},
                                                     std::vector<unsigned long>{4294967295UL, 1}}) {
        std::size_t at = 0;
        EXPECT_FALSE(legacy::TakeIndexName(broken, at, name));
        EXPECT_EQ(at, 0u);
    }
}

// What the viewers read under 1.3.6.1.6.3 comes from the data file alone:
// the simulator's agent library adds no object of its own there.
TEST_F(SnmpV3InfoTest, TheAgentLibraryAnswersNoneOfTheViewersObjects)
{
    StartLegacySwitch();
    std::set<std::string> data;
    std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/legacy.snmprec");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("1.3.6.1.6.3.", 0) == 0)
            data.insert(line.substr(0, line.find('|')));
    ASSERT_FALSE(data.empty());

    CSnmpV1 request(SnmpPduGetNext);
    request.setCommunity(KorvelSimulator::ReadCommunity().c_str());
    request.addValue("1.3.6.1.6.3", SnmpValueNull);
    CSnmpTable walk(&request);
    std::set<std::string> served;
    CSnmp* reply = nullptr;
    while (walk.getNext(sim->Host().c_str(), reply, 3000) == SnmpStatusOk) {
        std::unique_ptr<CSnmp> owned(reply);
        char* oid = nullptr;
        owned->getOid(0, &oid);
        served.insert(oid);
        ASSERT_LT(served.size(), 1000u);
    }
    EXPECT_EQ(served, data);
}

} // namespace snmpv3_info_test

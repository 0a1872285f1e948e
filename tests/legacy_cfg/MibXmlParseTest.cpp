// The reader of the device configuration description file over small files:
// sections found by their exact name (the first one wins), items up to the
// first node that is no item, value tables, the item cursor, and the values
// to write put into the tree and built into SET bindings.
#include "legacy/CMibXMLParse.h"
#include "platform/snmp/CSnmpV1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace legacy_cfg_test {

namespace {

const std::string kXmlFixtures = KORVEL_SOURCE_DIR "/tests/legacy_cfg/fixtures/";

std::vector<std::string> BindingOids(CSnmp& request)
{
    std::vector<std::string> oids;
    for (int i = 0; i < request.getVarBindCount(); ++i) {
        char* oid = nullptr;
        request.getOid(i, &oid);
        oids.push_back(oid ? oid : "");
    }
    return oids;
}

} // namespace

TEST(MibXmlParse, SectionsAreFoundByTheirExactNameAndTheFirstWins)
{
    CMibXMLParse lower;
    EXPECT_TRUE(lower.LoadFile(kXmlFixtures + "lower_case.xml"));
    EXPECT_FALSE(lower.OpenSection("DEVINFO"));
    CSnmpV1 nothing;
    EXPECT_FALSE(lower.BuildGetRequest(nothing, "0"));
    EXPECT_EQ(nothing.getVarBindCount(), 0);
    std::string name;
    EXPECT_FALSE(lower.FirstItemName(name));

    CMibXMLParse missing;
    EXPECT_FALSE(missing.Open(kXmlFixtures + "no_such_file.xml", "DEVCFG"));

    CMibXMLParse config;
    ASSERT_TRUE(config.Open(kXmlFixtures + "sections.xml", "DEVCFG"));
    std::string desc;
    EXPECT_TRUE(config.GetItemDesc("1.1.1", desc));
    EXPECT_EQ(desc, "First");
    EXPECT_FALSE(config.GetItemDesc("9.9.9", desc)) << "the second DEVCFG is never read";
}

TEST(MibXmlParse, ACommentEndsTheWalksOverTheSection)
{
    CMibXMLParse config;
    ASSERT_TRUE(config.Open(kXmlFixtures + "sections.xml", "DEVCFG"));
    CSnmpV1 request;
    EXPECT_FALSE(config.BuildGetRequest(request, "0"));
    EXPECT_EQ(BindingOids(request), (std::vector<std::string>{"1.1.1.0", "1.1.2.0", "1.1.3.0"}));
    std::string desc;
    EXPECT_FALSE(config.GetItemDesc("1.1.4", desc));

    CMibXMLParse info;
    ASSERT_TRUE(info.Open(kXmlFixtures + "sections.xml", "DEVINFO"));
    CSnmpV1 plain;
    EXPECT_TRUE(info.BuildGetRequest(plain));
    EXPECT_EQ(BindingOids(plain), (std::vector<std::string>{"1.3.6.1.4.1.32473.10.94.89.89.1.20"}));
}

TEST(MibXmlParse, ItemTextsAndValueTables)
{
    CMibXMLParse config;
    ASSERT_TRUE(config.Open(kXmlFixtures + "sections.xml", "DEVCFG"));
    std::string text;
    EXPECT_TRUE(config.GetItemType("1.1.1", text));
    EXPECT_EQ(text, "INTEGER");
    EXPECT_TRUE(config.GetItemAccess("1.1.3", text));
    EXPECT_EQ(text, "READ-WRITE INDEX");
    EXPECT_TRUE(config.GetRetValue("1.1.1", text));
    EXPECT_EQ(text, "2");
    EXPECT_FALSE(config.GetItemType("1.1.2", text)) << "no TYPE element";
    EXPECT_FALSE(config.GetItemDesc("1.9.9", text)) << "no such item";

    ValueList table;
    EXPECT_TRUE(config.GetValueList("1.1.1", table));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].label, "On");
    EXPECT_EQ(table[0].value, "1");
    EXPECT_EQ(table[1].label, "Off");
    EXPECT_EQ(table[1].value, "2");

    ValueList empty;
    EXPECT_TRUE(config.GetValueList("1.1.2", empty)) << "an empty VALUE is a table";
    EXPECT_TRUE(empty.empty());
    EXPECT_FALSE(config.GetValueList("1.1.3", empty)) << "no VALUE";
}

TEST(MibXmlParse, TheItemCursorStopsAtTheItemCount)
{
    CMibXMLParse config;
    ASSERT_TRUE(config.Open(kXmlFixtures + "sections.xml", "DEVCFG"));
    std::string name;
    EXPECT_FALSE(config.NextItemName(name)) << "before any FirstItemName";
    EXPECT_EQ(config.Cursor(), -1);
    ASSERT_TRUE(config.FirstItemName(name));
    EXPECT_EQ(name, "1.1.1");
    for (const char* expected : {"1.1.2", "1.1.3"}) {
        ASSERT_TRUE(config.NextItemName(name));
        EXPECT_EQ(name, expected);
    }
    // The comment is an item position of its own, with no child to hand out.
    EXPECT_FALSE(config.NextItemName(name));
    EXPECT_EQ(config.Cursor(), 3);
    ASSERT_TRUE(config.NextItemName(name));
    EXPECT_EQ(name, "1.1.4");
    EXPECT_FALSE(config.NextItemName(name));
    EXPECT_EQ(config.Cursor(), config.ItemCount());
    EXPECT_FALSE(config.NextItemName(name));
    EXPECT_EQ(config.Cursor(), config.ItemCount());
}

TEST(MibXmlParse, ValuesToWriteBecomeSetBindings)
{
    CMibXMLParse config;
    ASSERT_TRUE(config.Open(kXmlFixtures + "sections.xml", "DEVCFG"));
    EXPECT_TRUE(config.AddSuffix("1.1.3", "4", "40"));
    EXPECT_TRUE(config.AddSuffix("1.1.3", "7", "70"));
    ValueList suffixes;
    ASSERT_TRUE(config.GetSuffixList("1.1.3", suffixes));
    ASSERT_EQ(suffixes.size(), 2u);
    EXPECT_EQ(suffixes[0].label, "4");
    EXPECT_EQ(suffixes[0].value, "40");
    EXPECT_EQ(suffixes[1].label, "7");
    EXPECT_EQ(suffixes[1].value, "70");
    EXPECT_FALSE(config.GetSuffixList("1.1.1", suffixes)) << "a RETVALUE without SUFFIX";

    EXPECT_TRUE(config.SetRetValue("1.1.1", "1"));
    EXPECT_TRUE(config.SetRetValue("1.1.2", "5")) << "a new RETVALUE";
    std::string text;
    EXPECT_TRUE(config.GetRetValue("1.1.1", text));
    EXPECT_EQ(text, "1");

    CSnmpV1 request(SnmpPduSet);
    // The walk ends at the comment; the bindings before it stay.
    EXPECT_FALSE(config.BuildSetRequest(request));
    // 1.1.2 is read-only; the WRITE item goes without instance, the INDEX item with its suffixes.
    EXPECT_EQ(BindingOids(request), (std::vector<std::string>{"1.1.1", "1.1.3.4", "1.1.3.7"}));
}

TEST(MibXmlParse, AnAttachedDocumentOpensTheFirstChildOfMib)
{
    CXmlDocument document;
    ASSERT_TRUE(document.LoadXml("<MIB><OTHER><ITEM><NAME>2.2</NAME><DESC>Attached</DESC></ITEM></OTHER></MIB>"));
    CMibXMLParse reader;
    ASSERT_TRUE(reader.AttachDocument(document));
    std::string text;
    EXPECT_TRUE(reader.GetItemDesc("2.2", text));
    EXPECT_EQ(text, "Attached");

    CXmlDocument none;
    ASSERT_TRUE(none.LoadXml("<ROOT/>"));
    CMibXMLParse refused;
    EXPECT_FALSE(refused.AttachDocument(none));
}

} // namespace legacy_cfg_test

// The panel description reader over small fixtures: where each element's part
// goes, what its properties set, and how broken descriptions are reported.
#include "BmpBuilder.h"

#include "panel/CCom.h"
#include "panel/CDevModule.h"
#include "panel/CLamp.h"
#include "panel/CLed.h"
#include "panel/CModule.h"
#include "panel/CParseDevXML.h"
#include "panel/CPort.h"
#include "panel/CPower.h"

#include <gtest/gtest.h>

#include <chrono>

namespace panel_test {

namespace {

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/panel/fixtures/" + name;
}

struct Loaded
{
    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    std::vector<LedPosition> leds;
    BOOL result = FALSE;

    explicit Loaded(const std::string& file)
    {
        CParseDevXML reader;
        result = reader.Parse(file.c_str(), &root, modules, &leds);
    }
    CPort* Port(int n) { return static_cast<CPort*>(root.FindChildByClass("CPort", n)); }
};

std::vector<std::string> Ids(const CVirtualDev& part)
{
    std::vector<std::string> ids;
    for (int i = 0; i < part.GetChildCount(); ++i)
        ids.push_back(CVirtualDev::GetClassName(part.GetChild(i)) + ":" + part.GetChild(i)->GetID());
    return ids;
}

TEST(ParseDevXML, BuildsEachElementWhereItBelongs)
{
    Loaded panel(Fixture("structure.xml"));
    EXPECT_EQ(panel.result, TRUE);
    CDevModule& root = panel.root;
    EXPECT_EQ(root.GetID(), "first");
    EXPECT_EQ(root.GetLeft(), 1);
    EXPECT_EQ(root.GetHeight(), 4);
    EXPECT_STREQ(root.GetBitmapFile(), "first.bmp");
    // The module and the port below DEVICEMODULE are not in the tree.
    EXPECT_EQ(Ids(root), (std::vector<std::string>{"CPanel:plate", "CPort:p1", "CCom:con", "CObject:pwr", "CPort:p2"}));

    CPort* p1 = panel.Port(0);
    EXPECT_EQ(p1->GetName(), "First port");
    EXPECT_EQ(p1->GetState(), PORTLINK10);
    EXPECT_STREQ(p1->GetStatusBitmap(PORTLINK100), "link.bmp");
    EXPECT_STREQ(p1->GetStatusBitmap(PORTLINK10), "link10.bmp");
    EXPECT_EQ(p1->GetStatusBitmap(PORTDISABLED), nullptr); // empty element
    EXPECT_EQ(p1->GetStatusBitmap(PORTENABLE), nullptr);   // absent element
    // Its container is selected by two attributes, so it is walked twice.
    EXPECT_EQ(Ids(*p1), (std::vector<std::string>{"CLed:", "CLamp:l1", "CLamp:l2", "CLed:", "CLamp:l1", "CLamp:l2"}));
    EXPECT_EQ(p1->GetObservers().size(), 4U);
    const auto* led = static_cast<CLed*>(p1->GetChild(0));
    EXPECT_STREQ(led->GetStateBitmap(0), "led.bmp");
    EXPECT_STREQ(led->GetStateBitmap(9), "led9.bmp");
    EXPECT_EQ(led->GetName(), "Led");
    auto* linkLamp = static_cast<CLamp*>(p1->GetChild(1));
    auto* powerLamp = static_cast<CLamp*>(p1->GetChild(2));
    EXPECT_TRUE(linkLamp->IsType(LAMP_TYPE_LINK));
    EXPECT_EQ(linkLamp->GetState(), LAMP1G);
    EXPECT_TRUE(powerLamp->IsType(LAMP_TYPE_POWER));
    EXPECT_EQ(powerLamp->GetState(), LAMPOFF);
    p1->SetStatus(PORTLINK100);
    EXPECT_EQ(linkLamp->GetState(), LAMPON);
    EXPECT_EQ(powerLamp->GetState(), LAMPOFF);

    // The console's lamp follows the console; the power part's never changes.
    auto* console = static_cast<CCom*>(root.GetChild(2));
    ASSERT_EQ(console->GetObservers().size(), 1U);
    console->SetState(LAMP1G);
    console->Refresh();
    EXPECT_EQ(console->GetChild(0)->GetState(), LAMP1G);
    auto* power = static_cast<CPower*>(root.GetChild(3));
    EXPECT_TRUE(power->GetObservers().empty());
    power->SetState(LAMPOFF);
    power->Refresh();
    EXPECT_EQ(power->GetChild(0)->GetState(), LAMPON);

    ASSERT_EQ(panel.modules.size(), 2U);
    EXPECT_EQ(panel.modules[0]->GetID(), "m1");
    EXPECT_EQ(panel.modules[1]->GetID(), "m2");
    ASSERT_EQ(panel.modules[0]->GetChildCount(), 1);
    EXPECT_EQ(panel.modules[0]->GetChild(0)->GetState(), PORTLINK100);

    // Elements with ID "0", in the order they were read.
    std::vector<std::pair<int, int>> positions;
    for (const LedPosition& p : panel.leds)
        positions.emplace_back(p.x1, p.y1);
    EXPECT_EQ(positions, (std::vector<std::pair<int, int>>{{18, 12}, {18, 12}, {30, 31}, {50, 51}}));

    EXPECT_EQ(panel.Port(1)->GetID(), "p2");
    EXPECT_EQ(panel.Port(1)->GetState(), PORTENABLE);
    EXPECT_EQ(panel.Port(1)->GetChild(0), nullptr);
    EXPECT_EQ(panel.Port(2), nullptr);
}

TEST(ParseDevXML, ALaterPanelElementOverwritesTheRootAndAddsItsChildren)
{
    Loaded panel(Fixture("two-panels.xml"));
    EXPECT_EQ(panel.result, TRUE);
    EXPECT_EQ(panel.root.GetID(), "two");
    EXPECT_STREQ(panel.root.GetBitmapFile(), "two.bmp");
    // Numbers as the C library reads them: " 300", "-20xyz", "abc", "+77".
    EXPECT_EQ(panel.root.GetLeft(), 300);
    EXPECT_EQ(panel.root.GetTop(), -20);
    EXPECT_EQ(panel.root.GetWidth(), 0);
    EXPECT_EQ(panel.root.GetHeight(), 77);
    EXPECT_EQ(Ids(panel.root), (std::vector<std::string>{"CPort:a", "CPort:b"}));
}

TEST(ParseDevXML, StatusAndTypeWordsCountOnlyInCapitalsAndOnTheirKinds)
{
    Loaded panel(Fixture("words.xml"));
    EXPECT_EQ(panel.result, TRUE);
    const CVirtualDev& root = panel.root;
    EXPECT_EQ(root.GetChild(0)->GetState(), PORTENABLE); // "portlink10"
    EXPECT_EQ(root.GetChild(1)->GetState(), PORTLINK10);
    EXPECT_EQ(root.GetChild(2)->GetState(), PORTENABLE); // a lamp's word on a port
    const auto* lower = static_cast<const CLamp*>(root.GetChild(3));
    EXPECT_EQ(lower->GetState(), LAMPOFF);
    EXPECT_EQ(lower->GetLampType(), LAMP_TYPE_NONE);
    EXPECT_EQ(lower->GetSubject(), nullptr); // under the root: linked to nothing
    const auto* upper = static_cast<const CLamp*>(root.GetChild(4));
    EXPECT_EQ(upper->GetState(), LAMPON);
    EXPECT_TRUE(upper->IsType(LAMP_TYPE_S100M));
    EXPECT_EQ(root.GetChild(5)->GetState(), 0); // STATUS on a console
}

TEST(ParseDevXML, CommentsAndTextInAContainerAreNotParts)
{
    Loaded panel(Fixture("comments.xml"));
    EXPECT_EQ(panel.result, TRUE);
    EXPECT_EQ(Ids(panel.root), (std::vector<std::string>{"CPort:1", "CPort:2"}));
}

TEST(ParseDevXML, AnElementWithoutARequiredPropertyIsLeftOutWithItsChildren)
{
    Loaded panel(Fixture("missing-property.xml"));
    EXPECT_EQ(panel.result, FALSE);
    // No gap: the ports that were read are numbered one after the other.
    EXPECT_EQ(Ids(panel.root), (std::vector<std::string>{"CPort:1", "CPort:3"}));
    EXPECT_TRUE(panel.modules.empty());
    EXPECT_TRUE(panel.leds.empty());
}

TEST(ParseDevXML, ADescriptionThatCannotBeLoadedIsAFailure)
{
    for (const std::string& file : {Fixture("malformed.xml"), Fixture("does-not-exist.xml"), Fixture("")}) {
        Loaded panel(file);
        EXPECT_EQ(panel.result, FALSE) << file;
        EXPECT_EQ(panel.root.GetChildCount(), 0) << file;
        EXPECT_EQ(panel.root.GetWidth(), 0) << file;
    }
    // Well-formed, but without a panel.
    Loaded noPanel(Fixture("no-panel.xml"));
    EXPECT_EQ(noPanel.result, FALSE);
    EXPECT_EQ(noPanel.modules.size(), 1U);

    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    CParseDevXML reader;
    EXPECT_EQ(reader.Parse(nullptr, &root, modules), FALSE);
    EXPECT_EQ(reader.Parse(Fixture("comments.xml").c_str(), nullptr, modules), FALSE);
    EXPECT_EQ(reader.Parse(Fixture("comments.xml").c_str(), &root, modules), TRUE); // no LED table wanted
}

// A part element with the given geometry texts.
std::string Part(const std::string& name, const std::string& id, const std::string& left, const std::string& top,
                 const std::string& width, const std::string& height)
{
    return "<" + name + "><ID>" + id + "</ID><LEFT>" + left + "</LEFT><TOP>" + top + "</TOP><WIDTH>" + width +
           "</WIDTH><HEIGHT>" + height + "</HEIGHT></" + name + ">";
}

TEST(ParseDevXML, CoordinatesBeyondTheBoundRefuseTheirPart)
{
    struct Case
    {
        std::string left, top, width, height;
        bool taken;
    };
    const Case cases[] = {
        {"32767", "-32767", "32767", "-32767", true},
        {"32768", "0", "9", "9", false},
        {"0", "-32768", "9", "9", false},
        {"0", "0", "2147483647", "9", false},
        {"0", "0", "9", "-2147483648", false},
        {"0", "99999999999999999999", "9", "9", false},
        {"abc", "-20xyz", "+77", "9", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left + " " + c.top + " " + c.width + " " + c.height);
        // The part as a port under the panel, and as the panel itself.
        const std::string asPort = "<DEVICEPANEL c=\"P\"><ID>x</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>99</WIDTH>"
                                   "<HEIGHT>99</HEIGHT><P>" +
                                   Part("PORT", "1", "1", "1", "9", "9") +
                                   Part("PORT", "2", c.left, c.top, c.width, c.height) +
                                   Part("PORT", "3", "1", "1", "9", "9") + "</P></DEVICEPANEL>";
        const std::string asPanel = Part("DEVICEPANEL", "x", c.left, c.top, c.width, c.height);
        TempDir dir;
        CDevModule root;
        std::vector<std::unique_ptr<CModule>> modules;
        CParseDevXML reader;
        EXPECT_EQ(reader.Parse(dir.Write("port.xml", asPort).c_str(), &root, modules), c.taken ? TRUE : FALSE);
        EXPECT_TRUE(reader.HasPanel());
        const std::vector<std::string> taken{"CPort:1", "CPort:2", "CPort:3"};
        const std::vector<std::string> refused{"CPort:1", "CPort:3"};
        EXPECT_EQ(Ids(root), c.taken ? taken : refused);

        CDevModule panelRoot;
        EXPECT_EQ(reader.Parse(dir.Write("panel.xml", asPanel).c_str(), &panelRoot, modules), c.taken ? TRUE : FALSE);
        EXPECT_EQ(reader.HasPanel(), c.taken);
        EXPECT_EQ(panelRoot.GetID(), c.taken ? "x" : "");
    }
}

TEST(ParseDevXML, OnlyAReadPanelCountsAsAPanel)
{
    const std::string good = Part("DEVICEPANEL", "x", "0", "0", "9", "9");
    struct Case
    {
        const char* what;
        std::string xml;
        bool panel;
    };
    const Case cases[] = {
        {"a panel", good, true},
        {"an empty file", "", false},
        {"a truncated one", good.substr(0, good.size() - 5), false},
        {"no panel", "<DEVICEMODULE/>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        CDevModule root;
        std::vector<std::unique_ptr<CModule>> modules;
        CParseDevXML reader;
        EXPECT_EQ(reader.Parse(dir.Write("panel.xml", c.xml).c_str(), &root, modules), c.panel ? TRUE : FALSE);
        EXPECT_EQ(reader.HasPanel(), c.panel);
    }
    // A billion "a"s from ten entities of ten references each.
    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    CParseDevXML reader;
    EXPECT_EQ(reader.Parse(Fixture("entity-bomb.xml").c_str(), &root, modules), FALSE);
    EXPECT_FALSE(reader.HasPanel());
}

TEST(ParseDevXML, SelectorsThatPointBackDoNotWalkForever)
{
    Loaded panel(Fixture("cycles.xml"));
    EXPECT_EQ(panel.result, TRUE);
    ASSERT_NE(panel.Port(0), nullptr);
    EXPECT_LT(panel.root.GetChildCount(), 10);
}

TEST(ParseDevXML, SelectorsThatMultiplyTheWalkAreCutShort)
{
    // Thirty containers, each selected twice by the element above it: 2^30 walks.
    std::string xml = "<DEVICEPANEL a=\"C\" b=\"C\"><ID>x</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>9</WIDTH>"
                      "<HEIGHT>9</HEIGHT><C>";
    const int depth = 30;
    for (int i = 0; i < depth; ++i)
        xml += "<X a=\"C\" b=\"C\"><C>";
    xml += "<PORT><ID>p</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>9</WIDTH><HEIGHT>9</HEIGHT></PORT>";
    for (int i = 0; i < depth; ++i)
        xml += "</C></X>";
    xml += "</C></DEVICEPANEL>";
    TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    Loaded panel(dir.Write("bomb.xml", xml));
    EXPECT_EQ(panel.result, FALSE);
    // 2^30 walks would take hours; the cut comes after a small fraction of a
    // minute, also with the sanitizers on a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST(ParseDevXML, TheLedPositionTableHoldsEveryEntryTheFileGives)
{
    std::string xml = "<DEVICEPANEL c=\"P\"><ID>x</ID><LEFT>0</LEFT><TOP>0</TOP><WIDTH>9</WIDTH><HEIGHT>9</HEIGHT><P>";
    for (int i = 0; i < 150; ++i) {
        xml += "<LED><ID>0</ID><LEFT>" + std::to_string(i) + "</LEFT><TOP>" + std::to_string(1000 + i) +
               "</TOP><WIDTH>4</WIDTH><HEIGHT>4</HEIGHT></LED>";
    }
    xml += "</P></DEVICEPANEL>";
    TempDir dir;
    Loaded panel(dir.Write("leds.xml", xml));
    EXPECT_EQ(panel.result, TRUE);
    ASSERT_EQ(panel.leds.size(), 150U);
    EXPECT_EQ(panel.leds[149].x1, 149);
    EXPECT_EQ(panel.leds[149].y1, 1149);
    EXPECT_EQ(panel.root.GetChild(0)->GetID(), "");
}

} // namespace

} // namespace panel_test

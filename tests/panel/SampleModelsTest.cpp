// The sample models: each profile, panel description, bitmap set and
// simulator data file agree with each other and with what the main window and
// the polling expect of them.
#include "panel/CDevModule.h"
#include "panel/CLamp.h"
#include "panel/CModule.h"
#include "panel/CParseDevXML.h"
#include "panel/CPort.h"
#include "platform/system/PrivateProfile.h"
#include "support/ModelFolder.h"
#include "support/SimulatorFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace panel_test {

namespace {

struct Model
{
    const char* name;
    int ports;
    int poePorts;
    int comboPorts;
    int comboIndex;
    bool allGigabit;
    bool fan;
};

const Model kModels[] = {
    {"KSX-Bellis", 28, 0, 4, 25, true, false},   {"KSX-Puffin", 28, 24, 0, 0, true, true},
    {"KVT-CorvidR2", 10, 0, 0, 0, false, false}, {"KSX-Alcor R2", 52, 0, 0, 0, true, false},
    {"KVT-Pipit R1", 10, 8, 0, 0, false, false},
};

std::filesystem::path ModelFolder(const Model& m)
{
    return ::ModelFolder(m.name);
}

class SampleModel : public testing::TestWithParam<Model>
{
protected:
    std::string Profile(const std::string& key)
    {
        std::string value;
        GetPrivateProfileString("DeviceInfo", key, "", value, 260, (ModelFolder(GetParam()) / "User.ini").string());
        return value;
    }
    int ProfileInt(const std::string& key)
    {
        return static_cast<int>(
            GetPrivateProfileInt("DeviceInfo", key, -1, (ModelFolder(GetParam()) / "User.ini").string()));
    }
};

TEST_P(SampleModel, ProfileDescribesTheModel)
{
    const Model& m = GetParam();
    EXPECT_EQ(Profile("DeviceName"), m.name);
    EXPECT_EQ(ProfileInt("DevicePortNum"), m.ports);
    EXPECT_EQ(ProfileInt("PoEPortNum "), m.poePorts);
    EXPECT_EQ(ProfileInt("ComboPortNum"), m.comboPorts);
    EXPECT_EQ(ProfileInt("ComboPortIndex"), m.comboIndex);
    EXPECT_EQ(Profile("XMLName"), std::string(m.name) + ".xml");
    EXPECT_EQ(Profile("IsAllGiga"), m.allGigabit ? "Y" : "N");
    EXPECT_EQ(Profile("IsHasFan"), m.fan ? "Y" : "N");
    // The model tests of the program: a "P" or "p" in the name is a PoE model.
    const std::string name = m.name;
    EXPECT_EQ(name.find_first_of("Pp") != std::string::npos, m.poePorts > 0);
}

TEST_P(SampleModel, PanelHasEveryPortInOrderWithItsLed)
{
    const Model& m = GetParam();
    InFolder in(ModelFolder(m));
    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    std::vector<LedPosition> leds;
    CParseDevXML reader;
    ASSERT_EQ(reader.Parse((std::string(m.name) + ".xml").c_str(), &root, modules, &leds), TRUE);
    EXPECT_EQ(root.GetID(), m.name);
    EXPECT_TRUE(modules.empty());

    // Ordinary ports first, then the second part of each combo port.
    const int parts = m.ports + m.comboPorts;
    EXPECT_EQ(root.FindChildByClass("CPort", parts), nullptr);
    ASSERT_EQ(leds.size(), static_cast<std::size_t>(parts));
    std::vector<CPort*> ports;
    for (int i = 0; i < parts; ++i) {
        auto* port = static_cast<CPort*>(root.FindChildByClass("CPort", i));
        ASSERT_NE(port, nullptr) << i;
        const int number = i < m.ports ? i + 1 : m.comboIndex + i - m.ports;
        EXPECT_EQ(port->GetID(), std::to_string(number));
        // The LED sits at the port's first child part.
        const CVirtualDev* led = port->GetChild(0);
        ASSERT_NE(led, nullptr) << number;
        EXPECT_EQ(CVirtualDev::GetClassName(led), "CLed");
        EXPECT_EQ(led->GetLeft(), leds[static_cast<std::size_t>(i)].x1);
        EXPECT_EQ(led->GetTop(), leds[static_cast<std::size_t>(i)].y1);
        EXPECT_EQ(port->GetState(), PORTENABLE);
        EXPECT_FALSE(port->GetBitmap().IsEmpty()) << number;
        ports.push_back(port);
    }

    // A click in the middle of a port reaches that port only.
    std::vector<CPort*> clicked;
    CPort::SetClickAction([&](CPort& port) { clicked.push_back(&port); });
    for (CPort* port : ports) {
        clicked.clear();
        int x = port->GetLeft() + port->GetWidth() / 2;
        int y = port->GetTop() + port->GetHeight() / 2;
        root.OnClick(x, y);
        EXPECT_EQ(clicked, std::vector<CPort*>{port}) << port->GetID();
    }
    CPort::SetClickAction({});

    // Every status has a picture.
    for (CPort* port : ports) {
        for (int status : {PORTLINK100, PORTLINK10, PORTDISABLED, PORTEMPTY, PORTENABLE}) {
            port->SetStatus(status);
            EXPECT_EQ(port->Refresh(), 1) << port->GetID() << " status " << status;
        }
    }
}

TEST_P(SampleModel, BitmapsFitTheirParts)
{
    const Model& m = GetParam();
    InFolder in(ModelFolder(m));
    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    CParseDevXML reader;
    ASSERT_EQ(reader.Parse((std::string(m.name) + ".xml").c_str(), &root, modules), TRUE);

    CDIBitmap background;
    ASSERT_EQ(background.LoadFromFile(root.GetBitmapFile()), 1);
    EXPECT_EQ(background.GetWidth(), root.GetWidth());
    EXPECT_EQ(background.GetHeight(), root.GetHeight());
    // Plates and slots are drawn in their own size; ports too.
    for (int i = 0; i < root.GetChildCount(); ++i) {
        const CVirtualDev* part = root.GetChild(i);
        if (part->GetBitmap().IsEmpty())
            continue;
        EXPECT_EQ(part->GetBitmap().GetWidth(), part->GetWidth()) << part->GetID();
        EXPECT_EQ(part->GetBitmap().GetHeight(), part->GetHeight()) << part->GetID();
    }
}

TEST_P(SampleModel, SimulatorDataHoldsWhatPollingReads)
{
    const Model& m = GetParam();
    std::ifstream in(KorvelSimulator::ModelData(m.name, "system.snmprec"));
    ASSERT_TRUE(in);
    std::map<std::string, std::pair<std::string, std::string>> objects;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto a = line.find('|');
        const auto b = line.find('|', a + 1);
        ASSERT_NE(b, std::string::npos) << line;
        objects[line.substr(0, a)] = {line.substr(a + 1, b - a - 1), line.substr(b + 1)};
    }
    const std::string settings = "1.3.6.1.4.1.32473.10.76.19.1";
    for (int p = 1; p <= m.ports; ++p) {
        const std::string n = std::to_string(p);
        for (int column : {3, 5, 7, 8})
            EXPECT_EQ(objects.count("1.3.6.1.2.1.2.2.1." + std::to_string(column) + "." + n), 1U) << p;
        const auto type = objects.find(settings + ".1.13.1.7." + n);
        ASSERT_NE(type, objects.end()) << p;
        const int t = std::stoi(type->second.second);
        EXPECT_TRUE(m.allGigabit ? t >= 2 && t <= 4 : t >= 1 && t <= 2) << p;
    }
    // An interface past the ports ends the link walk.
    EXPECT_EQ(objects.count("1.3.6.1.2.1.2.2.1.3." + std::to_string(m.ports + 1)), 0U);
    EXPECT_EQ(objects.count(settings + ".25.1.0"), 1U);
    EXPECT_EQ(objects.count(settings + ".1.15.1.0"), m.fan ? 1U : 0U);
    EXPECT_EQ(objects.count(settings + ".22.8.0"), m.poePorts > 0 ? 1U : 0U);
    for (int p = 1; p <= m.poePorts; ++p)
        EXPECT_EQ(objects.count(settings + ".22.1.1.13.1." + std::to_string(p)), 1U) << p;
}

TEST_P(SampleModel, SimulatorServesTheModelAloneAndOverTheBase)
{
    const Model& m = GetParam();
    const std::string data = KorvelSimulator::ModelData(m.name, "system.snmprec");
    const std::string settings = "1.3.6.1.4.1.32473.10.76.19.1";
    for (const std::vector<std::string>& files :
         {std::vector<std::string>{data}, std::vector<std::string>{KorvelSimulator::BaseData(), data}}) {
        KorvelSimulator sim(files);
        ASSERT_TRUE(sim.Running()) << files.size();
        EXPECT_NE(sim.Get("1.3.6.1.2.1.1.1.0").find(m.name), std::string::npos);
        EXPECT_EQ(sim.Get("1.3.6.1.2.1.2.1.0"), std::to_string(m.ports + 1));
        EXPECT_EQ(sim.Get(settings + ".25.1.0"), "1");
        EXPECT_EQ(sim.Get("1.3.6.1.2.1.2.2.1.7." + std::to_string(m.ports)), "1");
        EXPECT_EQ(sim.Get(settings + ".1.13.1.7.1"), m.allGigabit ? "2" : "1");
        if (m.fan) {
            EXPECT_EQ(sim.Get(settings + ".1.15.1.0"), "1");
        }
        if (m.poePorts > 0) {
            EXPECT_EQ(sim.Get(settings + ".22.8.0"), "1");
            EXPECT_NE(sim.Get(settings + ".22.1.1.13.1." + std::to_string(m.poePorts)), "<none>");
        }
        // The system name is writable, the interface type is not.
        EXPECT_EQ(sim.Set("1.3.6.1.2.1.1.5.0", SnmpValueOctetString, "renamed"), 0);
        EXPECT_NE(sim.Set("1.3.6.1.2.1.2.2.1.3.1", SnmpValueInteger, "6"), 0);
    }
}

TEST(SampleModels, PuffinPortsLightTheirLinkLamps)
{
    InFolder in(ModelFolder(kModels[1]));
    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    CParseDevXML reader;
    ASSERT_EQ(reader.Parse("KSX-Puffin.xml", &root, modules), TRUE);
    auto* port = static_cast<CPort*>(root.FindChildByClass("CPort", 3));
    ASSERT_EQ(port->GetObservers().size(), 1U);
    const auto* lamp = static_cast<const CLamp*>(port->GetChild(1));
    EXPECT_EQ(lamp->GetState(), LAMPOFF);
    port->SetStatus(PORTLINK100);
    EXPECT_EQ(lamp->GetState(), LAMPON);
    port->SetStatus(PORTDISABLED);
    EXPECT_EQ(lamp->GetState(), LAMPOFF);
}

TEST(SampleModels, BitmapsCoverEveryDepthTheReaderTakes)
{
    std::set<int> depths;
    for (const Model& m : kModels) {
        for (const auto& entry : std::filesystem::directory_iterator(ModelFolder(m))) {
            if (entry.path().extension() != ".bmp")
                continue;
            CDIBitmap bitmap;
            ASSERT_EQ(bitmap.LoadFromFile(entry.path().c_str()), 1) << entry.path();
            depths.insert(bitmap.GetBitCount());
        }
    }
    EXPECT_EQ(depths, (std::set<int>{1, 4, 8, 24}));
}

INSTANTIATE_TEST_SUITE_P(Models, SampleModel, testing::ValuesIn(kModels), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

} // namespace

} // namespace panel_test

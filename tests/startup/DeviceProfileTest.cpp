// User.ini files against the profile they give, broken ones included.
#include "app/CDeviceProfile.h"
#include "common/Globals.h"
#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace startup_test {

namespace {

// The profile as the members and the globals hold it after reading, with the
// values they start with.
struct Profile
{
    std::string model = "";
    bool poe = false;
    int ports = 28;
    int combo = 0;
    int comboIndex = 0;
    std::string xml = "";
    int poePorts = 0;
    int allGigabit = 0;
    int fan = 0;

    bool operator==(const Profile&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Profile& p)
{
    return os << "{model '" << p.model << "' poe " << p.poe << " ports " << p.ports << " combo " << p.combo
              << " comboIndex " << p.comboIndex << " xml '" << p.xml << "' poePorts " << p.poePorts << " allGigabit "
              << p.allGigabit << " fan " << p.fan << "}";
}

void ResetGlobals()
{
    g_strModelName = "";
    g_nPortCount = 28;
    g_nPoePortCount = 0;
    g_nComboPortCount = 0;
    g_nComboPortIndex = 0;
    g_bAllGigabit = 0;
    g_bHasFan = 0;
}

struct ProfileCase
{
    const char* what;
    std::optional<std::string> file; // no file at all when empty
    Profile expected;
    bool ok;
};

const std::string kLong(300, 'x');

const std::vector<ProfileCase> kProfileCases = {
    {"complete PoE profile with Windows line ends",
     "[DeviceInfo]\r\nDeviceName=KSX-Puffin\r\nDevicePortNum=28\r\nPoEPortNum=24\r\nComboPortNum=4\r\n"
     "ComboPortIndex=25\r\nXMLName=KSX-Puffin.xml\r\nIsAllGiga=Y\r\nIsHasFan=y\r\n",
     {"KSX-Puffin", true, 28, 4, 25, "KSX-Puffin.xml", 24, 1, 1},
     true},
    {"no file", std::nullopt, {}, false},
    {"no DeviceInfo section", "[Other]\nDeviceName=KSX-Alcor\nXMLName=a.xml\n", {}, false},
    {"empty DeviceName: nothing else is read",
     "[DeviceInfo]\nDeviceName=\nDevicePortNum=10\nXMLName=a.xml\n",
     {},
     false},
    {"only DeviceName: defaults, XMLName missing",
     "[DeviceInfo]\nDeviceName=KSX-Bellis\n",
     {.model = "KSX-Bellis"},
     false},
    {"PoE port count not read for a model without PoE",
     "[DeviceInfo]\nDeviceName=KSX-Bellis\nPoEPortNum =24\nXMLName=b.xml\n",
     {.model = "KSX-Bellis", .xml = "b.xml"},
     true},
    {"no XMLName: gigabit and fan flags stay off",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=10\nIsAllGiga=Y\nIsHasFan=Y\n",
     {.model = "KSX-Alcor", .ports = 10},
     false},
    {"IsHasFan=yes is not yes; IsAllGiga=N",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nXMLName=a.xml\nIsAllGiga=N\nIsHasFan=yes\n",
     {.model = "KSX-Alcor", .xml = "a.xml"},
     true},
    {"more than 100 ports",
     "[DeviceInfo]\nDeviceName=KSX-Heron\nDevicePortNum=200\nXMLName=h.xml\n",
     {.model = "KSX-Heron", .ports = 200, .xml = "h.xml"},
     true},
    {"the largest counts taken",
     "[DeviceInfo]\nDeviceName=KSX-Puffin\nPoEPortNum =512\nDevicePortNum=512\nComboPortNum=512\n"
     "ComboPortIndex=512\nXMLName=p.xml\n",
     {"KSX-Puffin", true, 512, 512, 512, "p.xml", 512},
     true},
    {"keys in other case and with blanks",
     "[ deviceinfo ]\n  devicename  =  kSX-Alpha  \n DEVICEPORTNUM = 52\npoeportnum= 48\n comboportnum =2\n"
     "COMBOPORTINDEX=51\n xmlname = alpha.xml \n isallgiga = y\n ISHASFAN = Y \n",
     {"kSX-Alpha", true, 52, 2, 51, "alpha.xml", 48, 1, 1},
     true},
    {"texts are cut to 259 characters",
     "[DeviceInfo]\nDeviceName=" + kLong + "\nXMLName=" + kLong + "\n",
     {.model = kLong.substr(0, 259), .xml = kLong.substr(0, 259)},
     true},
    {"not an ini file at all", std::string("\0\x01\xff garbage [ = ]\n=\n[\n", 22), {}, false},
};

// A count out of range stops the reading at its key: it is not taken, and
// neither is anything after it.
const std::vector<ProfileCase> kBadCounts = {
    {"DevicePortNum=abc reads as 0",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=abc\nXMLName=a.xml\n",
     {.model = "KSX-Alcor"},
     false},
    {"negative port count reads as 0",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=-8\nXMLName=a.xml\n",
     {.model = "KSX-Alcor"},
     false},
    {"513 ports",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=513\nXMLName=a.xml\n",
     {.model = "KSX-Alcor"},
     false},
    {"port count beyond int",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=2147483647\nXMLName=a.xml\n",
     {.model = "KSX-Alcor"},
     false},
    {"PoE port count",
     "[DeviceInfo]\nDeviceName=KSX-Puffin\nPoEPortNum =100000\nDevicePortNum=10\nXMLName=a.xml\n",
     {.model = "KSX-Puffin", .poe = true},
     false},
    {"combo count",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=10\nComboPortNum=2147483647\nXMLName=a.xml\n",
     {.model = "KSX-Alcor", .ports = 10},
     false},
    {"first combo port",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=10\nComboPortNum=2\nComboPortIndex=2147483647\n"
     "XMLName=a.xml\n",
     {.model = "KSX-Alcor", .ports = 10, .combo = 2},
     false},
    {"negative combo count reads as 0, the port count not",
     "[DeviceInfo]\nDeviceName=KSX-Alcor\nDevicePortNum=0\nComboPortNum=-2\nXMLName=a.xml\n",
     {.model = "KSX-Alcor"},
     false},
};

class DeviceProfile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { SetMessageBoxHook({}); }

    int m_argc = 1;
    char m_name[16] = "test_startup";
    char* m_argv[2] = {m_name, nullptr};
    QApplication m_app{m_argc, m_argv};
    QTemporaryDir m_dir;
};

TEST_F(DeviceProfile, FilesGiveTheirProfile)
{
    std::vector<std::string> boxes;
    SetMessageBoxHook([&](const MessageBoxCall& call) {
        boxes.push_back(call.text);
        return IDOK;
    });

    int n = 0;
    std::vector<ProfileCase> cases = kProfileCases;
    cases.insert(cases.end(), kBadCounts.begin(), kBadCounts.end());
    for (const ProfileCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = m_dir.filePath(QString("User%1.ini").arg(n++)).toStdString();
        if (c.file) {
            std::ofstream(path, std::ios::binary) << *c.file;
        }
        ResetGlobals();
        boxes.clear();

        CDeviceProfile profile;
        EXPECT_EQ(profile.ReadDeviceProfile(path, nullptr), c.ok);

        const Profile members{profile.m_strModelName,
                              profile.m_bPoeModel,
                              profile.m_nPortCount,
                              profile.m_nComboPortCount,
                              profile.m_nComboPortIndex,
                              profile.m_strXmlName,
                              g_nPoePortCount,
                              g_bAllGigabit,
                              g_bHasFan};
        EXPECT_EQ(members, c.expected);
        // The process-wide copies agree with the members.
        EXPECT_EQ(g_strModelName, profile.m_strModelName);
        EXPECT_EQ(g_nPortCount, profile.m_nPortCount);
        EXPECT_EQ(g_nComboPortCount, profile.m_nComboPortCount);
        EXPECT_EQ(g_nComboPortIndex, profile.m_nComboPortIndex);
        // One error box exactly when the reading stopped.
        EXPECT_EQ(boxes, c.ok ? std::vector<std::string>{} : std::vector<std::string>{"Read User.ini Error !"});
    }
    ResetGlobals();
}

} // namespace

} // namespace startup_test

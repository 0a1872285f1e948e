// Reading User.ini-style files with the Windows private-profile rules.
#include "platform/system/PrivateProfile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace system_test {

namespace {

class PrivateProfile : public ::testing::Test
{
protected:
    std::string Write(const std::string& content)
    {
        const std::string path = m_dir.path().toStdString() + "/User" + std::to_string(m_count++) + ".ini";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(PrivateProfile, StringsByTheWindowsRules)
{
    struct Case
    {
        const char* file;
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"[DeviceInfo]\nDeviceName=KSX-Bellis\n", "DeviceInfo", "DeviceName", "KSX-Bellis"},
        // names match without regard to case ...
        {"[deviceinfo]\nDEVICENAME=KSX-Bellis\n", "DeviceInfo", "DeviceName", "KSX-Bellis"},
        // ... and without the blanks around them, in the file and in the call
        {"  [ DeviceInfo ]  \n  PoEPortNum   =  24  \n", "DeviceInfo", "PoEPortNum ", "24"},
        {"[DeviceInfo]\nPoEPortNum =24\n", "DeviceInfo", "PoEPortNum", "24"},
        // Windows line ends, a byte-order mark, comments
        {"\xEF\xBB\xBF[DeviceInfo]\r\n;DeviceName=old\r\nDeviceName=KSX-Puffin\r\n", "DeviceInfo", "DeviceName",
         "KSX-Puffin"},
        // blanks inside the value stay; one pair of quotes goes
        {"[DeviceInfo]\nDeviceName=KSX-Puffin R2\n", "DeviceInfo", "DeviceName", "KSX-Puffin R2"},
        {"[DeviceInfo]\nDeviceName=\" KSX-Alcor \"\n", "DeviceInfo", "DeviceName", " KSX-Alcor "},
        {"[DeviceInfo]\nDeviceName='x\"\n", "DeviceInfo", "DeviceName", "'x\""},
        // the first key of the first matching section counts; '=' in the value stays
        {"[DeviceInfo]\nXMLName=a=b.xml\nXMLName=c.xml\n[DeviceInfo]\nXMLName=d.xml\n", "DeviceInfo", "XMLName",
         "a=b.xml"},
        // a key of another section is not found; an empty value is a value
        {"[Other]\nDeviceName=x\n[DeviceInfo]\nDeviceName=\n", "DeviceInfo", "DeviceName", ""},
        {"[Other]\nDeviceName=x\n", "DeviceInfo", "DeviceName", "default"},
        {"DeviceName=x\n[DeviceInfo]\n", "DeviceInfo", "DeviceName", "default"},
        {"[DeviceInfo]\nDeviceName\n", "DeviceInfo", "DeviceName", "default"},
        {"", "DeviceInfo", "DeviceName", "default"},
    };
    for (const auto& c : cases) {
        std::string value = "junk";
        const DWORD length = GetPrivateProfileString(c.section, c.key, "default  ", value, 260, Write(c.file));
        EXPECT_EQ(value, c.expected) << c.file;
        EXPECT_EQ(length, value.size());
    }
}

TEST_F(PrivateProfile, MissingFileGivesTheDefault)
{
    std::string value;
    EXPECT_EQ(GetPrivateProfileString("DeviceInfo", "DeviceName", "", value, 260, "/nonexistent/User.ini"), 0U);
    EXPECT_EQ(value, "");
    EXPECT_EQ(GetPrivateProfileInt("DeviceInfo", "DevicePortNum", 28, "/nonexistent/User.ini"), 28U);
}

TEST_F(PrivateProfile, LongValuesAreCutToTheBuffer)
{
    const std::string longName(300, 'K');
    const std::string path = Write("[DeviceInfo]\nDeviceName=" + longName + "\nShort=\xC3\xA9\xC3\xA9\n");
    std::string value;
    EXPECT_EQ(GetPrivateProfileString("DeviceInfo", "DeviceName", "", value, 260, path), 259U);
    EXPECT_EQ(value, longName.substr(0, 259));
    // never inside a UTF-8 character
    EXPECT_EQ(GetPrivateProfileString("DeviceInfo", "Short", "", value, 4, path), 2U);
    EXPECT_EQ(value, "\xC3\xA9");
    EXPECT_EQ(GetPrivateProfileString("DeviceInfo", "Short", "", value, 0, path), 0U);
    EXPECT_EQ(value, "");
    // a large buffer takes the whole value
    EXPECT_EQ(GetPrivateProfileString("DeviceInfo", "DeviceName", "", value, 100000, path), 300U);
}

TEST_F(PrivateProfile, IntegersFromTheLeadingDigits)
{
    struct Case
    {
        const char* line;
        UINT expected;
    };
    const Case cases[] = {
        {"DevicePortNum=52", 52}, {"DevicePortNum = 24 ", 24}, {"devicePORTnum=8ports", 8},
        {"DevicePortNum=abc", 0}, {"DevicePortNum=", 0},       {"DevicePortNum=-5", 0},
        {"DevicePortNum=+5", 0},  {"DevicePortNum=0x10", 0},   {"DevicePortNum=99999999999999", 2147483647},
        {"Other=5", 28}, // absent: the default
    };
    for (const auto& c : cases) {
        const std::string path = Write(std::string("[DeviceInfo]\n") + c.line + "\n");
        EXPECT_EQ(GetPrivateProfileInt("DeviceInfo", "DevicePortNum", 28, path), c.expected) << c.line;
    }
}

} // namespace

} // namespace system_test

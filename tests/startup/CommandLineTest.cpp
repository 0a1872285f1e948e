// The command line against the connection parameters it leaves behind.
#include "app/CKorvelModuleApp.h"
#include "common/Globals.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace startup_test {

namespace {

// Every global the command line may write, with the values they start with.
struct Connection
{
    std::string field1 = "";
    std::string ip = "";
    std::string read = "mirtle";
    std::string write = "quenbor";
    int vlanEditable = 1;
    std::string version = "1";
    std::string port = "161";
    std::string field10 = "1";
    std::string level = "1";
    std::string user = "";
    std::string authPassword = "";
    std::string privPassword = "";
    std::string authProtocol = "1";
    std::string privProtocol = "1";

    bool operator==(const Connection&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Connection& c)
{
    return os << "{field1 '" << c.field1 << "' ip '" << c.ip << "' read '" << c.read << "' write '" << c.write
              << "' vlan " << c.vlanEditable << " version '" << c.version << "' port '" << c.port << "' field10 '"
              << c.field10 << "' level '" << c.level << "' user '" << c.user << "' auth '" << c.authPassword
              << "' priv '" << c.privPassword << "' authProto '" << c.authProtocol << "' privProto '"
              << c.privProtocol << "'}";
}

void SetGlobals(const Connection& c)
{
    g_strCmdLineField1 = c.field1;
    g_strDeviceIP = c.ip;
    g_strReadCommunity = c.read;
    g_strWriteCommunity = c.write;
    g_bVlanEditable = c.vlanEditable;
    g_strSnmpVersion = c.version;
    g_strSnmpPort = c.port;
    g_strCmdLineField10 = c.field10;
    g_strSecurityLevel = c.level;
    g_strUserName = c.user;
    g_strAuthPassword = c.authPassword;
    g_strPrivPassword = c.privPassword;
    g_strAuthProtocol = c.authProtocol;
    g_strPrivProtocol = c.privProtocol;
}

Connection Globals()
{
    return {g_strCmdLineField1,   g_strDeviceIP,     g_strReadCommunity, g_strWriteCommunity, g_bVlanEditable,
            g_strSnmpVersion,     g_strSnmpPort,     g_strCmdLineField10, g_strSecurityLevel, g_strUserName,
            g_strAuthPassword,    g_strPrivPassword, g_strAuthProtocol,   g_strPrivProtocol};
}

struct Case
{
    const char* what;
    std::string line;
    int result;
    Connection expected;
};

const std::string k20 = "12345678901234567890";
const std::string k60 = k20 + k20 + k20;

const Case kCases[] = {
    {"SNMPv1 line: fields after the version are not read",
     "/P/I10.0.0.5/Rpublic/Wprivate/VTRUE/N1/S161/a8/b9/c2/L3/Uadmin",
     1,
     {.ip = "10.0.0.5", .read = "public", .write = "private"}},
    {"the host's arguments joined with blanks",
     "/P /I10.0.0.5 /Rpublic /Wprivate /Vtrue /N1 /S161",
     1,
     {.ip = "10.0.0.5", .read = "public", .write = "private"}},
    {"SNMPv3 line fills every field; 8 and 9 are dropped",
     "/P/I10.0.0.5/Rr/Ww/VTRUE/N3/S1161/a8/b9/c2/L3/Uadmin/Aauth-pass/Ppriv-pass/H3/E2/Zextra",
     1,
     {.ip = "10.0.0.5",
      .read = "r",
      .write = "w",
      .version = "3",
      .port = "1161",
      .field10 = "2",
      .level = "3",
      .user = "admin",
      .authPassword = "auth-pass",
      .privPassword = "priv-pass",
      .authProtocol = "3",
      .privProtocol = "2"}},
    {"SNMPv3 empty fields keep their defaults",
     "/P/I10.0.0.5/R/W/VTRUE/N3/S/a/b/c/L/Ubob/A/P/H/E",
     1,
     {.ip = "10.0.0.5", .version = "3", .user = "bob"}},
    {"SNMPv3 line that ends inside the v3 fields", "/P/I10.0.0.5/R/W/V/N3/S/a/b/c/L2/Ubob", 1,
     {.ip = "10.0.0.5", .vlanEditable = 0, .version = "3", .level = "2", .user = "bob"}},
    {"empty version field: stays 1, no v3 fields read", "/P/I10.0.0.5/R/W/VTRUE/N/S/a/b/c5/L3/Uadmin", 1,
     {.ip = "10.0.0.5"}},
    {"no /I: only field 1", "/Xabc/Rfoo/Wbar", 0, {.field1 = "abc"}},
    {"/I is case-sensitive", "/P/i10.0.0.5/Rfoo", 0, {}},
    {"blanks dropped; empty field 3 keeps the default; line ends there", "/A /I 10.0.0 .5 /R", 1,
     {.ip = "10.0.0.5"}},
    {"blanks inside communities and passwords are dropped",
     "/P/I10.0.0.5/Rmy read/W w r i t e/VTRUE/N3/S/a/b/c/L3/Uthe user/Aau th/Ppr iv",
     1,
     {.ip = "10.0.0.5",
      .read = "myread",
      .write = "write",
      .version = "3",
      .level = "3",
      .user = "theuser",
      .authPassword = "auth",
      .privPassword = "priv"}},
    {"field 5 True: VLAN editing off", "/P/I10.0.0.5/R/W/VTrue", 1, {.ip = "10.0.0.5", .vlanEditable = 0}},
    {"field 5 1: VLAN editing off", "/P/I10.0.0.5/R/W/V1", 1, {.ip = "10.0.0.5", .vlanEditable = 0}},
    {"field 5 empty: VLAN editing off", "/P/I10.0.0.5/R/W/V/N1", 1, {.ip = "10.0.0.5", .vlanEditable = 0}},
    {"line ends before field 5: VLAN editing stays on", "/P/I10.0.0.5/Rr/Ww", 1,
     {.ip = "10.0.0.5", .read = "r", .write = "w"}},
    {"empty line", "", 0, {}},
    {"empty device IP ends the parsing", "/Pfirst/I/Rpublic/Wprivate", 0, {.field1 = "first"}},
    {"tags are never looked at: only the order counts", "/Xfirst/Y10.0.0.5/Zread/Iwrite", 1,
     {.field1 = "first", .ip = "10.0.0.5", .read = "read", .write = "write"}},
    {"long fields are cut to their widths, the next field still found",
     "/P" + k20 + k20 + "/I" + k20 + "/R" + k60 + "/W" + k60 + "/V" + k20 + "/N3/S" + k20 + "/a/b/c" + k20 + "/L" +
         k20 + "/U" + k60 + "/A" + k60 + "/P" + k60 + "/H" + k20 + "/E" + k20,
     1,
     {.field1 = k20.substr(0, 19),
      .ip = k20.substr(0, 15),
      .read = k60.substr(0, 51),
      .write = k60.substr(0, 51),
      .vlanEditable = 0,
      .version = "3",
      .port = "1234567",
      .field10 = "1234567",
      .level = "1234567",
      .user = k60.substr(0, 31),
      .authPassword = k60.substr(0, 31),
      .privPassword = k60.substr(0, 31),
      .authProtocol = "1234567",
      .privProtocol = "1234567"}},
    {"blanks do not count towards the width", "/P/I 1 0 . 0 . 0 . 5 0 . 2 5 5 . 2 5 5 9", 1,
     {.ip = "10.0.0.50.255.2"}},
    {"trailing '/' after the device IP", "/P/I10.0.0.5/", 1, {.ip = "10.0.0.5"}},
    {"trailing '/' before field 5 keeps VLAN editing on", "/P/I10.0.0.5/Rr/Ww/", 1,
     {.ip = "10.0.0.5", .read = "r", .write = "w"}},
    {"trailing '/' among the v3 fields", "/P/I10.0.0.5/R/W/V/N3/S/a/", 1,
     {.ip = "10.0.0.5", .vlanEditable = 0, .version = "3"}},
    {"trailing '/' where the device IP would start", "/Pabc/", 0, {.field1 = "abc"}},
    {"trailing '/' where the device IP would start, /I present", "/I/", 0, {}},
    {"a single '/'", "/", 0, {}},
    {"two characters: field 1 empty", "/P", 1, {}},
    {"garbage without slashes", "abcdef", 1, {.field1 = "cdef"}},
    {"only slashes", "//////////", 0, {}},
    {"repeated /I: fields in order, nothing after 16",
     "/I/I1/I2/I3/I4/I5/I6/I7/I8/I9/I10/I11/I12/I13/I14/I15/I16/I17",
     1,
     {.ip = "1",
      .read = "2",
      .write = "3",
      .vlanEditable = 0,
      .version = "5",
      .port = "6",
      .field10 = "9",
      .level = "10",
      .user = "11",
      .authPassword = "12",
      .privPassword = "13",
      .authProtocol = "14",
      .privProtocol = "15"}},
    {"non-ASCII bytes pass through", "/P/I10.0.0.5/R\xc3\xa9t\xc3\xa9", 1, {.ip = "10.0.0.5", .read = "\xc3\xa9t\xc3\xa9"}},
};

TEST(CommandLine, FieldsLandInTheirGlobals)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        SetGlobals(Connection{});
        EXPECT_EQ(CKorvelModuleApp::ParseCommandLine(c.line), c.result);
        EXPECT_EQ(Globals(), c.expected);
    }
    SetGlobals(Connection{});
}

TEST(CommandLine, ReadCommandFieldStopsOnTheSlashAndCutsToTheWidth)
{
    struct FieldCase
    {
        std::string line;
        std::size_t start;
        std::size_t width;
        std::string field;
        std::size_t end;
    };
    const FieldCase cases[] = {
        {"/Aab c/Bd", 2, 10, "abc", 6},  {"/Aabcdef", 2, 3, "abc", 8}, {"/A  /B", 2, 5, "", 4},
        {"/A", 2, 5, "", 2},             {"/A", 7, 5, "", 2},          {"/Aa b c d e/", 2, 3, "abc", 11},
        {"x/y", 0, 0, "", 1},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.line);
        std::size_t pos = c.start;
        EXPECT_EQ(CKorvelModuleApp::ReadCommandField(c.line, pos, c.width), c.field);
        EXPECT_EQ(pos, c.end);
    }
}

} // namespace

} // namespace startup_test

// Fuzz target: any command line. The parser must stay inside the line and
// leave every field within its width and free of blanks.
#include "app/CKorvelModuleApp.h"
#include "common/Globals.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "command line invariant broken: %s\n", what);
        std::abort();
    }
}

void CheckField(const std::string& strField, std::size_t nWidth, const char* what)
{
    Require(strField.size() <= nWidth, what);
    Require(strField.find(' ') == std::string::npos, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string strLine(reinterpret_cast<const char*>(data), size);
    const int nResult = CKorvelModuleApp::ParseCommandLine(strLine);
    Require(nResult == 0 || nResult == 1, "result");
    CheckField(g_strCmdLineField1, 19, "g_strCmdLineField1");
    CheckField(g_strDeviceIP, 15, "g_strDeviceIP");
    CheckField(g_strReadCommunity, 51, "g_strReadCommunity");
    CheckField(g_strWriteCommunity, 51, "g_strWriteCommunity");
    Require(g_bVlanEditable == 0 || g_bVlanEditable == 1, "VLAN flag");
    CheckField(g_strSnmpVersion, 7, "g_strSnmpVersion");
    CheckField(g_strSnmpPort, 7, "g_strSnmpPort");
    CheckField(g_strCmdLineField10, 7, "g_strCmdLineField10");
    CheckField(g_strSecurityLevel, 7, "g_strSecurityLevel");
    CheckField(g_strUserName, 31, "g_strUserName");
    CheckField(g_strAuthPassword, 31, "g_strAuthPassword");
    CheckField(g_strPrivPassword, 31, "g_strPrivPassword");
    CheckField(g_strAuthProtocol, 7, "g_strAuthProtocol");
    CheckField(g_strPrivProtocol, 7, "g_strPrivProtocol");
    return 0;
}

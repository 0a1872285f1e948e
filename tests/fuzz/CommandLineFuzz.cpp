// Fuzz target: any command line. The parser must stay inside the line and
// leave every field within its width and free of blanks.
#include "app/CKorvelModuleApp.h"
#include "common/Globals.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckField(const std::string& strField, std::size_t nWidth)
{
    Check(strField.size() <= nWidth);
    Check(strField.find(' ') == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string strLine(reinterpret_cast<const char*>(data), size);
    const int nResult = CKorvelModuleApp::ParseCommandLine(strLine);
    Check(nResult == 0 || nResult == 1);
    CheckField(g_strCmdLineField1, 19);
    CheckField(g_strDeviceIP, 15);
    CheckField(g_strReadCommunity, 51);
    CheckField(g_strWriteCommunity, 51);
    Check(g_bVlanEditable == 0 || g_bVlanEditable == 1);
    CheckField(g_strSnmpVersion, 7);
    CheckField(g_strSnmpPort, 7);
    CheckField(g_strCmdLineField10, 7);
    CheckField(g_strSecurityLevel, 7);
    CheckField(g_strUserName, 31);
    CheckField(g_strAuthPassword, 31);
    CheckField(g_strPrivPassword, 31);
    CheckField(g_strAuthProtocol, 7);
    CheckField(g_strPrivProtocol, 7);
    return 0;
}

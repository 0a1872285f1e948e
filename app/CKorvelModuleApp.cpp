#include "app/CKorvelModuleApp.h"

#include "common/Globals.h"

#include <algorithm>

namespace {

// The most characters each field carries, field 1 first.
constexpr std::size_t kFieldWidth[] = {19, 15, 51, 51, 11, 7, 7, 7, 7, 7, 7, 31, 31, 31, 7, 7};

constexpr std::size_t Width(int nField)
{
    return kFieldWidth[nField - 1];
}

} // namespace

std::string CKorvelModuleApp::ReadCommandField(const std::string& strLine, std::size_t& nPos, std::size_t nWidth)
{
    std::string strField;
    nPos = std::min(nPos, strLine.size());
    for (; nPos < strLine.size() && strLine[nPos] != '/'; ++nPos) {
        if (strLine[nPos] != ' ' && strField.size() < nWidth)
            strField += strLine[nPos];
    }
    return strField;
}

int CKorvelModuleApp::ParseCommandLine(const std::string& strLine)
{
    // Field 1 starts at the third character; a line too short to hold it
    // holds no field at all.
    if (strLine.size() < 2)
        return 0;

    std::size_t nPos = 2;
    g_strCmdLineField1 = ReadCommandField(strLine, nPos, Width(1));
    if (nPos >= strLine.size())
        return 1;
    if (strLine.find("/I") == std::string::npos)
        return 0;

    // Every further field starts two characters after the '/' that ended the
    // one before. A '/' that ends the line has no tag and opens no field: the
    // line ends there.
    auto next = [&](int nField, std::string& strField) {
        if (nPos + 1 >= strLine.size())
            return false;
        nPos += 2;
        strField = ReadCommandField(strLine, nPos, Width(nField));
        return true;
    };
    auto ended = [&] { return nPos >= strLine.size(); };
    std::string strField;
    auto keepUnlessEmpty = [&](int nField, std::string& strGlobal) {
        if (!next(nField, strField))
            return false;
        if (!strField.empty())
            strGlobal = strField;
        return !ended();
    };

    if (!next(2, strField))
        return 0;
    g_strDeviceIP = strField;
    if (g_strDeviceIP.empty())
        return 0;
    if (ended())
        return 1;

    if (!keepUnlessEmpty(3, g_strReadCommunity) || !keepUnlessEmpty(4, g_strWriteCommunity))
        return 1;

    if (!next(5, strField))
        return 1;
    g_bVlanEditable = (strField == "TRUE" || strField == "true") ? 1 : 0;
    if (ended())
        return 1;

    if (!keepUnlessEmpty(6, g_strSnmpVersion) || !keepUnlessEmpty(7, g_strSnmpPort))
        return 1;
    if (g_strSnmpVersion == "1")
        return 1;

    // Fields 8 and 9 are read and dropped.
    if (!next(8, strField) || ended() || !next(9, strField) || ended())
        return 1;

    std::string* const pRest[] = {&g_strCmdLineField10, &g_strSecurityLevel, &g_strUserName,   &g_strAuthPassword,
                                  &g_strPrivPassword,   &g_strAuthProtocol,  &g_strPrivProtocol};
    int nField = 10;
    for (std::string* pGlobal : pRest) {
        if (!keepUnlessEmpty(nField++, *pGlobal))
            return 1;
    }
    return 1;
}

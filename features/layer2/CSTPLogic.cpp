#include "features/layer2/CSTPLogic.h"

#include "platform/snmp/KorvelMib.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

const std::string kLbdGlobalState = KorvelOid("10.76.19.1.17.1.0");

} // namespace

const std::string CSTPLogic::kLbdPortState = KorvelOid("10.76.19.1.17.5.1.2");

CSTPLogic::CSTPLogic() = default;

CSTPLogic::~CSTPLogic() = default;

bool CSTPLogic::ReadLbdGlobalState()
{
    std::string strValue;
    if (!GetValue(kLbdGlobalState, strValue))
        return false;
    m_strLbdGlobalState = strValue;
    return true;
}

bool CSTPLogic::ReadLbdPortState(int nPort)
{
    std::string strValue;
    if (!GetValue(kLbdPortState + "." + std::to_string(nPort), strValue))
        return false;
    m_strLbdPortState = strValue;
    return true;
}

CSTPLogic::LbdCheck CSTPLogic::CheckLbdPorts(int nFirst, int nLast, int& nPort)
{
    nPort = 0;
    if (!ReadLbdGlobalState())
        return LbdCheck::Unread;
    if (m_strLbdGlobalState == "2")
        return LbdCheck::Free;
    // One GET a port; the first that fails ends the check, so a silent
    // switch costs one time-out.
    for (nPort = nFirst; nPort <= nLast; ++nPort) {
        if (!ReadLbdPortState(nPort))
            return LbdCheck::Unread;
        if (m_strLbdPortState == "1")
            return LbdCheck::Conflict;
    }
    nPort = 0;
    return LbdCheck::Free;
}

std::string CSTPLogic::UnreadText(int nPort)
{
    if (nPort == 0)
        return "The loopback detection state could not be read from the switch; nothing was written.";
    return "The loopback detection state of port " + std::to_string(nPort) +
           " could not be read from the switch; nothing was written.";
}

bool CSTPLogic::IsWholeNumber(const std::string& strText)
{
    const char* pszText = strText.c_str();
    char* pszEnd = nullptr;
    errno = 0;
    const long long nValue = std::strtoll(pszText, &pszEnd, 10);
    if (pszEnd == pszText || errno == ERANGE || nValue < INT32_MIN || nValue > INT32_MAX)
        return false;
    while (*pszEnd == ' ' || *pszEnd == '\t')
        ++pszEnd;
    return *pszEnd == '\0';
}

long long CSTPLogic::WholeNumber(const std::string& strText)
{
    return IsWholeNumber(strText) ? std::strtoll(strText.c_str(), nullptr, 10) : 0;
}

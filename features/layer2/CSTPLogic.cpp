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

void CSTPLogic::ReadLbdGlobalState()
{
    std::string strValue;
    if (GetValue(kLbdGlobalState, strValue))
        m_strLbdGlobalState = strValue;
}

std::string CSTPLogic::ReadLbdPortState(int nPort)
{
    std::string strValue;
    if (GetValue(kLbdPortState + "." + std::to_string(nPort), strValue))
        m_strLbdPortState = strValue;
    return m_strLbdPortState;
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

#include "common/CEditEXIPV6.h"

#include "common/CCommonSNMP.h"
#include "common/CUtils.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cctype>

namespace {

std::string WithoutColons(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ':'), text.end());
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CEditEXIPV6, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CEditEXIPV6::CEditEXIPV6() = default;

void CEditEXIPV6::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);

    int bZoneGiven = 0;
    m_nStatus = 1;
    m_strAddress = GetWindowText();

    const bool hasDot = m_strAddress.find('.') != std::string::npos;
    const bool hasColon = m_strAddress.find(':') != std::string::npos;
    if (hasDot == hasColon) {
        m_nStatus = 0;
        return;
    }

    if (hasColon) {
        std::transform(m_strAddress.begin(), m_strAddress.end(), m_strAddress.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const size_t percent = m_strAddress.find('%');
        if (percent != std::string::npos) {
            if (!m_bZoneAllowed) {
                m_nStatus = 0;
                return;
            }
            m_strZone = m_strAddress.substr(percent + 1);
            m_strAddress.erase(percent);
            bZoneGiven = 1;
        }
        m_nStatus = CUtils::CheckIPv6Address(m_strAddress, m_strZone, bZoneGiven, m_bZoneAllowed);
        if (m_nStatus == 1)
            m_strAddrType = "2";
    } else {
        m_nStatus = CUtils::CheckIPv4Address(m_strAddress);
        if (m_nStatus == 1)
            m_strAddrType = "1";
    }
}

std::vector<BYTE> CEditEXIPV6::AddressOctets() const
{
    std::vector<BYTE> octets;
    if (m_strAddrType == "2")
        CUtils::HexToByteValues(WithoutColons(CUtils::ExpandIPv6(m_strAddress)), octets, 16);
    else if (m_strAddrType == "1")
        CUtils::HexToByteValues(CUtils::AddressToHex(m_strAddress), octets, 4);
    return octets;
}

bool CEditEXIPV6::IsLinkLocal() const
{
    const std::string prefix = m_strAddress.substr(0, 3);
    return prefix == "fe8" || prefix == "fe9" || prefix == "fea" || prefix == "feb";
}

void CEditEXIPV6::AddAddressValue(CCommonSNMP* pSession, const std::string& strOid)
{
    std::vector<BYTE> octets = AddressOctets();
    if (pSession == nullptr || octets.empty())
        return;
    pSession->AddValueLen(strOid, 2, octets.data(), static_cast<int>(octets.size()));
}

void CEditEXIPV6::AddTypeValue(CCommonSNMP* pSession, const std::string& strOid)
{
    if (pSession != nullptr)
        pSession->AddValue(strOid, 1, m_strAddrType);
}

void CEditEXIPV6::AddZoneValue(CCommonSNMP* pSession, const std::string& strOid)
{
    if (pSession != nullptr && IsLinkLocal())
        pSession->AddValue(strOid, 2, m_strZone);
}

std::string CEditEXIPV6::GetOidIndex()
{
    if (m_strAddrType == "1") {
        m_nAddrLength = 4;
        return m_strAddress;
    }
    if (m_strAddrType == "2") {
        m_nAddrLength = 16;
        std::string suffix = CUtils::HexToOidSuffix(WithoutColons(CUtils::ExpandIPv6(m_strAddress)));
        if (!suffix.empty() && suffix.front() == '.')
            suffix.erase(0, 1);
        return suffix;
    }
    return std::string();
}

void CEditEXIPV6::ShowZoneError()
{
    if (m_nStatus == -2)
        AfxMessageBox("Link local address must specify interface name!ex: feXX::XXXX%InterfaceName", MB_OK);
    else if (m_nStatus == -1)
        AfxMessageBox("Interface name too long.", MB_OK);
}

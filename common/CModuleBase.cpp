#include "common/CModuleBase.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

const std::string kTrunkMemberColumn = KorvelOid("10.76.19.1.8.1.3.1.2");
const std::string kVlanNameColumn = KorvelOid("10.76.19.1.7.6.1.1");
const std::string kVlanRowStatusColumn = KorvelOid("10.76.19.1.7.6.1.5");
const std::string kIfPhysAddress1 = "1.3.6.1.2.1.2.2.1.6.1";
constexpr int kVlanWalkTimeout = 6000;

// The row index of a response binding, without its leading dot.
std::string RowIndex(CCommonSNMP& session, int nIndex, CSnmp* pResponse)
{
    std::string strSuffix;
    if (session.GetIndexSuffix(nIndex, pResponse, strSuffix) != 0)
        return std::string();
    return strSuffix.empty() || strSuffix[0] != '.' ? strSuffix : strSuffix.substr(1);
}

} // namespace

std::string CModuleBase::ValueText(CSnmp* pResponse, int nIndex)
{
    int nType = 0;
    void* pData = nullptr;
    int nLength = 0;
    if (pResponse == nullptr || pResponse->getValueBytes(nIndex, &nType, &pData, &nLength) != 0)
        return std::string();
    std::string strValue;
    if (pData != nullptr && nLength > 0)
        strValue.assign(static_cast<const char*>(pData), static_cast<size_t>(nLength));
    std::free(pData);
    return strValue;
}

bool CModuleBase::HasValue(CSnmp* pResponse, int nIndex)
{
    int nType = 0;
    char* pszValue = nullptr;
    if (pResponse == nullptr || pResponse->getValue(nIndex, &nType, &pszValue) != 0)
        return false;
    return nType != SnmpNoValue && nType != 0x80 && nType != 0x81 && nType != 0x82;
}

std::string CModuleBase::IntegerText(CSnmp* pResponse, int nIndex)
{
    int nType = 0;
    char* pszValue = nullptr;
    if (pResponse == nullptr || pResponse->getValue(nIndex, &nType, &pszValue) != 0 || pszValue == nullptr)
        return std::string();
    const bool bWhole = nType == 0x02 || nType == 0x41 || nType == 0x42 || nType == 0x43;
    return bWhole ? std::string(pszValue) : std::string();
}

std::string CModuleBase::EnumText(CSnmp* pResponse, int nIndex, std::initializer_list<long long> values)
{
    int nType = 0;
    char* pszValue = nullptr;
    if (pResponse == nullptr || pResponse->getValue(nIndex, &nType, &pszValue) != 0 || pszValue == nullptr ||
        nType != 0x02)
        return std::string();
    const std::string strValue(pszValue);
    for (long long nValue : values) {
        if (strValue == std::to_string(nValue))
            return strValue;
    }
    return std::string();
}

std::string CModuleBase::RangeText(CSnmp* pResponse, int nIndex, long long nLow, long long nHigh)
{
    const std::string strValue = IntegerText(pResponse, nIndex);
    if (strValue.empty())
        return strValue;
    errno = 0;
    char* pEnd = nullptr;
    const long long nValue = std::strtoll(strValue.c_str(), &pEnd, 10);
    if (errno != 0 || pEnd == strValue.c_str() || *pEnd != '\0' || nValue < nLow || nValue > nHigh)
        return std::string();
    return strValue;
}

bool CModuleBase::OctetValue(CSnmp* pResponse, int nIndex, std::string& strValue)
{
    strValue.clear();
    int nType = 0;
    void* pData = nullptr;
    int nLength = 0;
    if (pResponse == nullptr || pResponse->getValueBytes(nIndex, &nType, &pData, &nLength) != 0)
        return false;
    if (nType == 0x04 && pData != nullptr && nLength > 0)
        strValue.assign(static_cast<const char*>(pData), static_cast<size_t>(nLength));
    std::free(pData);
    return nType == 0x04;
}

CModuleBase::CModuleBase()
    : m_TrunkPorts(static_cast<size_t>(std::max(g_nPortCount, 0)), 0), m_TrunkBuilding(m_TrunkPorts.size(), 0)
{
}

CModuleBase::~CModuleBase()
{
    // A walk that still ends while the sessions below stop tells no one: the
    // owner is done with this object.
    m_hOwnerWnd = nullptr;
}

int CModuleBase::ProcessString(const std::string& /*strText*/, int /*nArg1*/, int /*nArg2*/, int /*nArg3*/,
                               int /*nArg4*/)
{
    return 0;
}

BOOL CModuleBase::SetHwnd(HWND hWnd)
{
    if (hWnd == nullptr)
        return FALSE;
    m_hOwnerWnd = hWnd;
    return TRUE;
}

BOOL CModuleBase::GetValue(const std::string& strOid, std::string& strValue)
{
    m_cSnmpGetSet.Open(0);
    m_cSnmpGetSet.AddValue(strOid, 4);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpGetSet.send(pResponse, 0) != 0 || !pResponse)
        return FALSE;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0)
        return FALSE;
    strValue = ValueText(pResponse.get(), 0);
    return TRUE;
}

BOOL CModuleBase::SetValues(const SNMP_VARBIND* pItems, int nCount)
{
    m_cSnmpGetSet.Open(3);
    for (int i = 0; i < nCount; ++i)
        m_cSnmpGetSet.AddValueLen(pItems[i].oid, pItems[i].type, pItems[i].value, pItems[i].length);
    return m_cSnmpGetSet.SendAccepted(std::atoi(g_strTimeout.c_str())) ? TRUE : FALSE;
}

BOOL CModuleBase::SetRowStatus(const std::string& strOid, const std::string& strValue)
{
    if (strValue != "1" && strValue != "5" && strValue != "4" && strValue != "6") {
        AfxMessageBox("error status value!");
        return FALSE;
    }
    m_cSnmpRowStatus.Open(3);
    m_cSnmpRowStatus.AddValue(strOid, 1, strValue);
    // A row the agent refused was not written.
    return m_cSnmpRowStatus.SendAccepted() ? TRUE : FALSE;
}

int CModuleBase::StartTrunkWalk()
{
    m_cSnmpTrunkWalk.Open(1);
    {
        std::lock_guard lock(m_csWalkData);
        m_TrunkBuilding.assign(m_TrunkPorts.size(), 0);
    }
    m_cSnmpTrunkWalk.AddValue(kTrunkMemberColumn, 4);
    if (m_cSnmpTrunkWalk.StartAsync(&CModuleBase::OnTrunkReply, this))
        return 1;
    // No walk runs: the owner hears of it as of a walk that failed.
    SendMessage(m_hOwnerWnd, WM_TRUNK_WALK_ABORTED, 1, 0);
    return 0;
}

int CModuleBase::OnTrunkReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CModuleBase*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpTrunkWalk;

    if (!session.FindRequestID(nRequestID)) {
        if (nStatus == 0)
            session.SignalDone();
        return 0;
    }
    if (nStatus != 0) {
        if (nStatus == -2) {
            // The table is complete: its groups replace the last ones whole.
            {
                std::lock_guard lock(pThis->m_csWalkData);
                pThis->m_TrunkPorts = pThis->m_TrunkBuilding;
                pThis->m_bTrunkReady = 1;
            }
            SendMessage(pThis->m_hOwnerWnd, WM_TRUNK_WALK_ABORTED, 0, 0);
        } else {
            SendMessage(pThis->m_hOwnerWnd, WM_TRUNK_WALK_ABORTED, 1, 0);
        }
        session.SignalDone();
        return 0;
    }

    // A member bitmap is an octet string: any other type names no ports.
    std::string strBitmap;
    int nPortCount = 0;
    const std::string strPorts =
        OctetValue(pResponse.get(), 0, strBitmap) ? CUtils::PortBitmapToList(strBitmap, nPortCount) : std::string();
    if (nPortCount > 0) {
        const int nGroup = std::atoi(RowIndex(session, 0, pResponse.get()).c_str());
        std::lock_guard lock(pThis->m_csWalkData);
        CUtils::ApplyPortList(strPorts, pThis->m_TrunkBuilding, nGroup);
    }
    pResponse.reset();
    if (!session.StartAsync(&CModuleBase::OnTrunkReply, pThis)) {
        // The next step could not start: the walk ends as failed.
        SendMessage(pThis->m_hOwnerWnd, WM_TRUNK_WALK_ABORTED, 1, 0);
        session.SignalDone();
    }
    return 0;
}

BOOL CModuleBase::CheckTrunkConsistency(const std::vector<int>& values)
{
    std::vector<int> groups;
    {
        std::lock_guard lock(m_csWalkData);
        if (m_bTrunkReady != 1)
            return TRUE;
        groups = m_TrunkPorts;
    }
    if (IsDebugTraceEnabled()) {
        for (size_t i = 0; i < groups.size(); ++i)
            DebugTrace("m_TrunkPorts[%d] = %d", static_cast<int>(i), groups[i]);
    }

    auto valueOf = [&](size_t i) { return i < values.size() ? values[i] : 0; };
    for (size_t i = 0; i < groups.size(); ++i) {
        if (valueOf(i) == 0 || groups[i] == 0)
            continue;
        for (size_t j = 0; j < groups.size(); ++j) {
            if (groups[j] == groups[i] && valueOf(j) != valueOf(i))
                return FALSE;
        }
    }
    return TRUE;
}

BOOL CModuleBase::CheckTrunkRange(int nFirstPort, int nLastPort, const std::string& strText)
{
    StartTrunkWalk();
    const std::vector<int> groups = GetTrunkPorts();
    for (int port = nFirstPort; port <= nLastPort; ++port) {
        if (port >= 1 && port <= static_cast<int>(groups.size()) && groups[port - 1] != 0 && strText.empty())
            return FALSE;
    }
    return TRUE;
}

void CModuleBase::StartVlanWalk()
{
    m_cSnmpVlanWalk.Open(1);
    {
        std::lock_guard lock(m_csWalkData);
        m_VlanBuilding.clear();
    }
    m_cSnmpVlanWalk.AddValue(kVlanNameColumn, 4);
    m_cSnmpVlanWalk.AddValue(kVlanRowStatusColumn, 4);
    if (!m_cSnmpVlanWalk.StartAsync(&CModuleBase::OnVlanReply, this, kVlanWalkTimeout))
        SendMessage(m_hOwnerWnd, WM_VLAN_LIST_NOTIFY, 1, 0);
}

int CModuleBase::OnVlanReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CModuleBase*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpVlanWalk;

    if (!session.FindRequestID(nRequestID)) {
        if (nStatus == 0)
            session.SignalDone();
        return 0;
    }
    if (nStatus != 0) {
        if (nStatus == -2) {
            // The table is complete: its rows replace the last ones whole.
            {
                std::lock_guard lock(pThis->m_csWalkData);
                pThis->m_arrVlanIds.clear();
                pThis->m_arrVlanNames.clear();
                pThis->m_arrVlanRowStates.clear();
                for (const VLAN_list_info& built : pThis->m_VlanBuilding) {
                    pThis->m_arrVlanIds.push_back(built.strVlanId);
                    pThis->m_arrVlanNames.push_back(built.strVlanName);
                    pThis->m_arrVlanRowStates.push_back(built.strRowStatus);
                }
            }
            SendMessage(pThis->m_hOwnerWnd, WM_VLAN_LIST_NOTIFY, 2, 0);
        } else {
            SendMessage(pThis->m_hOwnerWnd, WM_VLAN_LIST_NOTIFY, 1, 0);
        }
        session.SignalDone();
        return 0;
    }

    VLAN_list_info row;
    row.strVlanName = ValueText(pResponse.get(), 0);
    row.strVlanId = RowIndex(session, 0, pResponse.get());
    row.strRowStatus = ValueText(pResponse.get(), 1);
    // No VLAN has an id outside 1..4094: such a row of a broken switch is skipped.
    if (CUtils::IsVlanId(row.strVlanId)) {
        {
            std::lock_guard lock(pThis->m_csWalkData);
            pThis->m_VlanBuilding.push_back(row);
        }
        SendMessage(pThis->m_hOwnerWnd, WM_VLAN_LIST_NOTIFY, 0, reinterpret_cast<LPARAM>(&row));
    }
    pResponse.reset();
    if (!session.StartAsync(&CModuleBase::OnVlanReply, pThis, kVlanWalkTimeout)) {
        SendMessage(pThis->m_hOwnerWnd, WM_VLAN_LIST_NOTIFY, 1, 0);
        session.SignalDone();
    }
    return 0;
}

std::string CModuleBase::GetVlanName(const std::string& strVlanId)
{
    StartVlanWalk();
    Sleep(50);
    std::lock_guard lock(m_csWalkData);
    for (size_t i = 0; i < m_arrVlanIds.size() && i < m_arrVlanNames.size(); ++i) {
        if (m_arrVlanIds[i] == strVlanId)
            return m_arrVlanNames[i];
    }
    return std::string();
}

void CModuleBase::GetDeviceMac(std::string& strMac)
{
    strMac.clear();
    std::string strValue;
    if (!GetValue(kIfPhysAddress1, strValue) || strValue.size() < 6)
        return;
    auto b = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(strValue[i])); };
    char szMac[18];
    std::snprintf(szMac, sizeof szMac, "%02X-%02X-%02X-%02X-%02X-%02X", b(0), b(1), b(2), b(3), b(4),
                  (b(5) + 0xFFu) & 0xFFu);
    strMac = szMac;
}

int CModuleBase::SetPortList(const std::string& strPortList, const std::vector<int>* pFlags, const std::string& strOid)
{
    if (strPortList.empty() && pFlags == nullptr) {
        AfxMessageBox("Please input port value.");
        return 0;
    }
    std::vector<int> flags(static_cast<size_t>(std::max(g_nPortCount, 0)), 0);
    if (!strPortList.empty()) {
        // The user has just been told that the list is invalid: write nothing.
        if (!CUtils::ParsePortList(strPortList, flags))
            return 0;
    } else {
        for (size_t i = 0; i < flags.size() && i < pFlags->size(); ++i)
            flags[i] = (*pFlags)[i];
    }

    const std::vector<BYTE> bytes = CUtils::PortFlagsToBitmap(flags);

    if (!strOid.empty()) {
        CCommonSNMP session;
        session.Open(3);
        session.AddValueLen(strOid, 2, bytes.data(), static_cast<int>(bytes.size()));
        std::unique_ptr<CSnmp> pResponse;
        session.send(pResponse, 0);
    }
    return 0;
}

std::vector<std::string> CModuleBase::GetVlanIds() const
{
    std::lock_guard lock(m_csWalkData);
    return m_arrVlanIds;
}

std::vector<int> CModuleBase::GetTrunkPorts() const
{
    std::lock_guard lock(m_csWalkData);
    return m_TrunkPorts;
}

int CModuleBase::IsTrunkReady() const
{
    std::lock_guard lock(m_csWalkData);
    return m_bTrunkReady;
}

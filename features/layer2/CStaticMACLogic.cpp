#include "features/layer2/CStaticMACLogic.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const std::string kStaticTable = KorvelOid("10.76.19.1.9.3.1");
const std::string kRowStatusColumn = kStaticTable + ".4";
const std::string kLearningState = KorvelOid("10.76.19.1.9.1.0");
const std::string kUplinkPorts = KorvelOid("10.76.19.1.9.2.0");
const std::string kAsymmetricVlan = KorvelOid("10.76.19.1.7.5.0");

constexpr int kMaxUplinkOctets = 8;

// The entry a row's index names: VID, six octets and port. False for an
// index no real entry can have (a VID outside 1..4094, an octet above 255,
// a port the switch does not have).
bool EntryOfIndex(const std::string& strSuffix, STATIC_MAC_info& entry)
{
    std::vector<long> arcs;
    const char* p = strSuffix.c_str();
    while (*p == '.') {
        char* pEnd = nullptr;
        const long nArc = std::strtol(p + 1, &pEnd, 10);
        if (pEnd == p + 1)
            return false;
        arcs.push_back(nArc);
        p = pEnd;
    }
    if (*p != '\0' || arcs.size() != 8)
        return false;
    const int nVid = CUtils::RowVlanId(std::to_string(arcs[0]));
    const int nPort = CUtils::RowPort(std::to_string(arcs[7]));
    if (nVid == 0 || nPort == 0)
        return false;
    char szMac[18];
    for (size_t i = 1; i <= 6; ++i) {
        if (arcs[i] < 0 || arcs[i] > 255)
            return false;
    }
    std::snprintf(szMac, sizeof szMac, "%02X-%02X-%02X-%02X-%02X-%02X", static_cast<unsigned>(arcs[1]),
                  static_cast<unsigned>(arcs[2]), static_cast<unsigned>(arcs[3]), static_cast<unsigned>(arcs[4]),
                  static_cast<unsigned>(arcs[5]), static_cast<unsigned>(arcs[6]));
    entry.strVid = std::to_string(nVid);
    entry.strMac = szMac;
    entry.strPort = std::to_string(nPort);
    return true;
}

} // namespace

CStaticMACLogic::CStaticMACLogic() = default;

CStaticMACLogic::~CStaticMACLogic()
{
    // No call-back of ours may run once the members go.
    CloseSessions();
}

void CStaticMACLogic::CloseSessions()
{
    m_cSnmpWalk.Close();
    m_cSnmpSet.Close();
}

void CStaticMACLogic::StartWalk()
{
    // Opening stops a walk that still runs, so none of its rows lands here.
    m_cSnmpWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_EntriesBuilding.clear();
    }
    for (const char* pszColumn : {".4", ".1", ".2", ".3"})
        m_cSnmpWalk.AddValue(kStaticTable + pszColumn, SnmpValueNull);
    m_cSnmpWalk.StartRequest(&CStaticMACLogic::OnStaticMacReply, this, 0, 0);
}

int CStaticMACLogic::OnStaticMacReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CStaticMACLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    const HWND hWnd = pThis->m_hNotifyWnd;
    if (nStatus != 0 || !pResponse) {
        if (nStatus == SnmpStatusEndOfWalk) {
            std::vector<STATIC_MAC_info> entries;
            {
                std::lock_guard lock(pThis->m_csWalkData);
                entries = pThis->m_EntriesBuilding;
            }
            for (STATIC_MAC_info& entry : entries)
                ::SendMessage(hWnd, WM_STATIC_MAC_NOTIFY, kNotifyEntry, reinterpret_cast<LPARAM>(&entry));
        }
        ::SendMessage(hWnd, WM_STATIC_MAC_NOTIFY, kNotifyFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
        session.SignalDone();
        return 0;
    }
    // Active rows only; the entry is what the row's index names.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    STATIC_MAC_info entry;
    if (CModuleBase::IntegerText(pResponse.get(), 0) == "1" && EntryOfIndex(strSuffix, entry)) {
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_EntriesBuilding.push_back(entry);
    }
    session.StartRequest(&CStaticMACLogic::OnStaticMacReply, pThis, 0, 0);
    return 0;
}

BOOL CStaticMACLogic::SetEntry(const STATIC_MAC_info& entry, int nAction)
{
    if (nAction != kActionCreate && nAction != kActionDestroy)
        return TRUE;
    const std::string strOid =
        kRowStatusColumn + "." + entry.strVid + CUtils::HexToOidSuffix(entry.strMac) + "." + entry.strPort;
    return m_moduleBase.SetRowStatus(strOid, nAction == kActionCreate ? "4" : "6");
}

BOOL CStaticMACLogic::SetLearning(const std::string& strState, const std::string& strUplinkPorts)
{
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kLearningState, SnmpValueInteger, strState);
    std::unique_ptr<CSnmp> pResponse;
    m_cSnmpSet.send(pResponse, 0);
    if (strState == "1")
        m_moduleBase.SetPortList(strUplinkPorts, nullptr, kUplinkPorts);
    return TRUE;
}

void CStaticMACLogic::ReadLearning()
{
    if (!m_moduleBase.GetValue(kLearningState, m_strLearningState))
        m_strLearningState.clear();
    std::string strBitmap;
    if (m_moduleBase.GetValue(kUplinkPorts, strBitmap)) {
        std::string strRanges;
        CUtils::BitmapToRangeText(strBitmap, std::min(static_cast<int>(strBitmap.size()), kMaxUplinkOctets), 1,
                                  g_nPortCount, strRanges);
        m_strUplinkPorts = strRanges;
    }
}

void CStaticMACLogic::GetAsymmetricVlanState(std::string& strState)
{
    if (!m_moduleBase.GetValue(kAsymmetricVlan, strState))
        strState.clear();
}

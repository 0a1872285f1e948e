#include "features/layer2/CStaticMACLogic.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "features/layer2/Layer2Writes.h"
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

bool CStaticMACLogic::StartWalk()
{
    // Opening stops a walk that still runs, so none of its rows lands here.
    bool bPrepared = m_cSnmpWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_EntriesBuilding.clear();
    }
    for (const char* pszColumn : {".4", ".1", ".2", ".3"})
        bPrepared = bPrepared && m_cSnmpWalk.AddValue(kStaticTable + pszColumn, SnmpValueNull) == 0;
    return bPrepared && m_cSnmpWalk.StartAsync(&CStaticMACLogic::OnStaticMacReply, this);
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
        } else {
            ::SendMessage(hWnd, WM_STATIC_MAC_NOTIFY, kNotifyFailed, 0);
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

BOOL CStaticMACLogic::SetEntry(const STATIC_MAC_info& entry, int nAction, CWriteReport& report)
{
    if (nAction != kActionCreate && nAction != kActionDestroy)
        return TRUE;
    const std::string strOid =
        kRowStatusColumn + "." + entry.strVid + CUtils::HexToOidSuffix(entry.strMac) + "." + entry.strPort;
    const std::string strWhat = std::string(nAction == kActionCreate ? "the new" : "the deletion of the") +
                                " static MAC entry " + entry.strMac + " (VID " + entry.strVid + ", port " +
                                entry.strPort + ")";
    return layer2::SendIntegers(report, m_cSnmpSet, {{strOid, nAction == kActionCreate ? "4" : "6"}}, strWhat) ? TRUE
                                                                                                               : FALSE;
}

BOOL CStaticMACLogic::SetLearning(const std::string& strState, const std::string& strUplinkPorts, CWriteReport& report)
{
    layer2::WriteSequence sequence(report);
    if (!sequence.Integers(m_cSnmpSet, {{kLearningState, strState}}, "the MAC address learning state"))
        return FALSE;
    if (strState != "1")
        return TRUE;
    std::vector<int> flags(static_cast<size_t>(std::max(g_nPortCount, 0)), 0);
    CUtils::ParsePortList(strUplinkPorts, flags);
    const std::vector<BYTE> octets = CUtils::PortFlagsToBitmap(flags);
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValueLen(kUplinkPorts, SnmpValueOctetString, octets.data(), static_cast<int>(octets.size()));
    return sequence.Send(m_cSnmpSet, "the uplink ports") ? TRUE : FALSE;
}

CStaticMACLogic::ReadResult CStaticMACLogic::ReadLearning()
{
    m_bLearningRead = false;
    std::unique_ptr<CSnmp> pResponse;
    const ReadResult stateResult = layer2::GetScalar(m_cSnmpSet, kLearningState, pResponse);
    m_strLearningState = pResponse ? CModuleBase::EnumText(pResponse.get(), 0, {1, 2}) : std::string();
    if (stateResult == ReadResult::Silent)
        return stateResult;
    const ReadResult uplinkResult = layer2::GetScalar(m_cSnmpSet, kUplinkPorts, pResponse);
    std::string strBitmap;
    bool bUplinksKnown = false;
    if (pResponse) {
        // An INTEGER or a name where the bitmap belongs names no ports.
        bUplinksKnown = CModuleBase::OctetValue(pResponse.get(), 0, strBitmap);
        std::string strRanges;
        if (bUplinksKnown)
            CUtils::BitmapToRangeText(strBitmap, std::min(static_cast<int>(strBitmap.size()), kMaxUplinkOctets), 1,
                                      g_nPortCount, strRanges);
        m_strUplinkPorts = strRanges;
    }
    m_bLearningRead = !m_strLearningState.empty() && bUplinksKnown;
    return stateResult != ReadResult::Answered ? stateResult : uplinkResult;
}

CStaticMACLogic::ReadResult CStaticMACLogic::GetAsymmetricVlanState(std::string& strState)
{
    std::unique_ptr<CSnmp> pResponse;
    const ReadResult result = layer2::GetScalar(m_cSnmpSet, kAsymmetricVlan, pResponse);
    strState = pResponse ? CModuleBase::IntegerText(pResponse.get(), 0) : std::string();
    return result;
}

#include "legacy/CDHCPBootpLogic.h"

#include "common/CUtils.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <memory>

namespace {

const std::string kRelayRoot = KorvelOid("10.76.19.1.28");
const std::string kRelayState = kRelayRoot + ".1.1.0";
const std::string kRelayHops = kRelayRoot + ".1.2.0";
const std::string kRelayThreshold = kRelayRoot + ".1.3.0";
const std::string kOption82State = kRelayRoot + ".2.2.1.0";
const std::string kOption82Check = kRelayRoot + ".2.2.2.0";
const std::string kOption82Policy = kRelayRoot + ".2.2.3.0";
const std::string kRemoteIdType = kRelayRoot + ".2.2.4.0";
const std::string kRemoteId = kRelayRoot + ".2.2.5.0";
const std::string kServerAddress = kRelayRoot + ".2.1.1.2";
const std::string kServerStatus = kRelayRoot + ".2.1.1.3";
const std::string kSystemIndex = ".6.83.121.115.116.101.109.";
const std::string kLocalRelayGlobal = KorvelOid("10.76.19.1.29.1.0");
const std::string kLocalRelayVid = KorvelOid("10.76.19.1.29.2.1.1");
const std::string kLocalRelayState = KorvelOid("10.76.19.1.29.2.1.2");
const std::string kVlanName = KorvelOid("10.76.19.1.7.6.1.1");
const std::string kVlanStatus = KorvelOid("10.76.19.1.7.6.1.5");

// A binding's row index below its column, or empty when the walk has left
// the column (or the binding holds no value).
std::string RelayRowIndex(CCommonSNMP& session, CSnmp* pResponse, int nBinding)
{
    if (!CModuleBase::HasValue(pResponse, nBinding))
        return std::string();
    std::string strSuffix;
    session.GetIndexSuffix(nBinding, pResponse, strSuffix);
    return strSuffix.size() > 1 && strSuffix[0] == '.' ? strSuffix : std::string();
}

// The dotted address of a server row index (".6.83.121.115.116.101.109.a.b.c.d");
// empty for an index of another interface or form.
std::string ServerAddressOfIndex(const std::string& strIndex)
{
    if (strIndex.rfind(kSystemIndex, 0) != 0)
        return std::string();
    const std::string strAddress = strIndex.substr(kSystemIndex.size());
    int nFields = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = strAddress.find('.', start);
        const std::string field = strAddress.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (field.empty() || field.size() > 3 || field.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(field) > 255)
            return std::string();
        ++nFields;
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return nFields == 4 ? strAddress : std::string();
}

} // namespace

CDHCPBootpLogic::CDHCPBootpLogic() = default;

CDHCPBootpLogic::~CDHCPBootpLogic()
{
    // The walks' call-backs touch the row maps: none may run once they go.
    m_cSnmpWalk.Close();
    m_cSnmpJoin.Close();
}

void CDHCPBootpLogic::Notify(WPARAM wParam, LPARAM lParam) const
{
    ::SendMessage(m_hOwnerWnd.load(), WM_DHCP_RELAY_NOTIFY, wParam, lParam);
}

std::string CDHCPBootpLogic::ServerRowStatusOid(const std::string& strAddress)
{
    return kServerStatus + kSystemIndex + strAddress;
}

BOOL CDHCPBootpLogic::GetGlobals()
{
    const std::string oids[] = {kRelayState,    kRelayHops,      kRelayThreshold, kOption82State,
                                kOption82Check, kOption82Policy, kRemoteIdType,   kRemoteId};
    m_cSnmpGet.Open(SnmpPduGet);
    for (const std::string& oid : oids)
        m_cSnmpGet.AddValue(oid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpGet.send(pResponse, 0) != 0 || !pResponse)
        return FALSE;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0 || pResponse->getVarBindCount() < 8)
        return FALSE;
    // A state outside its set, or a value of another type, is left empty:
    // unknown.
    CSnmp* pReply = pResponse.get();
    DHCP_relay_global_info info;
    info.strRelayState = CModuleBase::EnumText(pReply, 0, {1, 2});
    info.strHops = CModuleBase::RangeText(pReply, 1, 1, 16);
    info.strThreshold = CModuleBase::RangeText(pReply, 2, 0, 65535);
    info.strOption82State = CModuleBase::EnumText(pReply, 3, {1, 2});
    info.strOption82Check = CModuleBase::EnumText(pReply, 4, {1, 2});
    info.strOption82Policy = CModuleBase::EnumText(pReply, 5, {1, 2, 3});
    info.strRemoteIdType = CModuleBase::EnumText(pReply, 6, {1, 2});
    CModuleBase::OctetValue(pReply, 7, info.strRemoteId);
    Notify(kNotifyGlobals, reinterpret_cast<LPARAM>(&info));
    return TRUE;
}

bool CDHCPBootpLogic::SetGlobals(const DHCP_relay_global_info& info, CWriteReport& report)
{
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kRelayState, SnmpValueInteger, info.strRelayState);
    m_cSnmpSet.AddValue(kRelayHops, SnmpValueInteger, info.strHops);
    m_cSnmpSet.AddValue(kRelayThreshold, SnmpValueInteger, info.strThreshold);
    m_cSnmpSet.AddValue(kOption82Check, SnmpValueInteger, info.strOption82Check);
    m_cSnmpSet.AddValue(kOption82Policy, SnmpValueInteger, info.strOption82Policy);
    m_cSnmpSet.AddValue(kRemoteIdType, SnmpValueInteger, info.strRemoteIdType);
    m_cSnmpSet.AddValueLen(kRemoteId, SnmpValueOctetString, info.strRemoteId.data(),
                           static_cast<int>(info.strRemoteId.size()));
    return report.Send(m_cSnmpSet, "the DHCP/BOOTP relay settings");
}

bool CDHCPBootpLogic::StartInterfaceWalk()
{
    m_cSnmpWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalk);
        m_ServerBuilding.clear();
    }
    m_cSnmpWalk.AddValue(kServerAddress, SnmpValueNull);
    m_cSnmpWalk.AddValue(kServerStatus, SnmpValueNull);
    if (m_cSnmpWalk.StartAsync(&CDHCPBootpLogic::OnInterfaceReply, this, 0))
        return true;
    FinishServerWalk(false);
    return false;
}

int CDHCPBootpLogic::OnInterfaceReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CDHCPBootpLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        pThis->FinishServerWalk(nStatus == SnmpStatusEndOfWalk);
        session.SignalDone();
        return 0;
    }
    {
        std::lock_guard lock(pThis->m_csWalk);
        const std::string strAddressRow = RelayRowIndex(session, pResponse.get(), 0);
        const std::string strStatusRow = RelayRowIndex(session, pResponse.get(), 1);
        for (const std::string& strRow : {strAddressRow, strStatusRow}) {
            const std::string strAddress = ServerAddressOfIndex(strRow);
            if (strAddress.empty())
                continue;
            DHCP_relay_server_info& row = pThis->m_ServerBuilding[strRow];
            row.strInterface = "System";
            row.strServer = strAddress;
            if (strRow == strStatusRow)
                row.strRowStatus = CModuleBase::IntegerText(pResponse.get(), 1);
        }
    }
    if (!session.StartAsync(&CDHCPBootpLogic::OnInterfaceReply, pThis, 0))
        pThis->FinishServerWalk(false); // the next step cannot start: no call-back will come
    return 0;
}

void CDHCPBootpLogic::FinishServerWalk(bool bComplete)
{
    std::vector<DHCP_relay_server_info> rows;
    if (bComplete) {
        std::lock_guard lock(m_csWalk);
        for (const auto& [index, row] : m_ServerBuilding)
            rows.push_back(row);
    }
    for (DHCP_relay_server_info& row : rows)
        Notify(kNotifyServer, reinterpret_cast<LPARAM>(&row));
    Notify(kNotifyServerEnd, bComplete ? 1 : 0);
}

bool CDHCPBootpLogic::SetInterfaceServer(const std::string& strAddress, const std::string& strStatus,
                                         CWriteReport& report, const std::string& strWhat)
{
    if (report.Failed())
        return false;
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(ServerRowStatusOid(strAddress), SnmpValueInteger, strStatus);
    return report.Send(m_cSnmpSet, strWhat);
}

bool CDHCPBootpLogic::ReadLocalRelay()
{
    m_cSnmpGet.Open(SnmpPduGet);
    m_cSnmpGet.AddValue(kLocalRelayGlobal, SnmpValueNull);
    std::unique_ptr<CSnmp> pGlobal;
    if (m_cSnmpGet.send(pGlobal, 0) != 0 || !pGlobal) {
        // A switch that does not answer costs one time-out, not two.
        Notify(kNotifyLocalGlobal, 0);
        FinishLocalWalk(false);
        return false;
    }
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pGlobal->getError(&nErrorStatus, &nErrorIndex);
    const std::string strState = nErrorStatus == 0 ? CModuleBase::EnumText(pGlobal.get(), 0, {1, 2}) : std::string();
    Notify(kNotifyLocalGlobal, strState.empty() ? 0 : reinterpret_cast<LPARAM>(strState.c_str()));

    m_cSnmpWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalk);
        m_LocalBuilding.clear();
    }
    for (const std::string& column : {kLocalRelayVid, kVlanName, kLocalRelayState, kVlanStatus})
        m_cSnmpWalk.AddValue(column, SnmpValueNull);
    if (m_cSnmpWalk.StartAsync(&CDHCPBootpLogic::OnLocalRelayReply, this, 0))
        return true;
    FinishLocalWalk(false);
    return false;
}

int CDHCPBootpLogic::OnLocalRelayReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CDHCPBootpLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        pThis->FinishLocalWalk(nStatus == SnmpStatusEndOfWalk);
        session.SignalDone();
        return 0;
    }
    {
        std::lock_guard lock(pThis->m_csWalk);
        for (int nBinding = 0; nBinding < 4; ++nBinding) {
            const int nVid = CUtils::RowVlanId(RelayRowIndex(session, pResponse.get(), nBinding));
            if (nVid == 0)
                continue;
            LocalRow& row = pThis->m_LocalBuilding[nVid];
            switch (nBinding) {
            case 0:
                row.bInRelayTable = true;
                break;
            case 1:
                row.strVlanName = CModuleBase::ValueText(pResponse.get(), 1);
                row.bInVlanTable = true;
                break;
            case 2:
                row.bInRelayTable = true;
                row.strState = CModuleBase::EnumText(pResponse.get(), 2, {1, 2});
                break;
            default:
                row.strVlanStatus = CModuleBase::IntegerText(pResponse.get(), 3);
                row.bInVlanTable = true;
                break;
            }
        }
    }
    if (!session.StartAsync(&CDHCPBootpLogic::OnLocalRelayReply, pThis, 0))
        pThis->FinishLocalWalk(false); // the next step cannot start: no call-back will come
    return 0;
}

void CDHCPBootpLogic::FinishLocalWalk(bool bComplete)
{
    std::vector<DHCP_local_relay_info> rows;
    if (bComplete) {
        std::map<int, LocalRow> building;
        {
            std::lock_guard lock(m_csWalk);
            building.swap(m_LocalBuilding);
        }
        for (auto& [nVid, row] : building) {
            if (!row.bInRelayTable)
                continue;
            if (!row.bInVlanTable) {
                // Its VLAN-table entry was not among the walk's: one GET of the
                // two columns by its own id (a VLAN the table lacks has none).
                const std::string strVid = "." + std::to_string(nVid);
                m_cSnmpJoin.Open(SnmpPduGet);
                m_cSnmpJoin.AddValue(kVlanName + strVid, SnmpValueNull);
                m_cSnmpJoin.AddValue(kVlanStatus + strVid, SnmpValueNull);
                std::unique_ptr<CSnmp> pResponse;
                int nErrorStatus = 0;
                int nErrorIndex = 0;
                if (m_cSnmpJoin.send(pResponse, 0) == 0 && pResponse) {
                    pResponse->getError(&nErrorStatus, &nErrorIndex);
                    if (nErrorStatus == 0) {
                        row.strVlanName = CModuleBase::ValueText(pResponse.get(), 0);
                        row.strVlanStatus = CModuleBase::IntegerText(pResponse.get(), 1);
                    }
                }
            }
            rows.push_back({std::to_string(nVid), row.strVlanName, row.strState, row.strVlanStatus});
        }
    }
    for (DHCP_local_relay_info& row : rows)
        Notify(kNotifyLocalRow, reinterpret_cast<LPARAM>(&row));
    Notify(kNotifyLocalEnd, bComplete ? 1 : 0);
}

bool CDHCPBootpLogic::SetLocalRelayGlobal(const std::string& strState, CWriteReport& report)
{
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kLocalRelayGlobal, SnmpValueInteger, strState);
    return report.Send(m_cSnmpSet, "the DHCP local relay state");
}

bool CDHCPBootpLogic::SetLocalRelayVlan(const std::string& strVid, const std::string& strState, CWriteReport& report)
{
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kLocalRelayState + "." + strVid, SnmpValueInteger, strState);
    return report.Send(m_cSnmpSet, "the DHCP local relay state of VLAN " + strVid);
}

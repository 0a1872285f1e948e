#include "features/security/CDHCPServerLogic.h"

#include "common/CEditEXIPV6.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <memory>

namespace {

const std::string kScreenedPorts = KorvelOid("10.76.19.1.14.7.1.0");
const std::string kServerEntry = KorvelOid("10.76.19.1.14.7.3.1");
constexpr int kServerPortsMaxOctets = 8;

std::string ServerColumn(int nColumn, const std::string& strIndex)
{
    return kServerEntry + "." + std::to_string(nColumn) + "." + strIndex;
}

std::string ScreenedServerAddressText(const std::string& octets, const std::string& strType)
{
    if (strType == "1")
        return CUtils::HexToDottedDecimal(CUtils::BytesToAddressText(octets, 1));
    if (strType == "2")
        return CUtils::CompressIPv6(CUtils::BytesToAddressText(octets, 2));
    return std::string();
}

// The server index of a row suffix (".3"): 1 to 5, else 0.
int ServerIndex(const std::string& strSuffix)
{
    if (strSuffix.size() != 2 || strSuffix[0] != '.' || strSuffix[1] < '1' || strSuffix[1] > '5')
        return 0;
    return strSuffix[1] - '0';
}

} // namespace

CDHCPServerLogic::CDHCPServerLogic() = default;

CDHCPServerLogic::~CDHCPServerLogic()
{
    // No call-back of ours may run once the rows go.
    Stop();
}

int CDHCPServerLogic::GetTrustedPorts(std::string& strText)
{
    m_cSnmpServerSet.Open(SnmpPduGet);
    m_cSnmpServerSet.AddValue(kScreenedPorts, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpServerSet.send(pResponse, 0) != SnmpStatusOk || !pResponse)
        return kReadSilent;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    std::string bitmap;
    if (nErrorStatus != 0 || !CModuleBase::OctetValue(pResponse.get(), 0, bitmap))
        return kReadFailed;
    // A clear bit is a trusted port.
    for (char& octet : bitmap)
        octet = static_cast<char>(~static_cast<unsigned char>(octet));
    std::string text;
    CUtils::PortBitmapToRangeText(bitmap, std::min(static_cast<int>(bitmap.size()), kServerPortsMaxOctets), 1,
                                  g_nPortCount, text);
    strText = text;
    return kReadOk;
}

BOOL CDHCPServerLogic::SetTrustedPorts(const std::string& strList, CWriteReport& report)
{
    if (!CUtils::IsPlainNumberList(strList)) {
        AfxMessageBox("Invalid Port list");
        return FALSE;
    }
    std::vector<int> flags;
    if (!CUtils::ParsePortList(strList, flags))
        return FALSE;
    if (!CheckTrunkConsistency(flags)) {
        AfxMessageBox("The link aggregation member port can not be configured.");
        return FALSE;
    }
    // Written are the screened ports: every port not listed.
    flags.resize(static_cast<std::size_t>(std::max(g_nPortCount, 0)), 0);
    for (int& flag : flags)
        flag = flag != 0 ? 0 : 1;
    const std::vector<BYTE> octets = CUtils::PortFlagsToBitmap(flags);
    m_cSnmpServerSet.Open(SnmpPduSet);
    m_cSnmpServerSet.AddValueLen(kScreenedPorts, SnmpValueOctetString, octets.data(), static_cast<int>(octets.size()));
    return report.Send(m_cSnmpServerSet, "the trusted ports") ? TRUE : FALSE;
}

void CDHCPServerLogic::StartServerWalk()
{
    m_cSnmpServerWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_ServerBuilding.clear();
        m_bServerTableRead = false;
    }
    for (int nColumn : {1, 3, 2, 4})
        m_cSnmpServerWalk.AddValue(kServerEntry + "." + std::to_string(nColumn), SnmpValueNull);
    // A walk that cannot start ends here, as a failed one.
    if (!m_cSnmpServerWalk.StartAsync(&CDHCPServerLogic::OnServerTableReply, this, 0))
        EndServerWalkUnread();
}

void CDHCPServerLogic::EndServerWalkUnread()
{
    {
        std::lock_guard lock(m_csRows);
        m_bServerTableRead = false;
    }
    ::SendMessage(m_hOwnerWnd, WM_DHCP_SCREEN_NOTIFY, kNotifyFinished, reinterpret_cast<LPARAM>("Finished"));
}

int CDHCPServerLogic::OnServerTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CDHCPServerLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpServerWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        std::vector<DHCP_server_info> rows;
        if (nStatus == SnmpStatusEndOfWalk) {
            // The table is complete: its rows replace the last ones whole.
            std::lock_guard lock(pThis->m_csRows);
            pThis->m_ServerRows = pThis->m_ServerBuilding;
            pThis->m_bServerTableRead = true;
            rows = pThis->m_ServerRows;
        }
        for (DHCP_server_info& row : rows)
            ::SendMessage(pThis->m_hOwnerWnd, WM_DHCP_SCREEN_NOTIFY, kNotifyRow, reinterpret_cast<LPARAM>(&row));
        ::SendMessage(pThis->m_hOwnerWnd, WM_DHCP_SCREEN_NOTIFY, kNotifyFinished, reinterpret_cast<LPARAM>("Finished"));
        session.SignalDone();
        return 0;
    }
    // The row's index is the server's; a row without a usable one is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nIndex = ServerIndex(strSuffix);
    if (nIndex != 0) {
        DHCP_server_info row;
        row.strIndex = std::to_string(nIndex);
        row.strAddressType = CModuleBase::IntegerText(pResponse.get(), 1);
        row.strAddress = ScreenedServerAddressText(CModuleBase::ValueText(pResponse.get(), 2), row.strAddressType);
        row.strRowStatus = CModuleBase::IntegerText(pResponse.get(), 3);
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_ServerBuilding.push_back(row);
    }
    session.StartRequest(&CDHCPServerLogic::OnServerTableReply, pThis, 0, 0);
    return 0;
}

std::vector<DHCP_server_info> CDHCPServerLogic::GetServerRows() const
{
    std::lock_guard lock(m_csRows);
    return m_ServerRows;
}

bool CDHCPServerLogic::IsServerTableRead() const
{
    std::lock_guard lock(m_csRows);
    return m_bServerTableRead;
}

BOOL CDHCPServerLogic::SetServerRow(const std::string& strIndex, const std::string& /*strAddress*/, int nOperation,
                                    CWriteReport& report)
{
    const std::string strServer = "server " + strIndex;
    auto setRowStatus = [&](const char* pszValue, const std::string& strWhat) {
        m_cSnmpServerSet.Open(SnmpPduSet);
        m_cSnmpServerSet.AddValue(ServerColumn(4, strIndex), SnmpValueInteger, pszValue);
        return report.Send(m_cSnmpServerSet, strWhat);
    };
    if (nOperation == kDeleteRow)
        return setRowStatus("6", "the deletion of " + strServer) ? TRUE : FALSE;
    if (nOperation != kAddRow)
        return TRUE;
    if (m_pAddressEdit == nullptr || !setRowStatus("5", "the new " + strServer))
        return FALSE;
    m_cSnmpServerSet.Open(SnmpPduSet);
    m_pAddressEdit->AddTypeValue(&m_cSnmpServerSet, ServerColumn(3, strIndex));
    // The type again, with the address.
    if (report.Send(m_cSnmpServerSet, "the address type of " + strServer)) {
        m_pAddressEdit->AddAddressValue(&m_cSnmpServerSet, ServerColumn(2, strIndex));
        if (report.Send(m_cSnmpServerSet, "the address of " + strServer) &&
            setRowStatus("1", "the activation of " + strServer))
            return TRUE;
    }
    // A row left waiting is no server: it goes again, unless the switch is
    // silent (one time-out per action).
    if (!report.TimedOut()) {
        CWriteReport cleanup;
        m_cSnmpServerSet.Open(SnmpPduSet);
        m_cSnmpServerSet.AddValue(ServerColumn(4, strIndex), SnmpValueInteger, "6");
        cleanup.Send(m_cSnmpServerSet, strServer);
    }
    return FALSE;
}

void CDHCPServerLogic::Stop()
{
    m_cSnmpServerSet.Close();
    m_cSnmpServerWalk.Close();
    m_cSnmpTrunkWalk.Close();
}

#include "features/ports_vlans/CPortConfigLogic.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/snmp/SNMP_VARBIND.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// Port control table and port description table.
const std::string kPortSettingTable = KorvelOid("10.76.19.1.1.13.1");
const std::string kDescriptionTable = KorvelOid("10.76.19.1.1.16.1");

// Columns of the port table walk, in binding order.
constexpr int kPortTableColumns[] = {1, 2, 3, 4, 5, 7};

constexpr int kPortTableStepTimeoutMs = 8000;
constexpr int kPortsPerDescriptionRequest = 15;
constexpr DWORD kDescriptionPauseMs = 100;

// Codes of the port control table.
constexpr int kSpeed1000Full = 1;
constexpr int kSpeed100Half = 3;
constexpr int kSpeed10Half = 5;
constexpr int kSpeedDisabled = 7;
constexpr int kLinkDown = 1;
constexpr int kMdixAuto = 1;

std::string Column(const std::string& table, int column)
{
    return table + "." + std::to_string(column);
}

// A code of the port table; 0 (no text) for one outside its set or of another type.
int BindingCode(CSnmp& response, int index, int nLast)
{
    return std::atoi(CModuleBase::RangeText(&response, index, 1, nLast).c_str());
}

bool AskOkCancel(const std::string& text)
{
    return AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

} // namespace

CPortConfigLogic::CPortConfigLogic() : m_nPortNum(std::max(g_nPortCount, 0))
{
    InitPortTables();
}

CPortConfigLogic::~CPortConfigLogic()
{
    // Stop the walks before the records go: once Close returns, no call-back
    // of the session runs any more, and late replies are stale.
    m_cSnmpGetSet.Close();
    m_cSnmpTrunkWalk.Close();
}

void CPortConfigLogic::InitPortTables()
{
    std::lock_guard lock(m_recordsLock);
    m_pPortDesc.assign(static_cast<std::size_t>(m_nPortNum), PORT_description_info{});
    m_pPortSetting.assign(static_cast<std::size_t>(m_nPortNum), PORT_setting_info{});
}

void CPortConfigLogic::NotifyOwner(UINT message) const
{
    ::SendMessage(m_hOwnerWnd, message, 0, 0);
}

// --- Port control table ---

int CPortConfigLogic::StartPortTableWalk()
{
    m_cSnmpGetSet.Open(SnmpPduGetNext);
    m_nRowCount = 0;
    {
        std::lock_guard lock(m_recordsLock);
        m_PortSettingBuilding.assign(static_cast<std::size_t>(m_nPortNum), PORT_setting_info{});
    }
    for (int column : kPortTableColumns)
        m_cSnmpGetSet.AddValue(Column(kPortSettingTable, column), SnmpValueNull);
    if (m_cSnmpGetSet.StartAsync(OnPortTableReply, this, kPortTableStepTimeoutMs))
        return 1;
    // No walk runs: the owner hears of it as of a walk that failed.
    NotifyOwner(WM_WALK_FAILED);
    return 0;
}

int CPortConfigLogic::OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> response(pResponse);
    auto* pThis = static_cast<CPortConfigLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpGetSet;
    if (!session.FindRequestID(nRequestID))
        return 0; // a reply of a walk that was replaced or stopped
    if (nStatus != 0) {
        if (nStatus == SnmpStatusEndOfWalk) {
            // The table is complete: its rows replace the last ones whole.
            std::lock_guard lock(pThis->m_recordsLock);
            pThis->m_pPortSetting = pThis->m_PortSettingBuilding;
        }
        if (nStatus == SnmpStatusEndOfWalk || nStatus == -3)
            pThis->NotifyOwner(WM_WALK_STALE);
        else if (nStatus == SnmpStatusFailed)
            pThis->NotifyOwner(WM_WALK_FAILED);
        session.SignalDone();
        return 0;
    }
    if (!response)
        return 0;
    // Bindings in the order of the columns: port, speed, link, MDI/MDIX, flow
    // control, media. The row's index is its port: a row of a port the switch
    // does not have is dropped.
    std::string strSuffix;
    session.GetIndexSuffix(0, response.get(), strSuffix);
    const int nPort = CUtils::RowPort(strSuffix);
    const int nSpeed = BindingCode(*response, 1, 7);
    const int nLinkStatus = BindingCode(*response, 2, 6);
    const int nMdix = BindingCode(*response, 3, 3);
    const int nFlowControl = BindingCode(*response, 4, 2);
    const int nMediaType = BindingCode(*response, 5, 4);
    ++pThis->m_nRowCount;
    pThis->StorePortRow(nPort - 1, nPort, nSpeed, nMdix, nFlowControl, nLinkStatus, nMediaType);
    response.reset();
    // A next step that cannot start ends the walk as a failed one.
    if (!session.StartAsync(OnPortTableReply, pThis, kPortTableStepTimeoutMs)) {
        pThis->NotifyOwner(WM_WALK_FAILED);
        session.SignalDone();
    }
    return 0;
}

void CPortConfigLogic::StorePortRow(int nIndex, int nPort, int nSpeed, int nMdix, int nFlowControl, int nLinkStatus,
                                    int nMediaType)
{
    std::lock_guard lock(m_recordsLock);
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_PortSettingBuilding.size())
        return;
    PORT_setting_info& record = m_PortSettingBuilding[static_cast<std::size_t>(nIndex)];
    record.nPort = nPort;
    record.nReserved = 100;
    record.nSpeed = nSpeed;
    record.nMdix = nMdix;
    record.nFlowControl = nFlowControl;
    record.nLinkStatus = nLinkStatus;
    record.nMediaType = nMediaType;
}

BOOL CPortConfigLogic::SendItems(const SNMP_VARBIND* pItems, int nCount, CWriteReport* pReport,
                                 const std::string& strWhat)
{
    if (pReport == nullptr)
        return SetValues(pItems, nCount);
    m_cSnmpGetSet.Open(SnmpPduSet);
    for (int i = 0; i < nCount; ++i)
        m_cSnmpGetSet.AddValueLen(pItems[i].oid, pItems[i].type, pItems[i].value, pItems[i].length);
    return pReport->Send(m_cSnmpGetSet, strWhat, std::atoi(g_strTimeout.c_str())) ? TRUE : FALSE;
}

BOOL CPortConfigLogic::SetPortSetting(const PORT_setting_info& setting, CWriteReport* pReport)
{
    const std::string suffix = "." + std::to_string(setting.nPort);
    const std::string speed = std::to_string(setting.nSpeed);
    const std::string mdix = std::to_string(setting.nMdix);
    const std::string flowControl = std::to_string(setting.nFlowControl);
    SNMP_VARBIND items[3];
    const std::pair<int, const std::string*> values[3] = {{2, &speed}, {4, &mdix}, {5, &flowControl}};
    for (int i = 0; i < 3; ++i) {
        items[i].oid = Column(kPortSettingTable, values[i].first) + suffix;
        items[i].value = values[i].second->c_str();
        items[i].type = SnmpValueInteger;
        items[i].length = static_cast<int>(values[i].second->size());
    }
    return SendItems(items, 3, pReport, "the settings of port " + std::to_string(setting.nPort));
}

// --- Port description table ---

BOOL CPortConfigLogic::StartDescriptionWalk()
{
    m_cSnmpTrunkWalk.Open(SnmpPduGetNext);
    m_nRowCount = 0;
    {
        std::lock_guard lock(m_recordsLock);
        m_PortDescBuilding.assign(static_cast<std::size_t>(m_nPortNum), PORT_description_info{});
    }
    m_cSnmpTrunkWalk.AddValue(Column(kDescriptionTable, 1), SnmpValueNull);
    m_cSnmpTrunkWalk.AddValue(Column(kDescriptionTable, 2), SnmpValueNull);
    m_bDescriptionWalkRunning = true;
    if (m_cSnmpTrunkWalk.StartAsync(OnDescriptionReply, this))
        return TRUE;
    // No walk runs: the owner hears of it as of a walk that failed.
    m_bDescriptionWalkRunning = false;
    NotifyOwner(WM_WALK_FAILED);
    return FALSE;
}

int CPortConfigLogic::OnDescriptionReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> response(pResponse);
    auto* pThis = static_cast<CPortConfigLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpTrunkWalk;
    if (!session.FindRequestID(nRequestID)) {
        // A reply of an older walk: the list is filled from it only while no
        // newer walk is writing the records.
        if (!pThis->m_bDescriptionWalkRunning)
            pThis->NotifyOwner(WM_WALK_STALE);
        return 0;
    }
    if (nStatus != 0) {
        if (nStatus == SnmpStatusEndOfWalk) {
            // The table is complete: its rows replace the last ones whole.
            std::lock_guard lock(pThis->m_recordsLock);
            pThis->m_pPortDesc = pThis->m_PortDescBuilding;
        }
        session.SignalDone();
        pThis->m_bDescriptionWalkRunning = false;
        pThis->NotifyOwner(nStatus == SnmpStatusEndOfWalk ? WM_WALK_FINISHED : WM_WALK_FAILED);
        return 0;
    }
    if (!response)
        return 0;
    // The row's index is its port: a row of a port the switch does not have is dropped.
    std::string strSuffix;
    session.GetIndexSuffix(0, response.get(), strSuffix);
    const int nPort = CUtils::RowPort(strSuffix);
    // A description of another type than text is unknown: empty.
    std::string strDescription;
    CModuleBase::OctetValue(response.get(), 1, strDescription);
    ++pThis->m_nRowCount;
    pThis->StoreDescriptionRow(nPort, nPort, strDescription);
    response.reset();
    if (!session.StartAsync(OnDescriptionReply, pThis)) {
        session.SignalDone();
        pThis->m_bDescriptionWalkRunning = false;
        pThis->NotifyOwner(WM_WALK_FAILED);
    }
    return 0;
}

void CPortConfigLogic::StoreDescriptionRow(int nRow, int nPort, const std::string& strDescription)
{
    std::lock_guard lock(m_recordsLock);
    if (nRow < 1 || nRow > m_nPortNum)
        return;
    if (static_cast<std::size_t>(nRow) > m_PortDescBuilding.size())
        return;
    PORT_description_info& record = m_PortDescBuilding[static_cast<std::size_t>(nRow - 1)];
    record.nReserved = 100;
    record.nPort = nPort;
    record.strDescription = strDescription;
}

BOOL CPortConfigLogic::SetDescriptions(const PORT_description_range& range, CWriteReport* pReport)
{
    const int nFrom = range.nFromPort;
    const int nTo = range.nToPort;
    if (nFrom < 0 || nTo < nFrom)
        return FALSE;
    if (nTo - nFrom <= kPortsPerDescriptionRequest)
        return SetDescriptionRequest(nFrom, nTo, range.strDescription, pReport);
    // Full requests of 15 ports, each followed by a pause; the rest (at
    // least one port) in a last request. The first request refused or
    // unanswered ends the sequence.
    const int nFullRequests = (nTo - nFrom) / kPortsPerDescriptionRequest;
    int nFirst = nFrom;
    for (int k = 0; k < nFullRequests; ++k, nFirst += kPortsPerDescriptionRequest) {
        if (!SetDescriptionRequest(nFirst, nFirst + kPortsPerDescriptionRequest - 1, range.strDescription, pReport)) {
            if (pReport)
                pReport->SetProgress(CWriteReport::PortProgress("Ports", nFrom, nFirst));
            return FALSE;
        }
        Sleep(kDescriptionPauseMs);
    }
    if (!SetDescriptionRequest(nFirst, nTo, range.strDescription, pReport)) {
        if (pReport)
            pReport->SetProgress(CWriteReport::PortProgress("Ports", nFrom, nFirst));
        return FALSE;
    }
    return TRUE;
}

BOOL CPortConfigLogic::SetDescriptionRequest(int nFirstPort, int nLastPort, const std::string& strDescription,
                                             CWriteReport* pReport)
{
    std::vector<SNMP_VARBIND> items(static_cast<std::size_t>(nLastPort - nFirstPort + 1));
    for (int port = nFirstPort; port <= nLastPort; ++port) {
        SNMP_VARBIND& item = items[static_cast<std::size_t>(port - nFirstPort)];
        item.oid = Column(kDescriptionTable, 2) + "." + std::to_string(port);
        item.value = strDescription.data();
        item.type = SnmpValueOctetString;
        item.length = static_cast<int>(strDescription.size());
    }
    const std::string strPorts = nFirstPort == nLastPort
                                     ? "port " + std::to_string(nFirstPort)
                                     : "ports " + std::to_string(nFirstPort) + "-" + std::to_string(nLastPort);
    return SendItems(items.data(), static_cast<int>(items.size()), pReport, "the description of " + strPorts);
}

// --- Records ---

std::vector<PORT_setting_info> CPortConfigLogic::GetPortSettings() const
{
    std::lock_guard lock(m_recordsLock);
    return m_pPortSetting;
}

std::vector<PORT_description_info> CPortConfigLogic::GetDescriptions() const
{
    std::lock_guard lock(m_recordsLock);
    return m_pPortDesc;
}

BOOL CPortConfigLogic::IsPortInRange(int nPort) const
{
    return nPort >= 1 && nPort <= m_nPortNum;
}

BOOL CPortConfigLogic::IsRecordIndex(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nPortNum;
}

PORT_setting_info CPortConfigLogic::PortRecord(int nIndex) const
{
    std::lock_guard lock(m_recordsLock);
    return m_pPortSetting[static_cast<std::size_t>(nIndex)];
}

// --- Rules ---

int CPortConfigLogic::TrunkGroupOf(int nPort) const
{
    const std::vector<int> groups = GetTrunkPorts();
    const auto index = static_cast<std::size_t>(nPort - 1);
    return IsPortInRange(nPort) && index < groups.size() ? groups[index] : 0;
}

BOOL CPortConfigLogic::HasOtherTrunkMember(int nPort) const
{
    const int nGroup = TrunkGroupOf(nPort);
    if (nGroup == 0)
        return FALSE;
    const std::vector<int> groups = GetTrunkPorts();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (static_cast<int>(i) != nPort - 1 && groups[i] == nGroup)
            return TRUE;
    }
    return FALSE;
}

BOOL CPortConfigLogic::KeepsTrunkValue(int nIndex, int nPort, int PORT_setting_info::*pField, int nValue) const
{
    if (!IsRecordIndex(nIndex) || !IsPortInRange(nPort))
        return FALSE;
    if (!HasOtherTrunkMember(nPort))
        return TRUE;
    return nValue == PortRecord(nIndex).*pField ? TRUE : FALSE;
}

BOOL CPortConfigLogic::CheckTrunkSpeed(int nIndex, int nPort, int nSpeed) const
{
    return KeepsTrunkValue(nIndex, nPort, &PORT_setting_info::nSpeed, nSpeed);
}

BOOL CPortConfigLogic::CheckTrunkFlowControl(int nIndex, int nPort, int nFlowControl) const
{
    return KeepsTrunkValue(nIndex, nPort, &PORT_setting_info::nFlowControl, nFlowControl);
}

BOOL CPortConfigLogic::CheckTrunkMdix(int nIndex, int nPort, int nMdix) const
{
    return KeepsTrunkValue(nIndex, nPort, &PORT_setting_info::nMdix, nMdix);
}

BOOL CPortConfigLogic::CheckMdix(int nIndex, int nPort, int nMdix) const
{
    if (!IsRecordIndex(nIndex))
        return FALSE;
    const int nMedia = PortRecord(nIndex).nMediaType;
    if ((nMedia == 3 || nMedia == 4) && nMdix != kMdixAuto) {
        AfxMessageBox("Fiber Port  " + std::to_string(nPort) + " can not support MDI/MDIX mode.");
        return FALSE;
    }
    return TRUE;
}

BOOL CPortConfigLogic::CheckSpeed(int nIndex, int nPort, int nSpeed) const
{
    if (!IsRecordIndex(nIndex))
        return FALSE;
    const int nMedia = PortRecord(nIndex).nMediaType;
    if ((nMedia == 1 || nMedia == 3) && nSpeed == kSpeed1000Full) {
        AfxMessageBox("Port " + std::to_string(nPort) + " can not support 1000M speed.");
        return FALSE;
    }
    if (nMedia == 4 && nSpeed != kSpeed1000Full && nSpeed != kSpeedAuto && nSpeed != kSpeedDisabled) {
        AfxMessageBox("Fiber Port " + std::to_string(nPort) +
                      " with 1000Base-x SFP Module can not support this speed.");
        return FALSE;
    }
    if (nSpeed != kSpeedAuto && nSpeed != kSpeedDisabled &&
        !AskOkCancel("The speed is set to force mode. \n* The speed mode must be the same as the counterpart. "))
        return FALSE;
    if (TrunkGroupOf(nPort) != 0 && (nSpeed == kSpeed100Half || nSpeed == kSpeed10Half)) {
        AfxMessageBox("Trunk member port  " + std::to_string(nPort) + " can not support in half-duplex mode.");
        return FALSE;
    }
    return TRUE;
}

BOOL CPortConfigLogic::CheckNotAllDisabled(int nIndex, int nSpeed) const
{
    if (!IsRecordIndex(nIndex))
        return FALSE;
    const std::vector<PORT_setting_info> records = GetPortSettings();
    const auto nDown = std::count_if(records.begin(), records.end(),
                                     [](const PORT_setting_info& r) { return r.nLinkStatus == kLinkDown; });
    const bool bOnlyLinkUp =
        nDown == m_nPortNum - 1 && records[static_cast<std::size_t>(nIndex)].nLinkStatus != kLinkDown;
    if (nSpeed == kSpeedDisabled && bOnlyLinkUp) {
        AfxMessageBox("Sorry, you can not disable all ports.");
        return FALSE;
    }
    return TRUE;
}

BOOL CPortConfigLogic::ConfirmFlowControl(int nFlowControl) const
{
    if (nFlowControl != kFlowControlEnabled)
        return TRUE;
    return AskOkCancel("QoS works best when Flow Control is disabled. \n* When Flow Control is enabled.QoS may not "
                       "perform accurate bandwidth allocation. \n* Do you still want to enable Flow Control?. ")
               ? TRUE
               : FALSE;
}

#include "features/layer2/CLBDetectionFunLogic.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "features/layer2/CSTPLogic.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

const std::string kLbdState = KorvelOid("10.76.19.1.17.1.0");
const std::string kMode = KorvelOid("10.76.19.1.17.2.0");
const std::string kLbdInterval = KorvelOid("10.76.19.1.17.3.0");
const std::string kRecoverTime = KorvelOid("10.76.19.1.17.4.0");
const std::string kVlanList = KorvelOid("10.76.19.1.17.7.0");
const std::string kLbdPortTable = KorvelOid("10.76.19.1.17.5.1");
const std::string kVlanLoopTable = KorvelOid("10.76.19.1.17.6.1");

constexpr int kHighestVlanId = 4094;
constexpr int kPortSetTimeoutMs = 2000;
constexpr DWORD kPauseAfterSetMs = 50;

const char* const kPortStateWriteFinished = "PortStateWriteMIBFinished";
const char* const kVlanLoopFinished = "VlanLoopFinished";

// The whole decimal number the text holds, or false when it holds none.
bool ReadNumber(const std::string& strText, long long& nValue)
{
    if (!CSTPLogic::IsWholeNumber(strText))
        return false;
    nValue = CSTPLogic::WholeNumber(strText);
    return true;
}

bool IsResponseError(CSnmp* pResponse)
{
    if (pResponse == nullptr)
        return true;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    return nErrorStatus != 0;
}

} // namespace

CLBDetectionFunLogic::CLBDetectionFunLogic()
    : m_strLoopVlans(static_cast<size_t>(std::max(g_nPortCount, 0))), m_pPortInfo(DefaultPortInfo())
{
}

CLBDetectionFunLogic::~CLBDetectionFunLogic()
{
    // No call-back of ours may run once the records go.
    CloseSessions();
}

std::vector<LBD_port_info> CLBDetectionFunLogic::DefaultPortInfo()
{
    std::vector<LBD_port_info> info(static_cast<size_t>(std::max(g_nPortCount, 0)));
    for (size_t i = 0; i < info.size(); ++i)
        info[i] = {std::to_string(i + 1), "2", "Normal"};
    return info;
}

void CLBDetectionFunLogic::NotifyOwner(WPARAM wParam, LPARAM lParam) const
{
    ::SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, wParam, lParam);
}

void CLBDetectionFunLogic::CloseSessions()
{
    m_cSnmpGlobalGet.Close();
    m_cSnmpPortWalk.Close();
    m_cSnmpVlanLoopWalk.Close();
    m_cSnmpSet.Close();
    // The trunk walk is the base's.
    m_cSnmpTrunkWalk.Close();
}

LBD_global_info CLBDetectionFunLogic::GetGlobalInfo() const
{
    std::lock_guard lock(m_csWalkData);
    return m_GlobalInfo;
}

std::vector<LBD_port_info> CLBDetectionFunLogic::GetPortInfo() const
{
    std::lock_guard lock(m_csWalkData);
    return m_pPortInfo;
}

bool CLBDetectionFunLogic::PortWalkComplete() const
{
    std::lock_guard lock(m_csWalkData);
    return m_bPortWalkComplete;
}

bool CLBDetectionFunLogic::VlanLoopWalkComplete() const
{
    std::lock_guard lock(m_csWalkData);
    return m_bVlanLoopWalkComplete;
}

std::string CLBDetectionFunLogic::GetLoopVlans(int nPort) const
{
    std::lock_guard lock(m_csWalkData);
    if (nPort < 1 || nPort > static_cast<int>(m_strLoopVlans.size()))
        return {};
    return m_strLoopVlans[static_cast<size_t>(nPort - 1)];
}

// --- Reads ---

void CLBDetectionFunLogic::ReadGlobals()
{
    m_cSnmpGlobalGet.Open(SnmpPduGet);
    for (const std::string* pOid : {&kLbdState, &kLbdInterval, &kRecoverTime, &kMode, &kVlanList})
        m_cSnmpGlobalGet.AddValue(*pOid, SnmpValueNull);
    // A read that cannot start ends as a failed one.
    if (!m_cSnmpGlobalGet.StartAsync(&CLBDetectionFunLogic::OnGlobalsReply, this))
        NotifyOwner(kNotifyGlobals, 0);
}

int CLBDetectionFunLogic::OnGlobalsReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLBDetectionFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpGlobalGet;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || IsResponseError(pResponse.get())) {
        // No globals to show: the owner learns that the read has ended.
        pThis->NotifyOwner(kNotifyGlobals, 0);
        session.SignalDone();
        return 0;
    }
    // A state the switch cannot mean leaves the globals unread: Apply
    // writes nothing until a valid one is read.
    const std::string strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    if (strState.empty()) {
        pThis->NotifyOwner(kNotifyGlobals, 0);
        session.SignalDone();
        return 0;
    }
    LBD_global_info info;
    info.bEnabled = strState == "1" ? 1 : 0;
    info.strInterval = CModuleBase::IntegerText(pResponse.get(), 1);
    info.strRecoverTime = CModuleBase::IntegerText(pResponse.get(), 2);
    info.strMode = CModuleBase::EnumText(pResponse.get(), 3, {1, 2});
    info.strVlanList = CModuleBase::ValueText(pResponse.get(), 4);
    {
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_GlobalInfo = info;
    }
    pThis->NotifyOwner(kNotifyGlobals, reinterpret_cast<LPARAM>(&info));
    session.SignalDone();
    return 0;
}

void CLBDetectionFunLogic::StartPortWalk()
{
    // Opening stops a walk that still runs, so none of its rows lands here.
    m_cSnmpPortWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_PortRowsBuilding.clear();
    }
    for (int nColumn = 1; nColumn <= 3; ++nColumn)
        m_cSnmpPortWalk.AddValue(kLbdPortTable + "." + std::to_string(nColumn), SnmpValueNull);
    if (!m_cSnmpPortWalk.StartAsync(&CLBDetectionFunLogic::OnPortTableReply, this)) {
        {
            std::lock_guard lock(m_csWalkData);
            m_bPortWalkComplete = false;
        }
        NotifyOwner(kNotifyPortWalkFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
    }
}

int CLBDetectionFunLogic::OnPortTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLBDetectionFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpPortWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        {
            std::lock_guard lock(pThis->m_csWalkData);
            pThis->m_bPortWalkComplete = nStatus == SnmpStatusEndOfWalk;
        }
        if (nStatus == SnmpStatusEndOfWalk) {
            // The table is complete: publish it, then hand the rows over.
            std::vector<LBD_port_info> rows;
            {
                std::lock_guard lock(pThis->m_csWalkData);
                rows = pThis->m_PortRowsBuilding;
                std::vector<LBD_port_info> info = DefaultPortInfo();
                for (const LBD_port_info& row : rows) {
                    const size_t nIndex = static_cast<size_t>(std::stoi(row.strPort) - 1);
                    if (nIndex < info.size())
                        info[nIndex] = row;
                }
                pThis->m_pPortInfo = std::move(info);
            }
            for (LBD_port_info& row : rows)
                pThis->NotifyOwner(kNotifyPortRow, reinterpret_cast<LPARAM>(&row));
        }
        pThis->NotifyOwner(kNotifyPortWalkFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
        session.SignalDone();
        return 0;
    }
    // The row's index is its port: a port the switch does not have is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        LBD_port_info row;
        row.strPort = std::to_string(nPort);
        row.strState = CModuleBase::IntegerText(pResponse.get(), 1) == "1" ? "Enabled" : "Disabled";
        row.strLoopStatus = CModuleBase::IntegerText(pResponse.get(), 2) == "1" ? "Normal" : "Disabled";
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_PortRowsBuilding.push_back(row);
    }
    session.StartRequest(&CLBDetectionFunLogic::OnPortTableReply, pThis, 0, 0);
    return 0;
}

void CLBDetectionFunLogic::StartVlanLoopWalk()
{
    m_cSnmpVlanLoopWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_LoopVlansBuilding.assign(static_cast<size_t>(std::max(g_nPortCount, 0)), std::string());
    }
    m_cSnmpVlanLoopWalk.AddValue(kVlanLoopTable + ".1", SnmpValueNull);
    m_cSnmpVlanLoopWalk.AddValue(kVlanLoopTable + ".2", SnmpValueNull);
    if (!m_cSnmpVlanLoopWalk.StartAsync(&CLBDetectionFunLogic::OnVlanLoopReply, this)) {
        {
            std::lock_guard lock(m_csWalkData);
            m_bVlanLoopWalkComplete = false;
        }
        NotifyOwner(kNotifyVlanLoopFinished, reinterpret_cast<LPARAM>(kVlanLoopFinished));
    }
}

int CLBDetectionFunLogic::OnVlanLoopReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLBDetectionFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpVlanLoopWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        {
            std::lock_guard lock(pThis->m_csWalkData);
            pThis->m_bVlanLoopWalkComplete = nStatus == SnmpStatusEndOfWalk;
            if (nStatus == SnmpStatusEndOfWalk)
                pThis->m_strLoopVlans = pThis->m_LoopVlansBuilding;
        }
        pThis->NotifyOwner(kNotifyVlanLoopFinished, reinterpret_cast<LPARAM>(kVlanLoopFinished));
        session.SignalDone();
        return 0;
    }
    // The row's index is its VLAN id; its bitmap names ports of this switch only.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nVid = CUtils::RowVlanId(strSuffix); nVid != 0) {
        int nCount = 0;
        const std::string strPorts = CUtils::PortBitmapToList(CModuleBase::ValueText(pResponse.get(), 1), nCount);
        std::lock_guard lock(pThis->m_csWalkData);
        std::stringstream ports(strPorts);
        for (std::string strPort; std::getline(ports, strPort, ',');) {
            const int nPort = CUtils::RowPort(strPort);
            if (nPort != 0 && nPort <= static_cast<int>(pThis->m_LoopVlansBuilding.size()))
                pThis->m_LoopVlansBuilding[static_cast<size_t>(nPort - 1)] += std::to_string(nVid) + ",";
        }
    }
    session.StartRequest(&CLBDetectionFunLogic::OnVlanLoopReply, pThis, 0, 0);
    return 0;
}

// --- Writes ---

BOOL CLBDetectionFunLogic::WriteGlobals(const std::string& strState, const std::string& strMode,
                                        const std::string& strInterval, const std::string& strRecoverTime,
                                        const std::string& strVlanList, CWriteReport& report)
{
    long long nInterval = 0;
    if (!ReadNumber(strInterval, nInterval) || nInterval < 1 || nInterval > 32767) {
        AfxMessageBox("The value range is 1 - 32767.");
        return FALSE;
    }
    long long nRecover = 0;
    if (!ReadNumber(strRecoverTime, nRecover) || (nRecover != 0 && nRecover < 60) || nRecover > 1000000) {
        AfxMessageBox("The value range is 60 - 1000000 or 0.");
        return FALSE;
    }
    if (strState == "1" && !CUtils::CheckVlanList(strVlanList, kHighestVlanId))
        return FALSE;
    if (!m_cSnmpSet.Open(SnmpPduSet)) {
        report.Silent("the loopback detection settings");
        return TRUE;
    }
    m_cSnmpSet.AddValue(kLbdState, SnmpValueInteger, strState);
    if (strState == "1") {
        m_cSnmpSet.AddValue(kMode, SnmpValueInteger, strMode);
        m_cSnmpSet.AddValue(kLbdInterval, SnmpValueInteger, strInterval);
        m_cSnmpSet.AddValue(kRecoverTime, SnmpValueInteger, strRecoverTime);
        m_cSnmpSet.AddValue(kVlanList, SnmpValueOctetString, strVlanList);
    }
    if (report.Send(m_cSnmpSet, strState == "1" ? "the loopback detection settings" : "the loopback detection state"))
        Sleep(kPauseAfterSetMs);
    return TRUE;
}

void CLBDetectionFunLogic::WritePortStates(int nFromPort, int nToPort, const std::string& strState,
                                           CWriteReport& report)
{
    // The first port the switch refuses or does not answer ends the range.
    const int nFirst = std::max(nFromPort, 1);
    for (int nPort = nFirst; nPort <= std::min(nToPort, g_nPortCount); ++nPort) {
        const std::string strWhat = "the loopback detection state of port " + std::to_string(nPort);
        bool bSent = false;
        if (!m_cSnmpSet.Open(SnmpPduSet) ||
            m_cSnmpSet.AddValue(kLbdPortTable + ".2." + std::to_string(nPort), SnmpValueInteger, strState) != 0)
            report.Silent(strWhat);
        else
            bSent = report.Send(m_cSnmpSet, strWhat, kPortSetTimeoutMs);
        if (!bSent) {
            report.SetProgress(CWriteReport::PortProgress("Ports", nFirst, nPort));
            break;
        }
    }
    NotifyOwner(kNotifyPortStatesWritten, reinterpret_cast<LPARAM>(kPortStateWriteFinished));
}

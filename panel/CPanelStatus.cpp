#include "panel/CPanelStatus.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "panel/CDevModule.h"
#include "panel/CPort.h"
#include "panel/PartStates.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/UiThreadWait.h"
#include "resources/main.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

std::atomic<int> g_nPoePollSkips{0};

namespace {

// The objects the polling reads.
const std::string kReachability = KorvelOid("10.76.19.1.25.1.0");
const std::string kFanState = KorvelOid("10.76.19.1.1.15.1.0");
const std::string kPoeLedMode = KorvelOid("10.76.19.1.22.8.0");
const std::string kPoeLimit = KorvelOid("10.76.19.1.22.6.0");
const std::string kPoePortStatus = KorvelOid("10.76.19.1.22.1.1.13");
const std::string kIfType = "1.3.6.1.2.1.2.2.1.3";
const std::string kIfSpeed = "1.3.6.1.2.1.2.2.1.5";
const std::string kIfAdminStatus = "1.3.6.1.2.1.2.2.1.7";
const std::string kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";
const std::string kPortType = KorvelOid("10.76.19.1.1.13.1.7");
// Bindings below this arc are not rows of the interface walk.
const std::string kForeignRows = std::string(korvelEnterprise) + ".7777.1.";

constexpr int kReachabilityTimeout = 1000;
constexpr int kFanTimeout = 500;
constexpr int kPoeTimeout = 5000;
constexpr int kRowTimeout = 5000;
constexpr DWORD kWalkStartPause = 500;

std::string OidOf(CSnmp* pResponse, int nIndex)
{
    char* pszOid = nullptr;
    if (pResponse == nullptr || pResponse->getOid(nIndex, &pszOid) != 0 || pszOid == nullptr)
        return std::string();
    return pszOid;
}

// The PoE limit lamp is lit for a limit of 15.4 or less; a value that does
// not start with a number leaves it dark.
bool IsLowPoeLimit(const std::string& strValue)
{
    double dLimit = 0;
    const char* pBegin = strValue.data();
    const auto result = std::from_chars(pBegin, pBegin + strValue.size(), dLimit);
    return result.ec == std::errc() && dLimit <= 15.4;
}

} // namespace

CPanelStatus::CPanelStatus()
{
    m_LedState.fill(LED_NONE);
}

CPanelStatus::~CPanelStatus() = default;

void CPanelStatus::SetProfile(bool bPoeModel, int nPortCount, int nPoePortCount, int nComboPortCount,
                              int nComboPortIndex)
{
    std::lock_guard lock(m_lock);
    m_bPoeModel = bPoeModel;
    m_nPortCount = std::max(nPortCount, 0);
    m_nPoePortCount = nPoePortCount;
    m_nComboPortCount = nComboPortCount;
    m_nComboPortIndex = nComboPortIndex;
    m_pPortStates.assign(static_cast<size_t>(m_nPortCount), 0);
    m_LedState.fill(LED_NONE);
}

void CPanelStatus::Attach(CPanelStatusOwner* pOwner, CDevModule* pRoot)
{
    std::lock_guard gate(m_ownerLock);
    m_pOwner = pOwner;
    m_pRoot = pRoot;
}

void CPanelStatus::Detach()
{
    // A call-back that holds the lock may be waiting for a window call it
    // carried to this (UI) thread: serve it while waiting.
    if (ui_wait::IsUiThread())
        ui_wait::WaitServingUi([this] { return m_ownerLock.try_lock(); }, INFINITE);
    else
        m_ownerLock.lock();
    std::lock_guard gate(m_ownerLock, std::adopt_lock);
    m_pOwner = nullptr;
    m_pRoot = nullptr;
}

void CPanelStatus::RequestStop()
{
    m_bStopping = true;
    m_evStop.SetEvent();
}

bool CPanelStatus::Pause(DWORD ms)
{
    return !m_bStopping.load() && !m_evStop.Lock(ms);
}

void CPanelStatus::Close()
{
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMPFan.Close===============");
    m_cCommonSNMPFan.Close();
    OutputDebugString("==================m_cCommonSNMPPoe.Close===============");
    m_cCommonSNMPPoe.Close();
    OutputDebugString("==================m_cCommonSNMPDevStat.Close===============");
    m_cCommonSNMPDevStat.Close();
    OutputDebugString("==================m_cCommonSNMPPoeStat.Close===============");
    m_cCommonSNMPPoeStat.Close();
}

void CPanelStatus::End()
{
    RequestStop();
    Close();
    Detach();
}

int CPanelStatus::CheckDeviceReachable()
{
    m_cCommonSNMP.Open(SnmpPduGet);
    m_cCommonSNMP.AddValue(kReachability, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = m_cCommonSNMP.send(pResponse, kReachabilityTimeout);
    {
        std::lock_guard lock(m_lock);
        m_bDeviceReachable = nStatus == 0 ? 1 : 0;
    }
    if (nStatus != 0)
        ResetPoePortLeds();
    return nStatus;
}

void CPanelStatus::GetFanStatus()
{
    OutputDebugString("======GetGetFanStatus======");
    m_cCommonSNMPFan.Open(SnmpPduGet);
    m_cCommonSNMPFan.AddValue(kFanState, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMPFan.getNext(pResponse, kFanTimeout) != 0)
        return;
    const std::string strFan = CModuleBase::ValueText(pResponse.get(), 0) == "1" ? "1" : "2";
    std::lock_guard lock(m_lock);
    m_strFanStatus = strFan;
}

int CPanelStatus::Get10PPOEOrLinkStatus()
{
    OutputDebugString("------------Get10PPOEOrLinkStatus");
    if (m_bWalkPending == 1 && g_nPoePollSkips < 3) {
        ++g_nPoePollSkips;
        return -1;
    }
    g_nPoePollSkips = 0;
    m_bWalkPending = 1;

    m_cCommonSNMPPoe.Open(SnmpPduGet);
    m_cCommonSNMPPoe.AddValue(kPoeLedMode, SnmpValueNull);
    m_cCommonSNMPPoe.AddValue(kPoeLimit, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = m_cCommonSNMPPoe.send(pResponse, kPoeTimeout);
    DebugTrace("send = %d ", nStatus);
    if (nStatus != 0) {
        OutputDebugString("Get POE down");
        return -1;
    }
    // A reply without a value (the switch refused the read) is freed here too.
    const std::string strMode = CModuleBase::ValueText(pResponse.get(), 0);
    if (strMode.empty())
        return -1;
    const bool bLinkMode = strMode == "1";
    if (!bLinkMode)
        ResetPoePortLeds();
    {
        std::lock_guard lock(m_lock);
        m_bLinkLedMode = bLinkMode ? 1 : 0;
        m_bPoeLimitLamp = IsLowPoeLimit(CModuleBase::ValueText(pResponse.get(), 1)) ? 1 : 0;
    }
    pResponse.reset();

    if (!Pause(kWalkStartPause))
        return -1;
    if (bLinkMode)
        GetDeviceValues();
    else
        GetPOEPortStatus();
    return 0;
}

void CPanelStatus::GetDeviceValues()
{
    OutputDebugString("GETDEVV");
    // Opening stops a walk still running, so the lists are emptied after it.
    m_cCommonSNMPDevStat.Open(SnmpPduGetNext);
    // Opening reopens a closed session and may have waited: once the polling
    // is asked to stop (before its sessions are closed), no walk starts.
    if (IsStopping())
        return;
    {
        std::lock_guard lock(m_lock);
        m_strAdminStatusList.clear();
        m_strOperStatusList.clear();
        m_strIfIndexList.clear();
        m_strSpeedList.clear();
        m_strPortTypeList.clear();
    }
    for (const std::string* pColumn : {&kIfType, &kIfSpeed, &kIfAdminStatus, &kIfOperStatus, &kPortType})
        m_cCommonSNMPDevStat.AddValue(*pColumn, SnmpValueNull);
    m_cCommonSNMPDevStat.StartRequest(&CPanelStatus::OnDeviceValuesReply, this, 0, kRowTimeout);
}

void CPanelStatus::GetPOEPortStatus()
{
    OutputDebugString("--1----GetPOEPortStatus---------");
    m_cCommonSNMPPoeStat.Open(SnmpPduGetNext);
    if (IsStopping())
        return;
    {
        std::lock_guard lock(m_lock);
        m_strPoeStatusList.clear();
        m_strPoePortList.clear();
    }
    m_cCommonSNMPPoeStat.AddValue(kPoePortStatus, SnmpValueNull);
    m_cCommonSNMPPoeStat.StartRequest(&CPanelStatus::OnPoePortStatusReply, this, 0, kRowTimeout);
}

void CPanelStatus::ResetPoePortLeds()
{
    std::lock_guard gate(m_ownerLock);
    std::lock_guard lock(m_lock);
    const int nPorts = std::min(m_nPortCount, kMaxPorts);
    for (int i = 0; i < nPorts; ++i) {
        m_LedState[static_cast<size_t>(i)] = LED_NONE;
        CPoint point;
        if (m_pOwner != nullptr && GetLedPosition(*m_pRoot, i, point))
            m_pOwner->DrawLedBitmap(point, (i + 1) % 2 == 0 ? IDB_LED_DARK_EVEN : IDB_LED_DARK_ODD);
        SetPortPart(i, PORTDISABLED);
    }
}

void CPanelStatus::SetPortPart(int part, int status)
{
    if (m_pRoot == nullptr)
        return;
    if (auto* port = dynamic_cast<CPort*>(m_pRoot->FindChildByClass("CPort", part)))
        port->SetStatus(status);
}

void CPanelStatus::RefreshLinkStatus(std::string admin, std::string oper, std::string index, std::string speed,
                                     std::string type)
{
    std::lock_guard gate(m_ownerLock);
    {
        std::lock_guard lock(m_lock);
        m_LedState.fill(LED_NONE);
        const int nPorts = std::min(m_nPortCount, kMaxPorts);
        const int nComboLast = m_nComboPortIndex + m_nComboPortCount - 1;
        std::string strAdmin, strOper, strIndex, strSpeed, strType, strRest;
        while (!index.empty()) {
            if (!SplitAtSeparator(admin, ",", strAdmin, strRest) || !SplitAtSeparator(oper, ",", strOper, strRest) ||
                !SplitAtSeparator(index, ",", strIndex, strRest) || !SplitAtSeparator(speed, ",", strSpeed, strRest) ||
                !SplitAtSeparator(type, ",", strType, strRest))
                break;
            const int p = std::atoi(strIndex.c_str());
            const int t = std::atoi(strType.c_str());

            BYTE code = LED_NONE;
            if (strAdmin != "1" && strAdmin != "2" && strAdmin != "3")
                code = LED_NONE; // unknown: no definite state
            else if (strAdmin != "1")
                code = LED_DARK;
            else if (strOper != "1")
                code = LED_NONE;
            else if (t == 1)
                code = strSpeed == "100000000" ? LED_GREEN : LED_AMBER;
            else if (t == 2 || t == 3 || t == 4)
                code = strSpeed == "1000000000" ? LED_GREEN : LED_AMBER;

            // The port number comes from the switch: only ports of this panel.
            if (p < 1 || p > nPorts)
                continue;
            if (p == 1 && m_nComboPortCount > 0) {
                for (int j = 0; j < m_nComboPortCount; ++j)
                    SetPortPart(m_nPortCount + j, PORTENABLE);
            }
            if (m_nComboPortCount < 1 || (t != 3 && t != 4) || p < m_nComboPortIndex || p > nComboLast) {
                SetPortPart(p - 1, code);
            } else {
                // A combo port using its second medium.
                DebugTrace(" current port index = %d", m_nPortCount - m_nComboPortIndex + p);
                SetPortPart(m_nPortCount - m_nComboPortIndex + p, code);
                SetPortPart(p - 1, PORTENABLE);
            }
            m_LedState[static_cast<size_t>(p - 1)] = code;
            m_pPortStates[static_cast<size_t>(p - 1)] = t;
        }
    }
    if (m_pOwner != nullptr)
        m_pOwner->ArmBlinkTimer();
}

void CPanelStatus::RefreshPOEPortStatus(std::string ports, std::string statuses)
{
    OutputDebugString("==2.=====RefreshPOEPortStatus============");
    OutputDebugString(ports);
    OutputDebugString(statuses);
    std::lock_guard gate(m_ownerLock);
    {
        std::lock_guard lock(m_lock);
        m_LedState.fill(LED_NONE);
        const int nPorts = std::min(m_nPortCount, kMaxPorts);
        std::string strPort, strStatus, strRest;
        while (!ports.empty()) {
            if (!SplitAtSeparator(ports, ",", strPort, strRest) || !SplitAtSeparator(statuses, ",", strStatus, strRest))
                break;
            BYTE code = LED_AMBER;
            if (strStatus == "POWER ON")
                code = LED_GREEN;
            else if (strStatus == "POWER OFF" || strStatus == "Time-based OFF")
                code = LED_DARK;
            const int p = std::atoi(strPort.c_str());
            if (p < 1 || p > nPorts)
                continue;
            if (p == 1) {
                // The ports without PoE and the combo ports' second parts.
                const int nLast = m_nPoePortCount + (m_nPortCount - m_nPoePortCount + m_nComboPortCount) - 1;
                for (int part = m_nPoePortCount; part <= nLast; ++part)
                    SetPortPart(part, PORTDISABLED);
            }
            SetPortPart(p - 1, code);
            m_LedState[static_cast<size_t>(p - 1)] = code;
            m_pPortStates[static_cast<size_t>(p - 1)] = 2;
        }
    }
    if (m_pOwner != nullptr)
        m_pOwner->ArmBlinkTimer();
}

bool CPanelStatus::SplitAtSeparator(std::string& text, const std::string& separator, std::string& head,
                                    std::string& rest)
{
    const size_t at = text.find(separator);
    if (at == std::string::npos)
        return false;
    head = text.substr(0, at);
    text.erase(0, at + separator.size());
    rest = text;
    return true;
}

bool CPanelStatus::GetLedPosition(const CDevModule& root, int portPart, CPoint& point)
{
    const CVirtualDev* port = root.FindChildByClass("CPort", portPart);
    const CVirtualDev* first = port != nullptr ? port->GetChild(0) : nullptr;
    if (first == nullptr)
        return false;
    CRect rect;
    first->GetRect(&rect);
    point = CPoint(rect.left, rect.top);
    return true;
}

void CPanelStatus::EndWalk(CCommonSNMP& session, int nStatus, bool bLinkWalk)
{
    std::lock_guard gate(m_ownerLock);
    if (nStatus != 0) {
        std::lock_guard lock(m_lock);
        m_LedState.fill(LED_NONE);
    }
    bool bInvalidate = true;
    if (nStatus == 0 || nStatus == -2) {
        if (bLinkWalk)
            RefreshGatheredLinks();
        else
            RefreshGatheredPoe();
    } else if (nStatus == -1 && bLinkWalk) {
        OutputDebugString("-----------------TIMEOUT-------------------TIMEOUT");
        if (m_pOwner != nullptr)
            m_pOwner->ResetPortLeds();
    } else {
        // A PoE walk that timed out leaves the port parts as they are.
        bInvalidate = false;
    }
    if (bInvalidate && m_pOwner != nullptr)
        m_pOwner->InvalidatePanel();
    session.SignalDone();
    m_bWalkPending = 0;
}

int CPanelStatus::OnDeviceValuesReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPanelStatus*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPDevStat;
    if (!session.FindRequestID(nRequestID))
        return 0; // stale

    if (nStatus == 0) {
        // One row: binding 0 (ifType) gives the port number, then the speed,
        // the administrative and operational status and the port type.
        std::string strPort, strSpeed, strAdmin, strOper, strType;
        const int nBindings = pResponse ? pResponse->getVarBindCount() : 0;
        for (int i = 0; i < nBindings && i < 5; ++i) {
            if (OidOf(pResponse.get(), i).find(kForeignRows) != std::string::npos)
                continue;
            const std::string strValue = CModuleBase::ValueText(pResponse.get(), i);
            std::string strSuffix, strHead, strAfterDot;
            session.GetIndexSuffix(i, pResponse.get(), strSuffix);
            SplitAtSeparator(strSuffix, ".", strHead, strAfterDot);
            switch (i) {
            case 0:
                strPort = strAfterDot;
                break;
            case 1:
                strSpeed = strValue;
                break;
            case 2:
                strAdmin = strValue;
                break;
            case 3:
                strOper = strValue;
                break;
            default:
                strType = strValue;
                break;
            }
        }
        if (std::atoi(strPort.c_str()) < pThis->m_nPortCount + 1) {
            {
                std::lock_guard lock(pThis->m_lock);
                pThis->m_strAdminStatusList += strAdmin + ",";
                pThis->m_strOperStatusList += strOper + ",";
                pThis->m_strIfIndexList += strPort + ",";
                pThis->m_strSpeedList += strSpeed + ",";
                pThis->m_strPortTypeList += strType + ",";
            }
            session.StartRequest(&CPanelStatus::OnDeviceValuesReply, pThis, 0, kRowTimeout);
            return 0;
        }
        // A row past the last port: the walk is over.
    }
    pThis->EndWalk(session, nStatus, true);
    return 0;
}

int CPanelStatus::OnPoePortStatusReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPanelStatus*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPPoeStat;
    if (!session.FindRequestID(nRequestID))
        return 0; // stale

    if (nStatus == 0) {
        bool bNextRow = false;
        const int nBindings = pResponse ? pResponse->getVarBindCount() : 0;
        for (int i = 0; i < nBindings; ++i) {
            // The index is unit.port: ".1.5" is port 5. Rows of unit 1 up to
            // the last port are taken; a row of another unit, of port 0 or
            // past the port count is skipped, and once the walk has passed
            // unit 1's ports it is over.
            std::string strSuffix;
            session.GetIndexSuffix(i, pResponse.get(), strSuffix);
            std::string strIndex = strSuffix.empty() ? strSuffix : strSuffix.substr(1);
            std::string strUnit, strPort;
            SplitAtSeparator(strIndex, ".", strUnit, strPort);
            const std::string strValue = CModuleBase::ValueText(pResponse.get(), i);
            OutputDebugString("----------POE--------");
            OutputDebugString(strValue);
            const int nUnit = std::atoi(strUnit.c_str());
            bNextRow = nUnit < 1 || (nUnit == 1 && std::atoi(strPort.c_str()) < pThis->m_nPortCount + 1);
            if (nUnit == 1 && CUtils::RowUnitPort(strSuffix) != 0 && CModuleBase::HasValue(pResponse.get(), i)) {
                std::lock_guard lock(pThis->m_lock);
                pThis->m_strPoePortList += strPort + ",";
                pThis->m_strPoeStatusList += strValue + ",";
            }
        }
        if (bNextRow) {
            session.StartRequest(&CPanelStatus::OnPoePortStatusReply, pThis, 0, kRowTimeout);
            return 0;
        }
        // A row past the last port: the walk is over.
    }
    pThis->EndWalk(session, nStatus, false);
    return 0;
}

void CPanelStatus::RefreshGatheredLinks()
{
    std::string admin, oper, index, speed, type;
    {
        std::lock_guard lock(m_lock);
        admin = m_strAdminStatusList;
        oper = m_strOperStatusList;
        index = m_strIfIndexList;
        speed = m_strSpeedList;
        type = m_strPortTypeList;
    }
    RefreshLinkStatus(admin, oper, index, speed, type);
}

void CPanelStatus::RefreshGatheredPoe()
{
    std::string ports, statuses;
    {
        std::lock_guard lock(m_lock);
        ports = m_strPoePortList;
        statuses = m_strPoeStatusList;
    }
    RefreshPOEPortStatus(ports, statuses);
}

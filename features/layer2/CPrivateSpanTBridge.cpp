#include "features/layer2/CPrivateSpanTBridge.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "features/layer2/CPrivateSpanTree.h"
#include "features/layer2/Layer2Writes.h"
#include "features/layer2/STP_bridge_info.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/stp.h"

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <utility>

namespace {

std::string StpOid(int nObject)
{
    return KorvelOid("10.76.19.1.6.1." + std::to_string(nObject) + ".0");
}

const std::string kStpState = StpOid(1);
const std::string kVersion = StpOid(2);
const std::string kPriority = StpOid(3);
const std::string kTxHoldCount = StpOid(4);
const std::string kRootBridge = StpOid(8);
const std::string kRootCost = StpOid(9);
const std::string kRootPort = StpOid(10);
const std::string kRootMaxAge = StpOid(11);
const std::string kRootForwardDelay = StpOid(14);
const std::string kMaxAge = StpOid(15);
const std::string kHelloTime = StpOid(16);
const std::string kForwardDelay = StpOid(17);

// The read, in the order of the reply's values.
const std::string* const kBridgeReadOrder[] = {&kPriority,    &kRootMaxAge,       &kRootBridge,   &kRootPort,
                                               &kMaxAge,      &kHelloTime,        &kForwardDelay, &kRootCost,
                                               &kTxHoldCount, &kRootForwardDelay, &kStpState,     &kVersion};
// A reply with fewer values shows nothing.
constexpr int kLeastBridgeValues = 11;

constexpr int kStateOnTimeoutMs = 3500;

// The version list's items and the values they stand for.
constexpr int kItemStp = 0;
constexpr int kItemRstp = 1;
const char* const kVersionValues[] = {"0", "2"};

// Hundredths of a second as whole seconds, truncated; 0 for no number.
int Seconds(const std::string& strHundredths)
{
    return static_cast<int>(CSTPLogic::WholeNumber(strHundredths) / 100);
}

} // namespace

BEGIN_MESSAGE_MAP(CPrivateSpanTBridge, CDialog)
    ON_BN_CLICKED(IDC_STP_PORT_SETTING, OnPortSetting)
    ON_BN_CLICKED(IDC_STP_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_STP_STATE, OnStateClicked)
    ON_CBN_SELCHANGE(IDC_STP_VERSION, OnVersionChange)
    ON_MESSAGE(WM_STP_BRIDGE_READ, OnBridgeRead)
END_MESSAGE_MAP()

CPrivateSpanTBridge::CPrivateSpanTBridge(CWnd* pParent) : CDialog(IDD_STP_BRIDGE, pParent) {}

CPrivateSpanTBridge::~CPrivateSpanTBridge()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMPSet0.Close();
}

BOOL CPrivateSpanTBridge::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    m_cCommonSNMPSet0.Close();
    OutputDebugString("==================m_cCommonSNMPSet0.Close===============");
    return CDialog::DestroyWindow();
}

void CPrivateSpanTBridge::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STP_TX_HOLD, m_editTxHoldCount);
    DDX_Control(pDX, IDC_STP_MAX_AGE, m_editMaxAge);
    DDX_Control(pDX, IDC_STP_FORWARD_DELAY, m_editForwardDelay);
    DDX_Control(pDX, IDC_STP_HELLO_TIME, m_editHelloTime);
    DDX_Control(pDX, IDC_STP_STATE, m_checkStpState);
    DDX_Control(pDX, IDC_STP_PRIORITY, m_comboPriority);
    DDX_Control(pDX, IDC_STP_VERSION, m_comboVersion);
    DDX_Text(pDX, IDC_STP_MAX_AGE, m_nMaxAge);
    DDX_Text(pDX, IDC_STP_FORWARD_DELAY, m_nForwardDelay);
    DDX_Text(pDX, IDC_STP_HELLO_TIME, m_nHelloTime);
}

BOOL CPrivateSpanTBridge::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    m_comboPriority.SetWindowText("0");
    m_comboVersion.SetCurSel(kItemStp);
    for (CEdit* pEdit : {&m_editTxHoldCount, &m_editMaxAge, &m_editForwardDelay, &m_editHelloTime})
        pEdit->LimitText(2);
    // Nothing to apply until the switch's settings have been read.
    m_readReport.Begin();
    ReadBridgeSettings();
    SetWindowText("STP Global Settings");
    return TRUE;
}

void CPrivateSpanTBridge::ReadBridgeSettings()
{
    // Apply waits for the read: what it shows is about to change.
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    if (!m_cCommonSNMP.Open(SnmpPduGet)) {
        OnBridgeRead(0, 0);
        return;
    }
    for (const std::string* pOid : kBridgeReadOrder)
        m_cCommonSNMP.AddValue(*pOid, SnmpValueNull);
    // A read that cannot start ends as a failed one.
    if (!m_cCommonSNMP.StartAsync(&CPrivateSpanTBridge::OnBridgeSettingsReply, this))
        OnBridgeRead(0, 0);
}

int CPrivateSpanTBridge::OnBridgeSettingsReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPrivateSpanTBridge*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    // A failed read, a refused one or a short one changes nothing on the screen.
    if (nStatus != 0 || !pResponse || nErrorStatus != 0 || pResponse->getVarBindCount() < kLeastBridgeValues ||
        CModuleBase::ValueText(pResponse.get(), 0).empty()) {
        pThis->SendMessage(WM_STP_BRIDGE_READ, 0, 0);
        session.SignalDone();
        return 0;
    }

    auto value = [&](int i) { return CModuleBase::ValueText(pResponse.get(), i); };
    STP_bridge_info info;
    info.strPriority = value(0);
    info.strRootMaxAge = std::to_string(Seconds(value(1)));
    const std::string strRootBridge = value(2);
    if (strRootBridge.size() == 8) {
        char szBridge[24];
        auto b = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(strRootBridge[i])); };
        std::snprintf(szBridge, sizeof szBridge, "%02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X", b(0), b(1), b(2), b(3),
                      b(4), b(5), b(6), b(7));
        info.strRootBridge = szBridge;
    }
    info.strRootPort = value(3);
    info.nMaxAge = Seconds(value(4));
    info.nHelloTime = Seconds(value(5));
    info.nForwardDelay = Seconds(value(6));
    info.strRootCost = value(7);
    info.strTxHoldCount = value(8);
    info.strRootForwardDelay = std::to_string(Seconds(value(9)));
    // A state outside its set is unknown: Apply writes nothing until a valid one is read.
    info.strState = CModuleBase::EnumText(pResponse.get(), 10, {1, 2});
    info.bHasVersion = pResponse->getVarBindCount() > 11;
    if (info.bHasVersion)
        info.strVersion = value(11);
    // The window fills its controls on the UI thread while this waits.
    pThis->SendMessage(WM_STP_BRIDGE_READ, 0, reinterpret_cast<LPARAM>(&info));
    session.SignalDone();
    return 1;
}

LRESULT CPrivateSpanTBridge::OnBridgeRead(WPARAM /*wParam*/, LPARAM lParam)
{
    const auto* pInfo = reinterpret_cast<const STP_bridge_info*>(lParam);
    if (pInfo == nullptr) {
        // The read failed: what an earlier one showed may still be applied.
        m_readReport.Fail("the spanning tree settings", !m_strStpState.empty());
        GetDlgItem(IDOK)->EnableWindow(m_strStpState.empty() ? FALSE : TRUE);
        return 0;
    }
    m_nPriority = static_cast<int>(CSTPLogic::WholeNumber(pInfo->strPriority));
    m_comboPriority.SetWindowText(pInfo->strPriority);
    SetDlgItemText(IDC_STP_ROOT_MAX_AGE, pInfo->strRootMaxAge);
    // An identifier that is not 8 octets long is not shown.
    SetDlgItemText(IDC_STP_ROOT_BRIDGE, pInfo->strRootBridge);
    SetDlgItemText(IDC_STP_ROOT_PORT, pInfo->strRootPort);
    m_nMaxAge = pInfo->nMaxAge;
    m_nHelloTime = pInfo->nHelloTime;
    m_nForwardDelay = pInfo->nForwardDelay;
    SetDlgItemText(IDC_STP_ROOT_COST, pInfo->strRootCost);
    m_editTxHoldCount.SetWindowText(pInfo->strTxHoldCount);
    SetDlgItemText(IDC_STP_ROOT_FORWARD_DELAY, pInfo->strRootForwardDelay);

    const BOOL bEnabled = pInfo->strState == "1" ? TRUE : FALSE;
    m_checkStpState.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
    m_strStpState = pInfo->strState.empty() ? std::string() : bEnabled ? "1" : "0";
    EnableSettings(bEnabled);
    GetDlgItem(IDC_STP_PORT_SETTING)->EnableWindow(bEnabled);

    // MSTP, a version the list does not offer, or none: no selection, so
    // Apply writes no version the switch did not report.
    if (pInfo->bHasVersion && (pInfo->strVersion == kVersionValues[kItemStp] ||
                               pInfo->strVersion == kVersionValues[kItemRstp])) {
        m_comboVersion.SetCurSel(pInfo->strVersion == kVersionValues[kItemStp] ? kItemStp : kItemRstp);
    } else {
        m_comboVersion.SetCurSel(-1);
        if (pInfo->bHasVersion && pInfo->strVersion == "3")
            m_editHelloTime.EnableWindow(FALSE);
    }

    UpdateData(FALSE);
    GetDlgItem(IDOK)->EnableWindow(m_strStpState.empty() ? FALSE : TRUE);
    return 0;
}

void CPrivateSpanTBridge::EnableSettings(BOOL bEnable)
{
    m_comboVersion.EnableWindow(bEnable);
    m_comboPriority.EnableWindow(bEnable);
    m_editTxHoldCount.EnableWindow(bEnable);
    m_editMaxAge.EnableWindow(bEnable);
    m_editForwardDelay.EnableWindow(bEnable);
    m_editHelloTime.EnableWindow(bEnable);
}

void CPrivateSpanTBridge::OnRefresh()
{
    m_readReport.Begin();
    ReadBridgeSettings();
}

void CPrivateSpanTBridge::OnStateClicked()
{
    EnableSettings(m_checkStpState.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void CPrivateSpanTBridge::OnVersionChange()
{
    m_editHelloTime.EnableWindow(TRUE);
}

void CPrivateSpanTBridge::OnPortSetting()
{
    CPrivateSpanTree table;
    table.DoModal();
}

BOOL CPrivateSpanTBridge::CheckLbdPorts()
{
    int nPort = 0;
    switch (m_cStpLogic.CheckLbdPorts(1, g_nPortCount, nPort)) {
    case CSTPLogic::LbdCheck::Free:
        return TRUE;
    case CSTPLogic::LbdCheck::Unread:
        // Whether the port runs loopback detection is not known: spanning
        // tree is not switched on over it.
        AfxMessageBox(CSTPLogic::UnreadText(nPort));
        return FALSE;
    case CSTPLogic::LbdCheck::Conflict:
        break;
    }
    AfxMessageBox("STP port can not support Spanning Tree and LBD-enabled mode at the same time.");
    return FALSE;
}

void CPrivateSpanTBridge::OnOK()
{
    // What Apply writes must have been read first.
    if (m_strStpState.empty()) {
        CReadReport::RefuseUnread("the spanning tree settings");
        return;
    }
    const std::string strTxHoldCount = m_editTxHoldCount.GetWindowText();
    const int nTxHoldCount = static_cast<int>(CSTPLogic::WholeNumber(strTxHoldCount));
    const int nMaxAge = static_cast<int>(CSTPLogic::WholeNumber(m_editMaxAge.GetWindowText()));
    const int nForwardDelay = static_cast<int>(CSTPLogic::WholeNumber(m_editForwardDelay.GetWindowText()));
    const int nHelloTime = static_cast<int>(CSTPLogic::WholeNumber(m_editHelloTime.GetWindowText()));
    const std::string strPriority = m_comboPriority.GetWindowText();

    const char* pszRefusal = nullptr;
    if (nTxHoldCount < 1 || nTxHoldCount > 10)
        pszRefusal = "Invalid Transmit Hold Count(1-10).";
    else if (nMaxAge < 6 || nMaxAge > 40)
        pszRefusal = "Invalid Age Time value, the valid Age Time range is  (6-40)s !";
    else if (nForwardDelay < 4 || nForwardDelay > 30)
        pszRefusal = "Invalid Forward Delay value, the valid Forward Delay range is (4-30)s !";
    else if (nHelloTime < 1 || nHelloTime > 10)
        pszRefusal = "Invalid Hello Time value, the valid Hello Time range is (1-10)s !";
    else if (nMaxAge < 2 * (nHelloTime + 1))
        pszRefusal = "To set the parameters Hello Time and Max Age the following relation is to be satisfied: \n"
                     "Max Age >= (2*(Hello Time + 1.0))";
    else if (2 * (nForwardDelay - 1) < nMaxAge)
        pszRefusal = "To set the parameters Forward Delay and Max Age, the following relation is to be satisfied: \n"
                     "2*(Forward Delay - 1) >= Max Age";
    if (pszRefusal != nullptr) {
        AfxMessageBox(pszRefusal);
        return;
    }

    CWriteReport report;
    layer2::WriteSequence writes(report);
    if (m_checkStpState.GetCheck() != BST_CHECKED) {
        writes.Integers(m_cCommonSNMPSet0, {{kStpState, "2"}}, "the spanning tree state");
        EndApply(report);
        return;
    }

    // A priority that is no number is not written as some other number.
    if (!CSTPLogic::IsWholeNumber(strPriority)) {
        AfxMessageBox("Invalid Bridge Priority.");
        return;
    }
    m_nPriority = static_cast<int>(CSTPLogic::WholeNumber(strPriority));

    if (m_strStpState == "0") {
        if (!CheckLbdPorts())
            return;
        if (!writes.Integers(m_cCommonSNMPSet, {{kStpState, "1"}}, "the spanning tree state", kStateOnTimeoutMs)) {
            EndApply(report);
            return;
        }
        GetDlgItem(IDC_STP_PORT_SETTING)->EnableWindow(TRUE);
        Sleep(30);
    }

    // Hello time 1 s and forward delay 30 s first, so that each timer below
    // meets the switch's relations on its own. Each write waits for the one
    // before: the first that fails ends the Apply.
    if (writes.Integers(m_cCommonSNMPSet0, {{kHelloTime, "100"}, {kForwardDelay, "3000"}},
                        "the interim Hello Time and Forward Delay"))
        Sleep(50);
    writes.Integers(m_cCommonSNMPSet, {{kTxHoldCount, std::to_string(nTxHoldCount)}}, "the Transmit Hold Count");
    writes.Integers(m_cCommonSNMPSet, {{kMaxAge, std::to_string(nMaxAge * 100)}}, "the Max Age");
    writes.Integers(m_cCommonSNMPSet, {{kForwardDelay, std::to_string(nForwardDelay * 100)}}, "the Forward Delay");
    writes.Integers(m_cCommonSNMPSet, {{kHelloTime, std::to_string(nHelloTime * 100)}}, "the Hello Time");

    const int nVersion = m_comboVersion.GetCurSel();
    if (nVersion == kItemStp || nVersion == kItemRstp)
        writes.Integers(m_cCommonSNMPSet, {{kPriority, std::to_string(m_nPriority)}, {kVersion, kVersionValues[nVersion]}},
                        "the Bridge Priority and the version");
    else
        writes.Integers(m_cCommonSNMPSet, {{kPriority, std::to_string(m_nPriority)}}, "the Bridge Priority");
    EndApply(report);
}

void CPrivateSpanTBridge::EndApply(CWriteReport& report)
{
    report.Report();
    // A silent switch is not asked again; otherwise the settings are read
    // again, so the state held is the switch's.
    if (report.TimedOut())
        return;
    Sleep(30);
    m_readReport.Begin();
    ReadBridgeSettings();
}

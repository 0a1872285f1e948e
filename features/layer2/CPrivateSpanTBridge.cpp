#include "features/layer2/CPrivateSpanTBridge.h"

#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "features/layer2/CPrivateSpanTree.h"
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

// One SET request of the bindings (integers), sent synchronously; true when
// the switch accepted it.
bool SetIntegers(CCommonSNMP& session, std::initializer_list<std::pair<std::string, std::string>> bindings,
                 int nTimeout = 0)
{
    if (!session.Open(SnmpPduSet))
        return false;
    for (const auto& [strOid, strValue] : bindings) {
        if (session.AddValue(strOid, SnmpValueInteger, strValue) != 0)
            return false;
    }
    return session.SendAccepted(nTimeout);
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
    ReadBridgeSettings();
    SetWindowText("STP Global Settings");
    return TRUE;
}

void CPrivateSpanTBridge::ReadBridgeSettings()
{
    // Apply waits for the read: what it shows is about to change.
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    if (!m_cCommonSNMP.Open(SnmpPduGet)) {
        GetDlgItem(IDOK)->EnableWindow(m_strStpState.empty() ? FALSE : TRUE);
        return;
    }
    for (const std::string* pOid : kBridgeReadOrder)
        m_cCommonSNMP.AddValue(*pOid, SnmpValueNull);
    m_cCommonSNMP.StartRequest(&CPrivateSpanTBridge::OnBridgeSettingsReply, this, 0, 0);
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
    info.strState = value(10);
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
    m_strStpState = bEnabled ? "1" : "0";
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
    GetDlgItem(IDOK)->EnableWindow(TRUE);
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
    m_cStpLogic.ReadLbdGlobalState();
    if (m_cStpLogic.m_strLbdGlobalState == "2")
        return TRUE;
    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        if (m_cStpLogic.ReadLbdPortState(nPort) == "1") {
            AfxMessageBox("STP port can not support Spanning Tree and LBD-enabled mode at the same time.");
            return FALSE;
        }
    }
    return TRUE;
}

void CPrivateSpanTBridge::OnOK()
{
    // What Apply writes must have been read first.
    if (m_strStpState.empty())
        return;

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

    if (m_checkStpState.GetCheck() != BST_CHECKED) {
        SetIntegers(m_cCommonSNMPSet0, {{kStpState, "2"}});
        Sleep(30);
        // Read again, so the state held is the switch's: switching spanning
        // tree on afterwards writes the state again.
        ReadBridgeSettings();
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
        if (SetIntegers(m_cCommonSNMPSet, {{kStpState, "1"}}, kStateOnTimeoutMs))
            GetDlgItem(IDC_STP_PORT_SETTING)->EnableWindow(TRUE);
        Sleep(30);
    }

    // Hello time 1 s and forward delay 30 s first, so that each timer below
    // meets the switch's relations on its own.
    SetIntegers(m_cCommonSNMPSet0, {{kHelloTime, "100"}, {kForwardDelay, "3000"}});
    Sleep(50);

    SetIntegers(m_cCommonSNMPSet, {{kTxHoldCount, std::to_string(nTxHoldCount)}});
    SetIntegers(m_cCommonSNMPSet, {{kMaxAge, std::to_string(nMaxAge * 100)}});
    SetIntegers(m_cCommonSNMPSet, {{kForwardDelay, std::to_string(nForwardDelay * 100)}});
    SetIntegers(m_cCommonSNMPSet, {{kHelloTime, std::to_string(nHelloTime * 100)}});

    const int nVersion = m_comboVersion.GetCurSel();
    if (nVersion == kItemStp || nVersion == kItemRstp)
        SetIntegers(m_cCommonSNMPSet, {{kPriority, std::to_string(m_nPriority)}, {kVersion, kVersionValues[nVersion]}});
    else
        SetIntegers(m_cCommonSNMPSet, {{kPriority, std::to_string(m_nPriority)}});

    Sleep(30);
    ReadBridgeSettings();
}

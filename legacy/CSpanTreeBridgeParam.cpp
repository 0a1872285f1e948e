#include "legacy/CSpanTreeBridgeParam.h"

#include "common/CWriteReport.h"
#include "common/CModuleBase.h"
#include "legacy/CLegacyText.h"
#include "legacy/CSpanTree.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

#include <memory>

namespace {

constexpr UINT WM_BRIDGE_READ = WM_APP + 1085;

const std::string kStp = "1.3.6.1.2.1.17.2.";
const std::string kPriority = kStp + "2.0";
const std::string kBridgeMaxAge = kStp + "12.0";
const std::string kBridgeHelloTime = kStp + "13.0";
const std::string kBridgeForwardDelay = kStp + "14.0";

// The read, binding by binding.
const std::string kReadOrder[] = {kPriority,         kStp + "3.0",        kStp + "4.0",
                                  kStp + "5.0",      kStp + "7.0",        kBridgeMaxAge,
                                  kBridgeHelloTime,  kBridgeForwardDelay, kStp + "9.0",
                                  kStp + "10.0",     kStp + "11.0",       KorvelOid("10.76.19.1.6.1.1.0"),
                                  KorvelOid("10.76.19.1.6.1.2.0")};
constexpr int kBridgeLeastBindings = 11;

constexpr int kEnableTimeoutMs = 3500;
constexpr int kItemRstp = 0;
constexpr int kItemStpCompatible = 1;

} // namespace

const std::string CSpanTreeBridgeParam::kRstpState = KorvelOid("10.76.19.1.6.1.1.0");
const std::string CSpanTreeBridgeParam::kStpVersion = KorvelOid("10.76.19.1.6.1.2.0");

// What one reply carries, taken on the worker thread and shown on the UI thread.
struct CSpanTreeBridgeParam::BridgeValues
{
    std::string strText[11];
    bool bHasState = false;
    std::string strState;
    bool bHasVersion = false;
    std::string strVersion;
};

BEGIN_MESSAGE_MAP(CSpanTreeBridgeParam, CDialog)
    ON_BN_CLICKED(IDC_LSTPB_PORT_SETTING, OnPortSetting)
    ON_BN_CLICKED(IDC_LSTPB_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_LSTPB_RSTP, OnRstpClicked)
    ON_MESSAGE(WM_BRIDGE_READ, OnBridgeRead)
END_MESSAGE_MAP()

CSpanTreeBridgeParam::CSpanTreeBridgeParam(CWnd* pParent) : CDialog(IDD_LEGACY_STP_BRIDGE, pParent) {}

CSpanTreeBridgeParam::~CSpanTreeBridgeParam()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMP.Close();
}

BOOL CSpanTreeBridgeParam::DestroyWindow()
{
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMPSet0.Close();
    return CDialog::DestroyWindow();
}

void CSpanTreeBridgeParam::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LSTPB_HELLO_TIME, m_editHelloTime);
    DDX_Control(pDX, IDC_LSTPB_FORWARD_DELAY, m_editForwardDelay);
    DDX_Control(pDX, IDC_LSTPB_MAX_AGE, m_editMaxAge);
    DDX_Control(pDX, IDC_LSTPB_PRIORITY_VALUE, m_editPriority);
    DDX_Control(pDX, IDC_LSTPB_FWD_DELAY_NOW, m_staticForwardDelay);
    DDX_Control(pDX, IDC_LSTPB_ROOT, m_staticRoot);
    DDX_Control(pDX, IDC_LSTPB_ROOT_PORT, m_staticRootPort);
    DDX_Control(pDX, IDC_LSTPB_HOLD_TIME, m_staticHoldTime);
    DDX_Control(pDX, IDC_LSTPB_HELLO_NOW, m_staticHelloTime);
    DDX_Control(pDX, IDC_LSTPB_TOPO_CHANGES, m_staticTopoChanges);
    DDX_Control(pDX, IDC_LSTPB_TOPO_TIME, m_staticTopoTime);
    DDX_Control(pDX, IDC_LSTPB_RSTP, m_checkRstp);
    DDX_Control(pDX, IDC_LSTPB_PRIORITY, m_comboPriority);
    DDX_Control(pDX, IDC_LSTPB_VERSION, m_comboVersion);
    if (!pDX->m_bSaveAndValidate) {
        m_editMaxAge.SetWindowText(std::to_string(m_nMaxAge));
        m_editForwardDelay.SetWindowText(std::to_string(m_nForwardDelay));
        m_editHelloTime.SetWindowText(std::to_string(m_nHelloTime));
        m_editPriority.SetWindowText(std::to_string(m_nPriority));
    }
}

BOOL CSpanTreeBridgeParam::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    m_comboPriority.SetWindowText("0");
    m_comboVersion.SetCurSel(kItemRstp);
    EnableSettings(FALSE);
    RefreshBridge();
    SetWindowText(" STP Configuration ");
    return TRUE;
}

void CSpanTreeBridgeParam::EnableSettings(BOOL bEnable)
{
    m_comboVersion.EnableWindow(bEnable);
    m_comboPriority.EnableWindow(bEnable);
    m_editHelloTime.EnableWindow(bEnable);
    m_editForwardDelay.EnableWindow(bEnable);
    m_editMaxAge.EnableWindow(bEnable);
    GetDlgItem(IDC_LSTPB_PORT_SETTING)->EnableWindow(bEnable);
}

void CSpanTreeBridgeParam::OnPortSetting()
{
    CSpanTree table;
    table.DoModal();
}

void CSpanTreeBridgeParam::OnRefresh()
{
    RefreshBridge();
}

void CSpanTreeBridgeParam::OnRstpClicked()
{
    const BOOL bChecked = m_checkRstp.GetCheck() == BST_CHECKED;
    m_comboVersion.EnableWindow(bChecked);
    m_comboPriority.EnableWindow(bChecked);
    m_editHelloTime.EnableWindow(bChecked);
    m_editForwardDelay.EnableWindow(bChecked);
    m_editMaxAge.EnableWindow(bChecked);
}

void CSpanTreeBridgeParam::RefreshBridge()
{
    // Apply waits for the read: what it shows is about to change.
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    m_cCommonSNMP.Open(SnmpPduGet);
    for (const std::string& strOid : kReadOrder)
        m_cCommonSNMP.AddValue(strOid, SnmpValueNull);
    // A read that cannot start ends as a failed one.
    if (!m_cCommonSNMP.StartAsync(&CSpanTreeBridgeParam::OnBridgeReply, this))
        OnBridgeRead(0, 0);
}

int CSpanTreeBridgeParam::OnBridgeReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSpanTreeBridgeParam*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    // A failed, refused or short reply leaves every field as it was.
    if (!CLegacyText::Accepted(nStatus, pResponse) || pResponse->getVarBindCount() < kBridgeLeastBindings ||
        !CModuleBase::HasValue(pResponse.get(), 0)) {
        pThis->SendMessage(WM_BRIDGE_READ, 0, 0);
        session.SignalDone();
        return 0;
    }
    BridgeValues values;
    for (int i = 0; i < kBridgeLeastBindings; ++i)
        values.strText[i] = CModuleBase::ValueText(pResponse.get(), i);
    values.strText[3] = CLegacyText::IdentifierText(values.strText[3]);
    const int nCount = pResponse->getVarBindCount();
    values.bHasState = nCount > 11;
    if (values.bHasState)
        values.strState = CModuleBase::IntegerText(pResponse.get(), 11);
    values.bHasVersion = nCount > 12;
    if (values.bHasVersion)
        values.strVersion = CModuleBase::IntegerText(pResponse.get(), 12);
    // The window shows them on the UI thread while this waits.
    pThis->SendMessage(WM_BRIDGE_READ, 0, reinterpret_cast<LPARAM>(&values));
    session.SignalDone();
    return 1;
}

LRESULT CSpanTreeBridgeParam::OnBridgeRead(WPARAM /*wParam*/, LPARAM lParam)
{
    if (lParam == 0) {
        // Nothing shown changed: Apply writes what the last read showed.
        GetDlgItem(IDOK)->EnableWindow(m_bRead ? TRUE : FALSE);
        return 0;
    }
    const auto& values = *reinterpret_cast<const BridgeValues*>(lParam);
    m_nPriority = CLegacyText::Number(values.strText[0]);
    m_comboPriority.SetWindowText(values.strText[0]);
    m_staticTopoTime.SetWindowText(values.strText[1]);
    m_staticTopoChanges.SetWindowText(values.strText[2]);
    m_staticRoot.SetWindowText(values.strText[3]);
    m_staticRootPort.SetWindowText(values.strText[4]);
    m_nMaxAge = CLegacyText::Number(values.strText[5]);
    m_nHelloTime = CLegacyText::Number(values.strText[6]);
    m_nForwardDelay = CLegacyText::Number(values.strText[7]);
    m_staticHelloTime.SetWindowText(values.strText[8]);
    m_staticHoldTime.SetWindowText(values.strText[9]);
    m_staticForwardDelay.SetWindowText(values.strText[10]);
    if (values.bHasState) {
        const bool bEnabled = values.strState == "1";
        m_checkRstp.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
        m_strRstpState = bEnabled ? "1" : "0";
        EnableSettings(bEnabled ? TRUE : FALSE);
    }
    if (values.bHasVersion) {
        if (values.strVersion == "0")
            m_comboVersion.SetCurSel(kItemStpCompatible);
        else if (values.strVersion == "2")
            m_comboVersion.SetCurSel(kItemRstp);
    }
    UpdateData(FALSE);
    m_bRead = true;
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    return 0;
}

void CSpanTreeBridgeParam::OnOK()
{
    // Apply; the dialog stays open.
    if (!m_bRead)
        return;
    const int nHello = CLegacyText::Number(m_editHelloTime.GetWindowText());
    const int nDelay = CLegacyText::Number(m_editForwardDelay.GetWindowText());
    const int nAge = CLegacyText::Number(m_editMaxAge.GetWindowText());
    // The numbers go out, never trailing text the switch cannot take.
    const std::string strHello = std::to_string(nHello);
    const std::string strDelay = std::to_string(nDelay);
    const std::string strAge = std::to_string(nAge);
    m_nPriority = CLegacyText::Number(m_comboPriority.GetWindowText());

    if (nAge < 600 || nAge > 4000) {
        AfxMessageBox("Invalid Age Time value, the valid Age Time range is  (600-4000) ms !");
        return;
    }
    if (nDelay < 400 || nDelay > 3000) {
        AfxMessageBox("Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !");
        return;
    }
    if (nHello < 100 || nHello > 1000) {
        AfxMessageBox("Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !");
        return;
    }
    if (nAge < 2 * nHello + 200) {
        AfxMessageBox("To set the parameters Hello Time and Max Age the following relation is to be satisfied: "
                      "\nMax Age >= (2*(Hello Time + 1.0))");
        return;
    }
    if (nAge > 2 * nDelay - 200) {
        AfxMessageBox("To set the parameters Forward Delay and Max Age, the following relation is to be "
                      "satisfied: \n2*(Forward Delay - 1) >= Max Age");
        return;
    }

    // One report for the whole Apply: the first write the switch refuses or
    // leaves unanswered ends the sequence and is said.
    CWriteReport report;
    m_cCommonSNMPSet0.Open(SnmpPduSet);
    if (m_checkRstp.GetCheck() != BST_CHECKED) {
        m_cCommonSNMPSet0.AddValue(kRstpState, SnmpValueInteger, "2");
        GetDlgItem(IDC_LSTPB_PORT_SETTING)->EnableWindow(FALSE);
        // Once the switch has taken it, RSTP is off: a later Apply with the
        // box checked switches it on again first.
        if (report.Send(m_cCommonSNMPSet0, "the spanning tree state"))
            m_strRstpState = "0";
        report.Report();
        Sleep(30);
        return;
    }

    if (m_strRstpState == "0") {
        m_cCommonSNMPSet.Open(SnmpPduSet);
        m_cCommonSNMPSet.AddValue(kRstpState, SnmpValueInteger, "1");
        GetDlgItem(IDC_LSTPB_PORT_SETTING)->EnableWindow(TRUE);
        if (report.Send(m_cCommonSNMPSet, "the spanning tree state", kEnableTimeoutMs))
            m_strRstpState = "1";
    }
    // Times the switch takes with any maximum age of the range, so the three
    // single SETs that follow never break a relation on the way.
    if (!report.Failed()) {
        m_cCommonSNMPSet0.Open(SnmpPduSet);
        m_cCommonSNMPSet0.AddValue(kBridgeHelloTime, SnmpValueInteger, "100");
        m_cCommonSNMPSet0.AddValue(kBridgeForwardDelay, SnmpValueInteger, "3000");
        report.Send(m_cCommonSNMPSet0, "the bridge hello time and forward delay");
        Sleep(50);
    }
    const std::pair<const std::string*, const char*> times[] = {
        {&strAge, "the bridge maximum age"}, {&strDelay, "the bridge forward delay"},
        {&strHello, "the bridge hello time"}};
    const std::string* const oids[] = {&kBridgeMaxAge, &kBridgeForwardDelay, &kBridgeHelloTime};
    for (std::size_t i = 0; i < 3 && !report.Failed(); ++i) {
        m_cCommonSNMPSet.Open(SnmpPduSet);
        m_cCommonSNMPSet.AddValue(*oids[i], SnmpValueInteger, *times[i].first);
        report.Send(m_cCommonSNMPSet, times[i].second);
    }
    // The hello time stays in the request: the last SET carries it again,
    // followed by the priority and the version.
    if (!report.Failed()) {
        m_cCommonSNMPSet.AddValue(kPriority, SnmpValueInteger, std::to_string(m_nPriority));
        m_cCommonSNMPSet.AddValue(kStpVersion, SnmpValueInteger, m_comboVersion.GetCurSel() == kItemRstp ? "2" : "0");
        report.Send(m_cCommonSNMPSet, "the bridge priority and version");
    }
    report.Report();
    // What the switch holds now; a switch that has just been silent is not
    // asked again at once.
    if (report.TimedOut())
        return;
    Sleep(30);
    RefreshBridge();
}

void CSpanTreeBridgeParam::OnCancel()
{
    CDialog::OnCancel();
}

#include "features/security/C8021XGlobalDlg.h"

#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/snmp/SnmpStatus.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/dot1x.h"
#include "resources/main.h"

namespace {

constexpr DWORD kPauseAfterSetMs = 20;

} // namespace

const std::string C8021XGlobalDlg::kAuthStateOid = KorvelOid("10.76.19.1.23.1.1.0");
const std::string C8021XGlobalDlg::kAuthProtocolOid = KorvelOid("10.76.19.1.23.1.3.0");
const std::string C8021XGlobalDlg::kForwardEapolOid = KorvelOid("10.76.19.1.23.1.4.0");

BEGIN_MESSAGE_MAP(C8021XGlobalDlg, CDialog)
    ON_BN_CLICKED(IDC_8021X_GLOBAL_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_8021X_AUTH_ENABLED, OnAuthStateEnabled)
    ON_BN_CLICKED(IDC_8021X_AUTH_DISABLED, OnAuthStateDisabled)
END_MESSAGE_MAP()

C8021XGlobalDlg::C8021XGlobalDlg(CWnd* pParent) : CDialog(IDD_8021X_GLOBAL, pParent) {}

BOOL C8021XGlobalDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    return CDialog::DestroyWindow();
}

void C8021XGlobalDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_8021X_PROTOCOL, m_comboProtocol);
    DDX_Radio(pDX, IDC_8021X_AUTH_ENABLED, m_nAuthState);
    DDX_Radio(pDX, IDC_8021X_FORWARD_ENABLED, m_nForwardEapol);
}

BOOL C8021XGlobalDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_strAuthState.clear();
    m_strForwardEapol.clear();
    m_strAuthProtocol.clear();
    m_comboProtocol.AddString("RADIUS");
    m_comboProtocol.AddString("Local");
    m_comboProtocol.SetCurSel(0);
    m_readReport.Begin();
    LoadSettings();
    return TRUE;
}

void C8021XGlobalDlg::LoadSettings()
{
    // A value outside its set (or of another type) is unknown: no radio,
    // no protocol, and Apply is refused until a valid one was read. The
    // reads stop at the first the switch does not answer, so a dead switch
    // costs one time-out.
    bool bAnswered = true;
    bool bComplete = true;
    auto read = [&](const std::string& strOid, std::initializer_list<long long> values, std::string& strValue) {
        strValue.clear();
        if (!bAnswered) {
            bComplete = false;
            return;
        }
        std::unique_ptr<CSnmp> pResponse;
        m_cCommonSNMP.Open(SnmpPduGet);
        m_cCommonSNMP.AddValue(strOid, SnmpValueNull);
        const CCommonSNMP::SendResult result = m_cCommonSNMP.SendFor(pResponse);
        if (result == CCommonSNMP::SendResult::Silent) {
            bAnswered = false;
            bComplete = false;
            return;
        }
        if (result == CCommonSNMP::SendResult::Answered)
            strValue = CModuleBase::EnumText(pResponse.get(), 0, values);
        if (strValue.empty())
            bComplete = false;
    };

    read(kAuthStateOid, {1, 2}, m_strAuthState);
    m_nAuthState = m_strAuthState == "1" ? 0 : m_strAuthState == "2" ? 1 : -1;
    m_comboProtocol.EnableWindow(m_strAuthState == "1" ? TRUE : FALSE);
    if (m_strAuthState == "1")
        OnAuthStateEnabled();
    else if (m_strAuthState == "2")
        OnAuthStateDisabled();

    read(kForwardEapolOid, {1, 2}, m_strForwardEapol);
    m_nForwardEapol = m_strForwardEapol == "1" ? 0 : m_strForwardEapol == "2" ? 1 : -1;

    read(kAuthProtocolOid, {1, 2}, m_strAuthProtocol);
    m_comboProtocol.SetCurSel(m_strAuthProtocol == "1" ? 0 : m_strAuthProtocol == "2" ? 1 : -1);

    m_bReadComplete = bComplete;
    UpdateData(FALSE);
    if (!bComplete)
        m_readReport.Fail("the 802.1X settings");
}

void C8021XGlobalDlg::OnRefresh()
{
    m_readReport.Begin();
    LoadSettings();
}

void C8021XGlobalDlg::OnAuthStateEnabled()
{
    m_comboProtocol.EnableWindow(TRUE);
    GetDlgItem(IDC_8021X_FORWARD_ENABLED)->EnableWindow(FALSE);
    GetDlgItem(IDC_8021X_FORWARD_DISABLED)->EnableWindow(FALSE);
}

void C8021XGlobalDlg::OnAuthStateDisabled()
{
    GetDlgItem(IDC_8021X_FORWARD_ENABLED)->EnableWindow(TRUE);
    GetDlgItem(IDC_8021X_FORWARD_DISABLED)->EnableWindow(TRUE);
    m_comboProtocol.EnableWindow(FALSE);
}

void C8021XGlobalDlg::OnOK()
{
    // What the dialog shows after a failed read is no value of the switch:
    // Apply would write those defaults over it.
    if (!m_bReadComplete) {
        CReadReport::RefuseUnread("the 802.1X settings");
        return;
    }
    UpdateData(TRUE);
    const std::string strState = m_nAuthState == 0 ? "1" : "2";
    const std::string strForward = m_nForwardEapol == 0 ? "1" : "2";
    const std::string strProtocol = m_comboProtocol.GetCurSel() == 0 ? "1" : "2";

    m_cCommonSNMP.Open(SnmpPduSet);
    int nBindings = 0;
    auto add = [&](const std::string& strOid, const std::string& strValue) {
        m_cCommonSNMP.AddValue(strOid, SnmpValueInteger, strValue);
        ++nBindings;
    };
    if (strState != m_strAuthState)
        add(kAuthStateOid, strState);
    if (strForward != m_strForwardEapol && strState == "2")
        add(kForwardEapolOid, strForward);
    if (strProtocol != m_strAuthProtocol && strState == "1")
        add(kAuthProtocolOid, strProtocol);
    CWriteReport report;
    if (nBindings > 0)
        report.Send(m_cCommonSNMP, "the 802.1X global settings");
    report.Report();
    // A switch that did not answer is not asked again at once: one time-out
    // per Apply.
    if (report.TimedOut())
        return;

    // What the switch holds now, also after a refused write.
    Sleep(kPauseAfterSetMs);
    m_readReport.Begin();
    LoadSettings();
}

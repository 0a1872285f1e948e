#include "features/security/C8021XGlobalDlg.h"

#include "platform/snmp/KorvelMib.h"
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
    LoadSettings();
    return TRUE;
}

void C8021XGlobalDlg::LoadSettings()
{
    // A failed GET leaves its text empty, which shows the second choice.
    bool bComplete = true;
    auto read = [&](const std::string& strOid, std::string& strValue) {
        if (!m_Module.GetValue(strOid, strValue)) {
            strValue.clear();
            bComplete = false;
        }
    };

    read(kAuthStateOid, m_strAuthState);
    m_nAuthState = m_strAuthState == "1" ? 0 : 1;
    m_comboProtocol.EnableWindow(m_strAuthState == "1" ? TRUE : FALSE);
    if (m_strAuthState == "1")
        OnAuthStateEnabled();
    else if (m_strAuthState == "2")
        OnAuthStateDisabled();

    read(kForwardEapolOid, m_strForwardEapol);
    m_nForwardEapol = m_strForwardEapol == "1" ? 0 : 1;

    read(kAuthProtocolOid, m_strAuthProtocol);
    m_comboProtocol.SetCurSel(m_strAuthProtocol == "1" ? 0 : 1);

    m_bReadComplete = bComplete;
    UpdateData(FALSE);
}

void C8021XGlobalDlg::OnRefresh()
{
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
        AfxMessageBox("The 802.1X settings could not be read from the switch. Press Refresh and try again.");
        return;
    }
    UpdateData(TRUE);
    const std::string strState = m_nAuthState == 0 ? "1" : "2";
    const std::string strForward = m_nForwardEapol == 0 ? "1" : "2";
    const std::string strProtocol = m_comboProtocol.GetCurSel() == 0 ? "1" : "2";

    m_cCommonSNMP.Open(SnmpPduSet);
    if (strState != m_strAuthState)
        m_cCommonSNMP.AddValue(kAuthStateOid, SnmpValueInteger, strState);
    if (strForward != m_strForwardEapol && strState == "2")
        m_cCommonSNMP.AddValue(kForwardEapolOid, SnmpValueInteger, strForward);
    if (strProtocol != m_strAuthProtocol && strState == "1")
        m_cCommonSNMP.AddValue(kAuthProtocolOid, SnmpValueInteger, strProtocol);
    // A request without a binding is not sent; what the switch holds after
    // a refused one shows in the read that follows.
    std::unique_ptr<CSnmp> pResponse;
    m_cCommonSNMP.send(pResponse, 0);
    pResponse.reset();

    Sleep(kPauseAfterSetMs);
    LoadSettings();
}

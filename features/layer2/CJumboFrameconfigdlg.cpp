#include "features/layer2/CJumboFrameconfigdlg.h"

#include "common/CModuleBase.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/jumbo.h"
#include "resources/main.h"

#include <memory>

namespace {

const std::string kJumboState = KorvelOid("10.76.19.1.1.12.0");

} // namespace

BEGIN_MESSAGE_MAP(CJumboFrameconfigdlg, CDialog)
    ON_BN_CLICKED(IDOK, OnApply)
END_MESSAGE_MAP()

CJumboFrameconfigdlg::CJumboFrameconfigdlg(CWnd* pParent) : CDialog(IDD_JUMBO_FRAME, pParent) {}

CJumboFrameconfigdlg::~CJumboFrameconfigdlg() = default;

void CJumboFrameconfigdlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JUMBO_ENABLE, m_checkJumbo);
}

BOOL CJumboFrameconfigdlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    GetJumboState();
    GetDlgItem(IDOK)->EnableWindow(m_bStateRead ? TRUE : FALSE);
    return TRUE;
}

void CJumboFrameconfigdlg::GetJumboState()
{
    if (!m_cCommonSNMP.Open(SnmpPduGet) || m_cCommonSNMP.AddValue(kJumboState, SnmpValueNull) != 0)
        return;
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMP.send(pResponse, 0) != SnmpStatusOk || !pResponse)
        return;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0)
        return;
    const std::string strState = CModuleBase::IntegerText(pResponse.get(), 0);
    m_checkJumbo.SetCheck(strState == "1" ? BST_CHECKED : BST_UNCHECKED);
    // A value of neither kind is no state the box could write back.
    m_bStateRead = strState == "1" || strState == "2";
}

void CJumboFrameconfigdlg::OnApply()
{
    // Enter reaches here also while the button is off.
    if (!m_bStateRead)
        return;
    SetJumboState();
    CDialog::OnOK();
}

void CJumboFrameconfigdlg::SetJumboState()
{
    const bool bEnable = m_checkJumbo.GetCheck() == BST_CHECKED;
    if (!m_cCommonSNMP.Open(SnmpPduSet) ||
        m_cCommonSNMP.AddValue(kJumboState, SnmpValueInteger, bEnable ? "1" : "2") != 0 ||
        !m_cCommonSNMP.SendAccepted()) {
        AfxMessageBox("The switch did not accept the Jumbo Frame setting.", MB_OK);
        return;
    }
    AfxMessageBox(bEnable ? "Enabled Jumbo Frame" : "Disabled Jumbo Frame", MB_OK);
    GetJumboState();
}

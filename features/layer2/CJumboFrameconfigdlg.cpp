#include "features/layer2/CJumboFrameconfigdlg.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/layer2/Layer2Writes.h"
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
const std::string kJumboWhat = "the Jumbo Frame setting";

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
    m_readReport.Begin();
    GetJumboState();
    GetDlgItem(IDOK)->EnableWindow(m_bStateRead ? TRUE : FALSE);
    return TRUE;
}

void CJumboFrameconfigdlg::GetJumboState()
{
    std::unique_ptr<CSnmp> pResponse;
    if (layer2::GetScalar(m_cCommonSNMP, kJumboState, pResponse) != layer2::ReadResult::Answered) {
        m_readReport.Fail(kJumboWhat, m_bStateRead);
        return;
    }
    // A value of neither kind is no state the box could show or write back.
    const std::string strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    m_checkJumbo.SetCheck(strState == "1" ? BST_CHECKED : BST_UNCHECKED);
    m_bStateRead = !strState.empty();
}

void CJumboFrameconfigdlg::OnApply()
{
    // Enter reaches here also while the button is off: the failed read has
    // been said when the dialog opened, and there is no Refresh to offer.
    if (!m_bStateRead)
        return;
    SetJumboState();
    CDialog::OnOK();
}

void CJumboFrameconfigdlg::SetJumboState()
{
    const bool bEnable = m_checkJumbo.GetCheck() == BST_CHECKED;
    CWriteReport report;
    if (!layer2::SendIntegers(report, m_cCommonSNMP, {{kJumboState, bEnable ? "1" : "2"}}, kJumboWhat)) {
        report.Report("The switch did not accept the Jumbo Frame setting.");
        return;
    }
    AfxMessageBox(bEnable ? "Enabled Jumbo Frame" : "Disabled Jumbo Frame", MB_OK);
    m_readReport.Begin();
    GetJumboState();
}

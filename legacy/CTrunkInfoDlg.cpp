#include "legacy/CTrunkInfoDlg.h"

#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

namespace {

std::string TrunkOid(const char* object)
{
    return KorvelOid(std::string("10.94.89.89.65.") + object);
}

} // namespace

BEGIN_MESSAGE_MAP(CTrunkInfoDlg, CLegacyFrame)
    ON_BN_CLICKED(IDC_INFO_REFRESH, OnRefreshInfo)
    ON_BN_CLICKED(IDC_INFO_APPLY, OnApply)
    ON_BN_CLICKED(IDC_INFO_CLOSE, OnClose)
END_MESSAGE_MAP()

CTrunkInfoDlg::CTrunkInfoDlg(CWnd* pParent) : CLegacyFrame(IDD_TRUNK_INFO, pParent)
{
    m_strCaption = "Trunk Information";
    m_bReadOnInit = false;
    m_columnOids = {TrunkOid("1.0"), TrunkOid("3.0"), TrunkOid("4.0"), TrunkOid("5.0")};
}

std::string CTrunkInfoDlg::CreationSupportWord(const std::string& value)
{
    return value == "0" ? "notSupported" : "supportsTrunkOrLacp";
}

BOOL CTrunkInfoDlg::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    ReadOnce(m_columnOids);
    return TRUE;
}

void CTrunkInfoDlg::OnRefreshInfo()
{
    CWaitCursor wait;
    m_readReport.Begin();
    ReadOnce(m_columnOids);
}

void CTrunkInfoDlg::OnReadReply(CSnmp& reply)
{
    SetDlgItemText(IDC_INFO_EDIT_1310, ValueText(reply, 0));
    SetDlgItemText(IDC_INFO_EDIT_1312, ValueText(reply, 1));
    SetDlgItemText(IDC_INFO_EDIT_1313, ValueText(reply, 2));
    SetDlgItemText(IDC_INFO_EDIT_1314, CreationSupportWord(ValueText(reply, 3)));
    m_bRead = true;
}

void CTrunkInfoDlg::OnReadFailed()
{
    m_readReport.Fail("the trunk information", m_bRead);
}

// The boxes only show the switch's capabilities: OK (Enter, Apply) writes
// nothing and keeps the dialog open.
void CTrunkInfoDlg::OnOK()
{
    UpdateData(TRUE);
}

void CTrunkInfoDlg::OnApply()
{
    OnOK();
}

void CTrunkInfoDlg::OnClose()
{
    OnCancel();
}

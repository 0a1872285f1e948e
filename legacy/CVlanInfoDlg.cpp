#include "legacy/CVlanInfoDlg.h"

#include "common/CModuleBase.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

namespace {

std::string VlanOid(const char* object)
{
    return KorvelOid(std::string("10.94.89.89.48.") + object);
}

} // namespace

BEGIN_MESSAGE_MAP(CVlanInfoDlg, CLegacyFrame)
    ON_BN_CLICKED(IDC_INFO_REFRESH, OnRefreshInfo)
    ON_BN_CLICKED(IDC_INFO_APPLY, OnApply)
    ON_BN_CLICKED(IDC_INFO_CLOSE, OnClose)
END_MESSAGE_MAP()

CVlanInfoDlg::CVlanInfoDlg(CWnd* pParent) : CLegacyFrame(IDD_VLAN_INFO, pParent)
{
    m_strCaption = "VLAN Configuration";
    m_bReadOnInit = false;
    m_columnOids = {VlanOid("1.0"),  VlanOid("2.0"),  VlanOid("27.0"), VlanOid("29.0"), VlanOid("31.0"),
                    VlanOid("32.0"), VlanOid("35.0"), VlanOid("36.0"), VlanOid("38.0")};
}

std::string CVlanInfoDlg::YesNoWord(const std::string& value)
{
    return value == "1" ? "Yes" : "No";
}

BOOL CVlanInfoDlg::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    ReadOnce(m_columnOids);
    return TRUE;
}

void CVlanInfoDlg::OnRefreshInfo()
{
    CWaitCursor wait;
    m_readReport.Begin();
    ReadOnce(m_columnOids);
}

void CVlanInfoDlg::OnReadReply(CSnmp& reply)
{
    SetDlgItemText(IDC_INFO_EDIT_1310, ValueText(reply, 0));
    SetDlgItemText(IDC_INFO_EDIT_1312, ValueText(reply, 1));
    SetDlgItemText(IDC_INFO_EDIT_1313, YesNoWord(ValueText(reply, 3)));
    SetDlgItemText(IDC_INFO_EDIT_1314, YesNoWord(ValueText(reply, 4)));
    SetDlgItemText(IDC_INFO_EDIT_1315, YesNoWord(ValueText(reply, 6)));
    SetDlgItemText(IDC_INFO_EDIT_1316, ValueText(reply, 7));
    const std::pair<int, int> boxes[] = {{IDC_INFO_CHECK_1008, 2}, {IDC_INFO_CHECK_1009, 5}, {IDC_INFO_CHECK_1098, 8}};
    for (const auto& [id, position] : boxes)
        static_cast<CButton*>(GetDlgItem(id))->SetCheck(ValueText(reply, position) == "1" ? BST_CHECKED : BST_UNCHECKED);
    // Only a state of its set is a read the box can write back.
    m_bRead = !CModuleBase::EnumText(&reply, 2, {1, 2}).empty();
}

void CVlanInfoDlg::OnReadFailed()
{
    m_readReport.Fail("the VLAN information", m_bRead);
}

// Writes nothing before a read: the box would not show the switch's value.
void CVlanInfoDlg::OnOK()
{
    UpdateData(TRUE);
    if (!m_bRead) {
        CReadReport::RefuseUnread("the VLAN settings");
        return;
    }
    WriteVlanInfo();
}

void CVlanInfoDlg::WriteVlanInfo()
{
    const bool checked = static_cast<CButton*>(GetDlgItem(IDC_INFO_CHECK_1008))->GetCheck() == BST_CHECKED;
    CWriteReport report;
    WriteValues({{VlanOid("27.0"), SnmpValueInteger, checked ? "1" : "2"}}, report, "SendUnknownToAllPorts");
    report.Report();
}

void CVlanInfoDlg::OnApply()
{
    OnOK();
}

void CVlanInfoDlg::OnClose()
{
    OnCancel();
}

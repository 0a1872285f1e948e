#include "legacy/CDHCPInfoDlg.h"

#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWaitCursor.h"
#include "resources/legacy.h"

namespace {

const std::string kDhcpInfoRoot = KorvelOid("10.94.89.89.38");

std::string YesNo(const std::string& value)
{
    return value == "2" ? "No" : "Yes";
}

} // namespace

BEGIN_MESSAGE_MAP(CDHCPInfoDlg, CLegacyFrame)
    ON_BN_CLICKED(IDC_DHCPI_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_DHCPI_APPLY, OnApply)
END_MESSAGE_MAP()

CDHCPInfoDlg::CDHCPInfoDlg(CWnd* pParent) : CLegacyFrame(IDD_DHCP_INFO, pParent)
{
    m_strCaption = "DHCP Information";
    m_nRefreshId = IDC_DHCPI_REFRESH;
}

void CDHCPInfoDlg::RefreshTable()
{
    CWaitCursor wait;
    ReadOnce({kDhcpInfoRoot + ".14.0", kDhcpInfoRoot + ".26.0", kDhcpInfoRoot + ".31.0"});
}

void CDHCPInfoDlg::OnReadReply(CSnmp& reply)
{
    m_strMibVersion = ValueText(reply, 0);
    m_strRelayExists = YesNo(ValueText(reply, 1));
    m_strServerExists = YesNo(ValueText(reply, 2));
    GetDlgItem(IDC_DHCPI_MIB_VERSION)->SetWindowText(m_strMibVersion);
    GetDlgItem(IDC_DHCPI_RELAY_EXISTS)->SetWindowText(m_strRelayExists);
    GetDlgItem(IDC_DHCPI_SERVER_EXISTS)->SetWindowText(m_strServerExists);
}

void CDHCPInfoDlg::OnReadFailed()
{
    m_readReport.Fail("the DHCP information", !m_strRelayExists.empty());
}

void CDHCPInfoDlg::OnOK()
{
    // Nothing of this dialog is written: Enter keeps it open.
}

void CDHCPInfoDlg::OnApply()
{
    OnOK();
}

void CDHCPInfoDlg::OnClose()
{
    OnCancel();
}

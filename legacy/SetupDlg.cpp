#include "legacy/SetupDlg.h"

#include "common/Globals.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// A decimal text as strtol reads it, clamped to int.
long long SetupNumber(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return std::max<long>(std::min<long>(value, INT_MAX), INT_MIN);
}

} // namespace

BEGIN_MESSAGE_MAP(SetupDlg, CDialog)
    ON_BN_CLICKED(IDC_SETUP_APPLY, OnApply)
END_MESSAGE_MAP()

SetupDlg::SetupDlg(CWnd* pParent) : CDialog(IDD_SETUP_DEVICE, pParent) {}

void SetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETUP_TIMEOUT, m_editTimeout);
    DDX_Control(pDX, IDC_SETUP_HIDDEN_CHECK2, m_chkHidden);
    DDX_Control(pDX, IDC_SETUP_HIDDEN_IP, m_ipHidden);
    DDX_Control(pDX, IDC_SETUP_DEVICE_IP, m_ipDevice);
}

BOOL SetupDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    {
        std::lock_guard lock(ConnectionValuesLock());
        m_strInitialHost = g_strDeviceIP;
        m_strInitialTimeout = g_strTimeout;
    }
    // A host may carry a port after the address ("10.0.0.5:1161").
    m_strInitialIP = m_strInitialHost.substr(0, m_strInitialHost.find(':'));
    DWORD dwAddress = 0;
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = m_strInitialIP.find('.', start);
        const std::string field = m_strInitialIP.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        dwAddress = (dwAddress << 8) | static_cast<DWORD>(SetupNumber(field) & 0xFF);
        start = dot == std::string::npos ? m_strInitialIP.size() : dot + 1;
    }
    m_ipDevice.SetAddress(dwAddress);
    m_editTimeout.SetWindowText(std::to_string(SetupNumber(m_strInitialTimeout)));
    return TRUE;
}

BOOL SetupDlg::Store()
{
    UpdateData(TRUE);
    std::string strTimeout;
    m_editTimeout.GetWindowText(strTimeout);
    if (SetupNumber(strTimeout) <= 0) {
        AfxMessageBox("Timeout must be a number of milliseconds greater than 0.", MB_OK);
        return FALSE;
    }
    BYTE f0 = 0, f1 = 0, f2 = 0, f3 = 0;
    m_ipDevice.GetAddress(f0, f1, f2, f3);
    std::string strHost =
        std::to_string(f0) + "." + std::to_string(f1) + "." + std::to_string(f2) + "." + std::to_string(f3);
    // The port of the host stays: only the address is the user's.
    const std::size_t colon = m_strInitialHost.find(':');
    if (colon != std::string::npos)
        strHost += m_strInitialHost.substr(colon);
    std::lock_guard lock(ConnectionValuesLock());
    g_strDeviceIP = strHost;
    g_strTimeout = strTimeout;
    return TRUE;
}

void SetupDlg::OnOK()
{
    if (!Store())
        return;
    m_bStored = 1;
    EndDialog(IDOK);
}

void SetupDlg::OnApply()
{
    if (Store())
        m_bStored = 1;
}

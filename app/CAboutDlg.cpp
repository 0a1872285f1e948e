#include "app/CAboutDlg.h"

#include "common/Globals.h"
#include "resources/main.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(g_strModelName + " Module");
    SetDlgItemText(IDC_STATIC_MODULE_NAME, g_strModelName + " Management Module");
    return TRUE;
}

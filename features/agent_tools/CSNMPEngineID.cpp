#include "features/agent_tools/CSNMPEngineID.h"

#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

#include <cstring>

namespace {

constexpr std::size_t kShortest = 10;
constexpr std::size_t kLongest = 64;

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

BEGIN_MESSAGE_MAP(CSNMPEngineID, CDialog)
    ON_WM_COPYDATA()
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_ENGINE_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_SNMP_ENGINE_CLOSE, OnClose)
END_MESSAGE_MAP()

CSNMPEngineID::CSNMPEngineID(CWnd* pParent) : CDialog(IDD_SNMP_ENGINE_ID, pParent) {}

CSNMPEngineID::~CSNMPEngineID() = default;

BOOL CSNMPEngineID::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPEngineID::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_ENGINE_TEXT, m_editEngineID);
}

BOOL CSNMPEngineID::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    m_readReport.Begin();
    m_cSNMPConfig.GetEngineID();
    m_editEngineID.LimitText(static_cast<int>(kLongest));
    return TRUE;
}

BOOL CSNMPEngineID::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    if (pCopyDataStruct != nullptr && pCopyDataStruct->lpData != nullptr && pCopyDataStruct->cbData > 0) {
        // The text ends at its NUL, and never beyond the data given.
        const char* pText = static_cast<const char*>(pCopyDataStruct->lpData);
        m_editEngineID.SetWindowText(std::string(pText, strnlen(pText, pCopyDataStruct->cbData)));
        m_bRead = true;
    }
    return CDialog::OnCopyData(pWnd, pCopyDataStruct);
}

LRESULT CSNMPEngineID::OnLogicNotify(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == 2)
        m_readReport.Fail("the engine ID", m_bRead);
    return 0;
}

void CSNMPEngineID::WriteEngineID(const std::string& strHex, int nUseDefault)
{
    CWriteReport report;
    m_cSNMPConfig.SetEngineID(report, strHex, nUseDefault);
    report.Report();
    if (report.TimedOut())
        return;
    m_readReport.Begin();
    m_cSNMPConfig.GetEngineID();
}

std::string CSNMPEngineID::CheckEngineID(const std::string& strText)
{
    if (strText.size() < kShortest || strText.size() > kLongest)
        return "ID length is 10-64";
    for (char c : strText) {
        if (!IsHexDigit(c))
            return "the accepted character is from 0 to F";
    }
    return std::string();
}

void CSNMPEngineID::OnApply()
{
    const std::string strText = m_editEngineID.GetWindowText();
    const std::string strRefusal = CheckEngineID(strText);
    if (!strRefusal.empty()) {
        AfxMessageBox(strRefusal);
        return;
    }
    WriteEngineID(strText, 0);
}

void CSNMPEngineID::OnDefault()
{
    WriteEngineID("", 1);
}

void CSNMPEngineID::OnClose()
{
    OnCancel();
}

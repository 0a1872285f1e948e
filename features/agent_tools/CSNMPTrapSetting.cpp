#include "features/agent_tools/CSNMPTrapSetting.h"

#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "features/agent_tools/SNMP_trap_info.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

namespace {

// The boxes tied to a slot of the record; the PoE ones only on PoE models.
struct TrapBox
{
    int nId;
    int nSlot;
    bool bPoe;
};
constexpr TrapBox kTrapBoxes[] = {
    {IDC_SNMP_TRAP_AUTH, 0, false},      {IDC_SNMP_TRAP_BOOTUP, 1, false},    {IDC_SNMP_TRAP_LINK, 2, false},
    {IDC_SNMP_TRAP_RSTP, 3, false},      {IDC_SNMP_TRAP_FIRMWARE, 4, false},  {IDC_SNMP_TRAP_LOOPBACK, 10, false},
    {IDC_SNMP_TRAP_POE_POWER, 7, true},  {IDC_SNMP_TRAP_POE_ERROR, 8, true},  {IDC_SNMP_TRAP_POE_BUDGET, 9, true},
};
// Boxes of the template that no object stands behind.
constexpr int kUntiedBoxes[] = {IDC_SNMP_TRAP_DUPLICATE_IP, IDC_SNMP_TRAP_CPU};

} // namespace

BEGIN_MESSAGE_MAP(CSNMPTrapSetting, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_TRAP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_TRAP_CLOSE, OnClose)
END_MESSAGE_MAP()

CSNMPTrapSetting::CSNMPTrapSetting(CWnd* pParent) : CDialog(IDD_SNMP_TRAP, pParent) {}

CSNMPTrapSetting::~CSNMPTrapSetting() = default;

BOOL CSNMPTrapSetting::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPTrapSetting::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_TRAP_AUTH, m_checkAuth);
    DDX_Control(pDX, IDC_SNMP_TRAP_BOOTUP, m_checkBootup);
    DDX_Control(pDX, IDC_SNMP_TRAP_LINK, m_checkLink);
    DDX_Control(pDX, IDC_SNMP_TRAP_RSTP, m_checkRstp);
    DDX_Control(pDX, IDC_SNMP_TRAP_FIRMWARE, m_checkFirmware);
    DDX_Control(pDX, IDC_SNMP_TRAP_POE_POWER, m_checkPoePower);
    DDX_Control(pDX, IDC_SNMP_TRAP_POE_ERROR, m_checkPoeError);
    DDX_Control(pDX, IDC_SNMP_TRAP_POE_BUDGET, m_checkPoeBudget);
    DDX_Control(pDX, IDC_SNMP_TRAP_DUPLICATE_IP, m_checkDuplicateIp);
    DDX_Control(pDX, IDC_SNMP_TRAP_CPU, m_checkCpu);
    DDX_Control(pDX, IDC_SNMP_TRAP_LOOPBACK, m_checkLoopback);
}

BOOL CSNMPTrapSetting::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    m_bPoe = g_strModelName.find_first_of("pP") != std::string::npos ? 1 : 0;
    if (!m_bPoe) {
        for (const TrapBox& box : kTrapBoxes) {
            if (box.bPoe)
                GetDlgItem(box.nId)->ShowWindow(SW_HIDE);
        }
    }
    // Nothing to apply until the switches have been read.
    GetDlgItem(IDC_SNMP_TRAP_APPLY)->EnableWindow(FALSE);
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    m_readReport.Begin();
    m_cSNMPConfig.GetTrapSettings(m_bPoe);
    return TRUE;
}

LRESULT CSNMPTrapSetting::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 2) {
        m_readReport.Fail("the trap settings");
        return 0;
    }
    const auto* pInfo = reinterpret_cast<const SNMP_trap_info*>(lParam);
    if (wParam != 0 || pInfo == nullptr)
        return 0;
    bool bAllKnown = true;
    for (const TrapBox& box : kTrapBoxes) {
        const std::string& strValue = (*pInfo)[static_cast<std::size_t>(box.nSlot)];
        static_cast<CButton*>(GetDlgItem(box.nId))->SetCheck(strValue == "1" ? BST_CHECKED : BST_UNCHECKED);
        if (strValue.empty() && (!box.bPoe || m_bPoe))
            bAllKnown = false;
    }
    for (int nId : kUntiedBoxes)
        static_cast<CButton*>(GetDlgItem(nId))->SetCheck(BST_UNCHECKED);
    m_bRead = bAllKnown ? TRUE : FALSE;
    GetDlgItem(IDC_SNMP_TRAP_APPLY)->EnableWindow(m_bRead);
    return 0;
}

void CSNMPTrapSetting::OnApply()
{
    if (!m_bRead) {
        CReadReport::RefuseUnread("the trap settings");
        return;
    }
    CWaitCursor wait;
    SNMP_trap_info flags;
    for (const TrapBox& box : kTrapBoxes) {
        if (box.bPoe && !m_bPoe)
            continue;
        const bool bOn = static_cast<CButton*>(GetDlgItem(box.nId))->GetCheck() == BST_CHECKED;
        flags[static_cast<std::size_t>(box.nSlot)].assign(1, bOn ? '1' : '2');
    }
    CWriteReport report;
    m_cSNMPConfig.SetTrapSettings(report, flags, m_bPoe);
    report.Report();
}

void CSNMPTrapSetting::OnClose()
{
    OnCancel();
}

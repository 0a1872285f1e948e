#include "features/layer2/CBandWidthControlDlg.h"

#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/bandwidth.h"
#include "resources/main.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int kColumnWidth = 150;
const char* const kColumns[] = {"Port", "Tx Rate (Kbits/sec)", "Rx Rate (Kbits/sec)"};
constexpr int kNoLimitEnabled = 0;
constexpr int kNoLimitDisabled = 1;

std::string RateText(const std::string& strRate)
{
    return strRate == "0" ? std::string("No Limit") : strRate;
}

} // namespace

BEGIN_MESSAGE_MAP(CBandWidthControlDlg, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_MESSAGE(WM_TRUNK_WALK_ABORTED, OnTrunkWalkEnd)
    ON_CBN_SELCHANGE(IDC_BANDWIDTH_NO_LIMIT, OnNoLimitChange)
    ON_CBN_SELCHANGE(IDC_BANDWIDTH_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_BANDWIDTH_TO_PORT, OnToPortChange)
    ON_BN_CLICKED(IDC_BANDWIDTH_APPLY, OnApply)
    ON_BN_CLICKED(IDC_BANDWIDTH_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CBandWidthControlDlg::CBandWidthControlDlg(CWnd* pParent) : CDialog(IDD_BANDWIDTH_CONTROL, pParent) {}

BOOL CBandWidthControlDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_Logic.CloseAll();
    OutputDebugString("==================m_Logic.CloseAll===============");
    return CDialog::DestroyWindow();
}

void CBandWidthControlDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BANDWIDTH_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_BANDWIDTH_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_BANDWIDTH_TYPE, m_comboType);
    DDX_Control(pDX, IDC_BANDWIDTH_NO_LIMIT, m_comboNoLimit);
    DDX_Control(pDX, IDC_BANDWIDTH_RATE, m_editRate);
    DDX_Control(pDX, IDC_BANDWIDTH_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_BANDWIDTH_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_BANDWIDTH_LIST, m_listRates);
}

BOOL CBandWidthControlDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    for (int i = 0; i < 3; ++i)
        m_listRates.InsertColumn(i, kColumns[i], LVCFMT_LEFT, kColumnWidth);
    m_listRates.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        m_comboFromPort.AddString(std::to_string(nPort));
        m_comboToPort.AddString(std::to_string(nPort));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);
    for (const char* type : {"Rx", "Tx", "Both"})
        m_comboType.AddString(type);
    m_comboType.SetCurSel(CBandWidthControlFunLogic::kRx);
    m_comboNoLimit.AddString("Enabled");
    m_comboNoLimit.AddString("Disabled");
    m_comboNoLimit.SetCurSel(kNoLimitDisabled);
    GetDlgItem(IDC_BANDWIDTH_GIGABIT_NOTE)->ShowWindow(SW_HIDE);
    m_editRate.SetWindowText("");

    // The trunk groups are read once, with the first refresh.
    m_nRunningWalks = 1;
    OnRefresh();
    m_Logic.WalkTrunkPorts();
    return TRUE;
}

void CBandWidthControlDlg::OnRefresh()
{
    StartRefresh();
}

void CBandWidthControlDlg::StartRefresh()
{
    m_readReport.Begin();
    m_bRowsThisWalk = false;
    m_btnRefresh.EnableWindow(FALSE);
    m_btnApply.EnableWindow(FALSE);
    // The list keeps the last complete table until this walk has read its end.
    if (m_Logic.SetHwnd(GetSafeHwnd())) {
        ++m_nRunningWalks;
        m_Logic.StartRateWalk();
    }
}

LRESULT CBandWidthControlDlg::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CBandWidthControlFunLogic::kNotifyRateRows) {
        if (lParam == 0)
            return 0;
        const auto& rows = *reinterpret_cast<const std::vector<BANDWIDTH_rate_info>*>(lParam);
        m_listRates.DeleteAllItems();
        for (size_t i = 0; i < rows.size(); ++i) {
            const int nRow = static_cast<int>(i);
            m_listRates.SetOrInsertItemText(nRow, 0, rows[i].strPort.c_str());
            m_listRates.SetOrInsertItemText(nRow, 1, RateText(rows[i].strTxRate).c_str());
            m_listRates.SetOrInsertItemText(nRow, 2, RateText(rows[i].strRxRate).c_str());
        }
        m_bRatesRead = true;
        m_bRowsThisWalk = true;
    } else if (wParam == CBandWidthControlFunLogic::kNotifyWriteFinished) {
        if (m_pApplyReport == nullptr || !m_pApplyReport->TimedOut())
            StartRefresh();
    } else if (wParam == CBandWidthControlFunLogic::kNotifyFinished) {
        // The list keeps its last complete table.
        if (!m_bRowsThisWalk)
            m_readReport.Fail("the bandwidth table", m_bRatesRead);
        OnWalkEnded();
    }
    return 0;
}

LRESULT CBandWidthControlDlg::OnTrunkWalkEnd(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // Complete or failed alike: Apply judges by the groups published last.
    OnWalkEnded();
    return 0;
}

void CBandWidthControlDlg::OnWalkEnded()
{
    if (m_nRunningWalks > 0 && --m_nRunningWalks > 0)
        return;
    m_btnApply.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
    if (m_comboNoLimit.GetCurSel() == kNoLimitDisabled)
        m_editRate.EnableWindow(TRUE);
}

void CBandWidthControlDlg::OnNoLimitChange()
{
    m_editRate.EnableWindow(m_comboNoLimit.GetCurSel() == kNoLimitEnabled ? FALSE : TRUE);
}

std::string CBandWidthControlDlg::SelectedText(const CComboBox& combo) const
{
    std::string strText;
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), strText);
    return strText;
}

void CBandWidthControlDlg::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CBandWidthControlDlg::OnToPortChange()
{
    if (std::atoi(SelectedText(m_comboToPort).c_str()) < std::atoi(SelectedText(m_comboFromPort).c_str())) {
        AfxMessageBox(" \"To port\"cannot be smaller than \"From Port\" ");
        m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
    }
}

void CBandWidthControlDlg::OnApply()
{
    m_btnApply.EnableWindow(FALSE);
    const int nFrom = std::atoi(SelectedText(m_comboFromPort).c_str());
    const int nTo = std::atoi(SelectedText(m_comboToPort).c_str());
    const int nDirection = m_comboType.GetCurSel();

    std::string strRate = "0";
    if (m_comboNoLimit.GetCurSel() != kNoLimitEnabled) {
        m_editRate.GetWindowText(strRate);
        if (CBandWidthControlFunLogic::CheckRate(strRate) == 0) {
            AfxMessageBox("Invalid Rate.");
            m_btnApply.EnableWindow(TRUE);
            return;
        }
    }
    // A member of a group may be in the range only when the groups were read.
    if (m_Logic.IsTrunkReady() == 0) {
        m_Logic.WalkTrunkPorts();
        AfxMessageBox("The link aggregation groups have not been read from the switch yet. Nothing was written; "
                      "try again.");
        m_btnApply.EnableWindow(TRUE);
        return;
    }
    std::string strTrunkPorts;
    if (m_Logic.GetTrunkPortsInRange(nFrom, nTo, strTrunkPorts) == 0) {
        AfxMessageBox("You can't set the rate of Ports:" + strTrunkPorts + ".because they are in aggregated link.");
        m_btnApply.EnableWindow(TRUE);
        return;
    }

    // "WriteFinished" starts the walk that gives Apply back (not after a
    // silent switch: Apply and Refresh come back at once then).
    CWriteReport report;
    m_pApplyReport = &report;
    const int nRefused = m_Logic.SetRates(nFrom, nTo, strRate, nDirection, report);
    m_pApplyReport = nullptr;
    if (report.Report() && report.TimedOut()) {
        m_btnApply.EnableWindow(TRUE);
        m_btnRefresh.EnableWindow(TRUE);
    }
    if (nRefused != 0)
        return; // what the user entered stays for another try
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);
    m_editRate.SetWindowText("");
    m_comboNoLimit.SetCurSel(kNoLimitDisabled);
    m_comboType.SetCurSel(CBandWidthControlFunLogic::kRx);
}

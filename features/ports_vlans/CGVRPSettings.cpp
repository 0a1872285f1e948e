#include "features/ports_vlans/CGVRPSettings.h"

#include "common/Globals.h"
#include "common/ListColumn.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

constexpr int kWalkCount = 3; // port table, VLAN and trunk walks

constexpr ListColumn kGvrpPortColumns[] = {
    {"Port", 50}, {"PVID", 80}, {"GVRP", 110}, {"Ingress Checking", 130}, {"Acceptable Frame Type", 140}};

// The value each combo's item 0 and item 1 stand for.
struct ComboValues
{
    const char* item0;
    const char* value0;
    const char* item1;
    const char* value1;
};
constexpr ComboValues kGvrpValues = {"Disabled", "2", "Enabled", "1"};
constexpr ComboValues kIngressValues = {"Disabled", "2", "Enabled", "1"};
constexpr ComboValues kFrameTypeValues = {"Admit All", "1", "Tagged Only", "2"};

void FillCombo(CComboBox& combo, const ComboValues& values, int nSelect)
{
    combo.AddString(values.item0);
    combo.AddString(values.item1);
    combo.SetCurSel(nSelect);
}

std::string SelectedValue(const CComboBox& combo, const ComboValues& values)
{
    return combo.GetCurSel() == 1 ? values.value1 : values.value0;
}

} // namespace

BEGIN_MESSAGE_MAP(CGVRPSettings, CDialog)
    ON_BN_CLICKED(IDC_GVRP_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_GVRP_APPLY, OnApply)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_MESSAGE(WM_TRUNK_WALK_ABORTED, OnTrunkWalkEnd)
    ON_CBN_SELCHANGE(IDC_GVRP_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_GVRP_TO_PORT, OnToPortChange)
END_MESSAGE_MAP()

CGVRPSettings::CGVRPSettings(CWnd* pParent) : CDialog(IDD_GVRP_SETTINGS, pParent) {}

BOOL CGVRPSettings::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_GVRPFunLogic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CGVRPSettings::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GVRP_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_GVRP_PVID, m_editPvid);
    DDX_Control(pDX, IDC_GVRP_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_GVRP_INGRESS, m_comboIngressChecking);
    DDX_Control(pDX, IDC_GVRP_FRAME_TYPE, m_comboAcceptFrameType);
    DDX_Control(pDX, IDC_GVRP_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_GVRP_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_GVRP_STATE, m_comboGvrp);
    DDX_Control(pDX, IDC_GVRP_LIST, m_listPorts);
}

BOOL CGVRPSettings::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listPorts, kGvrpPortColumns, LVCFMT_LEFT);
    m_listPorts.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    FillCombo(m_comboGvrp, kGvrpValues, 0);
    FillCombo(m_comboIngressChecking, kIngressValues, 1);
    FillCombo(m_comboAcceptFrameType, kFrameTypeValues, 0);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        m_comboFromPort.AddString(std::to_string(nPort));
        m_comboToPort.AddString(std::to_string(nPort));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);

    OnRefresh();
    return TRUE;
}

void CGVRPSettings::EnableValueCombos(BOOL bEnable)
{
    m_comboGvrp.EnableWindow(bEnable);
    m_comboIngressChecking.EnableWindow(bEnable);
    m_comboAcceptFrameType.EnableWindow(bEnable);
}

void CGVRPSettings::OnRefresh()
{
    // The walks of an earlier refresh end first (closing serves what they
    // have sent already), so none of their rows or ends lands in this one.
    m_GVRPFunLogic.CloseSessions();
    m_readReport.Begin();
    // The list keeps the last complete table until this walk has read its end.
    m_nFinishedWalks = 0;
    // Both come back once every walk of this refresh has ended: Apply judges
    // the port range by the trunk groups the trunk walk reads.
    m_btnRefresh.EnableWindow(FALSE);
    m_btnApply.EnableWindow(FALSE);

    std::string strState;
    const int nStateRead = m_GVRPFunLogic.ReadState(strState);
    EnableValueCombos(strState == "1" ? TRUE : FALSE);
    if (nStateRead != CGVRPFunLogic::kStateRead)
        m_readReport.Fail("the GVRP settings", m_listPorts.GetItemCount() > 0);
    // A switch that did not answer is not asked for the tables now: the
    // window waits at most one time-out. Refresh asks again.
    if (nStateRead == CGVRPFunLogic::kStateUnanswered) {
        m_btnRefresh.EnableWindow(TRUE);
        return;
    }

    if (m_GVRPFunLogic.SetHwnd(GetSafeHwnd())) {
        m_GVRPFunLogic.StartPortTableWalk();
        m_GVRPFunLogic.StartVlanIdWalk();
        m_GVRPFunLogic.StartTrunkGroupWalk();
    }
}

LRESULT CGVRPSettings::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CGVRPFunLogic::kNotifyPortRows) {
        if (lParam == 0)
            return 0;
        const auto& rows = *reinterpret_cast<const std::vector<GVRP_port_info>*>(lParam);
        m_listPorts.DeleteAllItems();
        for (size_t i = 0; i < rows.size(); ++i) {
            const int nRow = static_cast<int>(i);
            m_listPorts.SetOrInsertItemText(nRow, 0, rows[i].strPort.c_str());
            m_listPorts.SetOrInsertItemText(nRow, 1, rows[i].strPvid.c_str());
            m_listPorts.SetOrInsertItemText(nRow, 2, rows[i].strGvrpState.c_str());
            m_listPorts.SetOrInsertItemText(nRow, 3, rows[i].strIngressChecking.c_str());
            m_listPorts.SetOrInsertItemText(nRow, 4, rows[i].strAcceptFrameType.c_str());
        }
    } else if (wParam == CGVRPFunLogic::kNotifyFailed) {
        if (lParam != 0)
            m_readReport.Fail(reinterpret_cast<const char*>(lParam), m_listPorts.GetItemCount() > 0);
    } else if (wParam == CGVRPFunLogic::kNotifyFinished) {
        OnWalkEnded();
    } else if (wParam == CGVRPFunLogic::kNotifyAddFinished) {
        // The range is written: read the table again (Apply comes back with it).
        OnRefresh();
    }
    return 0;
}

LRESULT CGVRPSettings::OnTrunkWalkEnd(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // Complete or failed alike: the check judges by the groups published last.
    OnWalkEnded();
    return 0;
}

void CGVRPSettings::OnWalkEnded()
{
    if (++m_nFinishedWalks == kWalkCount) {
        m_btnRefresh.EnableWindow(TRUE);
        m_btnApply.EnableWindow(TRUE);
        m_nFinishedWalks = 0;
    }
}

void CGVRPSettings::OnApply()
{
    std::string strPvid;
    std::string strFrom;
    std::string strTo;
    m_editPvid.GetWindowText(strPvid);
    m_comboFromPort.GetWindowText(strFrom);
    m_comboToPort.GetWindowText(strTo);
    const int nPvid = std::atoi(strPvid.c_str());
    const int nFrom = std::atoi(strFrom.c_str());
    const int nTo = std::atoi(strTo.c_str());

    if (strPvid.empty() || nPvid < 1 || nPvid > 4094) {
        AfxMessageBox("PVID Range is 1-4094");
        return;
    }
    if (!m_GVRPFunLogic.CheckTrunkGroupsInRange(nFrom, nTo))
        return;

    const std::string strGvrp = SelectedValue(m_comboGvrp, kGvrpValues);
    const std::string strIngress = SelectedValue(m_comboIngressChecking, kIngressValues);
    const std::string strFrameType = SelectedValue(m_comboAcceptFrameType, kFrameTypeValues);
    m_btnApply.EnableWindow(FALSE);
    // On success "AddFinished" has started a refresh already, which gives Apply back.
    CWriteReport report;
    if (!m_GVRPFunLogic.SetPortRange(nFrom, nTo, strPvid, strGvrp, strIngress, strFrameType, &report)) {
        m_btnApply.EnableWindow(TRUE);
        report.Report();
    }
}

void CGVRPSettings::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CGVRPSettings::OnToPortChange()
{
    std::string strFrom;
    std::string strTo;
    const int nFrom = m_comboFromPort.GetCurSel();
    const int nTo = m_comboToPort.GetCurSel();
    if (nFrom >= 0)
        m_comboFromPort.GetLBText(nFrom, strFrom);
    if (nTo >= 0)
        m_comboToPort.GetLBText(nTo, strTo);
    if (std::atoi(strTo.c_str()) < std::atoi(strFrom.c_str())) {
        if (MessageBox("'To Port' can not be smaller than 'From Port'") == IDOK)
            m_comboToPort.SetCurSel(nFrom);
    }
}

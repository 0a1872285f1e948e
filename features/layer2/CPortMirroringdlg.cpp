#include "features/layer2/CPortMirroringdlg.h"

#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/PortRows.h"
#include "features/layer2/MIRROR_state_info.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/mirror.h"

#include <cstdlib>

namespace {

constexpr int kRowCount = 4;
constexpr UINT kFirstIds[kRowCount] = {IDC_MIRROR_TX_FIRST, IDC_MIRROR_RX_FIRST, IDC_MIRROR_BOTH_FIRST,
                                       IDC_MIRROR_NONE_FIRST};
constexpr UINT kLastIds[kRowCount] = {IDC_MIRROR_TX_LAST, IDC_MIRROR_RX_LAST, IDC_MIRROR_BOTH_LAST,
                                      IDC_MIRROR_NONE_LAST};
constexpr int kAllButtons[kRowCount] = {IDC_MIRROR_ALL_TX, IDC_MIRROR_ALL_RX, IDC_MIRROR_ALL_BOTH,
                                        IDC_MIRROR_ALL_NONE};
const std::string kMirrorWhat = "the port mirroring settings";
constexpr int kBoxRowGap = 10;

// The number a port text names, 0 unless it is one of 1..N in digits.
int PortNumber(const std::string& strText)
{
    if (strText.empty() || strText.size() > 4 || strText.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int nPort = std::atoi(strText.c_str());
    return nPort >= 1 && nPort <= g_nPortCount ? nPort : 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CPortMirroringdlg, ClxDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_MESSAGE(WM_TRUNK_WALK_ABORTED, OnTrunkWalkEnd)
    ON_BN_CLICKED(IDC_MIRROR_APPLY, OnApply)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_MIRROR_TX_FIRST, IDC_MIRROR_TX_LAST, OnPortBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_MIRROR_RX_FIRST, IDC_MIRROR_RX_LAST, OnPortBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_MIRROR_BOTH_FIRST, IDC_MIRROR_BOTH_LAST, OnPortBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_MIRROR_NONE_FIRST, IDC_MIRROR_NONE_LAST, OnPortBox)
    ON_BN_CLICKED(IDC_MIRROR_ALL_TX, OnAllTx)
    ON_BN_CLICKED(IDC_MIRROR_ALL_RX, OnAllRx)
    ON_BN_CLICKED(IDC_MIRROR_ALL_BOTH, OnAllBoth)
    ON_BN_CLICKED(IDC_MIRROR_ALL_NONE, OnAllNone)
    ON_CBN_SELCHANGE(IDC_MIRROR_TARGET_PORT, OnTargetPortChange)
    ON_BN_CLICKED(IDC_MIRROR_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_MIRROR_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_MIRROR_ENABLED, OnEnabled)
    ON_BN_CLICKED(IDC_MIRROR_DISABLED, OnDisabled)
END_MESSAGE_MAP()

CPortMirroringdlg::CPortMirroringdlg(CWnd* pParent) : ClxDialog(IDD_PORT_MIRRORING, pParent) {}

CPortMirroringdlg::~CPortMirroringdlg() = default;

BOOL CPortMirroringdlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_Logic.CloseAll();
    OutputDebugString("==================m_Logic.CloseAll===============");
    return ClxDialog::DestroyWindow();
}

void CPortMirroringdlg::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MIRROR_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_MIRROR_TARGET_PORT, m_comboTargetPort);
}

BOOL CPortMirroringdlg::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort)
        m_comboTargetPort.AddString(std::to_string(nPort));
    m_comboTargetPort.SetCurSel(0);
    GetDlgItem(IDC_MIRROR_SPARE_TX_LABEL)->ShowWindow(SW_HIDE);

    CreatePortPanels();

    OnRefresh();
    return TRUE;
}

// The port numbers start at the right edge of "Select All"; each mode's row of
// boxes starts at the right edge of its "All" button, every box under its
// port's number, and the rows end 2 pixels inside the source group box.
// Beyond 28 ports each row has two lines, and the TX row goes under the port
// numbers instead: each of its lines under its own line of numbers.
void CPortMirroringdlg::CreatePortPanels()
{
    const CRect rcPortRow = ClientRectOf(*this, IDC_MIRROR_PORT_ROW);
    PortRowsPlace place;
    place.ptFirst = CPoint(rcPortRow.right, rcPortRow.top);
    place.nRight = ClientRectOf(*this, IDC_MIRROR_SOURCE_GROUP).right - 2;
    place.nBox = ClientRectOf(*this, IDC_MIRROR_ALL_RX).Height();
    const PortRowsGeometry geometry = PortRowsLayout(g_nPortCount, place, PortLabelMinimum(*this));
    const bool bTwoLines = geometry.nPerLine < g_nPortCount;
    if (bTwoLines)
        CreatePortRows(*this, g_nPortCount, place, IDC_MIRROR_PORT_LABEL_FIRST, BS_AUTOCHECKBOX, kFirstIds[kTx],
                       m_pPortLabels, m_pRows[kTx]);
    else
        CreatePortLabels(*this, g_nPortCount, place, IDC_MIRROR_PORT_LABEL_FIRST, m_pPortLabels);

    const int nLeft = geometry.BoxRect(place, 0).left;
    for (int row = bTwoLines ? kRx : kTx; row < kRowCount; ++row) {
        const CRect rcAll = ClientRectOf(*this, kAllButtons[row]);
        auto& panel = m_pRows[static_cast<size_t>(row)];
        panel = std::make_unique<CBtnEXT>(g_nPortCount, rcAll.Height(), kBoxRowGap);
        panel->SetParentDlg(this);
        panel->SetSpacing(geometry.nPitch - rcAll.Height());
        panel->Create(BS_AUTOCHECKBOX, kFirstIds[row], CRect(nLeft, rcAll.top, nLeft, rcAll.bottom), 0);
    }

    // Close ends where the None row ends; Apply and Refresh move with it.
    CRect rcNone;
    m_pRows[kNone]->GetBoundingRect(rcNone);
    const int dx = rcNone.IsRectEmpty() ? 0 : rcNone.right - ClientRectOf(*this, IDC_MIRROR_CLOSE).right;
    for (int nID : {IDC_MIRROR_CLOSE, IDC_MIRROR_APPLY, IDC_MIRROR_REFRESH}) {
        CRect rc = ClientRectOf(*this, nID);
        rc.OffsetRect(dx, 0);
        GetDlgItem(nID)->MoveWindow(&rc);
    }
}

void CPortMirroringdlg::SetMode(int nIndex, Row row)
{
    for (int r = 0; r < kRowCount; ++r)
        m_pRows[static_cast<size_t>(r)]->SetCheck(r == row ? BST_CHECKED : BST_UNCHECKED, nIndex);
}

void CPortMirroringdlg::EnablePort(int nIndex, BOOL bEnable)
{
    for (auto& panel : m_pRows)
        panel->EnableButton(bEnable, nIndex);
}

void CPortMirroringdlg::EnableAllPorts(BOOL bEnable)
{
    for (int i = 0; i < g_nPortCount; ++i)
        EnablePort(i, bEnable);
}

int CPortMirroringdlg::TargetPort() const
{
    return PortNumber(m_comboTargetPort.GetWindowText());
}

void CPortMirroringdlg::OnRefresh()
{
    m_readReport.Begin();
    EnableAllPorts(TRUE);
    if (m_Logic.SetHwnd(GetSafeHwnd())) {
        m_Logic.WalkTrunkPorts();
        if (!m_Logic.GetMirrorState())
            m_readReport.Fail(kMirrorWhat, m_bShownRead);
    }
}

LRESULT CPortMirroringdlg::OnTrunkWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    // The groups of the last complete walk stay.
    if (wParam != 0)
        m_readReport.Fail(kMirrorWhat, m_bShownRead);
    return 0;
}

LRESULT CPortMirroringdlg::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CPortMirroringLogic::kNotifyReadFailed) {
        m_readReport.Fail(kMirrorWhat, m_bShownRead);
        return 0;
    }
    if (wParam != CPortMirroringLogic::kNotifyState || lParam == 0)
        return 0;
    const auto& info = *reinterpret_cast<const MIRROR_state_info*>(lParam);
    m_bShownRead = true;

    if (info.nEnabled == 1) {
        CheckDlgButton(IDC_MIRROR_ENABLED, BST_CHECKED);
        CheckDlgButton(IDC_MIRROR_DISABLED, BST_UNCHECKED);
        m_comboTargetPort.EnableWindow(TRUE);
    } else {
        // A state the switch cannot mean checks neither button.
        CheckDlgButton(IDC_MIRROR_ENABLED, BST_UNCHECKED);
        CheckDlgButton(IDC_MIRROR_DISABLED, info.nEnabled == 0 ? BST_CHECKED : BST_UNCHECKED);
        m_comboTargetPort.EnableWindow(FALSE);
        EnableAllPorts(FALSE);
    }

    // A target outside the ports is shown as it came, and disables no box.
    m_comboTargetPort.SetWindowText(info.strTargetPort);
    if (const int nTarget = PortNumber(info.strTargetPort); nTarget != 0)
        EnablePort(nTarget - 1, FALSE);

    for (int i = 0; i < g_nPortCount; ++i) {
        const MIRROR_port_info port = i < static_cast<int>(info.ports.size()) ? info.ports[static_cast<size_t>(i)]
                                                                              : MIRROR_port_info{};
        Row row = kNone;
        if (port.bRx != 0 && port.bTx != 0)
            row = kBoth;
        else if (port.bRx != 0)
            row = kRx;
        else if (port.bTx != 0)
            row = kTx;
        SetMode(i, row);
    }
    return 0;
}

void CPortMirroringdlg::OnPortBox(UINT nID)
{
    for (int row = 0; row < kRowCount; ++row) {
        if (nID >= kFirstIds[row] && nID <= kLastIds[row]) {
            SetMode(static_cast<int>(nID - kFirstIds[row]), static_cast<Row>(row));
            return;
        }
    }
}

void CPortMirroringdlg::SetAll(Row row, bool bTargetToo)
{
    const int nTarget = std::atoi(m_comboTargetPort.GetWindowText().c_str());
    for (int i = 0; i < g_nPortCount; ++i) {
        if (bTargetToo || i + 1 != nTarget)
            SetMode(i, row);
    }
}

void CPortMirroringdlg::OnAllTx()
{
    SetAll(kTx, false);
}

void CPortMirroringdlg::OnAllRx()
{
    SetAll(kRx, false);
}

void CPortMirroringdlg::OnAllBoth()
{
    SetAll(kBoth, false);
}

void CPortMirroringdlg::OnAllNone()
{
    SetAll(kNone, true);
}

void CPortMirroringdlg::OnTargetPortChange()
{
    EnableAllPorts(TRUE);
    const int nSel = m_comboTargetPort.GetCurSel();
    if (nSel < 0)
        return;
    std::string strText;
    m_comboTargetPort.GetLBText(nSel, strText);
    if (const int nTarget = PortNumber(strText); nTarget != 0) {
        EnablePort(nTarget - 1, FALSE);
        SetMode(nTarget - 1, kNone);
    }
}

void CPortMirroringdlg::OnEnabled()
{
    m_comboTargetPort.EnableWindow(TRUE);
    const int nTarget = TargetPort();
    for (int i = 0; i < g_nPortCount; ++i)
        EnablePort(i, i + 1 != nTarget ? TRUE : FALSE);
}

void CPortMirroringdlg::OnDisabled()
{
    m_comboTargetPort.EnableWindow(FALSE);
    EnableAllPorts(FALSE);
}

void CPortMirroringdlg::OnClose()
{
    OnCancel();
}

void CPortMirroringdlg::OnApply()
{
    const bool bEnable = IsDlgButtonChecked(IDC_MIRROR_ENABLED) == BST_CHECKED;
    const int nTarget = TargetPort();
    if (bEnable && nTarget == 0) {
        AfxMessageBox("Target Port must be a port number from 1 to " + std::to_string(g_nPortCount) + ".");
        return;
    }
    // What the controls show rests on a read of the switch: without one, an
    // Apply would write the dialog's defaults over the switch's settings.
    if (!m_Logic.IsStateRead()) {
        CReadReport::RefuseUnread(kMirrorWhat);
        return;
    }

    if (bEnable) {
        const std::vector<int> groups = m_Logic.GetTrunkPorts();
        const auto groupOf = [&](int i) { return i < static_cast<int>(groups.size()) ? groups[static_cast<size_t>(i)] : 0; };
        if (groupOf(nTarget - 1) != 0) {
            AfxMessageBox("Target Port is Trunking Port!");
            return;
        }
        bool bAnySource = false;
        m_Logic.m_pPortInfo.assign(static_cast<size_t>(std::max(g_nPortCount, 0)), MIRROR_port_info{});
        for (int i = 0; i < g_nPortCount; ++i) {
            MIRROR_port_info& port = m_Logic.m_pPortInfo[static_cast<size_t>(i)];
            if (m_pRows[kBoth]->GetCheck(i) == BST_CHECKED) {
                port.bTx = 1;
                port.bRx = 1;
            } else if (m_pRows[kTx]->GetCheck(i) == BST_CHECKED) {
                port.bTx = 1;
            } else if (m_pRows[kRx]->GetCheck(i) == BST_CHECKED) {
                port.bRx = 1;
            }
            bAnySource = bAnySource || port.bTx != 0 || port.bRx != 0;
            port.nTrunkGroup = groupOf(i);
            port.bSkip = port.nTrunkGroup == 0 ? 1 : 0;
        }
        if (!bAnySource) {
            AfxMessageBox("Must at least select one source port.");
            OnRefresh();
            return;
        }
        if (m_Logic.CheckTrunkGroups() == 0) {
            AfxMessageBox("Must select whole ports of the aggregated link with the same Sniffer Mode to source port.");
            OnRefresh();
            return;
        }
    }
    CWriteReport report;
    m_Logic.SetMirror(m_Logic.GetState(), bEnable ? "1" : "2", bEnable ? std::to_string(nTarget) : std::string(),
                      report);
    report.Report();
    // A silent switch is not asked again at once.
    if (!report.TimedOut())
        OnRefresh();
}

#include "features/ports_vlans/CKSXPVIDConfig.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "common/VlanTableOids.h"
#include "features/ports_vlans/PortGridLayout.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <algorithm>
#include <iterator>

namespace {

// The run-time control ids leave room for this many ports.
constexpr int kMaxPorts = IDC_PVID_EDIT_LAST - IDC_PVID_EDIT_FIRST + 1;

const LxLayoutItem kPvidLayout[] = {
    {IDOK, 2, 100},
    {IDCANCEL, 2, 100},
    {IDC_PVID_REFRESH, 2, 100},
    {IDC_PVID_GROUP, 5, 100},
};

// Window size (pixels) by port count; other counts keep the template's size.
constexpr WindowSize kPvidWindowSizes[] = {{10, 460, 255}, {16, 450, 245}, {20, 480, 245}, {24, 545, 255},
                                           {28, 625, 255}, {48, 545, 345}, {52, 585, 345}};

// Extra gap between port columns and ports per row (0: all in one row).
constexpr GridShape kPvidGridShapes[] = {{8, 0, 0},   {10, 0, 0},  {16, 10, 8}, {20, 0, 10},
                                         {24, 0, 12}, {28, 0, 14}, {48, 0, 12}, {52, 0, 13}};

// Grid geometry, pixels.
constexpr int kLeft = 25;
constexpr int kPvidColumnStep = 40;
constexpr int kRowStep = 45;
constexpr int kPvidLabelTop = 65;
// 17 pixels high, so that the sunken frame does not cut into the digits of
// the dialog font.
constexpr int kLabelHeight = 17;
constexpr int kEditTop = 85;
constexpr int kEditHeight = 20;
constexpr int kControlWidth = 40;

} // namespace

BEGIN_MESSAGE_MAP(CKSXPVIDConfig, ClxDialog)
    ON_BN_CLICKED(IDC_PVID_REFRESH, OnRefresh)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_PVID_EDIT_FIRST, IDC_PVID_EDIT_LAST, OnPvidChange)
    ON_MESSAGE(WM_READ_FAILED, OnReadFailed)
END_MESSAGE_MAP()

CKSXPVIDConfig::CKSXPVIDConfig(CWnd* pParent) : ClxDialog(IDD_PVID_CONFIG, pParent) {}

CKSXPVIDConfig::~CKSXPVIDConfig()
{
    // Before the controls go: once the sessions are stopped no call-back runs.
    StopSessions();
}

void CKSXPVIDConfig::StopSessions()
{
    m_cCommonSNMPTable.Close();
    m_logic.Close();
}

BOOL CKSXPVIDConfig::DestroyWindow()
{
    StopSessions();
    return ClxDialog::DestroyWindow();
}

BOOL CKSXPVIDConfig::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    const size_t nPorts = static_cast<size_t>(std::max(g_nPortCount, 0));
    {
        std::lock_guard lock(m_csData);
        m_pPvid.assign(nPorts, 0);
        m_pPvidRead = m_pPvid;
        m_pPvidShown = m_pPvid;
        m_bPvidRead = false;
    }

    SetLayout(kPvidLayout, static_cast<int>(std::size(kPvidLayout)));
    for (const WindowSize& size : kPvidWindowSizes) {
        if (size.nPorts == g_nPortCount)
            MoveWindow(200, 200, size.nWidth, size.nHeight);
    }

    CreatePvidControls();
    OnRefresh();
    return TRUE;
}

void CKSXPVIDConfig::CreatePvidControls()
{
    const int nPorts = std::min(std::max(g_nPortCount, 0), kMaxPorts);
    // Counts the table does not name: one row up to 14 ports, else rows of 13.
    m_nPortGap = 0;
    int nPerRow = nPorts <= 14 ? nPorts : 13;
    for (const GridShape& shape : kPvidGridShapes) {
        if (shape.nPorts == nPorts) {
            m_nPortGap = shape.nGap;
            nPerRow = shape.nPerRow == 0 ? nPorts : shape.nPerRow;
        }
    }
    nPerRow = std::max(nPerRow, 1);

    m_pPortLabel.resize(static_cast<size_t>(nPorts));
    m_pPvidEdit.resize(static_cast<size_t>(nPorts));
    for (int p = 1; p <= nPorts; ++p) {
        const int r = (p - 1) / nPerRow;
        const int c = (p - 1) % nPerRow;
        m_nRowOffset = kRowStep * r;
        const int x = kLeft + c * (kPvidColumnStep + m_nPortGap);
        const size_t i = static_cast<size_t>(p - 1);

        const int nLabelId = IDC_PVID_PORT_LABEL_FIRST + p - 1;
        if (GetDlgItem(nLabelId) == nullptr) {
            const int y = kPvidLabelTop + m_nRowOffset;
            m_pPortLabel[i] = std::make_unique<CStatic>();
            m_pPortLabel[i]->Create(std::to_string(p).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN,
                                    CRect(x, y, x + kControlWidth, y + kLabelHeight), this,
                                    static_cast<UINT>(nLabelId));
        }
        const int nEditId = IDC_PVID_EDIT_FIRST + p - 1;
        if (GetDlgItem(nEditId) == nullptr) {
            const int y = kEditTop + m_nRowOffset;
            m_pPvidEdit[i] = std::make_unique<CEdit>();
            m_pPvidEdit[i]->CreateEx(WS_EX_CLIENTEDGE, "Edit", "",
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_CENTER | ES_NOHIDESEL,
                                     CRect(x, y, x + kControlWidth, y + kEditHeight), this, static_cast<UINT>(nEditId));
        }
    }
}

void CKSXPVIDConfig::OnRefresh()
{
    // The previous walk ends here: its late replies are stale.
    m_readReport.Begin();
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPTable.Open(1);
    {
        // A port the walk does not give a PVID is unknown (0).
        std::lock_guard lock(m_csData);
        m_pPvidRead.assign(m_pPvid.size(), 0);
    }
    m_cCommonSNMPTable.AddValue(kPvidColumn, 4);
    if (!m_cCommonSNMPTable.StartAsync(&CKSXPVIDConfig::OnPvidReply, this))
        OnReadFailed(0, 0);
    m_logic.StartTrunkWalk();
}

LRESULT CKSXPVIDConfig::OnReadFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    bool bKeptLast = false;
    {
        std::lock_guard lock(m_csData);
        bKeptLast = m_bPvidRead;
    }
    m_readReport.Fail("the PVIDs", bKeptLast);
    return 0;
}

int CKSXPVIDConfig::OnPvidReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CKSXPVIDConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus == -2) {
        pThis->EndPvidWalk();
        session.SignalDone();
        return 0;
    }
    // A failed walk leaves the PVIDs and edits as they were.
    if (nStatus != 0) {
        session.SignalDone();
        pThis->PostMessage(WM_READ_FAILED);
        return 0;
    }
    pThis->StorePvidRow(pResponse.get());
    pResponse.reset();
    if (!session.StartAsync(&CKSXPVIDConfig::OnPvidReply, pThis)) {
        session.SignalDone();
        pThis->PostMessage(WM_READ_FAILED);
    }
    return 0;
}

void CKSXPVIDConfig::StorePvidRow(CSnmp* pResponse)
{
    const int nCount = pResponse->getVarBindCount();
    for (int i = 0; i < nCount; ++i) {
        std::string strSuffix;
        m_cCommonSNMPTable.GetIndexSuffix(i, pResponse, strSuffix);
        const int nPort = CUtils::RowPort(strSuffix);
        // A PVID outside 1..4094 or of another type is unknown (0).
        const int nPvid = std::atoi(CModuleBase::RangeText(pResponse, i, 1, 4094).c_str());
        std::lock_guard lock(m_csData);
        // A row for a port the switch does not have is ignored.
        if (nPort != 0 && nPort <= static_cast<int>(m_pPvidRead.size()))
            m_pPvidRead[static_cast<size_t>(nPort - 1)] = nPvid;
    }
}

void CKSXPVIDConfig::EndPvidWalk()
{
    std::vector<int> pvids;
    {
        std::lock_guard lock(m_csData);
        m_pPvid = m_pPvidRead;
        m_pPvidShown = m_pPvidRead;
        m_bPvidRead = true;
        pvids = m_pPvid;
    }
    // Carried to the UI thread; the lock is not held meanwhile.
    ShowPvids(pvids);
}

void CKSXPVIDConfig::ShowPvids(const std::vector<int>& pvids)
{
    const int nPorts = std::min(static_cast<int>(pvids.size()), kMaxPorts);
    for (int p = 1; p <= nPorts; ++p) {
        if (GetDlgItem(IDC_PVID_EDIT_FIRST + p - 1) != nullptr) {
            // An unknown PVID is shown empty.
            const int nPvid = pvids[static_cast<size_t>(p - 1)];
            SetDlgItemText(IDC_PVID_EDIT_FIRST + p - 1, nPvid == 0 ? std::string() : std::to_string(nPvid));
        }
    }
}

void CKSXPVIDConfig::OnPvidChange(UINT nID)
{
    const int i = static_cast<int>(nID) - IDC_PVID_EDIT_FIRST;
    const int nPvid = static_cast<int>(GetDlgItemInt(static_cast<int>(nID), nullptr, TRUE));
    std::lock_guard lock(m_csData);
    if (i >= 0 && i < static_cast<int>(m_pPvid.size()))
        m_pPvid[static_cast<size_t>(i)] = nPvid;
}

void CKSXPVIDConfig::OnOK()
{
    std::vector<int> pvids;
    bool bRead = false;
    {
        std::lock_guard lock(m_csData);
        pvids = m_pPvid;
        bRead = m_bPvidRead;
        // A port whose PVID was not read and that the user left empty would
        // be written with a PVID nobody chose.
        for (size_t i = 0; i < pvids.size() && i < m_pPvidShown.size(); ++i) {
            if (pvids[i] == 0 && m_pPvidShown[i] == 0)
                bRead = false;
        }
    }
    // Without a completed read the PVIDs held are not the switch's.
    if (!bRead) {
        CReadReport::RefuseUnread("the PVIDs");
        return;
    }
    if (!CPVIDConfigLogic::CheckTrunkPvid(pvids, m_logic.GetTrunkPorts()))
        return;
    if (!CPVIDConfigLogic::CheckPvidVlans(pvids, m_pVlanList))
        return;
    CWriteReport report;
    if (!m_logic.SetPvids(pvids, report)) {
        report.Report();
        return;
    }
    EndDialog(IDOK);
}

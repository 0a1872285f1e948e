#include "features/ports_vlans/CKSXTrunkPort.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "features/ports_vlans/PortGridLayout.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <cstdlib>

namespace {

// OK and Cancel keep to the lower right corner, the Port Member box grows both
// ways, the Trunk box grows in width, and the mode label and field follow the
// right edge.
const LxLayoutItem kTrunkLayout[] = {
    {IDOK, 2, 100},
    {IDCANCEL, 2, 100},
    {IDC_TRUNK_MEMBER_PORTS, 5, 100},
    {IDC_TRUNK_MEMBER_GROUP, 3, 100},
    {IDC_TRUNK_MEMBER_MODE_LABEL, 0, 100},
    {IDC_TRUNK_MEMBER_MODE, 0, 100},
};

// Window size (pixels) by port count; other counts keep the template's size.
const WindowSize kTrunkWindowSizes[] = {
    {10, 520, 275}, {16, 447, 275}, {20, 550, 255}, {24, 550, 275}, {28, 580, 275}, {48, 520, 330}, {52, 560, 330},
};

// Per-port controls, pixels in the dialog's client area.
constexpr int kPortLeft = 55;
constexpr int kPortWidth = 17;
constexpr int kCheckWidth = 20;
constexpr int kTrunkLabelTop = 125;
constexpr int kCheckTop = 140;
constexpr int kCheckBottom = 160;
constexpr int kTrunkSecondRowOffset = 45;

} // namespace

BEGIN_MESSAGE_MAP(CKSXTrunkPort, ClxDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TRUNK_MEMBER_CHECK_FIRST, IDC_TRUNK_MEMBER_CHECK_LAST, OnPortCheck)
END_MESSAGE_MAP()

CKSXTrunkPort::CKSXTrunkPort(CWnd* pParent) : ClxDialog(IDD_TRUNK_MEMBER, pParent) {}

CKSXTrunkPort::~CKSXTrunkPort()
{
    for (auto& pCheck : m_pPortCheck)
        pCheck->DestroyWindow();
    for (auto& pLabel : m_pPortLabel)
        pLabel->DestroyWindow();
}

void CKSXTrunkPort::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRUNK_MEMBER_MODE, m_editMode);
    DDX_Control(pDX, IDC_TRUNK_MEMBER_ID, m_editTrunkId);
}

BOOL CKSXTrunkPort::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("Trunk member");

    const size_t nPorts = static_cast<size_t>(std::max(g_nPortCount, 0));
    m_pPortCheck.clear();
    m_pPortLabel.clear();
    for (size_t i = 0; i < nPorts; ++i) {
        m_pPortCheck.push_back(std::make_unique<CButton>());
        m_pPortLabel.push_back(std::make_unique<CStatic>());
    }
    m_pPortSelected.assign(nPorts, 0);

    SetLayout(kTrunkLayout, static_cast<int>(std::size(kTrunkLayout)));
    for (const WindowSize& size : kTrunkWindowSizes)
        if (size.nPorts == g_nPortCount)
            MoveWindow(200, 200, size.nWidth, size.nHeight);

    CreatePortControls();

    if (m_TrunkValid.Init())
        ShowTrunk();
    else
        AfxMessageBox("TrunkValid Init Error !", MB_OK);
    return TRUE;
}

void CKSXTrunkPort::CreatePortControls()
{
    int nPerRow = g_nPortCount;
    m_nPortGap = 0;
    switch (g_nPortCount) {
    case 10:
        m_nPortGap = 25;
        break;
    case 16:
        m_nPortGap = 4;
        break;
    case 20:
        m_nPortGap = 6;
        break;
    case 48:
        nPerRow = 24;
        break;
    case 52:
        nPerRow = 26;
        break;
    default:
        break;
    }
    for (int i = 0; i < g_nPortCount; ++i) {
        m_nRowOffset = nPerRow > 0 && i / nPerRow == 1 ? kTrunkSecondRowOffset : 0;
        CreatePortControl(IDC_TRUNK_MEMBER_CHECK_FIRST + i, IDC_TRUNK_MEMBER_LABEL_FIRST + i, i + 1);
    }
}

void CKSXTrunkPort::CreatePortControl(int nCheckId, int nLabelId, int nPort)
{
    const size_t nIndex = static_cast<size_t>(nPort - 1);
    if (nIndex >= m_pPortCheck.size())
        return;
    int nColumn = nPort - 1;
    if (m_nRowOffset != 0)
        nColumn -= g_nPortCount == 48 ? 24 : g_nPortCount == 52 ? 26 : 0;
    const int x = kPortLeft + nColumn * (kPortWidth + m_nPortGap);

    if (GetDlgItem(nLabelId) == nullptr) {
        const CRect rcLabel(x, kTrunkLabelTop + m_nRowOffset, x + kPortWidth, kCheckTop + m_nRowOffset);
        m_pPortLabel[nIndex]->Create(std::to_string(nPort).c_str(), WS_CHILD | SS_CENTER | SS_SUNKEN, rcLabel, this,
                                     static_cast<UINT>(nLabelId));
        m_pPortLabel[nIndex]->ShowWindow(SW_SHOW);
    }
    if (GetDlgItem(nCheckId) == nullptr) {
        const CRect rcCheck(x, kCheckTop + m_nRowOffset, x + kCheckWidth, kCheckBottom + m_nRowOffset);
        m_pPortCheck[nIndex]->Create("", WS_CHILD | BS_AUTOCHECKBOX, rcCheck, this, static_cast<UINT>(nCheckId));
        m_pPortCheck[nIndex]->ShowWindow(SW_SHOW);
    }
}

void CKSXTrunkPort::ShowTrunk()
{
    m_editTrunkId.SetWindowText(m_strTrunkID);
    m_editMode.SetWindowText(m_strChannelMode);
    std::fill(m_pPortSelected.begin(), m_pPortSelected.end(), 0);
    ParseMemberList();
    for (size_t i = 0; i < m_pPortCheck.size(); ++i)
        m_pPortCheck[i]->SetCheck(m_pPortSelected[i] == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void CKSXTrunkPort::ParseMemberList()
{
    size_t start = 0;
    while (start < m_strPortMember.size()) {
        size_t comma = m_strPortMember.find(',', start);
        if (comma == std::string::npos)
            comma = m_strPortMember.size();
        const int nPort = std::atoi(m_strPortMember.substr(start, comma - start).c_str());
        if (nPort >= 1 && nPort <= static_cast<int>(m_pPortSelected.size()))
            m_pPortSelected[static_cast<size_t>(nPort - 1)] = 1;
        start = comma + 1;
    }
}

void CKSXTrunkPort::OnPortCheck(UINT nID)
{
    const int nPort = static_cast<int>(nID) - (IDC_TRUNK_MEMBER_CHECK_FIRST - 1);
    if (nPort < 1 || nPort > static_cast<int>(m_pPortSelected.size()))
        return;
    const size_t nIndex = static_cast<size_t>(nPort - 1);
    m_pPortSelected[nIndex] = m_pPortCheck[nIndex]->GetCheck() == BST_CHECKED ? 1 : 0;
}

void CKSXTrunkPort::OnOK()
{
    m_strMemberMask.clear();
    const std::string strTrunkId = m_editTrunkId.GetWindowText();
    const std::string strMode = m_editMode.GetWindowText() == "LACP" ? "1" : "2";

    std::vector<int> flags(m_pPortSelected.size(), 0);
    int nCount = 0;
    for (size_t i = 0; i < flags.size(); ++i) {
        flags[i] = m_pPortSelected[i] != 0 ? 1 : 0;
        nCount += flags[i];
    }
    if (nCount < 2) {
        AfxMessageBox("The mininum port members for an aggregated link is 2 !", MB_OK);
        return;
    }
    if (nCount > 8) {
        AfxMessageBox("The maxinum port member for an aggregated link is exceeded !", MB_OK);
        return;
    }

    m_TrunkValid.SetSelection(&m_pPortSelected, m_strPortMember);
    const bool bAdmitted = m_TrunkValid.CheckTrunkMembers();
    m_TrunkValid.SetSelection(nullptr, m_strPortMember);
    if (!bAdmitted) {
        OutputDebugString("ture or faulse");
        return;
    }

    std::string strMask;
    CUtils::PortFlagsToHex(flags, strMask);
    CUtils::PadHexPortMask(strMask);
    CWriteReport report;
    if (m_TrunkValid.WriteTrunk(strMode, strMask, strTrunkId, report) == 0) {
        // Nothing was taken: the picker stays open with the user's choice.
        report.Report();
        return;
    }
    m_strMemberMask = strMask;
    ClxDialog::OnOK();
}

BOOL CKSXTrunkPort::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_TrunkValid.Close();
    return ClxDialog::DestroyWindow();
}

#include "features/ports_vlans/CKSXVlanAdd.h"

#include "common/CCodeConvert.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "features/ports_vlans/PortGridLayout.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

constexpr int kMaxVidChars = 4;
constexpr int kMaxNameChars = 20;
// The grid's control ids leave room for this many ports.
constexpr int kMaxGridPorts = IDC_VLANADD_UNTAGGED_LAST - IDC_VLANADD_UNTAGGED_FIRST + 1;

const LxLayoutItem kVlanAddLayout[] = {
    {IDOK, 2, 100},
    {IDCANCEL, 2, 100},
    {IDC_VLANADD_ID_GROUP, 3, 100},
    {IDC_VLANADD_MEMBER_GROUP, 5, 100},
    {IDC_VLANADD_FORBIDDEN_LABEL, 1, 50},
    {IDC_VLANADD_NOT_MEMBER_LABEL, 1, 70},
    {IDC_VLANADD_UNTAGGED_LABEL, 1, 50},
};

// Window size (pixels) by port count; other counts keep the template's size.
constexpr WindowSize kVlanAddWindowSizes[] = {
    {8, 500, 320}, {20, 550, 350}, {28, 570, 360}, {48, 530, 400}, {52, 550, 440}};

// Extra gap between port columns and ports per row, by port count.
constexpr GridShape kVlanAddGridShapes[] = {{8, 38, 8},  {10, 29, 10}, {16, 11, 16}, {20, 5, 20},
                                            {24, 2, 24}, {28, 0, 28},  {48, 0, 24},  {52, 0, 26}};

// Grid geometry, pixels.
constexpr int kVlanAddColumnStep = 17;
constexpr int kVlanAddSecondRowOffset = 35;
constexpr int kBoxWidth = 17;
constexpr int kBoxHeight = 20;
// Port numbers sit right above their Tagged boxes; 17 pixels high, so that
// the sunken frame does not cut into the digits of the dialog font.
constexpr int kNumberTop = 3;
constexpr int kNumberHeight = 17;

// Trailing zeros of the masks the static VLAN table is written with.
constexpr const char* kMaskPad28 = "000000000";
constexpr const char* kMaskPad52 = "00000000000";

} // namespace

BEGIN_MESSAGE_MAP(CKSXVlanAdd, ClxDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_VLANADD_TAGGED_FIRST, IDC_VLANADD_TAGGED_LAST, OnTagged)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_VLANADD_UNTAGGED_FIRST, IDC_VLANADD_UNTAGGED_LAST, OnUntagged)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_VLANADD_NOT_MEMBER_FIRST, IDC_VLANADD_NOT_MEMBER_LAST, OnNotMember)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_VLANADD_FORBIDDEN_FIRST, IDC_VLANADD_FORBIDDEN_LAST, OnForbidden)
    ON_EN_CHANGE(IDC_VLANADD_VID, OnVidChange)
    ON_EN_CHANGE(IDC_VLANADD_NAME, OnNameChange)
END_MESSAGE_MAP()

CKSXVlanAdd::CKSXVlanAdd(CWnd* pParent) : ClxDialog(IDD_VLAN_ADD, pParent) {}

CKSXVlanAdd::~CKSXVlanAdd() = default;

BOOL CKSXVlanAdd::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_logic.Close();
    return ClxDialog::DestroyWindow();
}

void CKSXVlanAdd::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VLANADD_NAME, m_editName);
    DDX_Control(pDX, IDC_VLANADD_VID, m_editVid);
    DDX_Control(pDX, IDC_VLANADD_ADVERTISEMENT, m_chkAdvertisement);
}

BOOL CKSXVlanAdd::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    if (m_bAdd) {
        SetWindowText("Add VLAN");
    } else {
        SetWindowText("Edit VLAN");
        m_editVid.EnableWindow(FALSE);
        if (m_nVid == 1)
            m_editName.EnableWindow(FALSE);
    }
    m_editName.SetLimitText(kMaxNameChars);

    // The caller's port count sizes everything per port.
    const size_t nPorts = static_cast<size_t>(std::max(m_nPortCount, 0));
    m_pEgress.assign(nPorts, 0);
    m_pUntagged.assign(nPorts, 0);
    m_pNotMember.assign(nPorts, 0);
    m_pForbidden.assign(nPorts, 0);

    m_logic.Init();
    SetLayout(kVlanAddLayout, static_cast<int>(std::size(kVlanAddLayout)));
    for (const WindowSize& size : kVlanAddWindowSizes) {
        if (size.nPorts == m_nPortCount)
            MoveWindow(200, 200, size.nWidth, size.nHeight);
    }

    CreatePortControls();
    InitPortStates();
    m_strUntaggedElsewhere = CVlanAddLogic::AllUntaggedPorts(m_pVlanList);
    return TRUE;
}

void CKSXVlanAdd::CreatePortControls()
{
    const int nPorts = std::min(static_cast<int>(m_pEgress.size()), kMaxGridPorts);
    // Counts the table does not name: one row up to 28 ports, else two.
    m_nPortGap = 0;
    int nPerRow = nPorts <= 28 ? nPorts : (nPorts + 1) / 2;
    for (const GridShape& shape : kVlanAddGridShapes) {
        if (shape.nPorts == nPorts) {
            m_nPortGap = shape.nGap;
            nPerRow = shape.nPerRow;
        }
    }
    const int nStep = kVlanAddColumnStep + m_nPortGap;

    auto clientRect = [this](int nID) {
        CRect rect;
        GetDlgItem(nID)->GetWindowRect(&rect);
        ScreenToClient(&rect);
        return rect;
    };
    const CRect tagged = clientRect(IDC_VLANADD_TAGGED_LABEL);
    const CRect untagged = clientRect(IDC_VLANADD_UNTAGGED_LABEL);
    const CRect notMember = clientRect(IDC_VLANADD_NOT_MEMBER_LABEL);
    const CRect forbidden = clientRect(IDC_VLANADD_FORBIDDEN_LABEL);

    m_pPortLabel.resize(static_cast<size_t>(nPorts));
    m_pTaggedBtn.resize(static_cast<size_t>(nPorts));
    m_pUntaggedBtn.resize(static_cast<size_t>(nPorts));
    m_pNotMemberBtn.resize(static_cast<size_t>(nPorts));
    m_pForbiddenBtn.resize(static_cast<size_t>(nPorts));

    auto makeBox = [this](std::unique_ptr<CButton>& box, UINT nID, int x, int y, bool bVisible) {
        if (GetDlgItem(static_cast<int>(nID)) != nullptr)
            return;
        box = std::make_unique<CButton>();
        const DWORD dwStyle = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | (bVisible ? WS_VISIBLE : 0);
        box->Create("", dwStyle, CRect(x, y, x + kBoxWidth, y + kBoxHeight), this, nID);
    };

    for (int p = 1; p <= nPorts; ++p) {
        const bool bSecondRow = (p - 1) / nPerRow == 1;
        m_nRowOffset = bSecondRow ? kVlanAddSecondRowOffset : 0;
        const int c = bSecondRow ? p - 1 - nPerRow : p - 1;
        const size_t i = static_cast<size_t>(p - 1);
        const UINT nOffset = static_cast<UINT>(p - 1);

        const UINT nLabelId = IDC_VLANADD_PORT_LABEL_FIRST + nOffset;
        if (GetDlgItem(static_cast<int>(nLabelId)) == nullptr) {
            const int x = tagged.left + 14 + c * nStep;
            const int y = tagged.bottom + m_nRowOffset + kNumberTop;
            m_pPortLabel[i] = std::make_unique<CStatic>();
            m_pPortLabel[i]->Create(std::to_string(p).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN,
                                    CRect(x, y, x + kVlanAddColumnStep, y + kNumberHeight), this, nLabelId);
        }
        const int x = 16 + c * nStep;
        makeBox(m_pTaggedBtn[i], IDC_VLANADD_TAGGED_FIRST + nOffset, tagged.left + x, tagged.bottom + m_nRowOffset + 20,
                true);
        makeBox(m_pUntaggedBtn[i], IDC_VLANADD_UNTAGGED_FIRST + nOffset, untagged.left + x,
                bSecondRow ? untagged.bottom + kVlanAddSecondRowOffset - 10 : untagged.bottom + 3, true);
        makeBox(m_pNotMemberBtn[i], IDC_VLANADD_NOT_MEMBER_FIRST + nOffset, notMember.left + x,
                bSecondRow ? notMember.bottom + kVlanAddSecondRowOffset - 12 : notMember.bottom + 3, true);
        makeBox(m_pForbiddenBtn[i], IDC_VLANADD_FORBIDDEN_FIRST + nOffset, forbidden.left + x,
                bSecondRow ? forbidden.bottom + kVlanAddSecondRowOffset - 12 : forbidden.bottom + 3, false);
    }
}

void CKSXVlanAdd::InitPortStates()
{
    std::fill(m_pEgress.begin(), m_pEgress.end(), 0);
    std::fill(m_pUntagged.begin(), m_pUntagged.end(), 0);
    std::fill(m_pForbidden.begin(), m_pForbidden.end(), 0);
    std::fill(m_pNotMember.begin(), m_pNotMember.end(), 1);
    if (!m_bAdd)
        LoadVlanRecord();
    for (int p = 1; p <= static_cast<int>(m_pEgress.size()); ++p)
        ShowPortState(p);
}

void CKSXVlanAdd::LoadVlanRecord()
{
    const VLAN_entry_info* pRecord = CVlanAddLogic::FindVlan(m_pVlanList, m_nVid);
    if (pRecord != nullptr) {
        m_szName = pRecord->szName;
        m_strAdvertisement = pRecord->strReserved;
        CVlanAddLogic::GetPortFlags(pRecord, &m_pEgress, &m_pUntagged, &m_pNotMember, &m_pForbidden);
    }
    m_editVid.SetWindowText(std::to_string(m_nVid));
    m_editName.SetWindowText(m_szName);
    m_chkAdvertisement.SetCheck(m_strAdvertisement == "1" ? BST_CHECKED : BST_UNCHECKED);
}

void CKSXVlanAdd::ShowPortState(int nPort)
{
    const size_t i = static_cast<size_t>(nPort - 1);
    if (nPort < 1 || i >= m_pEgress.size())
        return;
    const UINT nOffset = static_cast<UINT>(nPort - 1);
    auto show = [this](UINT nID, bool bChecked) {
        if (GetDlgItem(static_cast<int>(nID)) != nullptr)
            CheckDlgButton(static_cast<int>(nID), bChecked ? BST_CHECKED : BST_UNCHECKED);
    };
    show(IDC_VLANADD_UNTAGGED_FIRST + nOffset, m_pUntagged[i] == 1);
    show(IDC_VLANADD_TAGGED_FIRST + nOffset, m_pEgress[i] == 1 && m_pUntagged[i] == 0);
    show(IDC_VLANADD_NOT_MEMBER_FIRST + nOffset, m_pNotMember[i] == 1);
    show(IDC_VLANADD_FORBIDDEN_FIRST + nOffset, m_pForbidden[i] == 1);
}

BOOL CKSXVlanAdd::KeepChecked(UINT nID)
{
    if (IsDlgButtonChecked(static_cast<int>(nID)) != BST_UNCHECKED)
        return TRUE;
    CheckDlgButton(static_cast<int>(nID), BST_CHECKED);
    return FALSE;
}

int CKSXVlanAdd::PortOf(UINT nID, UINT nFirstId) const
{
    const int nPort = static_cast<int>(nID - nFirstId) + 1;
    return nPort >= 1 && nPort <= static_cast<int>(m_pEgress.size()) ? nPort : 0;
}

int CKSXVlanAdd::ClickedPort(UINT nID, UINT nFirstId)
{
    return KeepChecked(nID) ? PortOf(nID, nFirstId) : 0;
}

void CKSXVlanAdd::LeaveUntagged(int nPort)
{
    if (!m_bAdd && m_pUntagged[static_cast<size_t>(nPort - 1)] == 1)
        CVlanAddLogic::RemoveFromList(nPort, m_strUntaggedElsewhere);
}

void CKSXVlanAdd::SetPortState(int nPort, int nEgress, int nUntagged, int nNotMember, int nForbidden)
{
    const size_t i = static_cast<size_t>(nPort - 1);
    m_pEgress[i] = nEgress;
    m_pUntagged[i] = nUntagged;
    m_pNotMember[i] = nNotMember;
    m_pForbidden[i] = nForbidden;
    ShowPortState(nPort);
}

void CKSXVlanAdd::OnTagged(UINT nID)
{
    const int nPort = ClickedPort(nID, IDC_VLANADD_TAGGED_FIRST);
    if (nPort == 0)
        return;
    LeaveUntagged(nPort);
    SetPortState(nPort, 1, 0, 0, 0);
}

void CKSXVlanAdd::OnUntagged(UINT nID)
{
    const int nPort = ClickedPort(nID, IDC_VLANADD_UNTAGGED_FIRST);
    if (nPort == 0)
        return;
    // Without asymmetric VLAN mode a port is untagged in one VLAN at most.
    if (m_nAsymMode == 2 && CVlanAddLogic::IsNotInList(nPort, m_strUntaggedElsewhere) == 0) {
        CheckDlgButton(static_cast<int>(nID), BST_UNCHECKED);
        return;
    }
    SetPortState(nPort, 1, 1, 0, 0);
}

void CKSXVlanAdd::OnNotMember(UINT nID)
{
    const int nPort = ClickedPort(nID, IDC_VLANADD_NOT_MEMBER_FIRST);
    if (nPort == 0)
        return;
    LeaveUntagged(nPort);
    SetPortState(nPort, 0, 0, 1, 0);
}

void CKSXVlanAdd::OnForbidden(UINT nID)
{
    const int nPort = ClickedPort(nID, IDC_VLANADD_FORBIDDEN_FIRST);
    if (nPort != 0)
        SetPortState(nPort, 0, 0, 0, 1);
}

void CKSXVlanAdd::OnVidChange()
{
    LimitEdit(m_editVid, kMaxVidChars);
}

void CKSXVlanAdd::OnNameChange()
{
    LimitEdit(m_editName, kMaxNameChars);
}

void CKSXVlanAdd::LimitEdit(CEdit& edit, int nMaxChars)
{
    // Characters as the edit counts them: UTF-16 units, a pair kept whole.
    const std::u16string units = CCodeConvert::Utf8ToUtf16(edit.GetWindowText());
    if (static_cast<int>(units.size()) <= nMaxChars)
        return;
    size_t nKeep = static_cast<size_t>(nMaxChars);
    if (units[nKeep - 1] >= 0xD800 && units[nKeep - 1] <= 0xDBFF)
        --nKeep;
    int nStart = 0;
    int nEnd = 0;
    edit.GetSel(nStart, nEnd);
    edit.SetWindowText(CCodeConvert::Utf16ToUtf8(units.substr(0, nKeep)));
    const int nCaret = std::min(nStart, static_cast<int>(nKeep));
    edit.SetSel(nCaret, nCaret);
}

std::string CKSXVlanAdd::PortMask(const std::vector<int>& flags) const
{
    std::string strMask;
    CUtils::PortFlagsToHex(flags, strMask);
    if (m_nPortCount == 52)
        strMask += kMaskPad52;
    else if (m_nPortCount == 28)
        strMask += kMaskPad28;
    else
        CUtils::PadHexPortMask(strMask);
    return strMask;
}

BOOL CKSXVlanAdd::HasOtherMemberVlan(const VLAN_entry_list* pList, int nVid)
{
    if (pList == nullptr)
        return FALSE;
    for (const VLAN_entry_info& record : *pList) {
        DebugTrace("VLAN %d has %d members", record.nVid, record.nEgressCount);
        if (record.nVid != nVid && record.nEgressCount != 0)
            return TRUE;
    }
    return FALSE;
}

void CKSXVlanAdd::OnOK()
{
    m_nVid = std::atoi(m_editVid.GetWindowText().c_str());
    if (m_bAdd && !CVlanAddLogic::CheckVid(m_pVlanList, m_nVid))
        return;

    m_szName = m_editName.GetWindowText();
    if (m_szName.empty()) {
        AfxMessageBox("Vlan name is not allow empty.");
        return;
    }
    if (!CUtils::HasNoSpecialChars(m_szName)) {
        AfxMessageBox("Invalid Vlan name.");
        return;
    }
    if (!m_logic.CheckSameTrunk(m_pEgress) || !m_logic.CheckSameTrunk(m_pUntagged) ||
        !m_logic.CheckSameTrunk(m_pForbidden))
        return;
    if (!m_bAdd) {
        const bool bHasMember = std::any_of(m_pEgress.begin(), m_pEgress.end(), [](int f) { return f == 1; });
        if (!bHasMember && !HasOtherMemberVlan(m_pVlanList, m_nVid)) {
            AfxMessageBox("You have to include at least one member in the vlan");
            return;
        }
    }

    const std::string strVid = std::to_string(m_nVid);
    CWriteReport report;
    WriteVlan(strVid, report);
    report.Report();
    // The list is read again whatever was written.
    EndDialog(IDOK);
}

void CKSXVlanAdd::WriteVlan(const std::string& strVid, CWriteReport& report)
{
    const std::string strVlan = "VLAN " + strVid;
    // The first write the switch refuses or leaves unanswered ends the
    // sequence: what follows it would build on a row the switch does not have.
    if (!CVlanAddLogic::Took(report, m_logic.SetRowStatusBegin(strVid, m_bAdd != 0),
                             m_bAdd ? "the new " + strVlan : "the row status of " + strVlan)) {
        report.SetProgress("Nothing was written.");
        return;
    }
    const std::string strLeft = "The writes before it were made; " + strVlan +
                                (m_bAdd ? " was created but is not active." : " may be left not active.");
    if (m_nVid != 1 && !CVlanAddLogic::Took(report,
                                             m_logic.SetPortColumn(PortMask(std::vector<int>(m_pEgress.size(), 1)),
                                                                   strVid, 1),
                                             "the member ports of " + strVlan)) {
        report.SetProgress(strLeft);
        return;
    }
    const std::string strUntagged = PortMask(m_pUntagged);
    OutputDebugString(" ======szUntagged========== " + strUntagged);
    if (!CVlanAddLogic::Took(report, m_logic.SetPortColumn(strUntagged, strVid, 0),
                             "the untagged ports of " + strVlan)) {
        report.SetProgress(strLeft);
        return;
    }
    const std::string strEgress = PortMask(m_pEgress);
    OutputDebugString(" ======szPortList========== " + strEgress);
    if (!CVlanAddLogic::Took(report, m_logic.SetPortColumn(strEgress, strVid, 1), "the member ports of " + strVlan) ||
        !CVlanAddLogic::Took(report, m_logic.SetPortColumn(PortMask(m_pForbidden), strVid, 2),
                             "the forbidden ports of " + strVlan)) {
        report.SetProgress(strLeft);
        return;
    }
    int nFailedStep = 0;
    const int nStatus = m_logic.SetNameAndActivate(strVid, m_szName, &nFailedStep);
    if (!CVlanAddLogic::Took(report, nStatus, nFailedStep == 0 ? "the name of " + strVlan : "the activation of " + strVlan))
        report.SetProgress(strLeft);
}

#include "features/security/CAddARPEntry.h"

#include "common/CWriteReport.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/arp.h"
#include "resources/main.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

const std::string CAddARPEntry::kTable = KorvelOid("10.76.19.1.14.3.1.1");

namespace {

constexpr const char* kMacFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
constexpr const char* kConfirm = "Make sure the host IP and MAC exists or you will lose the connection.";
constexpr int kLabelWidth = 16;
constexpr int kControlHeight = 17;
constexpr int kPitch = 20;
constexpr int kSecondRowOffset = 40;
constexpr DWORD kPause = 50;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

int ExtraGap(int nPorts)
{
    switch (nPorts) {
    case 16:
        return 4;
    case 10:
        return 25;
    case 8:
        return 35;
    default:
        return 0;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CAddARPEntry, ClxDialog)
    ON_BN_CLICKED(IDC_ARPADD_ALL_PORTS, OnAllPorts)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_ARPADD_BOX_FIRST, IDC_ARPADD_BOX_LAST, OnPortBox)
    ON_BN_CLICKED(IDC_ARPADD_APPLY, OnApply)
    ON_BN_CLICKED(IDC_ARPADD_CANCEL, OnCancelClicked)
END_MESSAGE_MAP()

CAddARPEntry::CAddARPEntry(CWnd* pParent) : ClxDialog(IDD_ARP_ADD_ENTRY, pParent) {}

CAddARPEntry::~CAddARPEntry() = default;

std::string CAddARPEntry::ColumnOid(int nColumn, const std::string& strAddress)
{
    return kTable + "." + std::to_string(nColumn) + "." + strAddress;
}

void CAddARPEntry::SetExistingEntries(std::vector<ARP_entry_info> entries)
{
    m_Existing = std::move(entries);
}

BOOL CAddARPEntry::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_ModuleBase.SetHwnd(nullptr);
    return ClxDialog::DestroyWindow();
}

void CAddARPEntry::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ARPADD_ADDRESS, m_ipAddress);
    DDX_Control(pDX, IDC_ARPADD_MAC, m_editMac);
    DDX_Control(pDX, IDC_ARPADD_ALL_PORTS, m_chkAllPorts);
}

BOOL CAddARPEntry::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_nPortChecked.assign(static_cast<size_t>(std::max(g_nPortCount, 0)), 0);
    m_editMac.LimitText(17);
    m_editMac.SetWindowText("");
    CreatePortControls();
    m_ModuleBase.StartTrunkWalk();
    return TRUE;
}

void CAddARPEntry::CreatePortControls()
{
    const auto clientRect = [this](int nID) {
        CRect rc;
        GetDlgItem(nID)->GetWindowRect(&rc);
        ScreenToClient(&rc);
        return rc;
    };
    const CRect rcPorts = clientRect(IDC_ARPADD_PORTS_LABEL);
    const int nGap = ExtraGap(g_nPortCount);
    const bool bTwoRows = g_nPortCount == 48 || g_nPortCount == 52;
    const int nPerRow = bTwoRows ? g_nPortCount / 2 : g_nPortCount;

    CRect rcLastBox;
    for (int i = 0; i < g_nPortCount; ++i) {
        const int nRow = i / std::max(nPerRow, 1);
        const int e = i % std::max(nPerRow, 1);
        const int x = rcPorts.left + 5 + e * (nGap + kPitch);
        const int y = rcPorts.bottom + 6 + nRow * kSecondRowOffset;
        if (GetDlgItem(IDC_ARPADD_LABEL_FIRST + i) == nullptr) {
            auto label = std::make_unique<CStatic>();
            label->Create(std::to_string(i + 1).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN,
                          CRect(x, y, x + kLabelWidth, y + kControlHeight), this, IDC_ARPADD_LABEL_FIRST + i);
            m_pPortLabels.push_back(std::move(label));
        }
        rcLastBox = CRect(x, y + 18, x + (i == 0 ? 15 : kLabelWidth), y + 18 + kControlHeight);
        if (GetDlgItem(IDC_ARPADD_BOX_FIRST + i) == nullptr) {
            auto box = std::make_unique<CButton>();
            box->Create("", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, rcLastBox, this, IDC_ARPADD_BOX_FIRST + i);
            m_pPortBoxes.push_back(std::move(box));
        }
    }
    if (g_nPortCount < 1)
        return;

    // Cancel ends under the last box, Apply beside it; the frame and the
    // window grow around them.
    CRect rcCancel = clientRect(IDC_ARPADD_CANCEL);
    CRect rcApply = clientRect(IDC_ARPADD_APPLY);
    const int dx = rcLastBox.right - rcCancel.right;
    const int dy = rcLastBox.bottom + 5 - rcCancel.top;
    rcCancel.OffsetRect(dx, dy);
    rcApply.OffsetRect(dx, dy);
    GetDlgItem(IDC_ARPADD_CANCEL)->MoveWindow(&rcCancel);
    GetDlgItem(IDC_ARPADD_APPLY)->MoveWindow(&rcApply);

    CRect rcFrame = clientRect(IDC_ARPADD_FRAME);
    const int nMargin = rcFrame.left;
    rcFrame.right = std::max(rcCancel.right + (rcPorts.left - rcFrame.left), rcFrame.right);
    rcFrame.bottom = rcCancel.bottom + 10;
    GetDlgItem(IDC_ARPADD_FRAME)->MoveWindow(&rcFrame);

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nWidth = rcWindow.Width() - rcClient.Width() + rcFrame.right + nMargin;
    const int nHeight = rcWindow.Height() - rcClient.Height() + rcFrame.bottom + nMargin;
    SetWindowPos(nullptr, 0, 0, nWidth, nHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void CAddARPEntry::OnAllPorts()
{
    const int nCheck = m_chkAllPorts.GetCheck();
    for (size_t i = 0; i < m_pPortBoxes.size(); ++i) {
        m_pPortBoxes[i]->SetCheck(nCheck);
        if (i < m_nPortChecked.size())
            m_nPortChecked[i] = nCheck == BST_CHECKED ? 1 : 0;
    }
}

void CAddARPEntry::OnPortBox(UINT nID)
{
    const size_t i = nID - IDC_ARPADD_BOX_FIRST;
    if (i < m_pPortBoxes.size() && i < m_nPortChecked.size())
        m_nPortChecked[i] = m_pPortBoxes[i]->GetCheck() == BST_CHECKED ? 1 : 0;
}

void CAddARPEntry::OnCancelClicked()
{
    OnCancel();
}

BOOL CAddARPEntry::CheckAddressAndMac(const std::string& strAddress, const std::string& strMac)
{
    if (CUtils::CheckIPv4Address(strAddress) != 1) {
        AfxMessageBox("Multicast IP is not allowed");
        return TRUE;
    }
    bool bForm = strMac.size() == 17;
    for (size_t pos : {2, 5, 8, 11, 14})
        bForm = bForm && strMac[pos] == '-';
    std::string strDigits;
    for (size_t i = 0; bForm && i < strMac.size(); ++i)
        if (i % 3 != 2)
            strDigits += strMac[i];
    bForm = bForm && strDigits.size() >= 12 && strDigits != "000000000000" &&
            strDigits.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
    if (!bForm) {
        AfxMessageBox(kMacFormat);
        return TRUE;
    }
    if (Lower(strDigits) == "ffffffffffff") {
        AfxMessageBox("Broadcast MAC is not allowed.");
        return TRUE;
    }
    if (std::stoi(strDigits.substr(0, 2), nullptr, 16) % 2 != 0) {
        AfxMessageBox("Multicast MAC address is not allowed.");
        return TRUE;
    }
    return FALSE;
}

BOOL CAddARPEntry::CheckTrunkGroups()
{
    return m_ModuleBase.CheckTrunkConsistency(m_nPortChecked);
}

bool CAddARPEntry::SendStep(CWriteReport& report, const std::string& strWhat, const std::string& strAddress,
                            bool bCreated)
{
    if (report.Send(m_cCommonSNMP, strWhat + " of the entry " + strAddress))
        return true;
    // A row left waiting is no entry: it goes again, unless the switch is
    // silent (one time-out per action).
    if (bCreated && !report.TimedOut()) {
        CWriteReport cleanup;
        m_cCommonSNMP.Open(SnmpPduSet);
        m_cCommonSNMP.AddValue(ColumnOid(4, strAddress), SnmpValueInteger, "6");
        cleanup.Send(m_cCommonSNMP, strAddress);
    }
    report.Report();
    return false;
}

void CAddARPEntry::OnApply()
{
    BYTE f0 = 0;
    BYTE f1 = 0;
    BYTE f2 = 0;
    BYTE f3 = 0;
    m_ipAddress.GetAddress(f0, f1, f2, f3);
    char szAddress[16];
    std::snprintf(szAddress, sizeof szAddress, "%u.%u.%u.%u", f0, f1, f2, f3);
    const std::string strAddress = szAddress;
    std::string strMac;
    m_editMac.GetWindowText(strMac);

    if (CheckAddressAndMac(strAddress, strMac))
        return;

    // An entry of the same address: an active one is refused, one in any
    // other state is replaced.
    bool bReplace = false;
    for (const ARP_entry_info& entry : m_Existing) {
        if (entry.strAddress != strAddress)
            continue;
        if (entry.strRowStatus == "1") {
            AfxMessageBox(Lower(entry.strMac) == Lower(strMac) ? "Duplicate MAC and IP." : "Duplicate IP.");
            return;
        }
        bReplace = true;
    }

    std::string strMask;
    CUtils::PortFlagsToHex(m_nPortChecked, strMask);
    if (strMask.find_first_not_of('0') == std::string::npos) {
        AfxMessageBox("Invalid Port Number");
        return;
    }
    if (!CheckTrunkGroups()) {
        AfxMessageBox("ARP Spoofing Prevention enabled port must match to the aggregated link port.");
        return;
    }
    if (AfxMessageBox(kConfirm, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;

    CUtils::PadHexPortMask(strMask);
    std::vector<BYTE> ports;
    CUtils::HexToByteValues(strMask, ports, static_cast<int>(strMask.size() + 1) / 2);
    std::string strMacHex;
    for (size_t i = 0; i < strMac.size(); ++i)
        if (i % 3 != 2)
            strMacHex += strMac[i];
    std::vector<BYTE> mac;
    CUtils::HexToByteValues(strMacHex, mac, 6);

    CWriteReport report;
    if (bReplace) {
        m_cCommonSNMP.Open(SnmpPduSet);
        m_cCommonSNMP.AddValue(ColumnOid(4, strAddress), SnmpValueInteger, "6");
        if (!SendStep(report, "the removal of the inactive row", strAddress, false))
            return;
    }
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValue(ColumnOid(4, strAddress), SnmpValueInteger, g_strModelName == "KVT-Pipit R1" ? "4" : "5");
    if (!SendStep(report, "the creation", strAddress, false))
        return;
    Sleep(kPause);
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValueLen(ColumnOid(2, strAddress), SnmpValueOctetString, mac.data(),
                              static_cast<int>(mac.size()));
    if (!SendStep(report, "the MAC address", strAddress, true))
        return;
    // The ports go with the MAC again, in the same prepared request.
    m_cCommonSNMP.AddValueLen(ColumnOid(3, strAddress), SnmpValueOctetString, ports.data(),
                              static_cast<int>(ports.size()));
    if (!SendStep(report, "the ports", strAddress, true))
        return;
    Sleep(kPause);
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValue(ColumnOid(4, strAddress), SnmpValueInteger, "1");
    if (!SendStep(report, "the activation", strAddress, true))
        return;
    m_editMac.SetWindowText("");
    EndDialog(IDOK);
}

#include "features/agent_tools/CSNMPHost.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/ListColumn.h"
#include "features/agent_tools/SNMP_host_info.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr DWORD kRefreshPauseMs = 50;
constexpr int kMaxHosts = 10;

const std::string kHostRowStatus = KorvelOid("10.76.19.1.25.6.2.1.6");

constexpr ListColumn kHostColumns[] = {
    {"Host IP Address", 150}, {"SNMP Version", 130}, {"Community Name/SNMPv3 User Name ", 250}};

const char* const kHostVersions[] = {"V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"};

std::string WithoutZone(const std::string& strListed)
{
    return strListed.substr(0, strListed.find('%'));
}


} // namespace

BEGIN_MESSAGE_MAP(CSNMPHost, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_HOST_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SNMP_HOST_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SNMP_CANCEL, OnCancelInput)
    ON_BN_CLICKED(IDC_SNMP_HOST_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_SNMP_HOST_ADD, OnAdd)
END_MESSAGE_MAP()

CSNMPHost::CSNMPHost(CWnd* pParent) : CDialog(IDD_SNMP_HOST, pParent) {}

CSNMPHost::~CSNMPHost() = default;

BOOL CSNMPHost::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPHost::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_HOST_LIST, m_listHosts);
    DDX_Control(pDX, IDC_SNMP_HOST_ADDRESS, m_editAddress);
    DDX_Control(pDX, IDC_SNMP_HOST_VERSION, m_comboVersion);
    DDX_Control(pDX, IDC_SNMP_HOST_NAME, m_editName);
}

BOOL CSNMPHost::OnInitDialog()
{
    OutputDebugString(".............initdialog begin..............");
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listHosts, kHostColumns, LVCFMT_LEFT);
    m_listHosts.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (const char* pszVersion : kHostVersions)
        m_comboVersion.AddString(pszVersion);
    m_comboVersion.SetCurSel(0);
    m_editName.LimitText(CSNMPConfig::kNameLength);
    m_editAddress.m_bZoneAllowed = 1;

    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    OutputDebugString("....................refresh begin ...........................");
    OnRefresh();
    return TRUE;
}

void CSNMPHost::EnableButtons(BOOL bEnable)
{
    for (int nId : {IDC_SNMP_APPLY, IDC_SNMP_CANCEL, IDC_SNMP_HOST_DELETE, IDC_SNMP_HOST_REFRESH})
        GetDlgItem(nId)->EnableWindow(bEnable);
}

void CSNMPHost::OnRefresh()
{
    EnableButtons(FALSE);
    m_rowsBuilding.Begin();
    Sleep(kRefreshPauseMs);
    m_cSNMPConfig.StartHostWalk();
}

LRESULT CSNMPHost::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0) {
        const auto* pInfo = reinterpret_cast<const SNMP_host_info*>(lParam);
        if (pInfo == nullptr || (*pInfo)[5] != "1")
            return 0;
        std::string strAddress = (*pInfo)[0];
        if (strAddress.find(':') != std::string::npos && CSNMPConfig::IsLinkLocal(strAddress)) {
            strAddress += '%';
            strAddress += (*pInfo)[4];
        }
        m_rowsBuilding.Add({strAddress, (*pInfo)[2], (*pInfo)[3]});
        return 0;
    }
    if (wParam == 1) {
        m_rowsBuilding.End(m_listHosts, lParam, "the trap host list");
        EnableButtons(TRUE);
    }
    return 0;
}

void CSNMPHost::OnApply()
{
    // What the edit shows now is what is checked, also when it kept the focus.
    m_editAddress.OnKillFocus(nullptr);
    if (m_editAddress.m_nStatus != 1) {
        if (m_editAddress.m_nStatus == 0)
            AfxMessageBox("Invalid Host IP.");
        else
            m_editAddress.ShowZoneError();
        return;
    }
    std::string strAddress = m_editAddress.m_strAddress;
    if (m_editAddress.m_strAddrType == "2")
        strAddress = CUtils::CompressIPv6(strAddress);
    if (CSNMPConfig::IsLinkLocal(strAddress) && !CSNMPConfig::HasNoSpecialChars(m_editAddress.m_strZone)) {
        AfxMessageBox("Invalid Interface Name. ");
        return;
    }
    for (int i = 0; i < m_listHosts.GetItemCount(); ++i) {
        if (WithoutZone(m_listHosts.GetItemText(i, 0)) == strAddress) {
            AfxMessageBox("This IP Address has used,please enter other IP Address");
            return;
        }
    }
    const std::string strName = CSNMPConfig::Trimmed(m_editName.GetWindowText());
    if (strName.empty()) {
        AfxMessageBox("The Community String or SNMPv3 User Name can not be empty.");
        return;
    }
    if (!CSNMPConfig::HasNoSpecialChars(strName)) {
        AfxMessageBox("Invalid Community String/SNMPv3 User Name. ");
        return;
    }
    const std::string strVersion = std::to_string(std::max(m_comboVersion.GetCurSel(), 0) + 1);
    if (m_listHosts.GetItemCount() >= kMaxHosts) {
        AfxMessageBox("Maximum number of Host Entry is 10.");
        return;
    }

    const std::string strAddressIndex = m_editAddress.GetOidIndex();
    const std::string strIndex =
        CSNMPConfig::HostIndex(m_editAddress.m_nAddrLength, strAddressIndex, m_editAddress.m_strAddrType);
    const std::string strOid = kHostRowStatus + "." + strIndex;
    m_cSNMPConfig.m_pAddressEdit = &m_editAddress;
    CWriteReport report;
    if (m_cSNMPConfig.CreateRow(report, strOid, "trap host entry " + strAddress,
                                [&] { return m_cSNMPConfig.WriteHost(report, strName, strIndex, strVersion); }))
        ClearInputs();
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

std::string CSNMPHost::RowStatusOid(const std::string& strListedAddress)
{
    const std::string strAddress = WithoutZone(strListedAddress);
    if (strAddress.find(':') == std::string::npos)
        return kHostRowStatus + ".4." + strAddress + ".1";
    std::string strHex = CUtils::ExpandIPv6(strAddress);
    strHex.erase(std::remove(strHex.begin(), strHex.end(), ':'), strHex.end());
    return kHostRowStatus + ".16" + CUtils::HexToOidSuffix(strHex) + ".2";
}

void CSNMPHost::OnDelete()
{
    POSITION pos = m_listHosts.GetFirstSelectedItemPosition();
    const int nItem = pos != nullptr ? m_listHosts.GetNextSelectedItem(pos) : -1;
    if (nItem < 0) {
        AfxMessageBox("Please Selecte the Item you would delete");
        return;
    }
    const std::string strListed = m_listHosts.GetItemText(nItem, 0);
    CWriteReport report;
    m_cSNMPConfig.DeleteRow(report, RowStatusOid(strListed), "trap host entry " + strListed);
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPHost::ClearInputs()
{
    m_editAddress.SetWindowText("");
    m_comboVersion.SetCurSel(0);
    m_editName.SetWindowText("");
}

void CSNMPHost::OnCancelInput()
{
    ClearInputs();
    OnRefresh();
}

void CSNMPHost::OnClose()
{
    OnOK();
}

void CSNMPHost::OnAdd() {}

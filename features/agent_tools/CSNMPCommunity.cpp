#include "features/agent_tools/CSNMPCommunity.h"

#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "features/agent_tools/SNMP_community_info.h"
#include "features/agent_tools/SNMP_user_info.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

#include <cctype>
#include <iterator>

namespace {

constexpr int kMaxCommunities = 10;

const std::string kCommunityRowStatus = KorvelOid("10.76.19.1.25.5.1.1.3");

constexpr ListColumn kCommunityColumns[] = {{"Community Name", 250}, {"User Name", 248}};

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CSNMPCommunity, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_COMMUNITY_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_COMMUNITY_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SNMP_COMMUNITY_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SNMP_COMMUNITY_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_SNMP_COMMUNITY_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SNMP_COMMUNITY_CANCEL, OnCancelInput)
END_MESSAGE_MAP()

CSNMPCommunity::CSNMPCommunity(CWnd* pParent) : CDialog(IDD_SNMP_COMMUNITY, pParent)
{
    g_bDialogClosing = 0;
}

CSNMPCommunity::~CSNMPCommunity() = default;

BOOL CSNMPCommunity::DestroyWindow()
{
    g_bDialogClosing = 1;
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPCommunity::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_COMMUNITY_LIST, m_listCommunities);
    DDX_Control(pDX, IDC_SNMP_COMMUNITY_NAME, m_editName);
    DDX_Control(pDX, IDC_SNMP_COMMUNITY_USER, m_comboUser);
}

BOOL CSNMPCommunity::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listCommunities, kCommunityColumns, LVCFMT_LEFT);
    m_listCommunities.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    GetDlgItem(IDC_SNMP_COMMUNITY_APPLY)->EnableWindow(TRUE);
    m_editName.LimitText(CSNMPConfig::kNameLength);
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CSNMPCommunity::EnableButtons(BOOL bEnable)
{
    for (int nId : {IDC_SNMP_COMMUNITY_APPLY, IDC_SNMP_COMMUNITY_CANCEL, IDC_SNMP_COMMUNITY_DELETE,
                    IDC_SNMP_COMMUNITY_REFRESH})
        GetDlgItem(nId)->EnableWindow(bEnable);
}

void CSNMPCommunity::OnRefresh()
{
    EnableButtons(FALSE);
    m_rowsBuilding.Begin();
    m_cSNMPConfig.StartCommunityWalk();
}

LRESULT CSNMPCommunity::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (g_bDialogClosing == 1)
        return 0;
    if (wParam == 100) {
        const auto* pInfo = reinterpret_cast<const SNMP_community_info*>(lParam);
        if (pInfo != nullptr && (*pInfo)[2] == "1")
            m_rowsBuilding.Add({(*pInfo)[0], (*pInfo)[1]});
    } else if (wParam == 111) {
        const auto* pInfo = reinterpret_cast<const SNMP_user_info*>(lParam);
        if (pInfo == nullptr || (*pInfo)[2] == "V3" || (*pInfo)[2] == "v3" || (*pInfo)[7] != "1")
            return 0;
        for (int i = 0; i < m_comboUser.GetCount(); ++i) {
            std::string strEntry;
            m_comboUser.GetLBText(i, strEntry);
            if (SameIgnoringCase(strEntry, (*pInfo)[0]))
                return 0;
        }
        m_comboUser.AddString((*pInfo)[0]);
        m_comboUser.SetCurSel(0);
    } else if (wParam == 1) {
        m_rowsBuilding.End(m_listCommunities, lParam, "the community list");
        EnableButtons(TRUE);
    }
    return 0;
}

void CSNMPCommunity::OnApply()
{
    const std::string strName = CSNMPConfig::Trimmed(m_editName.GetWindowText());
    if (strName.empty()) {
        AfxMessageBox("Please enter valid Community Name !");
        return;
    }
    if (!CSNMPConfig::HasNoSpecialChars(strName)) {
        AfxMessageBox("Invalid Community Name.");
        return;
    }
    for (int i = 0; i < m_listCommunities.GetItemCount(); ++i) {
        if (m_listCommunities.GetItemText(i, 0) == strName) {
            AfxMessageBox("This Community Entry already exists.");
            return;
        }
    }
    if (m_listCommunities.GetItemCount() >= kMaxCommunities) {
        AfxMessageBox("Maximum number of Community Entry is 10.");
        return;
    }
    // Without an active SNMPv1 or SNMPv2c user there is nothing to bind to.
    std::string strUser;
    if (m_comboUser.GetCurSel() >= 0)
        m_comboUser.GetLBText(m_comboUser.GetCurSel(), strUser);
    if (strUser.empty()) {
        AfxMessageBox("There is no SNMPv1 or SNMPv2c user to choose as the User Name (View Policy).");
        return;
    }

    const std::string strOid = kCommunityRowStatus + CSNMPConfig::NameToOidIndex(strName);
    CWriteReport report;
    if (m_cSNMPConfig.CreateRow(report, strOid, "community entry \"" + strName + "\"",
                                [&] { return m_cSNMPConfig.SetCommunityUser(report, strName, strUser); })) {
        m_comboUser.SetCurSel(0);
        m_editName.SetWindowText("");
    }
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPCommunity::OnDelete()
{
    POSITION pos = m_listCommunities.GetFirstSelectedItemPosition();
    const int nItem = pos != nullptr ? m_listCommunities.GetNextSelectedItem(pos) : -1;
    if (nItem < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    const std::string strName = m_listCommunities.GetItemText(nItem, 0);
    CWriteReport report;
    m_cSNMPConfig.DeleteRow(report, kCommunityRowStatus + CSNMPConfig::NameToOidIndex(strName),
                            "community entry \"" + strName + "\"");
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPCommunity::OnClose()
{
    OnCancel();
}

void CSNMPCommunity::OnAdd()
{
    GetDlgItem(IDC_SNMP_COMMUNITY_APPLY)->EnableWindow(TRUE);
}

void CSNMPCommunity::OnCancelInput()
{
    m_comboUser.SetCurSel(0);
    m_editName.SetWindowText("");
    OnRefresh();
}

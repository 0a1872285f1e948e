#include "features/ports_vlans/CManagVlanSetDlg.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/VlanTableOids.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <memory>

namespace {

const std::string kManagementState = KorvelOid("10.76.19.1.7.2.0");
const std::string kManagementVid = KorvelOid("10.76.19.1.7.3.0");

// Sends the prepared GET: the response when the switch answered it without
// an error, else null.
std::unique_ptr<CSnmp> SendRead(CCommonSNMP& session)
{
    std::unique_ptr<CSnmp> pResponse;
    if (session.send(pResponse, 0) != 0 || !pResponse)
        return nullptr;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0)
        return nullptr;
    return pResponse;
}

// WM_WALK_FINISHED's wParam for a walk that did not reach the end of the table.
constexpr WPARAM kWalkFailed = 1;

} // namespace

BEGIN_MESSAGE_MAP(CManagVlanSetDlg, CDialog)
    ON_BN_CLICKED(IDC_MGMTVLAN_ENABLE, OnStateClicked)
    ON_BN_CLICKED(IDC_MGMTVLAN_DISABLE, OnStateClicked)
    ON_BN_CLICKED(IDC_MGMTVLAN_REFRESH, OnRefresh)
    ON_CBN_SELCHANGE(IDC_MGMTVLAN_VID, OnVidSelChange)
    ON_MESSAGE(WM_WALK_FINISHED, OnWalkFinished)
END_MESSAGE_MAP()

CManagVlanSetDlg::CManagVlanSetDlg(CWnd* pParent) : CDialog(IDD_MANAGEMENT_VLAN, pParent) {}

CManagVlanSetDlg::~CManagVlanSetDlg()
{
    m_cCommonSNMPTable.Close();
}

BOOL CManagVlanSetDlg::DestroyWindow()
{
    // An end of walk that arrives while the sessions stop fills nothing.
    m_bClosing = true;
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPGet.Close();
    m_cCommonSNMPSet.Close();
    return CDialog::DestroyWindow();
}

void CManagVlanSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MGMTVLAN_NAME, m_editVlanName);
    DDX_Control(pDX, IDC_MGMTVLAN_VID, m_comboVid);
    DDX_Radio(pDX, IDC_MGMTVLAN_ENABLE, m_nState);
}

BOOL CManagVlanSetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_nState = 0;
    OnRefresh();
    return TRUE;
}

void CManagVlanSetDlg::OnRefresh()
{
    m_readReport.Begin();
    StartVlanWalk();
}

void CManagVlanSetDlg::StartVlanWalk()
{
    // The previous walk ends first: its late rows are stale. The list keeps
    // the last complete walk's VLANs until this one reaches the end.
    m_cCommonSNMPTable.Close();
    {
        std::lock_guard lock(m_csData);
        m_arrWalkedVids.clear();
    }
    m_cCommonSNMPTable.Open(1);
    m_cCommonSNMPTable.AddValue(kVlanNameColumn, 4);
    m_cCommonSNMPTable.AddValue(kVlanRowStatusColumn, 4);
    // A walk that cannot start ends as a failed one.
    if (!m_cCommonSNMPTable.StartAsync(&CManagVlanSetDlg::OnVlanReply, this))
        PostMessage(WM_WALK_FINISHED, kWalkFailed);
}

int CManagVlanSetDlg::OnVlanReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CManagVlanSetDlg*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0) {
        // Only a walk that reached the end of the table fills the view.
        pThis->SendMessage(WM_WALK_FINISHED, nStatus == -2 ? 0 : kWalkFailed);
        session.SignalDone();
        return 0;
    }
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nVid = CUtils::RowVlanId(strSuffix);
    // Inactive VLANs are not offered, nor rows whose index no VLAN can have.
    if (nVid != 0 && CModuleBase::EnumText(pResponse.get(), 1, {1, 2, 3, 4, 5, 6}) == "1") {
        std::lock_guard lock(pThis->m_csData);
        pThis->m_arrWalkedVids.push_back(std::to_string(nVid));
    }
    pResponse.reset();
    // A next step that cannot start ends the walk as a failed one.
    if (!session.StartAsync(&CManagVlanSetDlg::OnVlanReply, pThis)) {
        pThis->SendMessage(WM_WALK_FINISHED, kWalkFailed);
        session.SignalDone();
    }
    return 0;
}

LRESULT CManagVlanSetDlg::OnWalkFinished(WPARAM wParam, LPARAM /*lParam*/)
{
    if (m_bClosing)
        return 0;
    // The list and the view keep what was read last; the settings are not
    // asked for from a switch that did not finish the walk.
    if (wParam == kWalkFailed) {
        m_readReport.Fail("the VLAN list", m_comboVid.GetCount() > 0);
        return 0;
    }
    std::vector<std::string> vids;
    {
        std::lock_guard lock(m_csData);
        vids = m_arrWalkedVids;
    }
    m_comboVid.ResetContent();
    for (const std::string& strVid : vids)
        m_comboVid.AddString(strVid);
    UpdateView();
    return 0;
}

void CManagVlanSetDlg::UpdateView()
{
    ReadSettings();
    // A state outside the switch's set is shown as unknown: neither button.
    m_nState = m_strState == "1" ? 0 : m_strState == "2" ? 1 : -1;

    m_comboVid.SetCurSel(-1);
    const int nItems = m_comboVid.GetCount();
    for (int i = 0; i < nItems; ++i) {
        std::string strItem;
        m_comboVid.GetLBText(i, strItem);
        if (strItem == m_strVid) {
            m_comboVid.SetCurSel(i);
            break;
        }
    }

    m_comboVid.EnableWindow(m_strState == "1");
    m_editVlanName.SetWindowText(m_strVlanName);
    UpdateData(FALSE);
}

void CManagVlanSetDlg::ReadSettings()
{
    m_cCommonSNMPGet.Open(0);
    m_cCommonSNMPGet.AddValue(kManagementState, 4);
    m_cCommonSNMPGet.AddValue(kManagementVid, 4);
    if (std::unique_ptr<CSnmp> pResponse = SendRead(m_cCommonSNMPGet)) {
        m_strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
        m_strVid = CModuleBase::IntegerText(pResponse.get(), 1);
        // Apply writes the state back: only one the switch can mean counts as read.
        m_bSettingsRead = m_strState == "1" || m_strState == "2";
        if (!CUtils::IsVlanId(m_strVid))
            m_strVid.clear();
    } else {
        m_readReport.Fail("the management VLAN settings", m_bSettingsRead);
        return;
    }
    if (m_strVid.empty())
        m_strVlanName.clear();
    else if (m_strVid == "1")
        m_strVlanName = "default";
    else
        GetVlanName(m_strVid, m_strVlanName);
}

bool CManagVlanSetDlg::GetVlanName(const std::string& strVid, std::string& strName)
{
    if (strVid.empty())
        return false;
    m_cCommonSNMPGet.Open(0);
    m_cCommonSNMPGet.AddValue(kVlanNameColumn + "." + strVid, 4);
    std::unique_ptr<CSnmp> pResponse = SendRead(m_cCommonSNMPGet);
    if (!pResponse)
        return false;
    strName = CModuleBase::ValueText(pResponse.get(), 0);
    return true;
}

void CManagVlanSetDlg::OnVidSelChange()
{
    const int nSel = m_comboVid.GetCurSel();
    std::string strVid;
    if (nSel >= 0)
        m_comboVid.GetLBText(nSel, strVid);
    std::string strName;
    if (!GetVlanName(strVid, strName))
        strName.clear();
    m_editVlanName.SetWindowText(strName);
}

void CManagVlanSetDlg::OnStateClicked()
{
    UpdateData(TRUE);
    m_comboVid.EnableWindow(m_nState == 0);
}

void CManagVlanSetDlg::OnOK()
{
    UpdateData(TRUE);
    // Without the switch's settings the state written would be a guess.
    if (!m_bSettingsRead) {
        AfxMessageBox("The management VLAN settings could not be read from the switch. Please refresh.");
        return;
    }
    m_strState = m_nState == 0 ? "1" : "2";
    m_strVid.clear();
    const int nSel = m_comboVid.GetCurSel();
    if (nSel >= 0)
        m_comboVid.GetLBText(nSel, m_strVid);
    if (m_strState == "1" && m_strVid.empty()) {
        AfxMessageBox("Please select the management VLAN ID.");
        return;
    }
    bool bMembersRead = true;
    if (!m_strVid.empty() && !HasMembers(m_strVid, bMembersRead)) {
        AfxMessageBox("Management VLAN could not be empty.");
        OnRefresh();
        return;
    }
    // A switch that did not give the members would not take the write
    // either: one time-out is enough.
    if (!bMembersRead) {
        CReadReport::RefuseUnread("the member ports of VLAN " + m_strVid);
        return;
    }
    CWriteReport report;
    WriteSettings(report);
    // A switch that did not answer the write is not asked again now.
    if (report.Report() && report.TimedOut())
        return;
    m_readReport.Begin();
    UpdateView();
}

bool CManagVlanSetDlg::HasMembers(const std::string& strVid, bool& bRead)
{
    bRead = true;
    if (strVid == "1")
        return true;
    m_cCommonSNMPGet.Open(0);
    m_cCommonSNMPGet.AddValue(kVlanEgressColumn + "." + strVid, 4);
    std::unique_ptr<CSnmp> pResponse = SendRead(m_cCommonSNMPGet);
    if (!pResponse) {
        bRead = false;
        return true;
    }
    // Members served as another type than a port bitmap are not known.
    std::string strBitmap;
    if (!CModuleBase::OctetValue(pResponse.get(), 0, strBitmap)) {
        bRead = false;
        return true;
    }
    int nCount = 0;
    CUtils::PortBitmapToList(strBitmap, nCount);
    return nCount != 0;
}

void CManagVlanSetDlg::WriteSettings(CWriteReport& report)
{
    m_cCommonSNMPSet.Open(3);
    if (!m_strState.empty())
        m_cCommonSNMPSet.AddValue(kManagementState, 1, m_strState);
    if (!m_strVid.empty())
        m_cCommonSNMPSet.AddValue(kManagementVid, 1, m_strVid);
    report.Send(m_cCommonSNMPSet, "the management VLAN settings");
}

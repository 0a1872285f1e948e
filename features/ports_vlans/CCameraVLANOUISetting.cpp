#include "features/ports_vlans/CCameraVLANOUISetting.h"

#include "common/CCodeConvert.h"
#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/ListColumn.h"
#include "features/ports_vlans/CSurveillanceOui.h"
#include "platform/snmp/CSnmp.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

constexpr int kAddressLength = 17;

constexpr ListColumn kOuiColumns[] = {{"ID", 50}, {"Description", 150}, {"Surveillance OUI", 200}, {"OUI Mask", 200}};

// The switch's default row, as this list shows it: the first default OUI.
bool IsDefaultOuiRow(const std::string& strRowText)
{
    std::string strDigits = strRowText;
    strDigits.erase(std::remove(strDigits.begin(), strDigits.end(), '-'), strDigits.end());
    return CSurveillanceOui::SameText(strDigits.substr(0, 6), CSurveillanceOui::kFirstDefaultOui);
}

} // namespace

BEGIN_MESSAGE_MAP(CCameraVLANOUISetting, CDialog)
    ON_BN_CLICKED(IDC_SURVOUI_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SURVOUI_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_SURVOUI_CLOSE, OnCancel)
    ON_BN_CLICKED(IDC_SURVOUI_DELETE, OnDelete)
    ON_MESSAGE(WM_READ_FAILED, OnReadFailed)
END_MESSAGE_MAP()

CCameraVLANOUISetting::CCameraVLANOUISetting(CWnd* pParent) : CDialog(IDD_SURVEILLANCE_OUI, pParent) {}

CCameraVLANOUISetting::~CCameraVLANOUISetting() = default;

BOOL CCameraVLANOUISetting::DestroyWindow()
{
    m_cCommonSNMP.Close();
    m_cCommonSNMPTable.Close();
    return CDialog::DestroyWindow();
}

void CCameraVLANOUISetting::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SURVOUI_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_SURVOUI_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_SURVOUI_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_SURVOUI_LIST, m_listOui);
    DDX_Control(pDX, IDC_SURVOUI_ADDRESS, m_editAddress);
    DDX_Control(pDX, IDC_SURVOUI_DESCRIPTION, m_editDescription);
}

BOOL CCameraVLANOUISetting::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listOui, kOuiColumns, LVCFMT_CENTER);
    m_listOui.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_editDescription.LimitText(CSurveillanceOui::kDescriptionLength);
    m_editAddress.LimitText(kAddressLength);
    Refresh();
    return TRUE;
}

void CCameraVLANOUISetting::OnAdd()
{
    std::string strDescription;
    std::string strAddress;
    GetDlgItemText(IDC_SURVOUI_DESCRIPTION, strDescription);
    GetDlgItemText(IDC_SURVOUI_ADDRESS, strAddress);
    if (!CheckOuiEntry(strDescription, strAddress))
        return;

    std::string strUtf8;
    CCodeConvert::AnsiToUtf8(strDescription, strUtf8);
    CWriteReport report;
    if (CSurveillanceOui::AddRow(m_cCommonSNMP, CSurveillanceOui::MacToOidSuffix(strAddress), strUtf8, nullptr, false,
                                 report)) {
        Sleep(CSurveillanceOui::kPauseMs);
        Refresh();
    } else {
        report.Report(CSurveillanceOui::kAddFailed);
    }
    m_editDescription.SetWindowText("");
    m_editAddress.SetWindowText("");
}

void CCameraVLANOUISetting::Refresh()
{
    m_readReport.Begin();
    StartOuiWalk();
}

LRESULT CCameraVLANOUISetting::OnReadFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    bool bKeptLast = false;
    {
        std::lock_guard lock(m_csRows);
        bKeptLast = m_bListRead;
    }
    m_readReport.Fail("the surveillance OUI list", bKeptLast);
    return 0;
}

void CCameraVLANOUISetting::EndOuiWalk(int nStatus)
{
    // The end of the table shows its rows whole; a failure keeps the list and
    // is said on the UI thread.
    if (nStatus == SnmpStatusEndOfWalk) {
        CSurveillanceOui::Rows rows;
        {
            std::lock_guard lock(m_csRows);
            rows = m_rowsBuilding;
            m_bListRead = true;
        }
        CSurveillanceOui::ShowRows(m_listOui, rows);
    } else {
        PostMessage(WM_READ_FAILED);
    }
    EnableWalkButtons(TRUE);
}

void CCameraVLANOUISetting::StartOuiWalk()
{
    // Opening stops the previous walk, so none of its rows lands in this one.
    // The list keeps the last complete table until this walk has read its end.
    m_cCommonSNMPTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_rowsBuilding.clear();
    }
    for (int nColumn : {2, 1, 3, 5})
        m_cCommonSNMPTable.AddValue(CSurveillanceOui::Column(nColumn), SnmpValueNull);
    EnableWalkButtons(FALSE);
    // A walk that cannot start ends as a failed one: the buttons come back.
    if (!m_cCommonSNMPTable.StartAsync(&CCameraVLANOUISetting::OnOuiReply, this))
        EndOuiWalk(SnmpStatusFailed);
}

int CCameraVLANOUISetting::OnOuiReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CCameraVLANOUISetting*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        pThis->EndOuiWalk(nStatus);
        session.SignalDone();
        return 0;
    }
    // Bindings: .2 description, .1 address, .3 mask (.5 row status not shown).
    // Values of another type than the column's are empty.
    std::string strRaw[3];
    for (int i = 0; i < 3; ++i)
        CModuleBase::OctetValue(pResponse.get(), i, strRaw[i]);
    std::string strDescription;
    CCodeConvert::Utf8ToAnsi(strRaw[0], strDescription);
    {
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_rowsBuilding.push_back(
            {strDescription, CSurveillanceOui::OctetsText(strRaw[1]), CSurveillanceOui::OctetsText(strRaw[2])});
    }
    pResponse.reset();
    if (!session.StartAsync(&CCameraVLANOUISetting::OnOuiReply, pThis)) {
        pThis->EndOuiWalk(SnmpStatusFailed);
        session.SignalDone();
    }
    return 0;
}

BOOL CCameraVLANOUISetting::CheckOuiEntry(const std::string& strDescription, const std::string& strAddress)
{
    if (!CUtils::HasNoSpecialChars(strDescription)) {
        AfxMessageBox("Invalid Description.");
        return FALSE;
    }
    // Dashes may stand anywhere or nowhere; what is left must be an address.
    std::string strDigits;
    if (!CSurveillanceOui::AddressDigits(strAddress, strDigits) || strDigits == "000000000000") {
        AfxMessageBox("Please enter correct MAC format(ex:00-00-00-00-00-01)");
        return FALSE;
    }
    if (std::stoi(strDigits.substr(0, 2), nullptr, 16) % 2 == 1) {
        AfxMessageBox("Multicast MAC  is not allowed.");
        return FALSE;
    }
    if (CSurveillanceOui::SameText(strDigits.substr(0, 6), CSurveillanceOui::kFirstDefaultOui)) {
        AfxMessageBox("This OUI is default, please select the default mode!");
        return FALSE;
    }
    return CSurveillanceOui::ListAdmits(m_listOui, 2, strDigits, IsDefaultOuiRow) ? TRUE : FALSE;
}

void CCameraVLANOUISetting::OnDelete()
{
    const int nRow = m_listOui.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please Selecte the OUI Entry you would to delete");
        return;
    }
    const std::string strAddress = m_listOui.GetItemText(nRow, 2);
    if (strAddress == CSurveillanceOui::DefaultRowText(CSurveillanceOui::kFirstDefaultOui)) {
        AfxMessageBox("The default Surveillance OUI can not be deleted.");
        return;
    }
    CWriteReport report;
    if (!CSurveillanceOui::DeleteRow(m_cCommonSNMP, CSurveillanceOui::MacToOidSuffix(strAddress), report)) {
        report.Report();
        return;
    }
    Sleep(CSurveillanceOui::kPauseMs);
    Refresh();
}

void CCameraVLANOUISetting::EnableWalkButtons(BOOL bEnable)
{
    for (CButton* pButton : {&m_btnAdd, &m_btnDelete, &m_btnRefresh})
        pButton->EnableWindow(bEnable);
}

#include "legacy/CSpanTreePortParam.h"

#include "common/CWriteReport.h"
#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "legacy/CLegacyText.h"
#include "legacy/CSpanTree.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const std::string kStpPortColumns = "1.3.6.1.2.1.17.2.15.1.";
const std::string kPathCostColumn = KorvelOid("10.76.19.1.6.2.1.5.");

constexpr int kMaxPathCost = 200000000;

} // namespace

BEGIN_MESSAGE_MAP(CSpanTreePortParam, CDialog)
    ON_BN_CLICKED(IDC_LSTPP_PREV, OnPrevPort)
    ON_BN_CLICKED(IDC_LSTPP_NEXT, OnNextPort)
    ON_BN_CLICKED(IDC_LSTPP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_LSTPP_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CSpanTreePortParam::CSpanTreePortParam(CWnd* pParent) : CDialog(IDD_LEGACY_STP_PORT, pParent) {}

CSpanTreePortParam::~CSpanTreePortParam()
{
    m_trunkGroups.Close();
}

BOOL CSpanTreePortParam::DestroyWindow()
{
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_trunkGroups.Close();
    return CDialog::DestroyWindow();
}

void CSpanTreePortParam::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LSTPP_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_LSTPP_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_LSTPP_DESIG_ROOT, m_staticDesigRoot);
    DDX_Control(pDX, IDC_LSTPP_STATUS, m_staticStatus);
    DDX_Control(pDX, IDC_LSTPP_PRIORITY_VALUE, m_editPriority);
    DDX_Control(pDX, IDC_LSTPP_PATH_COST, m_editPathCost);
    DDX_Control(pDX, IDC_LSTPP_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_LSTPP_FORWARDINGS, m_staticForwardings);
    DDX_Control(pDX, IDC_LSTPP_DESIG_PORT, m_staticDesigPort);
    DDX_Control(pDX, IDC_LSTPP_DESIG_COST, m_staticDesigCost);
    DDX_Control(pDX, IDC_LSTPP_DESIG_BRIDGE, m_staticDesigBridge);
    DDX_Control(pDX, IDC_LSTPP_PORT, m_staticPort);
    DDX_Control(pDX, IDC_LSTPP_PRIORITY, m_comboPriority);
    // The numbers are taken as the text they start with, never refused here:
    // Apply judges them.
    if (pDX->m_bSaveAndValidate) {
        m_nPriority = CLegacyText::Number(m_editPriority.GetWindowText());
        m_nPathCost = CLegacyText::Number(m_editPathCost.GetWindowText());
    } else {
        m_staticPort.SetWindowText(m_strPort);
        m_editPriority.SetWindowText(std::to_string(m_nPriority));
        m_editPathCost.SetWindowText(std::to_string(m_nPathCost));
    }
}

BOOL CSpanTreePortParam::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_comboPriority.SetWindowText("0");
    m_nItem = 0;
    if (m_pSpanTree != nullptr)
        m_nItem = std::max(m_pSpanTree->GetList().GetNextItem(-1, LVNI_SELECTED), 0);
    m_trunkGroups.Start();
    ShowPort();
    SetWindowText(" Port STP Configuration");
    return TRUE;
}

void CSpanTreePortParam::OnPrevPort()
{
    UpdateData(TRUE);
    --m_nItem;
    ShowPort();
}

void CSpanTreePortParam::OnNextPort()
{
    UpdateData(TRUE);
    ++m_nItem;
    ShowPort();
}

void CSpanTreePortParam::OnRefresh()
{
    m_trunkGroups.Start();
    ShowPort();
}

void CSpanTreePortParam::ShowPort()
{
    m_bPortRead = false;
    if (m_pSpanTree == nullptr)
        return;
    CListCtrlEx& list = m_pSpanTree->GetList();
    const int nRows = list.GetItemCount();
    if (m_nItem <= 0) {
        m_nItem = 0;
        m_btnPrev.EnableWindow(FALSE);
        m_btnNext.EnableWindow(TRUE);
    } else if (m_nItem >= nRows - 1) {
        m_nItem = nRows - 1;
        m_btnPrev.EnableWindow(TRUE);
        m_btnNext.EnableWindow(FALSE);
    } else {
        m_btnPrev.EnableWindow(TRUE);
        m_btnNext.EnableWindow(TRUE);
    }
    if (m_nItem >= nRows) {
        UpdateData(FALSE);
        return;
    }
    m_strPort = list.GetItemText(m_nItem, 0);
    m_staticStatus.SetWindowText(list.GetItemText(m_nItem, 4));
    m_staticDesigRoot.SetWindowText(list.GetItemText(m_nItem, 5));
    m_staticDesigCost.SetWindowText(list.GetItemText(m_nItem, 6));
    m_staticDesigBridge.SetWindowText(list.GetItemText(m_nItem, 7));
    m_staticDesigPort.SetWindowText(list.GetItemText(m_nItem, 8));
    m_staticForwardings.SetWindowText(list.GetItemText(m_nItem, 9));

    m_cCommonSNMP.Open(SnmpPduGet);
    m_cCommonSNMP.AddValue(kStpPortColumns + "2." + m_strPort, SnmpValueNull);
    m_cCommonSNMP.AddValue(kStpPortColumns + "5." + m_strPort, SnmpValueNull);
    m_cCommonSNMP.AddValue(kStpPortColumns + "4." + m_strPort, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = m_cCommonSNMP.send(pResponse, 0);
    if (CLegacyText::Accepted(nStatus, pResponse) && pResponse->getVarBindCount() >= 3) {
        const std::string strPriority = CModuleBase::ValueText(pResponse.get(), 0);
        m_nPriority = CLegacyText::Number(strPriority);
        m_comboPriority.SetWindowText(strPriority);
        m_nPathCost = CLegacyText::Number(CModuleBase::ValueText(pResponse.get(), 1));
        m_checkEnable.SetCheck(CModuleBase::ValueText(pResponse.get(), 2) == "1" ? BST_CHECKED : BST_UNCHECKED);
        m_bPortRead = true;
    }
    UpdateData(FALSE);
}

bool CSpanTreePortParam::ApplyPort()
{
    UpdateData(TRUE);
    m_nPriority = CLegacyText::Number(m_comboPriority.GetWindowText());
    if (m_nPathCost < 0 || m_nPathCost > kMaxPathCost) {
        AfxMessageBox("Invalid Path Cost(1-200000000)");
        return false;
    }
    if (!m_bPortRead || m_pSpanTree == nullptr) {
        AfxMessageBox("The port's settings could not be read from the switch. Press Refresh and try again.");
        return false;
    }
    CListCtrlEx& list = m_pSpanTree->GetList();
    const std::string strOldPriority = list.GetItemText(m_nItem, 1);
    const std::string strOldCost = list.GetItemText(m_nItem, 2);
    const std::string strOldEnable = list.GetItemText(m_nItem, 3);
    const std::string strEnable = m_checkEnable.GetCheck() == BST_CHECKED ? "Y" : "N";

    std::vector<int> groups;
    if (!m_trunkGroups.WaitComplete(groups)) {
        AfxMessageBox("The aggregated links could not be read from the switch. Press Refresh and try again.");
        return false;
    }
    const int nPort = CLegacyText::Number(m_strPort);
    if (nPort >= 1 && nPort <= static_cast<int>(groups.size()) && groups[nPort - 1] != 0) {
        if (std::to_string(m_nPriority) == strOldPriority && std::to_string(m_nPathCost) == strOldCost &&
            strEnable == strOldEnable)
            return true;
        AfxMessageBox("Cannot add ports with different STP configurations to an aggregated link.");
        return false;
    }

    m_cCommonSNMPSet.Open(SnmpPduSet);
    m_cCommonSNMPSet.AddValue(kStpPortColumns + "2." + m_strPort, SnmpValueInteger, std::to_string(m_nPriority));
    m_cCommonSNMPSet.AddValue(kPathCostColumn + m_strPort, SnmpValueInteger, std::to_string(m_nPathCost));
    m_cCommonSNMPSet.AddValue(kStpPortColumns + "4." + m_strPort, SnmpValueInteger, strEnable == "Y" ? "1" : "2");
    CWriteReport report;
    report.Send(m_cCommonSNMPSet, "the spanning tree settings of port " + m_strPort);
    // A refused or unanswered write is said and keeps the dialog open.
    return !report.Report();
}

void CSpanTreePortParam::OnApply()
{
    ApplyPort();
}

void CSpanTreePortParam::OnOK()
{
    // A refused Apply keeps the dialog open with what was typed.
    if (ApplyPort())
        CDialog::OnOK();
}

void CSpanTreePortParam::OnCancel()
{
    CDialog::OnCancel();
}

#include "features/layer2/CPrivateSpanTPort.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/layer2/CPrivateSpanTree.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/stp.h"

#include <iterator>
#include <memory>

namespace {

constexpr int kMaxPathCost = 200000000;
constexpr int kPriorityItems = 16;

// The table's columns this dialog reads.
constexpr int kColumnPort = 0;
constexpr int kColumnPriority = 2;
constexpr int kColumnCost = 3;
constexpr int kColumnEdge = 4;
constexpr int kColumnP2P = 5;
constexpr int kColumnRestrictedRole = 6;
constexpr int kColumnRestrictedTCN = 7;

// The migrate combo's items.
constexpr int kMigrateEnabled = 0;
constexpr int kMigrateDisabled = 1;

// The edge values of the edge combo's items True, False, Auto.
const char* const kEdgeValues[] = {"1", "0", "2"};

std::string PortOid(int nColumn, const std::string& strPort)
{
    return CPrivateSpanTree::kPortTable + "." + std::to_string(nColumn) + "." + strPort;
}

} // namespace

BEGIN_MESSAGE_MAP(CPrivateSpanTPort, CDialog)
    ON_BN_CLICKED(IDC_STP_PORT_PREV, OnPrevPort)
    ON_BN_CLICKED(IDC_STP_PORT_NEXT, OnNextPort)
    ON_BN_CLICKED(IDC_STP_PORT_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CPrivateSpanTPort::CPrivateSpanTPort(CWnd* pParent) : CDialog(IDD_STP_PORT, pParent) {}

CPrivateSpanTPort::~CPrivateSpanTPort() = default;

BOOL CPrivateSpanTPort::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void CPrivateSpanTPort::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STP_PORT_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_STP_PORT_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_STP_PORT_COST, m_editCost);
    DDX_Control(pDX, IDC_STP_PORT_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_STP_PORT_NUMBER, m_staticPort);
    DDX_Text(pDX, IDC_STP_PORT_NUMBER, m_strPort);
    DDX_Text(pDX, IDC_STP_PORT_COST, m_nPathCost);
    DDX_Control(pDX, IDC_STP_PORT_PRIORITY, m_comboPriority);
    DDX_Control(pDX, IDC_STP_PORT_EDGE, m_comboEdge);
    DDX_Control(pDX, IDC_STP_PORT_P2P, m_comboP2P);
    DDX_Control(pDX, IDC_STP_PORT_RESTRICTED_TCN, m_comboRestrictedTCN);
    DDX_Control(pDX, IDC_STP_PORT_MIGRATE, m_comboMigrate);
    DDX_Control(pDX, IDC_STP_PORT_RESTRICTED_ROLE, m_comboRestrictedRole);
}

BOOL CPrivateSpanTPort::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    for (int i = 0; i < kPriorityItems; ++i)
        m_comboPriority.AddString(std::to_string(i << 4));
    m_comboPriority.SetCurSel(0);

    const int nSelected = m_pTable != nullptr ? m_pTable->GetFirstSelectedRow() : -1;
    m_nRow = nSelected >= 0 ? nSelected : 0;
    m_editCost.SetWindowText("2000000");
    ReadPortSettings();
    SetWindowText(" Port STP Configuration");
    return TRUE;
}

void CPrivateSpanTPort::SelectByPrefix(CComboBox& combo, const std::string& strText)
{
    combo.SetCurSel(strText.empty() ? -1 : combo.FindString(-1, strText));
}

void CPrivateSpanTPort::ReadPortSettings()
{
    m_bPortRead = false;
    const int nRows = m_pTable != nullptr ? m_pTable->GetRowCount() : 0;
    if (nRows <= 0) {
        // No row, no port: nothing is read, and OK writes nothing.
        m_nRow = 0;
        m_strPort.clear();
        m_btnPrev.EnableWindow(FALSE);
        m_btnNext.EnableWindow(FALSE);
        UpdateData(FALSE);
        return;
    }
    if (m_nRow < 0)
        m_nRow = 0;
    if (m_nRow > nRows - 1)
        m_nRow = nRows - 1;
    m_btnPrev.EnableWindow(m_nRow > 0 ? TRUE : FALSE);
    m_btnNext.EnableWindow(m_nRow < nRows - 1 ? TRUE : FALSE);

    m_strPort = m_pTable->GetRowText(m_nRow, kColumnPort);
    m_comboPriority.SetWindowText(m_pTable->GetRowText(m_nRow, kColumnPriority));
    // "AUTO/20000" is the automatic cost in use: 20000.
    std::string strCost = m_pTable->GetRowText(m_nRow, kColumnCost);
    const std::size_t nSlash = strCost.find('/');
    if (nSlash != std::string::npos)
        strCost.erase(0, nSlash + 1);
    m_nPathCost = static_cast<int>(CSTPLogic::WholeNumber(strCost));
    SelectByPrefix(m_comboEdge, m_pTable->GetRowText(m_nRow, kColumnEdge));
    SelectByPrefix(m_comboP2P, m_pTable->GetRowText(m_nRow, kColumnP2P));
    SelectByPrefix(m_comboRestrictedRole, m_pTable->GetRowText(m_nRow, kColumnRestrictedRole));
    SelectByPrefix(m_comboRestrictedTCN, m_pTable->GetRowText(m_nRow, kColumnRestrictedTCN));

    if (m_cCommonSNMP.Open(SnmpPduGet) && m_cCommonSNMP.AddValue(PortOid(12, m_strPort), SnmpValueNull) == 0 &&
        m_cCommonSNMP.AddValue(PortOid(4, m_strPort), SnmpValueNull) == 0) {
        std::unique_ptr<CSnmp> pResponse;
        int nErrorStatus = 0;
        int nErrorIndex = 0;
        if (m_cCommonSNMP.send(pResponse, 0) == 0 && pResponse &&
            (pResponse->getError(&nErrorStatus, &nErrorIndex), nErrorStatus == 0) &&
            pResponse->getVarBindCount() >= 2) {
            const std::string strMigrate = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
            // A value the switch cannot mean selects nothing.
            m_comboMigrate.SetCurSel(strMigrate == "1"   ? kMigrateEnabled
                                     : strMigrate == "2" ? kMigrateDisabled
                                                         : -1);
            // A state the switch cannot mean is unknown: OK writes none.
            const std::string strEnable = CModuleBase::EnumText(pResponse.get(), 1, {1, 2});
            m_checkEnable.SetCheck(strEnable == "1" ? BST_CHECKED : BST_UNCHECKED);
            m_bPortRead = !strEnable.empty();
        }
    }
    UpdateData(FALSE);
}

void CPrivateSpanTPort::OnPrevPort()
{
    UpdateData(TRUE);
    --m_nRow;
    ReadPortSettings();
}

void CPrivateSpanTPort::OnNextPort()
{
    UpdateData(TRUE);
    ++m_nRow;
    ReadPortSettings();
}

void CPrivateSpanTPort::OnRefresh()
{
    ReadPortSettings();
}

void CPrivateSpanTPort::OnOK()
{
    if (!ApplyPortSettings())
        return;
    CDialog::OnOK();
}

BOOL CPrivateSpanTPort::ApplyPortSettings()
{
    // A cost that is no number has been refused with the framework's prompt:
    // the dialog stays open so it can be put right.
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_strPort.empty())
        return TRUE;
    if (!m_bPortRead) {
        AfxMessageBox("The settings of port " + m_strPort + " could not be read from the switch; nothing was written.");
        return TRUE;
    }
    const std::string strPriority = m_comboPriority.GetWindowText();
    if (m_nPathCost > kMaxPathCost || m_nPathCost < 0) {
        AfxMessageBox("Invalid Path Cost(1-200000000)");
        return TRUE;
    }
    // A priority that is no number would be left out of the request.
    if (!CSTPLogic::IsWholeNumber(strPriority)) {
        AfxMessageBox("Invalid Port Priority.");
        return TRUE;
    }
    const bool bEnable = m_checkEnable.GetCheck() == BST_CHECKED;
    if (bEnable && !CheckLbdPort())
        return TRUE;

    CWriteReport report;
    if (!m_cCommonSNMPSet.Open(SnmpPduSet)) {
        report.Silent("the spanning tree settings of port " + m_strPort);
        report.Report();
        return TRUE;
    }
    m_cCommonSNMPSet.AddValue(PortOid(4, m_strPort), SnmpValueInteger, bEnable ? "1" : "2");
    m_cCommonSNMPSet.AddValue(PortOid(2, m_strPort), SnmpValueInteger,
                              std::to_string(CSTPLogic::WholeNumber(strPriority)));
    m_cCommonSNMPSet.AddValue(PortOid(5, m_strPort), SnmpValueInteger, std::to_string(m_nPathCost));
    // A combo with no selection adds no binding: the port keeps its value.
    auto addIndex = [&](int nColumn, const CComboBox& combo, int nOffset) {
        const int nSelected = combo.GetCurSel();
        if (nSelected >= 0)
            m_cCommonSNMPSet.AddValue(PortOid(nColumn, m_strPort), SnmpValueInteger,
                                      std::to_string(nSelected + nOffset));
    };
    addIndex(18, m_comboRestrictedTCN, 1);
    addIndex(12, m_comboMigrate, 1);
    addIndex(14, m_comboP2P, 0);
    addIndex(17, m_comboRestrictedRole, 1);
    const int nEdge = m_comboEdge.GetCurSel();
    if (nEdge >= 0 && nEdge < static_cast<int>(std::size(kEdgeValues)))
        m_cCommonSNMPSet.AddValue(PortOid(16, m_strPort), SnmpValueInteger, kEdgeValues[nEdge]);
    report.Send(m_cCommonSNMPSet, "the spanning tree settings of port " + m_strPort);
    report.Report();
    return TRUE;
}

BOOL CPrivateSpanTPort::CheckLbdPort()
{
    const int nPort = static_cast<int>(CSTPLogic::WholeNumber(m_strPort));
    int nFailed = 0;
    switch (m_cStpLogic.CheckLbdPorts(nPort, nPort, nFailed)) {
    case CSTPLogic::LbdCheck::Free:
        return TRUE;
    case CSTPLogic::LbdCheck::Unread:
        AfxMessageBox(CSTPLogic::UnreadText(nFailed));
        return FALSE;
    case CSTPLogic::LbdCheck::Conflict:
        break;
    }
    AfxMessageBox("STP port " + m_strPort + " can not both support Spanning Tree and LBD-enabled mode.");
    return FALSE;
}

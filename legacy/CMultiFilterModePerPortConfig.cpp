#include "legacy/CMultiFilterModePerPortConfig.h"

#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "features/ports_vlans/WalkMessages.h"
#include "legacy/CLegacyText.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

#include <memory>

namespace {

const std::string kModeTable = KorvelOid("10.76.19.1.7.8.1.");
const char* const kModes[] = {"Forward Unregistered Groups", "Filtering Unregistered Groups"};

std::vector<std::string> ModeRowTexts(CSnmp* pResponse)
{
    return {CModuleBase::ValueText(pResponse, 0), CModuleBase::ValueText(pResponse, 1) == "1" ? kModes[0] : kModes[1]};
}

} // namespace

const std::string CMultiFilterModePerPortConfig::kModeColumn = kModeTable + "2";

BEGIN_MESSAGE_MAP(CMultiFilterModePerPortConfig, CDialog)
    ON_CBN_SELCHANGE(IDC_LMF_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_LMF_TO_PORT, OnToPortChange)
    ON_BN_CLICKED(IDC_LMF_APPLY, OnApply)
    ON_BN_CLICKED(IDC_LMF_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_LMF_CLOSE, OnClose)
    ON_MESSAGE(WM_WALK_FINISHED, OnWalkFinished)
    ON_MESSAGE(WM_WALK_FAILED, OnWalkFailed)
END_MESSAGE_MAP()

CMultiFilterModePerPortConfig::CMultiFilterModePerPortConfig(CWnd* pParent)
    : CDialog(IDD_LEGACY_MULTI_FILTER_MODE, pParent), m_modeWalk(*this, m_list, ModeRowTexts)
{
}

CMultiFilterModePerPortConfig::~CMultiFilterModePerPortConfig()
{
    m_modeWalk.Close();
    m_trunkGroups.Close();
}

BOOL CMultiFilterModePerPortConfig::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_modeWalk.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    m_trunkGroups.Close();
    OutputDebugString("==================m_cCommonSNMPTableGetTrunk.Close===============");
    return CDialog::DestroyWindow();
}

void CMultiFilterModePerPortConfig::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LMF_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_LMF_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_LMF_LIST, m_list);
    DDX_Control(pDX, IDC_LMF_MODE, m_comboMode);
    DDX_Control(pDX, IDC_LMF_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_LMF_FROM_PORT, m_comboFromPort);
}

BOOL CMultiFilterModePerPortConfig::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    CLegacyPortRange::FillPortBoxes(m_comboFromPort, m_comboToPort);
    m_list.InsertColumn(0, "Port", LVCFMT_CENTER, 150);
    m_list.InsertColumn(1, "Multicast Filtering Mode", LVCFMT_CENTER, 320);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    for (const char* mode : kModes)
        m_comboMode.AddString(mode);
    m_comboMode.SetCurSel(0);
    m_trunkGroups.Start();
    StartModeWalk();
    return TRUE;
}

void CMultiFilterModePerPortConfig::StartModeWalk()
{
    m_readReport.Begin();
    m_btnApply.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    m_modeWalk.Start({kModeTable + "1", kModeTable + "2"});
}

LRESULT CMultiFilterModePerPortConfig::OnWalkFinished(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_modeWalk.ShowRows();
    m_bRead = true;
    EndWalk();
    return 0;
}

LRESULT CMultiFilterModePerPortConfig::OnWalkFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    EndWalk();
    // The list keeps its last complete read.
    m_readReport.Fail("the multicast filtering modes", m_list.GetItemCount() > 0);
    return 0;
}

void CMultiFilterModePerPortConfig::EndWalk()
{
    m_btnApply.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
}

void CMultiFilterModePerPortConfig::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CMultiFilterModePerPortConfig::OnToPortChange()
{
    CLegacyPortRange::CheckToPort(m_comboFromPort, m_comboToPort);
}

void CMultiFilterModePerPortConfig::OnRefresh()
{
    // A trunk walk that never read the whole table is tried again.
    if (m_trunkGroups.IsTrunkReady() == 0)
        m_trunkGroups.Start();
    StartModeWalk();
}

void CMultiFilterModePerPortConfig::OnClose()
{
    OnCancel();
}

int CMultiFilterModePerPortConfig::TypedPort(CComboBox& box)
{
    std::string strText = box.GetWindowText();
    const std::size_t first = strText.find_first_not_of(' ');
    const std::size_t last = strText.find_last_not_of(' ');
    strText = first == std::string::npos ? std::string() : strText.substr(first, last - first + 1);
    const bool bDigits = !strText.empty() && strText.size() <= 9 &&
                         strText.find_first_not_of("0123456789") == std::string::npos;
    const int nPort = bDigits ? CLegacyText::Number(strText) : 0;
    if (nPort < 1 || nPort > g_nPortCount) {
        AfxMessageBox("Invalid port: a port is a number from 1 to " + std::to_string(g_nPortCount) + ".");
        return 0;
    }
    return nPort;
}

void CMultiFilterModePerPortConfig::OnApply()
{
    if (!m_bRead) {
        CReadReport::RefuseUnread("the multicast filtering modes");
        return;
    }
    const int nFirst = TypedPort(m_comboFromPort);
    if (nFirst == 0)
        return;
    const int nLast = TypedPort(m_comboToPort);
    if (nLast == 0)
        return;
    if (nLast < nFirst) {
        AfxMessageBox("'To Port' can not be smaller than 'From Port'");
        return;
    }
    const std::string strMode = m_comboMode.GetCurSel() == 0 ? "1" : "2";
    const int nTrunkPort = CLegacyPortRange::FirstTrunkPort(m_trunkGroups, nFirst, nLast);
    if (nTrunkPort < 0)
        return;
    if (nTrunkPort > 0) {
        AfxMessageBox("Ports with different Multicast Filtering Mode in an aggregated link is invalid.");
        return;
    }
    m_cCommonSNMP.Open(SnmpPduSet);
    for (int nPort = nFirst; nPort <= nLast; ++nPort)
        m_cCommonSNMP.AddValue(kModeColumn + "." + std::to_string(nPort), SnmpValueInteger, strMode);
    CWriteReport report;
    report.Send(m_cCommonSNMP, nFirst == nLast ? "the multicast filtering mode of port " + std::to_string(nFirst)
                                               : "the multicast filtering mode of ports " + std::to_string(nFirst) +
                                                     "-" + std::to_string(nLast));
    report.Report();
    // What the switch holds now; a switch that has just been silent is not
    // asked again at once.
    if (report.TimedOut())
        return;
    Sleep(50);
    StartModeWalk();
}

#include "legacy/CCameraVlanPortSetting.h"

#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "legacy/LegacyWrite.h"
#include "common/CModuleBase.h"
#include "features/ports_vlans/WalkMessages.h"
#include "legacy/CLegacyText.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

#include <memory>

namespace {

const std::string kCameraTable = KorvelOid("10.76.19.1.26.1.5.1.");
constexpr int kBatchSize = 30;
constexpr DWORD kBatchPauseMs = 100;

std::vector<std::string> CameraRowTexts(CSnmp* pResponse)
{
    const std::string strDetection = CModuleBase::ValueText(pResponse, 1);
    const std::string strStatus = CModuleBase::ValueText(pResponse, 2);
    return {CModuleBase::ValueText(pResponse, 0), strDetection == "2" ? "Disabled" : "Enabled",
            strStatus == "1"   ? "Static"
            : strStatus == "2" ? "Dynamic"
            : strStatus == "3" ? "None"
                               : strStatus};
}

} // namespace

const std::string CCameraVlanPortSetting::kDetectionColumn = kCameraTable + "2";

BEGIN_MESSAGE_MAP(CCameraVlanPortSetting, CDialog)
    ON_BN_CLICKED(IDC_LCAM_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_LCAM_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_LCAM_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_LCAM_TO_PORT, OnToPortChange)
    ON_MESSAGE(WM_WALK_FINISHED, OnWalkFinished)
    ON_MESSAGE(WM_WALK_FAILED, OnWalkFailed)
END_MESSAGE_MAP()

CCameraVlanPortSetting::CCameraVlanPortSetting(CWnd* pParent)
    : CDialog(IDD_LEGACY_CAMERA_VLAN_PORT, pParent), m_portWalk(*this, m_list, CameraRowTexts)
{
}

CCameraVlanPortSetting::~CCameraVlanPortSetting()
{
    m_portWalk.Close();
    m_trunkGroups.Close();
}

BOOL CCameraVlanPortSetting::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    m_portWalk.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    m_trunkGroups.Close();
    OutputDebugString("==================m_cCommonSNMPTableGetTrunk.Close===============");
    return CDialog::DestroyWindow();
}

void CCameraVlanPortSetting::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LCAM_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_LCAM_VLAN_ID, m_editVlanId);
    DDX_Control(pDX, IDC_LCAM_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_LCAM_LIST, m_list);
    DDX_Control(pDX, IDC_LCAM_DETECTION, m_comboDetection);
    DDX_Control(pDX, IDC_LCAM_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_LCAM_FROM_PORT, m_comboFromPort);
}

BOOL CCameraVlanPortSetting::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    CLegacyPortRange::FillPortBoxes(m_comboFromPort, m_comboToPort);
    m_list.InsertColumn(0, "Port", LVCFMT_CENTER, 100);
    m_list.InsertColumn(1, "Auto Detection", LVCFMT_CENTER, 200);
    m_list.InsertColumn(2, "Status", LVCFMT_CENTER, 200);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_comboDetection.AddString("Enable");
    m_comboDetection.AddString("Disable");
    m_comboDetection.SetCurSel(1);
    m_editVlanId.SetWindowText(m_strVlanId);
    m_btnApply.EnableWindow(m_strVlanState == "1" ? TRUE : FALSE);
    m_trunkGroups.Start();
    StartPortWalk();
    return TRUE;
}

void CCameraVlanPortSetting::OnRefresh()
{
    m_trunkGroups.Start();
    StartPortWalk();
}

void CCameraVlanPortSetting::StartPortWalk()
{
    m_readReport.Begin();
    m_btnApply.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    m_portWalk.Start({kCameraTable + "1", kCameraTable + "2", kCameraTable + "3"});
}

LRESULT CCameraVlanPortSetting::OnWalkFinished(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_portWalk.ShowRows();
    m_bRead = true;
    EndWalk();
    return 0;
}

LRESULT CCameraVlanPortSetting::OnWalkFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    EndWalk();
    // The list keeps its last complete read.
    m_readReport.Fail("the surveillance VLAN ports", m_list.GetItemCount() > 0);
    return 0;
}

void CCameraVlanPortSetting::EndWalk()
{
    m_btnApply.EnableWindow(m_strVlanState == "1" ? TRUE : FALSE);
    m_btnRefresh.EnableWindow(TRUE);
}

void CCameraVlanPortSetting::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CCameraVlanPortSetting::OnToPortChange()
{
    CLegacyPortRange::CheckToPort(m_comboFromPort, m_comboToPort);
}

void CCameraVlanPortSetting::OnApply()
{
    if (m_strVlanState != "1")
        return;
    if (!m_bRead) {
        CReadReport::RefuseUnread("the surveillance VLAN port settings");
        return;
    }
    CWaitCursor wait;
    const int nFirst = CLegacyText::Number(m_comboFromPort.GetWindowText());
    const int nLast = CLegacyText::Number(m_comboToPort.GetWindowText());
    const std::string strValue = m_comboDetection.GetCurSel() == 0 ? "1" : "2";

    // The whole range is judged before anything goes out.
    if (strValue == "1") {
        const int nTrunkPort = CLegacyPortRange::FirstTrunkPort(m_trunkGroups, nFirst, nLast);
        if (nTrunkPort < 0)
            return;
        if (nTrunkPort > 0) {
            AfxMessageBox("LA member port can not support in auto Surveillance vlan mode.");
            return;
        }
    }
    // Each batch is a request of its own, carrying its ports only; the first
    // batch the switch refuses or leaves unanswered ends the sequence.
    CWriteReport report;
    int nInBatch = 0;
    int nBatchFirst = nFirst;
    for (int nPort = nFirst; nPort <= nLast; ++nPort) {
        if (nInBatch == 0) {
            m_cCommonSNMPSet.Open(SnmpPduSet);
            nBatchFirst = nPort;
        }
        m_cCommonSNMPSet.AddValue(kDetectionColumn + "." + std::to_string(nPort), SnmpValueInteger, strValue);
        if (++nInBatch == kBatchSize || nPort == nLast) {
            const std::string strWhat = nBatchFirst == nPort
                                            ? "the surveillance VLAN mode of port " + std::to_string(nPort)
                                            : "the surveillance VLAN mode of ports " + std::to_string(nBatchFirst) +
                                                  "-" + std::to_string(nPort);
            if (!legacy_write::SendStep(report, m_cCommonSNMPSet, strWhat)) {
                report.SetProgress(CWriteReport::PortProgress("Ports", nFirst, nBatchFirst));
                break;
            }
            if (nInBatch == kBatchSize)
                Sleep(kBatchPauseMs);
            nInBatch = 0;
        }
    }
    report.Report();
    if (report.TimedOut())
        return;
    StartPortWalk();
}

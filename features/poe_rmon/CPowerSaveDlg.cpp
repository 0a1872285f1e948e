#include "features/poe_rmon/CPowerSaveDlg.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/ListColumn.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/power_saving.h"

#include <iterator>

namespace {

constexpr int kHibernation = 2; // its entry in the type list
constexpr int kPortStandbyEntry = 3;
constexpr int kEnabled = 0;   // entries of the state list
constexpr int kDisabled = 1;

constexpr ListColumn kPowerSaveColumns[] = {
    {"Type", 140}, {"State", 80}, {"Time Profile 1 ", 120}, {"Time Profile 2", 120}, {"Port ", 120}};

// "" for a state the switch cannot mean.
const char* StateText(const std::string& strState)
{
    return strState == "1" ? "Enabled" : strState == "2" ? "Disabled" : "";
}

const char* TypeName(int nType)
{
    switch (nType) {
    case 1:
        return "LED_Shutoff";
    case 2:
        return "Port_Shutoff";
    case 3:
        return "Port_Standby";
    case 4:
        return "System_Hibernation";
    default:
        return "";
    }
}

// The switch's kind of the type list's entry.
int TypeOfEntry(int nEntry)
{
    return nEntry == kHibernation ? 4 : nEntry + 1;
}

} // namespace

BEGIN_MESSAGE_MAP(CPowerSaveDlg, CDialog)
    ON_BN_CLICKED(IDC_PS_APPLY_GLOBAL, OnApplyDetection)
    ON_BN_CLICKED(IDC_PS_APPLY, OnApplyPowerSaving)
    ON_MESSAGE(WM_POWER_SAVING_NOTIFY, OnPowerSavingNotify)
    ON_CBN_SELCHANGE(IDC_PS_TYPE, OnTypeChange)
    ON_CBN_SELCHANGE(IDC_PS_STATE, OnStateChange)
    ON_BN_CLICKED(IDC_PS_REFRESH, RefreshAll)
    ON_BN_CLICKED(IDC_PS_CLOSE, OnClose)
END_MESSAGE_MAP()

CPowerSaveDlg::CPowerSaveDlg(CWnd* pParent) : CDialog(IDD_POWER_SAVING, pParent) {}

CPowerSaveDlg::~CPowerSaveDlg() = default;

BOOL CPowerSaveDlg::DestroyWindow()
{
    m_PowSavSettings.CloseAll();
    return CDialog::DestroyWindow();
}

void CPowerSaveDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PS_SUMMARY, m_listSummary);
    DDX_Control(pDX, IDC_PS_TYPE, m_comboType);
    DDX_Control(pDX, IDC_PS_PROFILE2, m_comboProfile2);
    DDX_Control(pDX, IDC_PS_PROFILE1, m_comboProfile1);
    DDX_Control(pDX, IDC_PS_LINK_STATUS, m_checkLinkStatus);
    DDX_Control(pDX, IDC_PS_CABLE_LENGTH, m_checkCableLength);
    DDX_Control(pDX, IDC_PS_PORTS, m_editPorts);
    DDX_Control(pDX, IDC_PS_STATE, m_comboState);
}

BOOL CPowerSaveDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_PowSavSettings.m_hOwnerWnd = GetSafeHwnd();
    m_listSummary.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    InsertListColumns(m_listSummary, kPowerSaveColumns, LVCFMT_LEFT);
    // Port standby is neither offered nor summarised.
    m_comboType.DeleteString(kPortStandbyEntry);
    RefreshAll();
    return TRUE;
}

void CPowerSaveDlg::RefreshAll()
{
    m_readReport.Begin();
    // A read that fails keeps what the last one showed, and a switch that
    // does not answer the settings is not asked for the names as well.
    const CPowSavSettings::ReadResult result = m_PowSavSettings.GetPowerSaving();
    if (result != CPowSavSettings::ReadResult::Answered)
        m_readReport.Fail("the power saving settings", m_bRead);
    // Every name the switch holds is offered: the walk is waited for.
    if (result != CPowSavSettings::ReadResult::Silent &&
        (!m_PowSavSettings.StartProfileNameWalk() || !m_PowSavSettings.WaitProfileNames()))
        m_readReport.Fail("the time profile names", true);
    for (CComboBox* pCombo : {&m_comboProfile1, &m_comboProfile2}) {
        pCombo->ResetContent();
        pCombo->AddString("None");
        for (const std::string& strName : m_PowSavSettings.GetProfileNames())
            pCombo->AddString(strName);
        pCombo->SetCurSel(0);
    }
    m_comboType.SetCurSel(0);
    m_comboState.SetCurSel(kDisabled);
    m_comboProfile1.EnableWindow(FALSE);
    m_comboProfile2.EnableWindow(FALSE);
    m_editPorts.EnableWindow(FALSE);
    m_editPorts.SetWindowText("");
}

LRESULT CPowerSaveDlg::OnPowerSavingNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0) {
        if (const auto* pDetection = reinterpret_cast<const POWER_detection_info*>(lParam)) {
            m_checkCableLength.SetCheck(pDetection->strCableLength == "1" ? BST_CHECKED : BST_UNCHECKED);
            m_checkLinkStatus.SetCheck(pDetection->strLinkStatus == "1" ? BST_CHECKED : BST_UNCHECKED);
            // A value outside on/off leaves the box unchecked and unknown.
            m_bDetectionRead = !pDetection->strLinkStatus.empty();
        }
        return 0;
    }
    if (wParam != 1)
        return 0;
    m_listSummary.DeleteAllItems();
    for (int nRow = 0; nRow < m_comboType.GetCount(); ++nRow) {
        const POWER_saving_info& record = m_PowSavSettings.GetRecord(nRow);
        m_listSummary.SetOrInsertItemText(nRow, 0, TypeName(record.nType));
        m_listSummary.SetOrInsertItemText(nRow, 1, StateText(record.strState));
        m_listSummary.SetOrInsertItemText(nRow, 2, record.strTimeProfile1.c_str());
        m_listSummary.SetOrInsertItemText(nRow, 3, record.strTimeProfile2.c_str());
        m_listSummary.SetOrInsertItemText(nRow, 4, record.strPorts.empty() ? "None" : record.strPorts.c_str());
    }
    m_bRead = true;
    return 0;
}

void CPowerSaveDlg::SelectProfile(CComboBox& combo, const std::string& strName)
{
    if (strName.empty()) {
        combo.SetCurSel(0);
        return;
    }
    // Exactly the record's name: "Work" is not "Workday".
    for (int i = 0; i < combo.GetCount(); ++i) {
        std::string strEntry;
        combo.GetLBText(i, strEntry);
        if (strEntry == strName) {
            combo.SetCurSel(i);
            return;
        }
    }
    combo.SetCurSel(-1);
}

void CPowerSaveDlg::OnTypeChange()
{
    const int nEntry = m_comboType.GetCurSel();
    if (nEntry < 0)
        return;
    const POWER_saving_info& record = m_PowSavSettings.GetRecord(nEntry);
    SelectProfile(m_comboProfile1, record.strTimeProfile1);
    SelectProfile(m_comboProfile2, record.strTimeProfile2);
    m_editPorts.SetWindowText(nEntry == kHibernation ? std::string("All Port") : record.strPorts);
    const BOOL bEnabled = record.strState == "1" ? TRUE : FALSE;
    // An unknown state selects neither.
    m_comboState.SetCurSel(record.strState.empty() ? -1 : bEnabled ? kEnabled : kDisabled);
    m_comboProfile1.EnableWindow(bEnabled);
    m_comboProfile2.EnableWindow(bEnabled);
    m_editPorts.EnableWindow(bEnabled);
}

void CPowerSaveDlg::OnStateChange()
{
    const BOOL bEnabled = m_comboState.GetCurSel() == kEnabled ? TRUE : FALSE;
    m_comboProfile1.EnableWindow(bEnabled);
    m_comboProfile2.EnableWindow(bEnabled);
    m_editPorts.EnableWindow(m_comboType.GetCurSel() == kHibernation ? FALSE : bEnabled);
}

void CPowerSaveDlg::OnApplyDetection()
{
    if (!m_bRead || !m_bDetectionRead) {
        CReadReport::RefuseUnread("the link status detection");
        return;
    }
    POWER_detection_info detection;
    detection.strLinkStatus = m_checkLinkStatus.GetCheck() == BST_CHECKED ? "1" : "2";
    CWriteReport report;
    m_PowSavSettings.SetLinkStatusDetection(detection, report);
    // A write that failed is said and not read back: the box keeps the
    // user's choice.
    if (!report.Report())
        RefreshAll();
}

std::string CPowerSaveDlg::ProfileToWrite(const CComboBox& combo, const std::string& strRead) const
{
    // A name the lists do not offer (its walk failed) is written as read,
    // not as an empty name.
    if (combo.GetCurSel() < 0)
        return strRead;
    std::string strText;
    combo.GetLBText(combo.GetCurSel(), strText);
    return strText;
}

void CPowerSaveDlg::OnApplyPowerSaving()
{
    const int nEntry = m_comboType.GetCurSel();
    if (nEntry < 0)
        return;
    // Nothing is written before a read, nor a state the switch never gave
    // and the user did not choose.
    if (!m_bRead || m_comboState.GetCurSel() < 0) {
        CReadReport::RefuseUnread("the power saving settings");
        return;
    }
    POWER_saving_info record;
    record.nType = TypeOfEntry(nEntry);
    record.strState = m_comboState.GetCurSel() == kEnabled ? "1" : "2";
    if (nEntry != kHibernation) {
        record.strPorts = m_editPorts.GetWindowText();
        // The port list parser passes separators it does not know.
        if (!CUtils::IsPlainNumberList(record.strPorts)) {
            AfxMessageBox("Invalid Portlist");
            return;
        }
    }
    const POWER_saving_info& read = m_PowSavSettings.GetRecord(nEntry);
    record.strTimeProfile1 = ProfileToWrite(m_comboProfile1, read.strTimeProfile1);
    record.strTimeProfile2 = ProfileToWrite(m_comboProfile2, read.strTimeProfile2);
    CWriteReport report;
    m_PowSavSettings.SetPowerSaving(record, report);
    if (!report.Report() || !report.TimedOut())
        RefreshAll();
}

void CPowerSaveDlg::OnClose()
{
    OnCancel();
}

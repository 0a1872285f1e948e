#include "features/poe_rmon/CPOEGlobal.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/poe_rmon/PoeTables.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/poe.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr UINT_PTR kReadTimer = 0;
constexpr UINT kReadDelayMs = 3000;
constexpr int kTimeoutMs = 5000;

// The six objects in the order of m_strValues: threshold, shut-off sequence,
// budget, used, left, percentage supplied.
enum Position
{
    kThreshold,
    kSequence,
    kBudget,
    kUsed,
    kLeft,
    kPercentage,
    kPositions,
};

const char* const kWaiting = "wait...";

} // namespace

BEGIN_MESSAGE_MAP(CPOEGlobal, CDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_POEG_APPLY, OnApply)
END_MESSAGE_MAP()

CPOEGlobal::CPOEGlobal(CWnd* pParent) : CDialog(IDD_POE_GLOBAL, pParent), m_strValues(kPositions + 1) {}

CPOEGlobal::~CPOEGlobal() = default;

void CPOEGlobal::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_POEG_THRESHOLD, m_editThreshold);
    DDX_Control(pDX, IDC_POEG_SEQUENCE, m_comboSequence);
    DDX_Control(pDX, IDC_POEG_RPS_STATUS, m_editRpsStatus);
    DDX_Control(pDX, IDC_POEG_BUDGET, m_editBudget);
    DDX_Control(pDX, IDC_POEG_USED, m_editUsed);
    DDX_Control(pDX, IDC_POEG_LEFT, m_editLeft);
    DDX_Control(pDX, IDC_POEG_PERCENTAGE, m_editPercentage);
    DDX_Control(pDX, IDC_POEG_APPLY, m_btnApply);
}

BOOL CPOEGlobal::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_arrOids.clear();
    for (int nObject = 2; nObject <= 7; ++nObject)
        m_arrOids.push_back(KorvelOid("10.76.19.1.22." + std::to_string(nObject) + ".0"));
    ShowWaiting();
    SetTimer(kReadTimer, kReadDelayMs);
    return TRUE;
}

void CPOEGlobal::ShowWaiting()
{
    m_btnApply.EnableWindow(FALSE);
    m_editThreshold.EnableWindow(FALSE);
    m_comboSequence.EnableWindow(FALSE);
    for (CEdit* pEdit : {&m_editThreshold, &m_editBudget, &m_editUsed, &m_editLeft, &m_editPercentage})
        pEdit->SetWindowText(kWaiting);
}

void CPOEGlobal::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    ReadGlobalValues();
    CDialog::OnTimer(nIDEvent);
}

void CPOEGlobal::ReadGlobalValues()
{
    m_readReport.Begin();
    // A switch that does not answer costs one time-out: the reads stop at it,
    // and nothing is written until the switch has answered them all.
    for (int i = 0; i < static_cast<int>(m_arrOids.size()); ++i) {
        if (!ReadGlobalValue(m_arrOids[i], i)) {
            m_readReport.Fail("the PoE global settings");
            return;
        }
    }
    m_btnApply.EnableWindow(TRUE);
    m_editThreshold.EnableWindow(TRUE);
    m_comboSequence.EnableWindow(TRUE);
}

bool CPOEGlobal::ReadGlobalValue(const std::string& strOid, int nPosition)
{
    m_cCommonSNMP.Open(SnmpPduGet);
    m_cCommonSNMP.AddValue(strOid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    std::string strValue;
    const CCommonSNMP::SendResult result = m_cCommonSNMP.SendFor(pResponse, kTimeoutMs);
    if (result == CCommonSNMP::SendResult::Silent)
        return false;
    // A refused read is no value; a value that cannot be read leaves the
    // field as it was.
    if (result == CCommonSNMP::SendResult::Answered) {
        if (!CModuleBase::HasValue(pResponse.get(), 0))
            return true;
        strValue = CModuleBase::ValueText(pResponse.get(), 0);
    }
    m_strValues[static_cast<std::size_t>(nPosition)] = strValue;
    switch (nPosition) {
    case kThreshold:
        m_editThreshold.SetWindowText(strValue);
        break;
    case kSequence:
        // Only an INTEGER of the list selects an entry.
        m_strValues[kSequence] = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
        m_comboSequence.SetCurSel(m_strValues[kSequence].empty() ? -1
                                                                 : poe_tables::DecimalValue(m_strValues[kSequence]) - 1);
        break;
    case kBudget:
        m_editBudget.SetWindowText(strValue);
        break;
    case kUsed:
        m_editUsed.SetWindowText(strValue);
        break;
    case kLeft:
        m_editLeft.SetWindowText(strValue);
        break;
    case kPercentage:
        m_editPercentage.SetWindowText(strValue);
        break;
    default:
        break;
    }
    return true;
}

BOOL CPOEGlobal::CheckThreshold(const std::string& strThreshold)
{
    const double dThreshold = std::strtod(strThreshold.c_str(), nullptr);
    if (dThreshold < 7.1 || dThreshold > 193.0) {
        AfxMessageBox("The System Power Threshold ranges between 7.1 ~ 193.0.", MB_OK);
        return FALSE;
    }
    return TRUE;
}

void CPOEGlobal::OnApply()
{
    m_btnApply.EnableWindow(FALSE);
    const std::string strThreshold = m_editThreshold.GetWindowText();
    const bool bThresholdChanged = strThreshold != m_strValues[kThreshold];
    // A refused threshold stops the Apply before anything goes out.
    if (bThresholdChanged && !CheckThreshold(strThreshold)) {
        m_btnApply.EnableWindow(TRUE);
        return;
    }

    m_cCommonSNMPSet.Open(SnmpPduSet);
    CWriteReport report;
    bool bWritten = false;
    // Without a selection (the switch holds no sequence of the list) no
    // sequence goes out.
    const int nSequence = m_comboSequence.GetCurSel();
    if (nSequence != CB_ERR && nSequence != poe_tables::DecimalValue(m_strValues[kSequence]) - 1) {
        m_cCommonSNMPSet.AddValue(m_arrOids[kSequence], SnmpValueInteger, std::to_string(nSequence + 1));
        bWritten = report.Send(m_cCommonSNMPSet, "the power shut-off sequence", kTimeoutMs);
    }
    if (bThresholdChanged && !report.Failed()) {
        m_cCommonSNMPSet.AddValueLen(m_arrOids[kThreshold], SnmpValueOctetString, strThreshold.data(),
                                     static_cast<int>(strThreshold.size()));
        if (report.Send(m_cCommonSNMPSet, "the PoE threshold", kTimeoutMs))
            bWritten = true;
        else if (bWritten)
            report.SetProgress("The power shut-off sequence was written.");
    }

    if (report.Failed()) {
        report.Report();
        // What the switch holds now, unless it did not answer at all.
        if (report.TimedOut())
            m_btnApply.EnableWindow(TRUE);
        else
            ReadGlobalValues();
    } else if (bWritten) {
        AfxMessageBox("Setting success,please wait for a moment", MB_OK);
        ReadGlobalValues();
    } else {
        AfxMessageBox("check the data you input", MB_OK);
        m_btnApply.EnableWindow(TRUE);
    }
}

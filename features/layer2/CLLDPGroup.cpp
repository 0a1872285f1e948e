#include "features/layer2/CLLDPGroup.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/layer2/CLLDPREMOTEINFO.h"
#include "features/layer2/CSTPLogic.h"
#include "features/layer2/Layer2Writes.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/lldp.h"
#include "resources/main.h"

#include <cstdio>
#include <memory>

namespace {

const std::string kLldp = KorvelOid("10.76.19.1.24");
const std::string kLldpGlobalState = kLldp + ".1.0";
const std::string kHold = kLldp + ".2.0";
const std::string kLldpInterval = kLldp + ".3.0";
const std::string kReinit = kLldp + ".4.0";
const std::string kDelay = kLldp + ".5.0";
const std::string kLocalSystem = "1.0.8802.1.1.2.1.3";

// The nine objects in the order of the read.
const std::string kLldpReadOrder[] = {kLldpGlobalState,
                                      kHold,
                                      kLldpInterval,
                                      kReinit,
                                      kDelay,
                                      kLocalSystem + ".1.0",
                                      kLocalSystem + ".2.0",
                                      kLocalSystem + ".3.0",
                                      kLocalSystem + ".4.0"};
using ReadValues = std::array<std::string, std::size(kLldpReadOrder)>;

const char* const kLocalChassisSubtypes[] = {"chassisComponent", "interfaceAlias", "portComponent", "macAddress",
                                             "networkAddress",   "interfaceName",  "local"};

constexpr DWORD kPauseAfterSuccessMs = 2000;
const std::string kLldpWhat = "the LLDP settings";
constexpr long long kMaxProduct = 65535;

} // namespace

BEGIN_MESSAGE_MAP(CLLDPGroup, CDialog)
    ON_BN_CLICKED(IDC_LLDP_ENABLE_APPLY, OnBUTTONLldpEnableApply)
    ON_BN_CLICKED(IDC_LLDP_TIMER_APPLY, OnBUTTONLldpTimerApply)
    ON_BN_CLICKED(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_LLDP_GLOBAL_READ, OnGlobalRead)
END_MESSAGE_MAP()

CLLDPGroup::CLLDPGroup(CWnd* pParent) : CDialog(IDD_LLDP_GLOBAL, pParent) {}

CLLDPGroup::~CLLDPGroup()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMP.Close();
}

BOOL CLLDPGroup::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void CLLDPGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LLDP_ENABLE, m_checkEnable);
}

BOOL CLLDPGroup::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    // Nothing to apply until the switch's settings have been read.
    GetDlgItem(IDC_LLDP_ENABLE_APPLY)->EnableWindow(FALSE);
    EnableTimers(FALSE);
    OnGetSystemInfo();
    return TRUE;
}

void CLLDPGroup::EnableTimers(BOOL bEnable)
{
    for (int id : {IDC_LLDP_HOLD, IDC_LLDP_INTERVAL, IDC_LLDP_REINIT_DELAY, IDC_LLDP_TX_DELAY, IDC_LLDP_TIMER_APPLY})
        GetDlgItem(id)->EnableWindow(bEnable);
}

void CLLDPGroup::OnGetSystemInfo()
{
    OutputDebugString("----1-----OnGetSystemInfo---------");
    // Every read here is one the user started: opening, or after an Apply.
    m_readReport.Begin();
    bool bPrepared = m_cCommonSNMP.Open(SnmpPduGet);
    for (const std::string& strOid : kLldpReadOrder)
        bPrepared = bPrepared && m_cCommonSNMP.AddValue(strOid, SnmpValueNull) == 0;
    if (!bPrepared || !m_cCommonSNMP.StartAsync(&CLLDPGroup::OnSystemInfoReply, this))
        OnGlobalRead(0, 0);
}

int CLLDPGroup::OnSystemInfoReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLLDPGroup*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nStatus != SnmpStatusOk || !pResponse || nErrorStatus != 0 ||
        pResponse->getVarBindCount() < static_cast<int>(std::size(kLldpReadOrder))) {
        session.SignalDone();
        pThis->SendMessage(WM_LLDP_GLOBAL_READ, 0, 0);
        return 0;
    }
    // Each value only of its type and range: anything else is shown empty.
    CSnmp* p = pResponse.get();
    std::string strChassisId;
    CModuleBase::OctetValue(p, 6, strChassisId);
    const std::string strSubtype = CModuleBase::IntegerText(p, 5);
    const ReadValues values = {CModuleBase::EnumText(p, 0, {1, 2}),
                               CModuleBase::RangeText(p, 1, 2, 10),
                               CModuleBase::RangeText(p, 2, 5, 32768),
                               CModuleBase::RangeText(p, 3, 1, 10),
                               CModuleBase::RangeText(p, 4, 1, 8192),
                               strSubtype.empty() ? std::string() : ChassisSubtypeText(strSubtype),
                               CModuleBase::HasValue(p, 6) ? CLLDPREMOTEINFO::FormatChassisId(strChassisId)
                                                           : std::string(),
                               CModuleBase::ValueText(p, 7),
                               CModuleBase::ValueText(p, 8)};
    // The window fills its controls on the UI thread while this waits.
    pThis->SendMessage(WM_LLDP_GLOBAL_READ, 0, reinterpret_cast<LPARAM>(&values));
    session.SignalDone();
    return 0;
}

LRESULT CLLDPGroup::OnGlobalRead(WPARAM /*wParam*/, LPARAM lParam)
{
    // A failed read leaves the controls as they are; the state Apply comes
    // back only when something was read.
    GetDlgItem(IDC_LLDP_ENABLE_APPLY)->EnableWindow(m_bRead ? TRUE : FALSE);
    const auto* pValues = reinterpret_cast<const ReadValues*>(lParam);
    if (pValues == nullptr) {
        if (!m_bRead)
            EnableTimers(FALSE);
        m_readReport.Fail(kLldpWhat, m_bRead);
        return 0;
    }
    const ReadValues& v = *pValues;
    const bool bEnabled = v[0] == "1";
    m_checkEnable.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
    EnableTimers(bEnabled ? TRUE : FALSE);
    const int kIds[] = {IDC_LLDP_HOLD,        IDC_LLDP_INTERVAL,          IDC_LLDP_REINIT_DELAY,
                        IDC_LLDP_TX_DELAY,    IDC_LLDP_CHASSIS_SUBTYPE,   IDC_LLDP_CHASSIS_ID,
                        IDC_LLDP_SYSTEM_NAME, IDC_LLDP_SYSTEM_DESCRIPTION};
    for (std::size_t i = 0; i < std::size(kIds); ++i)
        SetDlgItemText(kIds[i], v[i + 1]);
    m_strTxInterval = v[2];
    m_strTxDelay = v[4];
    // A state of neither kind is no state the box could write back.
    m_bRead = !v[0].empty();
    GetDlgItem(IDC_LLDP_ENABLE_APPLY)->EnableWindow(m_bRead ? TRUE : FALSE);
    return 0;
}

std::string CLLDPGroup::ChassisSubtypeText(const std::string& strValue)
{
    for (int i = 1; i <= 7; ++i)
        if (strValue == std::to_string(i))
            return kLocalChassisSubtypes[i - 1];
    return strValue;
}

void CLLDPGroup::AfterWrite(CWriteReport& report)
{
    if (!report.Failed())
        Sleep(kPauseAfterSuccessMs);
    report.Report();
    // A silent switch is not asked again at once.
    if (!report.TimedOut())
        OnGetSystemInfo();
}

void CLLDPGroup::OnBUTTONLldpEnableApply()
{
    // The button is off until a read gave a state; the failed read has been
    // said, and the dialog has no Refresh to offer.
    if (!m_bRead)
        return;
    CWaitCursor wait;
    const bool bEnable = m_checkEnable.GetCheck() == BST_CHECKED;
    OutputDebugString("----------0--OnBUTTONLldpEnableApply--OnBUTTONLldpEnableApply------");
    char szLine[64];
    std::snprintf(szLine, sizeof szLine, "========ienableValue = %d========\n", bEnable ? 1 : 0);
    OutputDebugString(szLine);
    GetDlgItem(IDC_LLDP_ENABLE_APPLY)->EnableWindow(FALSE);
    CWriteReport report;
    layer2::SendIntegers(report, m_cCommonSNMPSet, {{kLldpGlobalState, bEnable ? "1" : "2"}}, "the LLDP state");
    AfterWrite(report);
    GetDlgItem(IDC_LLDP_ENABLE_APPLY)->EnableWindow(m_bRead ? TRUE : FALSE);
}

const char* CLLDPGroup::CheckTimers(long long nHold, long long nInterval, long long nReinit, long long nDelay) const
{
    if (nHold < 2 || nHold > 10)
        return "The Message TX Hold Multipier should be 2-10";
    if (nInterval < 5 || nInterval > 32768)
        return "The Message TX Interval should be 5-32768";
    if (nInterval * nHold > kMaxProduct)
        return "(Message TX Interval * Message TX Hold Multiplier) > 65535. ";
    if (nDelay < 1 || nDelay > 8192)
        return "The LLDP TX Delay should be 1-8192";
    if (static_cast<double>(nDelay) > 0.25 * static_cast<double>(nInterval))
        return "LLDP TX Delay should be <= 0.25 * (Message TX Interval)";
    if (nReinit < 1 || nReinit > 10)
        return "The LLDP Reinit Delay should be 1-10";
    return nullptr;
}

// The switch checks each write against the values it holds: the TX delay
// goes first when the new interval would be too short for the delay it has,
// and the interval before the hold multiplier when the interval it has times
// the new multiplier would pass 65535.
void CLLDPGroup::OnBUTTONLldpTimerApply()
{
    if (!GetDlgItem(IDC_LLDP_TIMER_APPLY)->IsWindowEnabled())
        return;
    const std::string strHold = GetDlgItem(IDC_LLDP_HOLD)->GetWindowText();
    const std::string strInterval = GetDlgItem(IDC_LLDP_INTERVAL)->GetWindowText();
    const std::string strReinit = GetDlgItem(IDC_LLDP_REINIT_DELAY)->GetWindowText();
    const std::string strDelay = GetDlgItem(IDC_LLDP_TX_DELAY)->GetWindowText();
    const long long nHold = CSTPLogic::WholeNumber(strHold);
    const long long nInterval = CSTPLogic::WholeNumber(strInterval);
    if (const char* pszRefusal =
            CheckTimers(nHold, nInterval, CSTPLogic::WholeNumber(strReinit), CSTPLogic::WholeNumber(strDelay))) {
        AfxMessageBox(pszRefusal, MB_OK);
        return;
    }
    GetDlgItem(IDC_LLDP_TIMER_APPLY)->EnableWindow(FALSE);
    // The SET session's request keeps its bindings from send to send: each
    // send carries the ones added before it too. The hold multiplier goes on
    // a session of its own. The first failure ends the sequence.
    CCommonSNMP temp;
    CWriteReport report;
    layer2::WriteSequence sequence(report);
    m_cCommonSNMPSet.Open(SnmpPduSet);
    const double dOldDelay = static_cast<double>(CSTPLogic::WholeNumber(m_strTxDelay));
    const bool bIntervalFirst = CSTPLogic::WholeNumber(m_strTxInterval) * nHold > kMaxProduct;
    auto send = [&](const std::string& strWhat) { return sequence.Send(m_cCommonSNMPSet, strWhat); };
    auto writeHold = [&] { return sequence.Integers(temp, {{kHold, strHold}}, "the message TX hold multiplier"); };
    auto writeInterval = [&] {
        m_cCommonSNMPSet.AddValue(kLldpInterval, SnmpValueInteger, strInterval);
        return send("the message TX interval");
    };
    auto writeIntervalAndHold = [&] {
        return bIntervalFirst ? writeInterval() && writeHold() : writeHold() && writeInterval();
    };
    if (0.25 * static_cast<double>(nInterval) < dOldDelay) {
        m_cCommonSNMPSet.AddValue(kDelay, SnmpValueInteger, strDelay);
        if (send("the LLDP TX delay")) {
            m_cCommonSNMPSet.AddValue(kReinit, SnmpValueInteger, strReinit);
            if (writeIntervalAndHold())
                send("the LLDP timers");
        }
    } else if (writeIntervalAndHold()) {
        m_cCommonSNMPSet.AddValue(kReinit, SnmpValueInteger, strReinit);
        m_cCommonSNMPSet.AddValue(kDelay, SnmpValueInteger, strDelay);
        send("the LLDP reinit delay and TX delay");
    }
    AfterWrite(report);
    GetDlgItem(IDC_LLDP_TIMER_APPLY)->EnableWindow(TRUE);
}

#include "legacy/C8021Config.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/security/Dot1xPortConfig.h"
#include "legacy/CLegacyText.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr UINT WM_8021X_READ = WM_APP + 1468;

std::string Dot1xOid(const char* object)
{
    return KorvelOid(std::string("10.76.19.1.11.") + object);
}

// The read's bindings, by meaning.
enum Binding { kState, kServer, kKey, kQuiet, kTx, kSupp, kServerTimeout, kMaxReq, kReAuthPeriod, kReAuth };

constexpr std::size_t kKeyLength = 33;

// One timer: its edit, its range and the message that refuses it.
struct Timer
{
    Binding binding;
    long long nLow;
    long long nHigh;
    const char* message;
};
const Timer kTimers[] = {
    {kQuiet, 0, 65535, "Invalid QuietPeriod (0-65535)"},
    {kTx, 1, 65535, "Invalid TxPeriod (1-65535)"},
    {kSupp, 1, 65535, "Invalid SuppTimeout (1-65535)"},
    {kServerTimeout, 1, 65535, "Invalid ServerTimeout (1-65535)"},
    {kMaxReq, 1, 10, "Invalid MaxReq (1-10)"},
    {kReAuthPeriod, 1, 4294967295LL, "Invalid ReAuthPeriod (1-4294967295)"},
};

// The four bytes of an IpAddress binding; false for any other type or length.
bool AddressBytes(CSnmp* pResponse, int nIndex, std::string& strBytes)
{
    strBytes.clear();
    int nType = 0;
    void* pData = nullptr;
    int nLength = 0;
    if (pResponse == nullptr || pResponse->getValueBytes(nIndex, &nType, &pData, &nLength) != 0)
        return false;
    const bool bAddress = nType == 0x40 && pData != nullptr && nLength == 4;
    if (bAddress)
        strBytes.assign(static_cast<const char*>(pData), 4);
    std::free(pData);
    return bAddress;
}

std::string FirstPart(const std::string& address)
{
    return address.substr(0, address.find('.'));
}
std::string LastPart(const std::string& address)
{
    const std::size_t dot = address.rfind('.');
    return dot == std::string::npos ? address : address.substr(dot + 1);
}

} // namespace

const std::array<std::string, 10> C8021Config::kObjects = {Dot1xOid("2.1.0"), Dot1xOid("1.1.0"), Dot1xOid("1.2.0"),
                                                           Dot1xOid("2.2.0"), Dot1xOid("2.3.0"), Dot1xOid("2.4.0"),
                                                           Dot1xOid("2.5.0"), Dot1xOid("2.6.0"), Dot1xOid("2.7.0"),
                                                           Dot1xOid("2.8.0")};

// What one reply carries, taken on the worker thread and shown on the UI
// thread: each value's text when it is of its type and within its set or
// range, else unknown.
struct C8021Config::ReadValues
{
    bool bArrived = false; // the switch answered every object
    std::array<bool, 10> bKnown{};
    std::array<std::string, 10> strValue;
};

BEGIN_MESSAGE_MAP(C8021Config, CDialog)
    ON_BN_CLICKED(IDC_L8021X_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_L8021X_APPLY, OnApply)
    ON_BN_CLICKED(IDC_L8021X_ENABLE, OnEnableClicked)
    ON_BN_CLICKED(IDC_L8021X_PORTSET, OnPortSet)
    ON_EN_CHANGE(IDC_L8021X_KEY, OnKeyChange)
    ON_EN_CHANGE(IDC_L8021X_CONFIRM_KEY, OnConfirmKeyChange)
    ON_MESSAGE(WM_8021X_READ, OnRead)
END_MESSAGE_MAP()

C8021Config::C8021Config(CWnd* pParent) : CDialog(IDD_LEGACY_8021X_CONFIG, pParent) {}

C8021Config::~C8021Config()
{
    m_cCommonSNMP.Close();
}

BOOL C8021Config::DestroyWindow()
{
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMParg.Close();
    return CDialog::DestroyWindow();
}

void C8021Config::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_L8021X_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_L8021X_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_L8021X_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_L8021X_LIST, m_list);
    DDX_Control(pDX, IDC_L8021X_SERVER_IP, m_ipServer);
    DDX_Control(pDX, IDC_L8021X_KEY, m_editKey);
    DDX_Control(pDX, IDC_L8021X_CONFIRM_KEY, m_editConfirmKey);
    DDX_Control(pDX, IDC_L8021X_TX_PERIOD, m_editTxPeriod);
    DDX_Control(pDX, IDC_L8021X_QUIET_PERIOD, m_editQuietPeriod);
    DDX_Control(pDX, IDC_L8021X_SUPP_TIMEOUT, m_editSuppTimeout);
    DDX_Control(pDX, IDC_L8021X_SERVER_TIMEOUT, m_editServerTimeout);
    DDX_Control(pDX, IDC_L8021X_MAX_REQ, m_editMaxReq);
    DDX_Control(pDX, IDC_L8021X_REAUTH_PERIOD, m_editReAuthPeriod);
    DDX_Control(pDX, IDC_L8021X_REAUTH_ENABLED, m_comboReAuth);
    // The numbers are only the first texts: the edits' texts are what Apply
    // judges and sends.
    if (!pDX->m_bSaveAndValidate) {
        m_editTxPeriod.SetWindowText(std::to_string(m_nTxPeriod));
        m_editQuietPeriod.SetWindowText(std::to_string(m_nQuietPeriod));
        m_editSuppTimeout.SetWindowText(std::to_string(m_nSuppTimeout));
        m_editServerTimeout.SetWindowText(std::to_string(m_nServerTimeout));
        m_editMaxReq.SetWindowText(std::to_string(m_nMaxReq));
        m_editReAuthPeriod.SetWindowText(std::to_string(m_nReAuthPeriod));
    }
}

BOOL C8021Config::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("802.1X Config Information");
    EnableSettings(FALSE);
    GetDlgItem(IDC_L8021X_PORTSET)->EnableWindow(FALSE);
    m_readReport.Begin();
    Refresh8021X();
    return TRUE;
}

void C8021Config::EnableSettings(BOOL bEnable)
{
    m_ipServer.EnableWindow(bEnable);
    m_editKey.EnableWindow(bEnable);
    m_editConfirmKey.EnableWindow(bEnable);
    for (CEdit* pEdit : {&m_editQuietPeriod, &m_editTxPeriod, &m_editSuppTimeout, &m_editServerTimeout,
                         &m_editMaxReq, &m_editReAuthPeriod})
        pEdit->EnableWindow(bEnable);
    m_comboReAuth.EnableWindow(bEnable);
}

void C8021Config::OnRefresh()
{
    m_readReport.Begin();
    Refresh8021X();
}

void C8021Config::OnEnableClicked()
{
    EnableSettings(m_checkEnable.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void C8021Config::Refresh8021X()
{
    m_btnApply.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    m_cCommonSNMP.Open(SnmpPduGet);
    for (const std::string& strOid : kObjects)
        m_cCommonSNMP.AddValue(strOid, SnmpValueNull);
    // A read that cannot start ends like a failed one.
    if (!m_cCommonSNMP.StartAsync(&C8021Config::On8021XReply, this)) {
        const ReadValues none;
        ShowRead(none);
    }
}

int C8021Config::On8021XReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021Config*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    ReadValues values;
    if (CLegacyText::Accepted(nStatus, pResponse) && pResponse->getVarBindCount() >= static_cast<int>(kObjects.size())) {
        values.bArrived = true;
        CSnmp* const r = pResponse.get();
        auto take = [&](int i, std::string strText, bool bKnown) {
            values.bKnown[static_cast<std::size_t>(i)] = bKnown;
            values.strValue[static_cast<std::size_t>(i)] = bKnown ? std::move(strText) : std::string();
        };
        std::string strText = CModuleBase::EnumText(r, kState, {1, 2});
        take(kState, strText, !strText.empty());
        strText = CModuleBase::EnumText(r, kReAuth, {1, 2});
        take(kReAuth, strText, !strText.empty());
        bool bKnown = AddressBytes(r, kServer, strText);
        take(kServer, strText, bKnown);
        bKnown = CModuleBase::OctetValue(r, kKey, strText) && strText.size() <= kKeyLength;
        take(kKey, strText, bKnown);
        for (const Timer& timer : kTimers) {
            strText = CModuleBase::RangeText(r, timer.binding, timer.nLow, timer.nHigh);
            take(timer.binding, strText, !strText.empty());
        }
    }
    session.SignalDone();
    pThis->SendMessage(WM_8021X_READ, 0, reinterpret_cast<LPARAM>(&values));
    return 0;
}

LRESULT C8021Config::OnRead(WPARAM /*wParam*/, LPARAM lParam)
{
    ShowRead(*reinterpret_cast<const ReadValues*>(lParam));
    return 0;
}

void C8021Config::ShowRead(const ReadValues& values)
{
    m_btnApply.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
    if (!values.bArrived) {
        // The controls keep what an earlier read showed; Apply is refused
        // until a read succeeds again.
        const bool bKeptLast = m_bShown;
        m_bRead = false;
        m_readReport.Fail("the 802.1X settings", bKeptLast);
        return;
    }
    auto known = [&](Binding b) { return values.bKnown[static_cast<std::size_t>(b)]; };
    auto text = [&](Binding b) -> const std::string& { return values.strValue[static_cast<std::size_t>(b)]; };

    // An unknown state checks nothing and leaves the settings closed.
    const BOOL bEnabled = known(kState) && text(kState) == "1" ? TRUE : FALSE;
    m_checkEnable.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
    EnableSettings(bEnabled);
    GetDlgItem(IDC_L8021X_PORTSET)->EnableWindow(bEnabled);
    if (known(kServer)) {
        auto b = [&](std::size_t n) { return static_cast<BYTE>(text(kServer)[n]); };
        m_ipServer.SetAddress(b(0), b(1), b(2), b(3));
    } else {
        m_ipServer.ClearAddress();
    }
    m_editKey.SetWindowText(text(kKey));
    m_editConfirmKey.SetWindowText(text(kKey));
    m_comboReAuth.SetCurSel(!known(kReAuth) ? -1 : text(kReAuth) == "1" ? 0 : 1);
    CEdit* const timerEdits[] = {&m_editQuietPeriod, &m_editTxPeriod, &m_editSuppTimeout,
                                 &m_editServerTimeout, &m_editMaxReq, &m_editReAuthPeriod};
    for (const Timer& timer : kTimers)
        timerEdits[timer.binding - kQuiet]->SetWindowText(text(timer.binding));

    m_bShown = true;
    m_bRead = std::all_of(values.bKnown.begin(), values.bKnown.end(), [](bool b) { return b; });
}

std::string C8021Config::AddressText() const
{
    BYTE f0 = 0, f1 = 0, f2 = 0, f3 = 0;
    m_ipServer.GetAddress(f0, f1, f2, f3);
    return std::to_string(f0) + "." + std::to_string(f1) + "." + std::to_string(f2) + "." + std::to_string(f3);
}

void C8021Config::CutKey(CEdit& edit)
{
    const std::string strKey = edit.GetWindowText();
    if (strKey.size() <= kKeyLength)
        return;
    int nStart = 0;
    int nEnd = 0;
    edit.GetSel(nStart, nEnd);
    edit.SetWindowText(strKey.substr(0, kKeyLength));
    const int nCaret = std::min(nEnd, static_cast<int>(kKeyLength));
    edit.SetSel(nCaret, nCaret);
}

void C8021Config::OnKeyChange()
{
    CutKey(m_editKey);
}

void C8021Config::OnConfirmKeyChange()
{
    CutKey(m_editConfirmKey);
}

void C8021Config::OnApply()
{
    if (!m_bRead) {
        CReadReport::RefuseUnread("the 802.1X settings");
        return;
    }
    CWaitCursor wait;
    const bool bEnable = m_checkEnable.GetCheck() == BST_CHECKED;
    CWriteReport report;

    if (!bEnable) {
        m_cCommonSNMPSet.Open(SnmpPduSet);
        m_cCommonSNMPSet.AddValue(kObjects[kState], SnmpValueInteger, "2");
        legacy_write::SendStep(report, m_cCommonSNMPSet, "the 802.1X state");
        report.Report();
        ReadAfterApply(report);
        return;
    }

    const std::string strKey = m_editKey.GetWindowText();
    const std::string strConfirm = m_editConfirmKey.GetWindowText();
    const std::string strAddress = AddressText();
    const std::string strFirst = FirstPart(strAddress);
    const std::string strLast = LastPart(strAddress);
    if (strAddress == "0.0.0.0" || strFirst == "0" || strFirst == "255" || strLast == "0" || strLast == "255") {
        AfxMessageBox("Invalid RADIUS Server IP Address.");
        return;
    }
    if (strKey.empty()) {
        AfxMessageBox("Invalid Key.");
        return;
    }
    if (strKey != strConfirm) {
        AfxMessageBox("Please confirm the key again !");
        return;
    }
    // Every timer is judged before anything goes out.
    CEdit* const timerEdits[] = {&m_editQuietPeriod, &m_editTxPeriod, &m_editSuppTimeout,
                                 &m_editServerTimeout, &m_editMaxReq, &m_editReAuthPeriod};
    std::array<std::string, 6> strTimers;
    for (std::size_t i = 0; i < strTimers.size(); ++i) {
        const long long nValue = CLegacyText::Number64(timerEdits[i]->GetWindowText());
        if (nValue < kTimers[i].nLow || nValue > kTimers[i].nHigh) {
            AfxMessageBox(kTimers[i].message);
            return;
        }
        // The number goes out, never trailing text the switch cannot take.
        strTimers[i] = std::to_string(nValue);
    }
    // Taken before anything is sent: what the user chose is what goes out.
    const std::string strReAuth = m_comboReAuth.GetCurSel() == 0 ? "1" : "2";

    // Address and key, then the state, then the timers; the first write the
    // switch refuses or leaves unanswered ends the sequence.
    m_cCommonSNMPSet.Open(SnmpPduSet);
    m_cCommonSNMPSet.AddValue(kObjects[kServer], SnmpValueIpAddress, strAddress);
    m_cCommonSNMPSet.AddValue(kObjects[kKey], SnmpValueOctetString, strKey);
    if (report.Send(m_cCommonSNMPSet, "the RADIUS server address and key")) {
        m_cCommonSNMPSet.Open(SnmpPduSet);
        m_cCommonSNMPSet.AddValue(kObjects[kState], SnmpValueInteger, "1");
        legacy_write::SendStep(report, m_cCommonSNMPSet, "the 802.1X state");
    }
    if (!report.Failed()) {
        m_cCommonSNMParg.Open(SnmpPduSet);
        for (std::size_t i = 0; i < strTimers.size(); ++i) {
            const Timer& timer = kTimers[i];
            m_cCommonSNMParg.AddValue(kObjects[timer.binding],
                                      timer.binding == kReAuthPeriod ? SnmpValueUnsigned : SnmpValueInteger,
                                      strTimers[i]);
        }
        m_cCommonSNMParg.AddValue(kObjects[kReAuth], SnmpValueInteger, strReAuth);
        legacy_write::SendStep(report, m_cCommonSNMParg, "the 802.1X timers");
    }
    report.Report();
    ReadAfterApply(report);
}

void C8021Config::ReadAfterApply(const CWriteReport& report)
{
    // What the switch holds now; a switch that just left a write unanswered
    // is not asked again at once (its silence has been said).
    if (report.TimedOut())
        return;
    m_readReport.Begin();
    Refresh8021X();
}

void C8021Config::OnPortSet()
{
    Dot1xPortConfig ports;
    ports.SetParameterTexts({m_editQuietPeriod.GetWindowText(), m_editTxPeriod.GetWindowText(),
                             m_editSuppTimeout.GetWindowText(), m_editServerTimeout.GetWindowText(),
                             m_editMaxReq.GetWindowText(), m_editReAuthPeriod.GetWindowText(),
                             m_comboReAuth.GetWindowText()});
    ports.DoModal();
}

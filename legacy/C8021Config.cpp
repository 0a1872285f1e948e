#include "legacy/C8021Config.h"

#include "common/CModuleBase.h"
#include "features/security/Dot1xPortConfig.h"
#include "legacy/CLegacyText.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

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

// What one reply carries, taken on the worker thread and shown on the UI thread.
struct C8021Config::ReadValues
{
    int nCount = 0;
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
    m_cCommonSNMP.StartRequest(&C8021Config::On8021XReply, this, 0, 0);
}

int C8021Config::On8021XReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021Config*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    // A failed or refused read shows nothing; the buttons come back.
    ReadValues values;
    if (CLegacyText::Accepted(nStatus, pResponse)) {
        values.nCount = std::min(pResponse->getVarBindCount(), static_cast<int>(kObjects.size()));
        for (int i = 0; i < values.nCount; ++i)
            values.strValue[static_cast<std::size_t>(i)] = CModuleBase::ValueText(pResponse.get(), i);
    }
    session.SignalDone();
    pThis->SendMessage(WM_8021X_READ, 0, reinterpret_cast<LPARAM>(&values));
    return 0;
}

LRESULT C8021Config::OnRead(WPARAM /*wParam*/, LPARAM lParam)
{
    const auto& values = *reinterpret_cast<const ReadValues*>(lParam);
    CEdit* const timerEdits[] = {&m_editQuietPeriod, &m_editTxPeriod, &m_editSuppTimeout,
                                 &m_editServerTimeout, &m_editMaxReq, &m_editReAuthPeriod};
    for (int i = 0; i < values.nCount; ++i) {
        const std::string& strValue = values.strValue[static_cast<std::size_t>(i)];
        switch (i) {
        case kState: {
            const BOOL bEnabled = strValue == "1" ? TRUE : FALSE;
            m_checkEnable.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
            EnableSettings(bEnabled);
            GetDlgItem(IDC_L8021X_PORTSET)->EnableWindow(bEnabled);
            break;
        }
        case kServer:
            if (strValue.size() == 4) {
                auto b = [&](std::size_t n) { return static_cast<BYTE>(strValue[n]); };
                m_ipServer.SetAddress(b(0), b(1), b(2), b(3));
            }
            break;
        case kKey:
            m_editKey.SetWindowText(strValue);
            m_editConfirmKey.SetWindowText(strValue);
            break;
        case kReAuth:
            m_comboReAuth.SetCurSel(strValue == "1" ? 0 : 1);
            break;
        default:
            timerEdits[i - kQuiet]->SetWindowText(strValue);
            break;
        }
    }
    if (values.nCount > 0)
        m_bRead = true;
    m_btnApply.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
    return 0;
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

bool C8021Config::SendStep(CCommonSNMP& session)
{
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = session.getNext(pResponse, 0);
    return CLegacyText::Accepted(nStatus, pResponse);
}

void C8021Config::OnApply()
{
    if (!m_bRead)
        return;
    CWaitCursor wait;
    const bool bEnable = m_checkEnable.GetCheck() == BST_CHECKED;

    if (!bEnable) {
        m_cCommonSNMP.Open(SnmpPduSet);
        m_cCommonSNMP.AddValue(kObjects[kState], SnmpValueInteger, "2");
        if (SendStep(m_cCommonSNMP))
            Refresh8021X();
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

    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValue(kObjects[kServer], SnmpValueIpAddress, strAddress);
    m_cCommonSNMP.AddValue(kObjects[kKey], SnmpValueOctetString, strKey);
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = m_cCommonSNMP.send(pResponse, 0);
    if (CLegacyText::Accepted(nStatus, pResponse)) {
        m_cCommonSNMPSet.Open(SnmpPduSet);
        m_cCommonSNMPSet.AddValue(kObjects[kState], SnmpValueInteger, "1");
        if (SendStep(m_cCommonSNMPSet))
            Refresh8021X();
    }

    m_cCommonSNMParg.Open(SnmpPduSet);
    for (std::size_t i = 0; i < strTimers.size(); ++i) {
        const Timer& timer = kTimers[i];
        m_cCommonSNMParg.AddValue(kObjects[timer.binding],
                                  timer.binding == kReAuthPeriod ? SnmpValueUnsigned : SnmpValueInteger, strTimers[i]);
    }
    m_cCommonSNMParg.AddValue(kObjects[kReAuth], SnmpValueInteger, m_comboReAuth.GetCurSel() == 0 ? "1" : "2");
    if (SendStep(m_cCommonSNMParg))
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

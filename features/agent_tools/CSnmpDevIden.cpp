#include "features/agent_tools/CSnmpDevIden.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/sysinfo.h"

#include <cstdint>
#include <memory>

namespace {

const char* const kSystemObjects[] = {
    "1.3.6.1.2.1.1.1.0", // sysDescr
    "1.3.6.1.2.1.1.2.0", // sysObjectID
    "1.3.6.1.2.1.1.3.0", // sysUpTime
    "1.3.6.1.2.1.1.4.0", // sysContact
    "1.3.6.1.2.1.1.5.0", // sysName
    "1.3.6.1.2.1.1.6.0", // sysLocation
};
constexpr int kSystemObjectCount = 6;
constexpr int kReadTimeoutMs = 4000;
constexpr int kContactLimit = 32;
constexpr int kNameLimit = 20;
constexpr int kLocationLimit = 20;
// The read's end, for the UI thread.
constexpr UINT WM_SYSINFO_READ = WM_USER + 80;

// The values of one read.
struct SystemGroup
{
    std::string strDescription;
    std::string strObjectID;
    std::string strUptime;
    std::string strContact;
    std::string strName;
    std::string strLocation;
};

// The value of a binding as the agent gave it: numbers in decimal, an object
// identifier dotted, an octet string as its bytes.
std::string BindingText(CSnmp* pResponse, int nIndex)
{
    int nType = 0;
    char* pszValue = nullptr;
    if (pResponse->getValue(nIndex, &nType, &pszValue) != 0 || pszValue == nullptr)
        return std::string();
    if (nType == 4)
        return CModuleBase::ValueText(pResponse, nIndex);
    return pszValue;
}

} // namespace

BEGIN_MESSAGE_MAP(CSnmpDevIden, CDialog)
    ON_BN_CLICKED(IDC_SYSINFO_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SYSINFO_APPLY, OnOK)
    ON_BN_CLICKED(IDC_SYSINFO_CLOSE, OnCancel)
    ON_EN_CHANGE(IDC_SYSINFO_NAME, OnChangeText)
    ON_EN_CHANGE(IDC_SYSINFO_LOCATION, OnChangeText)
    ON_EN_CHANGE(IDC_SYSINFO_CONTACT, OnChangeText)
    ON_MESSAGE(WM_SYSINFO_READ, OnSystemGroupRead)
END_MESSAGE_MAP()

CSnmpDevIden::CSnmpDevIden(CWnd* pParent) : CDialog(IDD_SYSTEM_INFORMATION, pParent) {}

CSnmpDevIden::~CSnmpDevIden()
{
    m_cCommonSNMP.Close();
}

std::string CSnmpDevIden::UptimeText(const std::string& strTicks)
{
    if (strTicks.empty() || strTicks.find_first_not_of("0123456789") != std::string::npos || strTicks.size() > 10)
        return std::string();
    const std::uint64_t nTicks = std::stoull(strTicks);
    if (nTicks > UINT32_MAX)
        return std::string();
    const std::uint64_t nHours = nTicks / 360000;
    const std::uint64_t nMinutes = (nTicks - nHours * 360000) / 6000;
    return std::to_string(nHours) + " Hour " + std::to_string(nMinutes) + " Min";
}

BOOL CSnmpDevIden::IsPlainName(const std::string& strText)
{
    return CUtils::HasNoSpecialChars(strText);
}

BOOL CSnmpDevIden::DestroyWindow()
{
    m_bClosing = true;
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void CSnmpDevIden::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SYSINFO_CONTACT, m_strContact);
    // The contact is hidden: the user could neither see nor shorten a long
    // one, so it only caps typing and never refuses the exchange.
    if (!pDX->m_bSaveAndValidate)
        DDV_MaxChars(pDX, m_strContact, kContactLimit);
    DDX_Text(pDX, IDC_SYSINFO_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kNameLimit);
    DDX_Text(pDX, IDC_SYSINFO_LOCATION, m_strLocation);
    DDV_MaxChars(pDX, m_strLocation, kLocationLimit);
}

BOOL CSnmpDevIden::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("System Information");
    m_readReport.Begin();
    ReadSystemGroup();
    return TRUE;
}

void CSnmpDevIden::EnableButtons(BOOL bEnable)
{
    GetDlgItem(IDC_SYSINFO_REFRESH)->EnableWindow(bEnable);
    GetDlgItem(IDC_SYSINFO_APPLY)->EnableWindow(bEnable && m_bRead.load());
}

void CSnmpDevIden::ShowEditText(int nId, const std::string& strText, int nLimit)
{
    // A value the switch holds is shown whole, even one longer than what can
    // be typed; Apply refuses it until it is shortened.
    auto* pEdit = static_cast<CEdit*>(GetDlgItem(nId));
    const int nLength = static_cast<int>(strText.size());
    pEdit->SetLimitText(static_cast<UINT>(nLength > nLimit ? nLength : nLimit));
    pEdit->SetWindowText(strText);
}

void CSnmpDevIden::ReadSystemGroup()
{
    // The buttons go off before the request starts, so a fast reply's
    // enabling is never undone.
    EnableButtons(FALSE);
    m_cCommonSNMP.Open(0);
    for (const char* pszOid : kSystemObjects)
        m_cCommonSNMP.AddValue(pszOid, 4);
    if (!m_cCommonSNMP.StartAsync(&CSnmpDevIden::OnSystemGroupReply, this, kReadTimeoutMs))
        OnSystemGroupRead(0, 0);
}

int CSnmpDevIden::OnSystemGroupReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSnmpDevIden*>(pUserData);
    if (!pThis->m_cCommonSNMP.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (nStatus == 0 && pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    SystemGroup values;
    CSnmp* p = pResponse.get();
    // The name and location are octet strings; one of another type is no
    // name the dialog could write back.
    bool bRead = nStatus == 0 && p != nullptr && nErrorStatus == 0 && p->getVarBindCount() >= kSystemObjectCount &&
                 CModuleBase::OctetValue(p, 4, values.strName) && CModuleBase::OctetValue(p, 5, values.strLocation);
    if (bRead) {
        values.strDescription = BindingText(p, 0);
        values.strObjectID = BindingText(p, 1);
        values.strUptime = UptimeText(BindingText(p, 2));
        values.strContact = BindingText(p, 3);
    }
    pResponse.reset();
    pThis->m_cCommonSNMP.SignalDone();
    pThis->SendMessage(WM_SYSINFO_READ, bRead ? 1 : 0, reinterpret_cast<LPARAM>(&values));
    return 0;
}

LRESULT CSnmpDevIden::OnSystemGroupRead(WPARAM wParam, LPARAM lParam)
{
    if (m_bClosing)
        return 0;
    const auto* pValues = reinterpret_cast<const SystemGroup*>(lParam);
    if (wParam == 0 || pValues == nullptr) {
        m_readReport.Fail("the system information", m_bRead.load());
        EnableButtons(TRUE);
        return 0;
    }
    GetDlgItem(IDC_SYSINFO_DESCRIPTION)->SetWindowText(pValues->strDescription);
    GetDlgItem(IDC_SYSINFO_OBJECT_ID)->SetWindowText(pValues->strObjectID);
    if (!pValues->strUptime.empty())
        GetDlgItem(IDC_SYSINFO_UPTIME)->SetWindowText(pValues->strUptime);
    GetDlgItem(IDC_SYSINFO_CONTACT)->SetWindowText(pValues->strContact);
    std::string strText;
    m_strNameRead = pValues->strName;
    CCodeConvert::Utf8ToAnsi(m_strNameRead, strText);
    ShowEditText(IDC_SYSINFO_NAME, strText, kNameLimit);
    m_strNameShown = GetDlgItem(IDC_SYSINFO_NAME)->GetWindowText();
    m_strLocationRead = pValues->strLocation;
    CCodeConvert::Utf8ToAnsi(m_strLocationRead, strText);
    ShowEditText(IDC_SYSINFO_LOCATION, strText, kLocationLimit);
    m_strLocationShown = GetDlgItem(IDC_SYSINFO_LOCATION)->GetWindowText();
    m_bRead = true;
    EnableButtons(TRUE);
    return 0;
}

void CSnmpDevIden::OnRefresh()
{
    CWaitCursor wait;
    m_readReport.Begin();
    ReadSystemGroup();
}

void CSnmpDevIden::OnOK()
{
    // What Apply would write has not been read yet.
    if (!m_bRead.load()) {
        CReadReport::RefuseUnread("the system information");
        return;
    }
    if (!UpdateData(TRUE))
        return;
    WriteNameAndLocation();
}

void CSnmpDevIden::WriteNameAndLocation()
{
    if (!IsPlainName(m_strName)) {
        AfxMessageBox("Invalid System Name.");
        return;
    }
    if (!IsPlainName(m_strLocation)) {
        AfxMessageBox("Invalid System Location.");
        return;
    }
    m_cCommonSNMPSet.Open(3);
    // A text left as shown goes back as it was read; a changed one as typed.
    auto value = [](const std::string& strEdit, const std::string& strShown, const std::string& strRead) {
        if (strEdit == strShown)
            return strRead;
        std::string strUtf8;
        CCodeConvert::AnsiToUtf8(strEdit, strUtf8);
        return strUtf8;
    };
    const std::string strName = value(m_strName, m_strNameShown, m_strNameRead);
    m_cCommonSNMPSet.AddValueLen(kSystemObjects[4], 2, strName.data(), static_cast<int>(strName.size()));
    const std::string strLocation = value(m_strLocation, m_strLocationShown, m_strLocationRead);
    m_cCommonSNMPSet.AddValueLen(kSystemObjects[5], 2, strLocation.data(), static_cast<int>(strLocation.size()));
    CWriteReport report;
    report.Send(m_cCommonSNMPSet, "the system name and location");
    report.Report();
}

void CSnmpDevIden::OnCancel()
{
    CDialog::OnCancel();
}

void CSnmpDevIden::OnChangeText() {}

#include "features/security/C8021XAuRadiusServerDLG.h"

#include "common/CCommonSNMP.h"
#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "common/ListColumn.h"
#include "platform/snmp/SNMP_VARBIND.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/dot1x.h"
#include "resources/main.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <tuple>

namespace {

constexpr ListColumn kRadiusServerColumns[] = {{"Index", 50},     {"IP Address", 200}, {"Auth-Port", 90},
                                               {"Acct-Port", 90}, {"Timeout", 70},     {"Retransmit", 100},
                                               {"Key", 50}};

struct TextLimit
{
    int id;
    int maxChars;
};
constexpr TextLimit kLimits[] = {{IDC_RADIUS_AUTH_PORT, 5}, {IDC_RADIUS_ACCT_PORT, 5}, {IDC_RADIUS_RETRANSMIT, 3},
                                 {IDC_RADIUS_KEY, 32},      {IDC_RADIUS_CONFIRM_KEY, 32}, {IDC_RADIUS_TIMEOUT, 3}};

std::string RadiusColumn(int nColumn, const std::string& strSuffix)
{
    return C8021XSettingLogic::kRadiusEntry + "." + std::to_string(nColumn) + strSuffix;
}

// One SET on a session of its own; true when the switch accepted it.
bool SetOneValue(CWriteReport& report, const std::string& strOid, int nType, const std::string& strValue,
                 const std::string& strWhat)
{
    CCommonSNMP session;
    session.Open(SnmpPduSet);
    session.AddValue(strOid, nType, strValue);
    return report.Send(session, strWhat);
}

bool SetRadiusRowStatus(CWriteReport& report, const std::string& strSuffix, const char* pszValue,
                        const std::string& strWhat)
{
    return SetOneValue(report, RadiusColumn(10, strSuffix), SnmpValueInteger, pszValue, strWhat);
}

// Writes a server row back as it was read (address and key byte for byte),
// after an Apply destroyed it and its replacement was refused.
bool RestoreServer(const X8021_AuRadiusServer_Statistics_info& old, const std::string& strSuffix)
{
    CWriteReport report;
    if (!SetRadiusRowStatus(report, strSuffix, "5", "the server"))
        return false;
    if (old.nAddressType != 0 && !old.strAddressOctets.empty()) {
        CCommonSNMP session;
        session.Open(SnmpPduSet);
        session.AddValue(RadiusColumn(2, strSuffix), SnmpValueInteger, std::to_string(old.nAddressType));
        session.AddValueLen(RadiusColumn(3, strSuffix), SnmpValueOctetString, old.strAddressOctets.data(),
                            static_cast<int>(old.strAddressOctets.size()));
        report.Send(session, "the address");
    }
    const std::pair<int, int> numbers[] = {
        {5, old.nAuthPort}, {6, old.nAcctPort}, {7, old.nTimeout}, {8, old.nRetransmit}};
    for (const auto& [nColumn, nValue] : numbers) {
        if (nValue >= 0)
            SetOneValue(report, RadiusColumn(nColumn, strSuffix), SnmpValueInteger, std::to_string(nValue), "a value");
    }
    if (old.bKeyRead) {
        CCommonSNMP session;
        session.Open(SnmpPduSet);
        session.AddValueLen(RadiusColumn(9, strSuffix), SnmpValueOctetString, old.strKeyRead.data(),
                            static_cast<int>(old.strKeyRead.size()));
        report.Send(session, "the key");
    }
    if (old.nRowStatus == 1)
        SetRadiusRowStatus(report, strSuffix, "1", "the server");
    return !report.Failed();
}

// A server index as the user gave it: decimal digits naming a number of 1 or
// more that fits an int.
bool IsServerIndex(const std::string& text)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    return std::stoi(text) >= 1;
}

} // namespace

BEGIN_MESSAGE_MAP(C8021XAuRadiusServerDLG, CDialog)
    ON_BN_CLICKED(IDC_RADIUS_APPLY, OnApply)
    ON_BN_CLICKED(IDC_RADIUS_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_RADIUS_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_RADIUS_CLOSE, OnClose)
END_MESSAGE_MAP()

C8021XAuRadiusServerDLG::C8021XAuRadiusServerDLG(CWnd* pParent) : CDialog(IDD_8021X_RADIUS, pParent) {}

BOOL C8021XAuRadiusServerDLG::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_Logic.CloseSessions();
    OutputDebugString("==================m_Logic.CloseSessions===============");
    return CDialog::DestroyWindow();
}

BOOL C8021XAuRadiusServerDLG::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void C8021XAuRadiusServerDLG::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RADIUS_LIST, m_listServers);
    DDX_Control(pDX, IDC_RADIUS_INDEX, m_comboIndex);
    DDX_Control(pDX, IDC_RADIUS_ADDRESS, m_editAddress);
    DDX_Text(pDX, IDC_RADIUS_AUTH_PORT, m_nAuthPort);
    DDX_Text(pDX, IDC_RADIUS_ACCT_PORT, m_nAcctPort);
    DDX_Text(pDX, IDC_RADIUS_RETRANSMIT, m_nRetransmit);
    DDX_Text(pDX, IDC_RADIUS_KEY, m_strKey);
    DDX_Text(pDX, IDC_RADIUS_CONFIRM_KEY, m_strConfirmKey);
    DDX_Text(pDX, IDC_RADIUS_TIMEOUT, m_nTimeout);
}

BOOL C8021XAuRadiusServerDLG::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 1; i <= 5; ++i)
        m_comboIndex.AddString(std::to_string(i));
    ResetFields();
    InsertListColumns(m_listServers, kRadiusServerColumns, LVCFMT_CENTER);
    m_listServers.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    StartRead();
    return TRUE;
}

void C8021XAuRadiusServerDLG::ResetFields()
{
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_comboIndex.SetCurSel(0);
    m_editAddress.SetWindowText("");
    m_nAuthPort = 1812;
    m_nAcctPort = 1813;
    m_nTimeout = 5;
    m_nRetransmit = 2;
    m_strKey.clear();
    m_strConfirmKey.clear();
    UpdateData(FALSE);
    for (const TextLimit& limit : kLimits)
        static_cast<CEdit*>(GetDlgItem(limit.id))->SetLimitText(static_cast<UINT>(limit.maxChars));
}

void C8021XAuRadiusServerDLG::EnableButtons(BOOL bEnable)
{
    for (int id : {IDC_RADIUS_APPLY, IDC_RADIUS_REFRESH, IDC_RADIUS_DELETE})
        GetDlgItem(id)->EnableWindow(bEnable);
}

void C8021XAuRadiusServerDLG::StartRead()
{
    // One new user action: opening, Refresh, the read after Apply or Delete.
    m_readReport.Begin();
    EnableButtons(FALSE);
    if (m_Logic.SetHwnd(GetSafeHwnd()))
        m_Logic.StartRadiusWalk();
}

LRESULT C8021XAuRadiusServerDLG::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WALK_FINISHED) {
        // A walk cut short keeps the list of the last complete one.
        if (!m_Logic.LastWalkComplete())
            m_readReport.Fail("the server list", m_bListRead);
        m_bListRead = m_bListRead || m_Logic.LastWalkComplete();
    }
    if (message == WM_WALK_FINISHED || message == WM_WALK_STALE)
        FillServerList();
    return CDialog::WindowProc(message, wParam, lParam);
}

void C8021XAuRadiusServerDLG::FillServerList()
{
    m_listServers.DeleteAllItems();
    int nRow = 0;
    for (const X8021_AuRadiusServer_Statistics_info& r : m_Logic.GetRadiusList()) {
        if (r.nRowStatus != 1)
            continue;
        const std::string texts[] = {std::to_string(r.nIndex),   r.strAddress,
                                     std::to_string(r.nAuthPort), std::to_string(r.nAcctPort),
                                     std::to_string(r.nTimeout),  std::to_string(r.nRetransmit),
                                     r.strKey};
        for (int col = 0; col < static_cast<int>(std::size(texts)); ++col)
            m_listServers.SetOrInsertItemText(nRow, col, texts[col].c_str());
        ++nRow;
    }
    EnableButtons(TRUE);
}

BOOL C8021XAuRadiusServerDLG::Refuse(const char* pszMessage, int nId)
{
    AfxMessageBox(pszMessage);
    auto* pEdit = static_cast<CEdit*>(GetDlgItem(nId));
    pEdit->SetFocus();
    pEdit->SetSel(0, -1);
    return FALSE;
}

BOOL C8021XAuRadiusServerDLG::CheckInput()
{
    if (!UpdateData(TRUE))
        return FALSE;
    // The address is checked as it stands now, not as it stood when the
    // field last lost the focus: it is what would be written.
    m_editAddress.OnKillFocus(nullptr);
    if (m_editAddress.m_nStatus != 1) {
        if (m_editAddress.m_nStatus < 0)
            m_editAddress.ShowZoneError();
        else
            AfxMessageBox("The IP address of the RADIUS server is empty or is no IP address. Nothing was written.");
        m_editAddress.SetFocus();
        return FALSE;
    }
    if (m_nAuthPort < 1 || m_nAuthPort > 65535)
        return Refuse("Please Confirm Authentication Port range from 1 to 65535.", IDC_RADIUS_AUTH_PORT);
    if (m_nAcctPort < 1 || m_nAcctPort > 65535)
        return Refuse("Please Confirm Accounting Port range from 1 to 65535.", IDC_RADIUS_ACCT_PORT);
    if (m_nTimeout < 1 || m_nTimeout > 255)
        return Refuse("Please Confirm Timeout value range from 1 to 255.", IDC_RADIUS_TIMEOUT);
    if (m_nRetransmit < 1 || m_nRetransmit > 255)
        return Refuse("Please Confirm Retransmit value from 1 to 255.", IDC_RADIUS_RETRANSMIT);
    if (m_strKey.empty() && m_strConfirmKey.empty()) {
        AfxMessageBox("Invalid Authentication RADIUS Server Key");
        return FALSE;
    }
    if (m_strKey != m_strConfirmKey) {
        AfxMessageBox("Please Confirm Your Key!");
        return FALSE;
    }
    UpdateData(FALSE);
    return TRUE;
}

bool C8021XAuRadiusServerDLG::ApplyServer(CWriteReport& report, const std::string& strSuffix, bool bExisting,
                                          bool& bDestroyed, bool& bCreated)
{
    bDestroyed = false;
    bCreated = false;
    const std::string strServer = "server " + strSuffix.substr(1);
    if (bExisting) {
        if (!SetRadiusRowStatus(report, strSuffix, "6", "the removal of the old " + strServer))
            return false;
        bDestroyed = true;
    }
    if (!SetRadiusRowStatus(report, strSuffix, "5", "the new " + strServer))
        return false;
    bCreated = true;
    {
        // The type first, then the address in the same request.
        CCommonSNMP session;
        session.Open(SnmpPduSet);
        m_editAddress.AddTypeValue(&session, RadiusColumn(2, strSuffix));
        if (!report.Send(session, "the address type of " + strServer))
            return false;
        m_editAddress.AddAddressValue(&session, RadiusColumn(3, strSuffix));
        if (!report.Send(session, "the address of " + strServer))
            return false;
        session.Close();
    }
    const std::tuple<int, const int*, const char*> numbers[] = {{5, &m_nAuthPort, "the authentication port"},
                                                                {6, &m_nAcctPort, "the accounting port"},
                                                                {7, &m_nTimeout, "the time-out"},
                                                                {8, &m_nRetransmit, "the retransmit count"}};
    for (const auto& [nColumn, pValue, pszWhat] : numbers) {
        if (!SetOneValue(report, RadiusColumn(nColumn, strSuffix), SnmpValueInteger, std::to_string(*pValue),
                         std::string(pszWhat) + " of " + strServer))
            return false;
    }
    if (!SetOneValue(report, RadiusColumn(9, strSuffix), SnmpValueOctetString, m_strKey, "the key of " + strServer))
        return false;
    return SetRadiusRowStatus(report, strSuffix, "1", "the activation of " + strServer);
}

void C8021XAuRadiusServerDLG::OnApply()
{
    std::string strIndex;
    m_comboIndex.GetWindowText(strIndex);
    if (!IsServerIndex(strIndex)) {
        AfxMessageBox("The index must be a positive decimal number.");
        return;
    }
    if (!CheckInput())
        return;
    const std::string strSuffix = "." + strIndex;
    const int nIndex = std::stoi(strIndex);
    const auto rows = m_Logic.GetRadiusList();
    const auto itOld = std::find_if(rows.begin(), rows.end(), [&](const auto& row) { return row.nIndex == nIndex; });

    CWriteReport report;
    bool bDestroyed = false;
    bool bCreated = false;
    if (ApplyServer(report, strSuffix, itOld != rows.end(), bDestroyed, bCreated)) {
        ResetAndReload();
        return;
    }
    // Against a silent switch nothing more is sent: one time-out per Apply.
    if (!report.TimedOut()) {
        // A row left waiting is no server: it goes again.
        if (bCreated) {
            CWriteReport cleanup;
            SetRadiusRowStatus(cleanup, strSuffix, "6", "the server");
        }
        // The server this Apply destroyed is written back as it was read.
        if (bDestroyed) {
            report.SetProgress(RestoreServer(*itOld, strSuffix)
                                   ? "The previous server " + strIndex + " was written back as it was."
                                   : "The previous server " + strIndex + " was deleted and could not be written back.");
        }
    } else if (bDestroyed) {
        report.SetProgress("The previous server " + strIndex + " was deleted.");
    }
    report.Report();
    StartRead();
}

void C8021XAuRadiusServerDLG::OnDelete()
{
    const int nRow = m_listServers.GetSelectionMark();
    if (nRow < 0) {
        AfxMessageBox("Please Choose One To Delete Or Check If Have Any Data");
        return;
    }
    // The first column is the row's own index.
    const std::string strIndex = m_listServers.GetItemText(nRow, 0);
    CWriteReport report;
    SetRadiusRowStatus(report, "." + strIndex, "6", "the deletion of server " + strIndex);
    report.Report();
    ResetAndReload();
}

void C8021XAuRadiusServerDLG::OnRefresh()
{
    ResetAndReload();
}

void C8021XAuRadiusServerDLG::ResetAndReload()
{
    ResetFields();
    StartRead();
}

void C8021XAuRadiusServerDLG::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}

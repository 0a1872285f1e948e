#include "features/agent_tools/CSyslogHostCfgDlg.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/syslog.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::string SyslogOid(const std::string& relative)
{
    return KorvelOid("10.76.19.1.16.2" + relative);
}

const std::string kState = SyslogOid(".1.0");
const std::string kTimeStamp = SyslogOid(".2.0");
const std::string kSeverity = SyslogOid(".3.0");
const std::string kFacility = SyslogOid(".4.0");
const std::string kServerType = SyslogOid(".5.1.1");
const std::string kServerAddress = SyslogOid(".5.1.2");
const std::string kServerPort = SyslogOid(".5.1.3");
const std::string kServerZone = SyslogOid(".5.1.4");
const std::string kServerRowStatus = SyslogOid(".5.1.5");

const char kFinished[] = "Finished";
constexpr int kPortDigits = 5;

bool IsLinkLocal(const std::string& strAddress)
{
    return strAddress.size() >= 3 &&
           (strAddress.compare(0, 3, "fe8") == 0 || strAddress.compare(0, 3, "fe9") == 0 ||
            strAddress.compare(0, 3, "fea") == 0 || strAddress.compare(0, 3, "feb") == 0);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CSyslogHostCfgDlg, CDialog)
    ON_BN_CLICKED(IDC_SYSLOG_ENABLE, OnEnableClicked)
    ON_BN_CLICKED(IDC_SYSLOG_STATE_APPLY, OnApplyState)
    ON_BN_CLICKED(IDC_SYSLOG_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SYSLOG_REFRESH, OnRefresh)
    ON_EN_CHANGE(IDC_SYSLOG_PORT, OnPortChange)
END_MESSAGE_MAP()

CSyslogHostCfgDlg::CSyslogHostCfgDlg(CWnd* pParent) : CDialog(IDD_SYSLOG_HOST, pParent) {}

CSyslogHostCfgDlg::~CSyslogHostCfgDlg()
{
    m_cCommonSNMP.Close();
    m_cCommonSNMPHost.Close();
}

std::string CSyslogHostCfgDlg::ServerIndex(const std::string& strAddress)
{
    if (strAddress.find(':') != std::string::npos) {
        std::string strHex;
        for (char c : CUtils::ExpandIPv6(strAddress))
            if (c != ':')
                strHex += c;
        return ".2.16" + CUtils::HexToOidSuffix(strHex);
    }
    return ".1.4." + strAddress;
}

BOOL CSyslogHostCfgDlg::DestroyWindow()
{
    m_bClosing = true;
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    m_cCommonSNMPHost.Close();
    return CDialog::DestroyWindow();
}

void CSyslogHostCfgDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSLOG_FACILITY, m_cmbFacility);
    DDX_Control(pDX, IDC_SYSLOG_SEVERITY, m_cmbSeverity);
    DDX_Control(pDX, IDC_SYSLOG_SERVER, m_editServer);
    DDX_Control(pDX, IDC_SYSLOG_PORT, m_editPort);
    DDX_Control(pDX, IDC_SYSLOG_LIST, m_list);
    DDX_Control(pDX, IDC_SYSLOG_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_SYSLOG_TIME_STAMP, m_cmbTimeStamp);
}

BOOL CSyslogHostCfgDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    const UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    m_list.InsertAutoWidthColumn("  Host IP                ", 0, -1, nMask, LVCFMT_LEFT);
    m_list.InsertAutoWidthColumn("  UDP Port ", 1, -1, nMask, LVCFMT_LEFT);
    m_list.InsertAutoWidthColumn("  Facility    ", 2, -1, nMask, LVCFMT_LEFT);
    m_list.InsertAutoWidthColumn("  Severity    ", 3, -1, nMask, LVCFMT_LEFT);
    m_editServer.EnableWindow(FALSE);
    m_editPort.EnableWindow(FALSE);
    m_cmbFacility.EnableWindow(FALSE);
    m_cmbSeverity.EnableWindow(FALSE);
    m_cmbTimeStamp.ResetContent();
    m_cmbTimeStamp.AddString("Enabled");
    m_cmbTimeStamp.AddString("Disabled");
    m_cmbTimeStamp.SetCurSel(0);
    // The state is written only once it was read.
    GetDlgItem(IDC_SYSLOG_STATE_APPLY)->EnableWindow(FALSE);
    m_hOwnerWnd = GetSafeHwnd();
    m_readReport.Begin();
    RefreshSettings();
    return TRUE;
}

void CSyslogHostCfgDlg::EnableSettings(BOOL bEnable)
{
    m_editServer.EnableWindow(bEnable);
    m_editPort.EnableWindow(bEnable);
    m_cmbFacility.EnableWindow(bEnable);
    m_cmbSeverity.EnableWindow(bEnable);
    m_cmbTimeStamp.EnableWindow(bEnable);
}

void CSyslogHostCfgDlg::RefreshSettings()
{
    m_editServer.SetWindowText("0.0.0.0");
    m_editPort.SetWindowText("514");
    m_cCommonSNMP.Open(0);
    m_cCommonSNMP.AddValue(kFacility, SnmpValueNull);
    m_cCommonSNMP.AddValue(kSeverity, SnmpValueNull);
    m_cCommonSNMP.AddValue(kTimeStamp, SnmpValueNull);
    m_cCommonSNMP.AddValue(kState, SnmpValueNull);
    if (!m_cCommonSNMP.StartAsync(&CSyslogHostCfgDlg::OnSettingsReply, this)) {
        // Nothing more is read: the server walk would fail alike.
        m_readReport.Fail("the syslog settings", m_bSettingsRead.load());
        GetDlgItem(IDC_SYSLOG_STATE_APPLY)->EnableWindow(m_bSettingsRead.load());
    }
}

int CSyslogHostCfgDlg::OnSettingsReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSyslogHostCfgDlg*>(pUserData);
    if (!pThis->m_cCommonSNMP.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (nStatus == 0 && pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    const bool bReply = nStatus == 0 && pResponse && nErrorStatus == 0 && pResponse->getVarBindCount() >= 4;
    pThis->m_bSettingsFailed = !bReply;
    if (bReply) {
        // A value outside its set (or missing, or of another type) is
        // unknown: no selection, and the state box clear with its Apply off.
        CSnmp* p = pResponse.get();
        const std::string strFacility = CModuleBase::RangeText(p, 0, 128, 184);
        const int nFacility = std::atoi(strFacility.c_str());
        pThis->m_cmbFacility.SetCurSel(!strFacility.empty() && nFacility % 8 == 0 ? (nFacility - 128) / 8 : -1);
        const std::string strSeverity = CModuleBase::EnumText(p, 1, {4, 6, 7});
        pThis->m_cmbSeverity.SetCurSel(strSeverity == "4" ? 0 : strSeverity == "6" ? 1 : strSeverity == "7" ? 2 : -1);
        const std::string strTimeStamp = CModuleBase::EnumText(p, 2, {1, 2});
        pThis->m_cmbTimeStamp.SetCurSel(strTimeStamp == "1" ? 0 : strTimeStamp == "2" ? 1 : -1);
        const std::string strState = CModuleBase::EnumText(p, 3, {1, 2});
        const bool bOn = strState == "1";
        pThis->m_checkEnable.SetCheck(bOn ? BST_CHECKED : BST_UNCHECKED);
        pThis->EnableSettings(bOn ? TRUE : FALSE);
        pThis->m_bSettingsRead = !strState.empty();
    }
    pResponse.reset();
    pThis->m_cCommonSNMP.SignalDone();
    pThis->SendMessage(WM_SYSLOG_NOTIFY, 1, reinterpret_cast<LPARAM>(kFinished));
    return 0;
}

LRESULT CSyslogHostCfgDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSLOG_NOTIFY && m_bClosing)
        return 0;
    if (message == WM_SYSLOG_NOTIFY && wParam == 1) {
        GetDlgItem(IDC_SYSLOG_APPLY)->EnableWindow(m_checkEnable.GetCheck() == BST_CHECKED);
        GetDlgItem(IDC_SYSLOG_STATE_APPLY)->EnableWindow(m_bSettingsRead.load());
        if (m_bSettingsFailed.load())
            m_readReport.Fail("the syslog settings", m_bSettingsRead.load());
        else
            StartHostWalk();
    } else if (message == WM_SYSLOG_NOTIFY && wParam == 2 && m_bHostWalkFailed.load()) {
        m_readReport.Fail("the syslog server", true);
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CSyslogHostCfgDlg::StartHostWalk()
{
    {
        // Only a row of this walk is replaced by Apply.
        std::lock_guard lock(m_csHost);
        m_strHostIndex.clear();
        m_strHostAddress.clear();
    }
    m_bHostWalkFailed = false;
    m_cCommonSNMPHost.Open(1);
    m_cCommonSNMPHost.AddValue(kServerRowStatus, SnmpValueNull);
    m_cCommonSNMPHost.AddValue(kServerType, SnmpValueNull);
    m_cCommonSNMPHost.AddValue(kServerZone, SnmpValueNull);
    m_cCommonSNMPHost.AddValue(kServerAddress, SnmpValueNull);
    m_cCommonSNMPHost.AddValue(kServerPort, SnmpValueNull);
    if (!m_cCommonSNMPHost.StartAsync(&CSyslogHostCfgDlg::OnHostRow, this)) {
        m_bHostWalkFailed = true;
        SendMessage(WM_SYSLOG_NOTIFY, 2, 0);
    }
}

int CSyslogHostCfgDlg::OnHostRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSyslogHostCfgDlg*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPHost;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        session.SignalDone();
        pThis->m_bHostWalkFailed = nStatus != -2;
        pThis->SendMessage(WM_SYSLOG_NOTIFY, 2, 0);
        return 0;
    }
    CSnmp* p = pResponse.get();
    // The row's own index (".TYPE.LEN.OCTETS") tells its address.
    std::string strIndex;
    session.GetIndexSuffix(0, p, strIndex);
    const std::string strRowStatus = CModuleBase::IntegerText(p, 0);
    std::string strType;
    std::string strOctets;
    {
        std::vector<int> arcs;
        for (std::size_t pos = 1; pos <= strIndex.size() && !strIndex.empty();) {
            const std::size_t dot = std::min(strIndex.find('.', pos), strIndex.size());
            arcs.push_back(std::atoi(strIndex.substr(pos, dot - pos).c_str()));
            pos = dot + 1;
        }
        const bool bIPv4 = arcs.size() == 6 && arcs[0] == 1 && arcs[1] == 4;
        const bool bIPv6 = arcs.size() == 18 && arcs[0] == 2 && arcs[1] == 16;
        if (bIPv4 || bIPv6) {
            strType = bIPv4 ? "1" : "2";
            for (std::size_t i = 2; i < arcs.size(); ++i)
                strOctets += static_cast<char>(arcs[i] & 0xFF);
        }
    }
    std::string strZone;
    CModuleBase::OctetValue(p, 2, strZone);
    std::string strAddress;
    std::string strShown;
    if (strType == "1") {
        strAddress = CUtils::HexToDottedDecimal(CUtils::BytesToAddressText(strOctets, 1));
        strShown = strAddress;
    } else if (strType == "2") {
        strAddress = CUtils::CompressIPv6(CUtils::BytesToAddressText(strOctets, 2));
        strShown = strAddress;
        if (IsLinkLocal(strAddress))
            strShown += "%" + strZone;
    }
    if (!strAddress.empty()) {
        std::lock_guard lock(pThis->m_csHost);
        pThis->m_strHostIndex = strIndex;
        pThis->m_strHostAddress = strAddress;
        pThis->m_strHostPort = CModuleBase::RangeText(p, 4, 1, 65535);
        pThis->m_strHostZone = strZone;
    }
    if (strRowStatus != "1") {
        pThis->m_editServer.SetWindowText("0.0.0.0");
        pThis->m_editPort.SetWindowText("0");
    } else {
        pThis->m_editServer.SetWindowText(strShown);
        pThis->m_editPort.SetWindowText(CModuleBase::IntegerText(p, 4));
    }
    if (!session.StartAsync(&CSyslogHostCfgDlg::OnHostRow, pThis)) {
        pThis->m_bHostWalkFailed = true;
        pThis->SendMessage(WM_SYSLOG_NOTIFY, 2, 0);
    }
    return 0;
}

void CSyslogHostCfgDlg::OnEnableClicked()
{
    EnableSettings(m_checkEnable.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void CSyslogHostCfgDlg::OnApplyState()
{
    // A failed read must never switch syslog off.
    if (!m_bSettingsRead.load()) {
        CReadReport::RefuseUnread("the syslog state");
        return;
    }
    CWriteReport report;
    SetChecked(report, kState, m_checkEnable.GetCheck() == BST_CHECKED ? "1" : "2", "the syslog state");
    RefreshAfter(report);
}

void CSyslogHostCfgDlg::OnApply()
{
    CWriteReport report;
    if (!ApplyHost(report) && !report.Failed())
        return;
    RefreshAfter(report);
}

void CSyslogHostCfgDlg::RefreshAfter(CWriteReport& report)
{
    report.Report();
    if (report.TimedOut())
        return;
    m_readReport.Begin();
    RefreshSettings();
}

void CSyslogHostCfgDlg::OnRefresh()
{
    m_readReport.Begin();
    RefreshSettings();
}

void CSyslogHostCfgDlg::OnPortChange()
{
    std::string strText;
    m_editPort.GetWindowText(strText);
    if (static_cast<int>(strText.size()) <= kPortDigits)
        return;
    int nStart = 0;
    int nEnd = 0;
    m_editPort.GetSel(nStart, nEnd);
    m_editPort.SetWindowText(strText.substr(0, kPortDigits));
    const int nCaret = nStart < kPortDigits ? nStart : kPortDigits;
    m_editPort.SetSel(nCaret, nCaret);
}

BOOL CSyslogHostCfgDlg::SetChecked(CWriteReport& report, const std::string& strOid, const std::string& strValue,
                                   const std::string& strWhat)
{
    if (report.Failed())
        return FALSE;
    m_cCommonSNMPSet.Open(3);
    m_cCommonSNMPSet.AddValue(strOid, SnmpValueInteger, strValue);
    return report.Send(m_cCommonSNMPSet, strWhat) ? TRUE : FALSE;
}

BOOL CSyslogHostCfgDlg::CreateServer(CWriteReport& report, const std::string& strIndex, const std::string& strPort,
                                     const std::string* pZone, const std::string& strWhat, bool* pCreated)
{
    if (!SetChecked(report, kServerRowStatus + strIndex, "5", strWhat))
        return FALSE;
    if (pCreated != nullptr)
        *pCreated = true;
    if (!SetChecked(report, kServerPort + strIndex, strPort, strWhat))
        return FALSE;
    if (pZone != nullptr) {
        m_cCommonSNMPSet.Open(3);
        m_cCommonSNMPSet.AddValueLen(kServerZone + strIndex, SnmpValueOctetString, pZone->data(),
                                     static_cast<int>(pZone->size()));
        if (!report.Send(m_cCommonSNMPSet, strWhat))
            return FALSE;
    }
    return SetChecked(report, kServerRowStatus + strIndex, "1", strWhat);
}

BOOL CSyslogHostCfgDlg::ApplyHost(CWriteReport& report)
{
    // Settings the switch gave outside their sets are not written over.
    if (m_cmbSeverity.GetCurSel() < 0 || m_cmbFacility.GetCurSel() < 0 || m_cmbTimeStamp.GetCurSel() < 0) {
        CReadReport::RefuseUnread("the syslog settings");
        return FALSE;
    }

    m_editServer.OnKillFocus(nullptr);
    if (m_editServer.m_nStatus != 1) {
        if (m_editServer.m_nStatus == 0)
            AfxMessageBox("Invalid Syslog Sever IP address.");
        else
            m_editServer.ShowZoneError();
        return FALSE;
    }
    // The address is checked in lower case, whatever the user typed.
    const bool bLinkLocal = m_editServer.m_strAddrType == "2" && IsLinkLocal(Lower(m_editServer.m_strAddress));
    if (bLinkLocal && !CUtils::HasNoSpecialChars(m_editServer.m_strZone)) {
        AfxMessageBox("Invalid Interface Name. ");
        return FALSE;
    }
    std::string strPort;
    m_editPort.GetWindowText(strPort);
    const long nPort = std::strtol(strPort.c_str(), nullptr, 10);
    if (nPort < 1 || nPort > 65535) {
        AfxMessageBox("Invalid UDP port range (1-65535)");
        return FALSE;
    }

    const std::string strNewIndex = "." + m_editServer.m_strAddrType + "." +
                                    std::to_string(m_editServer.m_strAddrType == "2" ? 16 : 4) + "." +
                                    m_editServer.GetOidIndex();
    std::string strOldIndex;
    std::string strOldAddress;
    std::string strOldPort;
    std::string strOldZone;
    {
        std::lock_guard lock(m_csHost);
        strOldIndex = m_strHostIndex;
        strOldAddress = m_strHostAddress;
        strOldPort = m_strHostPort;
        strOldZone = m_strHostZone;
    }
    const std::string strWhat = "the syslog server " + m_editServer.m_strAddress;
    if (!strOldIndex.empty() &&
        !SetChecked(report, kServerRowStatus + strOldIndex, "6", "the removal of the syslog server " + strOldAddress))
        return FALSE;
    const std::string strZone = m_editServer.m_strZone;
    bool bCreated = false;
    if (!CreateServer(report, strNewIndex, std::to_string(nPort), bLinkLocal ? &strZone : nullptr, strWhat,
                      &bCreated)) {
        // The switch refused the new server: the old one is put back as it
        // was read, unless the switch no longer answers.
        if (!strOldIndex.empty() && !report.TimedOut()) {
            if (bCreated && strNewIndex != strOldIndex) {
                m_cCommonSNMPSet.Open(3);
                m_cCommonSNMPSet.AddValue(kServerRowStatus + strNewIndex, SnmpValueInteger, "6");
                m_cCommonSNMPSet.SendAccepted();
            }
            CWriteReport restore;
            const bool bOldLinkLocal = strOldIndex.rfind(".2.", 0) == 0 && IsLinkLocal(strOldAddress);
            const bool bRestored = !strOldPort.empty() &&
                                   CreateServer(restore, strOldIndex, strOldPort, bOldLinkLocal ? &strOldZone : nullptr,
                                                "the syslog server " + strOldAddress);
            report.SetProgress(bRestored ? "The syslog server " + strOldAddress + " was kept."
                                         : "The syslog server " + strOldAddress + " could not be put back.");
        }
        return FALSE;
    }

    static const char* const kSeverities[] = {"4", "6", "7"};
    const int nSeverity = m_cmbSeverity.GetCurSel();
    const int nFacility = m_cmbFacility.GetCurSel();
    if (nSeverity > 2 || nFacility > 7)
        return FALSE;
    m_cCommonSNMPSet.Open(3);
    m_cCommonSNMPSet.AddValue(kSeverity, SnmpValueInteger, kSeverities[nSeverity]);
    m_cCommonSNMPSet.AddValue(kFacility, SnmpValueInteger, std::to_string(128 + 8 * nFacility));
    m_cCommonSNMPSet.AddValue(kTimeStamp, SnmpValueInteger, m_cmbTimeStamp.GetCurSel() == 0 ? "1" : "2");
    return report.Send(m_cCommonSNMPSet, "the syslog settings") ? TRUE : FALSE;
}

#include "legacy/CTelnetCfgDlg.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

namespace {

// Which request of the scalar pair a reply answers.
enum TelnetReply
{
    kSettingsRead = 1,
    kStatusRead = 2,
    kTimeoutWrite = 3,
    kStatusWrite = 4,
};

std::string TelnetOid(const std::string& relative)
{
    return KorvelOid("10.94.89.89.58." + relative);
}

std::string SessionStatusOid(const std::string& id)
{
    return TelnetOid("4.1.4." + id);
}

} // namespace

BEGIN_MESSAGE_MAP(CTelnetCfgDlg, CLegacyFrame)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TELNET_SESSION_LIST, OnSessionItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_TELNET_SESSION_LIST, OnSessionClick)
    ON_BN_CLICKED(IDC_TELNET_APPLY_STATUS, OnApplySessionStatus)
    ON_BN_CLICKED(IDC_TELNET_APPLY_SETTINGS, OnApplyTelnetSettings)
    ON_MESSAGE(CTelnetCfgDlg::WM_TELNET_REPLY, OnScalarReply)
END_MESSAGE_MAP()

CTelnetCfgDlg::CTelnetCfgDlg(CWnd* pParent)
    : CLegacyFrame(IDD_TELNET_CFG, pParent), m_scalarRequest(std::make_unique<CSnmpV1>(SnmpPduGet))
{
    m_nListId = IDC_TELNET_SESSION_LIST;
    m_strListWhat = "the Telnet session list";
    m_nRefreshId = IDC_TELNET_REFRESH;
    m_headings = {" TelnetSessionId ", " ClientAddress            ", " LoginTime                   ",
                  " Status           "};
    m_columnOids = {TelnetOid("4.1.1"), TelnetOid("4.1.2"), TelnetOid("4.1.3"), TelnetOid("4.1.4")};
    m_bReadOnInit = false;
}

CTelnetCfgDlg::~CTelnetCfgDlg()
{
    if (m_scalarToken)
        m_scalarToken->Revoke();
    m_scalarSender.reset();
}

BOOL CTelnetCfgDlg::DestroyWindow()
{
    if (m_scalarToken)
        m_scalarToken->Revoke();
    m_scalarSender.reset();
    m_nScalarRequest = 0;
    return CLegacyFrame::DestroyWindow();
}

void CTelnetCfgDlg::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TELNET_TIMEOUT, m_editTimeout);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_217, m_edit217);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_216, m_edit216);
    DDX_Control(pDX, IDC_TELNET_SESSION_ID, m_editSessionId);
    DDX_Control(pDX, IDC_TELNET_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_TELNET_STATUS, m_cbStatus);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_205, m_chk205);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_203, m_chk203);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_213, m_chk213);
    DDX_Control(pDX, IDC_TELNET_PASSWORD, m_editPassword);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_206, m_chk206);
    DDX_Control(pDX, IDC_TELNET_HIDDEN_210, m_cb210);
}

BOOL CTelnetCfgDlg::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    m_scalarToken = LegacyReplyToken::Create(GetSafeHwnd(), WM_TELNET_REPLY);
    m_scalarSender = std::make_unique<CSnmp4w>();
    m_readReport.Begin();
    ReadTelnetSettings();
    RefreshTable();
    return TRUE;
}

void CTelnetCfgDlg::OnRefresh()
{
    m_readReport.Begin();
    ReadTelnetSettings();
    RefreshTable();
}

std::vector<LegacyCell> CTelnetCfgDlg::BindingCells(CSnmp& reply, int binding)
{
    const std::string text = ValueText(reply, binding);
    if (binding == 3)
        return {{3, text == "1" ? "Connected" : "Unconnected"}};
    return {{binding, text}};
}

bool CTelnetCfgDlg::SendScalar(int pduType, const std::string& community, const std::vector<LegacyValue>& values,
                               int kind)
{
    if (!m_scalarSender || !m_scalarToken)
        return false;
    m_scalarRequest->setType(pduType);
    m_scalarRequest->setCommunity(community.c_str());
    m_scalarRequest->clearVarBindList();
    for (const LegacyValue& v : values)
        if (m_scalarRequest->addValue(v.oid.c_str(), v.type, v.type == SnmpValueNull ? nullptr : v.value.c_str()) != 0)
            return false;
    m_scalarSender->setRequest(m_scalarRequest.get());
    // A request still awaited is superseded: its reply will be stale.
    m_nScalarRequest = 0;
    if (m_scalarSender->sendAsync(m_szDeviceIP.c_str(), 0, &LegacyReplyToken::OnReply, m_scalarToken->Key(), nullptr,
                                  0) != SnmpStatusOk)
        return false;
    m_nScalarRequest = m_scalarSender->getRequestID();
    m_nScalarKind = kind;
    return true;
}

void CTelnetCfgDlg::ReadTelnetSettings()
{
    if (m_nSnmpVersion != 1)
        return;
    if (!SendScalar(SnmpPduGet, m_szReadCommunity,
                    {{TelnetOid("2.0"), SnmpValueNull, ""}, {TelnetOid("3.0"), SnmpValueNull, ""}}, kSettingsRead))
        SettingsReadFailed();
}

void CTelnetCfgDlg::SettingsReadFailed()
{
    // The boxes keep what an earlier read showed; Apply waits for a read.
    const bool bKeptLast = m_bSettingsShown;
    m_bSettingsRead = false;
    m_readReport.Fail("the Telnet settings", bKeptLast);
}

void CTelnetCfgDlg::ShowSettings(CSnmp& response)
{
    // The time-out is written back as it was read: a value of another type
    // or out of range is shown unknown and refuses Apply.
    const std::string strTimeout = CModuleBase::RangeText(&response, 1, 0, 2147483647LL);
    m_editPassword.SetWindowText(ValueText(response, 0));
    m_editTimeout.SetWindowText(strTimeout);
    m_bSettingsShown = true;
    m_bSettingsRead = !strTimeout.empty();
}

LRESULT CTelnetCfgDlg::OnScalarReply(WPARAM, LPARAM)
{
    if (!m_scalarToken)
        return 0;
    for (LegacyReplyToken::Reply& reply : m_scalarToken->Take()) {
        if (m_scalarToken->Revoked())
            break;
        if (!LegacyReplyToken::Answers(reply, m_nScalarRequest))
            continue; // superseded
        CSnmp* response = reply.status == SnmpStatusOk ? reply.response.get() : nullptr;
        int nErrorStatus = 0;
        int nErrorIndex = 0;
        if (response)
            response->getError(&nErrorStatus, &nErrorIndex);
        switch (m_nScalarKind) {
        case kSettingsRead:
            if (response && nErrorStatus == 0 && response->getVarBindCount() >= 2)
                ShowSettings(*response);
            else
                SettingsReadFailed();
            break;
        case kStatusRead:
            if (response && response->getVarBindCount() >= 1)
                SelectStatus(ValueText(*response, 0));
            break;
        case kTimeoutWrite: {
            CWriteReport report;
            report.Check(reply.status, response, "the Telnet time-out");
            report.Report();
            // What the switch holds now, unless it has just been silent.
            if (!report.TimedOut()) {
                m_readReport.Begin();
                ReadTelnetSettings();
            }
            break;
        }
        case kStatusWrite: {
            CWriteReport report;
            report.Check(reply.status, response, "the status of session " + m_strWrittenSession);
            report.Report();
            if (!report.TimedOut())
                RefreshTable();
            break;
        }
        default:
            break;
        }
    }
    // A session clicked while a request was out is read now.
    if (!ScalarPending() && !m_strQueuedStatusId.empty()) {
        const std::string id = std::move(m_strQueuedStatusId);
        m_strQueuedStatusId.clear();
        ReadSessionStatus(id);
    }
    return 0;
}

void CTelnetCfgDlg::SelectStatus(const std::string& value)
{
    m_cbStatus.SetCurSel(value == "1" ? 0 : 1);
}

void CTelnetCfgDlg::OnSessionItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    m_cbStatus.EnableWindow(TRUE);
    m_cbStatus.SelectString(-1, m_list.GetItemText(row, 3));
}

void CTelnetCfgDlg::OnSessionClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    const std::string id = m_list.GetItemText(row, 0);
    m_editSessionId.SetWindowText(id);
    // A request still out (a write awaiting its answer, the read after it) is
    // not replaced: the status is read once it has been answered.
    if (m_nSnmpVersion == 1 && ScalarPending()) {
        m_strQueuedStatusId = id;
        return;
    }
    ReadSessionStatus(id);
}

void CTelnetCfgDlg::ReadSessionStatus(const std::string& id)
{
    if (m_nSnmpVersion == 1) {
        SendScalar(SnmpPduGet, m_szReadCommunity, {{SessionStatusOid(id), SnmpValueNull, ""}}, kStatusRead);
        return;
    }
    if (m_nSnmpVersion != 3)
        return;
    CWaitCursor wait;
    std::unique_ptr<CSnmpV3> request = MakeV3Request(SnmpPduGet);
    if (!request)
        return;
    CSnmpTable table(request.get());
    request->addValue(SessionStatusOid(id).c_str(), SnmpValueNull);
    CSnmp* response = nullptr;
    const int status = table.getNext(m_szDeviceIP.c_str(), response, m_nTimeout > 0 ? m_nTimeout : 0);
    std::unique_ptr<CSnmp> owned(response);
    if (status != SnmpStatusOk || !owned || owned->getVarBindCount() < 1 || !HasValueText(*owned, 0))
        return;
    SelectStatus(ValueText(*owned, 0));
}

void CTelnetCfgDlg::OnApplyTelnetSettings()
{
    if (m_nSnmpVersion != 1)
        return;
    if (!m_bSettingsRead) {
        CReadReport::RefuseUnread("the Telnet settings");
        return;
    }
    const std::string strTimeout = m_editTimeout.GetWindowText();
    if (!legacy_write::IsDecimalNumber(strTimeout, 2147483647ULL)) {
        AfxMessageBox("Timeout must be a decimal number.");
        return;
    }
    m_strQueuedStatusId.clear();
    if (!SendScalar(SnmpPduSet, m_szWriteCommunity, {{TelnetOid("3.0"), SnmpValueInteger, strTimeout}},
                    kTimeoutWrite)) {
        CWriteReport report;
        report.Silent("the Telnet time-out");
        report.Report();
    }
}

void CTelnetCfgDlg::OnApplySessionStatus()
{
    const std::string id = m_editSessionId.GetWindowText();
    if (id.empty())
        return;
    const std::string value = m_cbStatus.GetCurSel() == 0 ? "1" : "2";
    if (m_nSnmpVersion == 1) {
        m_strQueuedStatusId.clear();
        m_strWrittenSession = id;
        if (!SendScalar(SnmpPduSet, m_szWriteCommunity, {{SessionStatusOid(id), SnmpValueInteger, value}},
                        kStatusWrite)) {
            CWriteReport report;
            report.Silent("the status of session " + id);
            report.Report();
        }
        return;
    }
    if (m_nSnmpVersion != 3)
        return;
    CWaitCursor wait;
    std::unique_ptr<CSnmpV3> request = MakeV3Request(SnmpPduSet);
    if (!request)
        return;
    request->addValue(SessionStatusOid(id).c_str(), SnmpValueInteger, value.c_str());
    CWriteReport report;
    legacy_write::SendTableStep(report, *request, m_szDeviceIP,
                                static_cast<unsigned long>(m_nTimeout > 0 ? m_nTimeout : 0),
                                "the status of session " + id);
    report.Report();
    if (!report.TimedOut())
        RefreshTable();
}

#include "legacy/CDeviceCfgDlg.h"

#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmpV1.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

#include <cstdlib>

namespace {

// Which request a reply answers.
enum DevCfgReply
{
    kInfoReply = 1,
    kConfigReply = 2,
    kSetReply = 3,
};

constexpr UINT kDevCfgIcon = 447;
// A click on a header item of the list (the header's own notification).
constexpr UINT kHeaderItemClick = static_cast<UINT>(-302);
constexpr unsigned long kDevCfgTimeout = 3000;

int OnDevCfgReply(int kind, CSnmp* response, int requestId, void* userData, int status)
{
    LegacyReplyToken::Deliver(userData, kind, response, requestId, status);
    return 0;
}

int OnInfoReply(CSnmp* response, int requestId, void* userData, int status)
{
    return OnDevCfgReply(kInfoReply, response, requestId, userData, status);
}

int OnConfigReply(CSnmp* response, int requestId, void* userData, int status)
{
    return OnDevCfgReply(kConfigReply, response, requestId, userData, status);
}

int OnSetReply(CSnmp* response, int requestId, void* userData, int status)
{
    return OnDevCfgReply(kSetReply, response, requestId, userData, status);
}

std::string BindingValue(CSnmp& reply, int binding)
{
    int type = 0;
    char* text = nullptr;
    if (reply.getValue(binding, &type, &text) != 0 || !text)
        return std::string();
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CDeviceCfgDlg, CDialog)
    ON_NOTIFY(kHeaderItemClick, IDC_DEVCFG_CONFIG_LIST, OnHeaderClick)
    ON_BN_CLICKED(IDC_DEVCFG_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DEVCFG_APPLY, OnApply)
    ON_NOTIFY(NM_CLICK, IDC_DEVCFG_CONFIG_LIST, OnConfigClick)
    ON_MESSAGE(CDeviceCfgDlg::WM_DEVCFG_REPLY, OnReply)
END_MESSAGE_MAP()

CDeviceCfgDlg::CDeviceCfgDlg(CWnd* pParent) : CDialog(IDD_DEVICE_CFG, pParent) {}

CDeviceCfgDlg::~CDeviceCfgDlg()
{
    if (m_token)
        m_token->Revoke();
}

BOOL CDeviceCfgDlg::DestroyWindow()
{
    // Replies that arrive from now on are dropped.
    if (m_token)
        m_token->Revoke();
    m_nInfoRequest = m_nConfigRequest = m_nSetRequest = 0;
    return CDialog::DestroyWindow();
}

void CDeviceCfgDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEVCFG_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_DEVCFG_INFO_LIST, m_listInfo);
    DDX_Control(pDX, IDC_DEVCFG_CONFIG_LIST, m_listConfig);
    DDX_Control(pDX, IDC_DEVCFG_VALUE, m_cbValue);
}

BOOL CDeviceCfgDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(kDevCfgIcon), TRUE);
    m_token = LegacyReplyToken::Create(GetSafeHwnd(), WM_DEVCFG_REPLY);

    m_listConfig.InsertColumn(0, "  Config Name  ", LVCFMT_LEFT, 200);
    m_listConfig.InsertColumn(1, "  Status     ", LVCFMT_LEFT, 80);
    m_listInfo.InsertColumn(0, "", LVCFMT_LEFT, 160);
    m_listInfo.InsertColumn(1, "", LVCFMT_LEFT, 118);
    m_listConfig.SetExtendedStyle(m_listConfig.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_listInfo.SetExtendedStyle(m_listInfo.GetExtendedStyle() | LVS_EX_FULLROWSELECT);

    m_strDeviceIP = g_strDeviceIP;
    m_strReadCommunity = g_strReadCommunity;
    m_strWriteCommunity = g_strWriteCommunity;
    if (m_strDeviceIP.empty() || m_strReadCommunity.empty() || m_strWriteCommunity.empty())
        return TRUE;

    if (!m_xmlInfo.Open(kFileName, "DEVINFO"))
        AfxMessageBox("No KSXWren_CFG.XML !", MB_OK);
    m_xmlConfig.Open(kFileName, "DEVCFG");

    ReadConfigList();
    m_btnApply.EnableWindow(FALSE);
    ReadInfoList();
    return TRUE;
}

void CDeviceCfgDlg::ReadInfoList()
{
    ReadList(m_xmlInfo, m_listInfo, m_snmpInfo, kInfoReply, m_nInfoRequest);
}

void CDeviceCfgDlg::ReadConfigList()
{
    ReadList(m_xmlConfig, m_listConfig, m_snmpConfig, kConfigReply, m_nConfigRequest);
}

void CDeviceCfgDlg::ReadList(CMibXMLParse& reader, CListCtrl& list, CSnmp4w& requester, int kind, int& awaited)
{
    list.DeleteAllItems();
    awaited = 0;
    if (!m_token)
        return;
    CSnmpV1 request(SnmpPduGet);
    request.setCommunity(m_strReadCommunity.c_str());
    reader.BuildGetRequest(request, "0");
    if (request.getVarBindCount() == 0)
        return; // nothing to ask
    requester.setRequest(&request);
    const SnmpCallback callback = kind == kInfoReply ? &OnInfoReply : &OnConfigReply;
    if (requester.sendAsync(m_strDeviceIP.c_str(), 0, callback, m_token->Key(), GetSafeHwnd(), kDevCfgTimeout) == 0)
        awaited = requester.getRequestID();
}

LRESULT CDeviceCfgDlg::OnReply(WPARAM, LPARAM)
{
    if (!m_token)
        return 0;
    for (LegacyReplyToken::Reply& reply : m_token->Take()) {
        if (m_token->Revoked())
            break;
        int* awaited = reply.kind == kInfoReply     ? &m_nInfoRequest
                       : reply.kind == kConfigReply ? &m_nConfigRequest
                                                    : &m_nSetRequest;
        if (!LegacyReplyToken::Answers(reply, *awaited))
            continue; // an older request's reply
        if (reply.kind == kSetReply) {
            CWriteReport report;
            report.Check(reply.status, reply.status == SnmpStatusOk ? reply.response.get() : nullptr,
                         m_strWrittenLabel);
            report.Report();
            // Whatever the switch answered, the list shows its value now.
            m_cbValue.ResetContent();
            ReadConfigList();
            continue;
        }
        if (reply.status != SnmpStatusOk || !reply.response)
            continue;
        if (reply.kind == kInfoReply)
            ShowReply(m_xmlInfo, m_listInfo, *reply.response, true);
        else
            ShowReply(m_xmlConfig, m_listConfig, *reply.response, false);
    }
    return 0;
}

std::string CDeviceCfgDlg::TimeText(const std::string& value)
{
    const long v = std::strtol(value.c_str(), nullptr, 10);
    const long hours = v / 360000;
    const long minutes = (v - hours * 360000) / 6000;
    return std::to_string(hours) + " Hour " + std::to_string(minutes) + " Min";
}

void CDeviceCfgDlg::ShowReply(CMibXMLParse& reader, CListCtrl& list, CSnmp& response, bool timeValues)
{
    int errorStatus = 0;
    int errorIndex = 0;
    response.getError(&errorStatus, &errorIndex);
    if (errorStatus != 0 || errorIndex != 0)
        return;
    for (int i = 0; i < response.getVarBindCount(); ++i) {
        char* oidText = nullptr;
        response.getOid(i, &oidText);
        std::string oid = oidText ? oidText : "";
        oid = oid.size() >= 2 ? oid.substr(0, oid.size() - 2) : std::string();
        const std::string value = BindingValue(response, i);

        std::string name;
        reader.GetItemDesc(oid, name);
        std::string shown = value;
        ValueList table;
        if (reader.GetValueList(oid, table)) {
            shown.clear();
            for (const _value& entry : table)
                if (entry.value == value)
                    shown = entry.label;
        }
        if (timeValues && name.find("Time") != std::string::npos)
            shown = TimeText(shown);
        list.InsertItem(i, name);
        list.SetItemText(i, 1, shown);
    }
}

void CDeviceCfgDlg::OnHeaderClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CDeviceCfgDlg::OnConfigClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int row = m_listConfig.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        m_btnApply.EnableWindow(FALSE);
        m_cbValue.ResetContent();
        return;
    }
    m_btnApply.EnableWindow(TRUE);
    std::string name;
    bool found = m_xmlConfig.FirstItemName(name);
    for (int k = 0; found && k < row; ++k)
        found = m_xmlConfig.NextItemName(name);
    if (found)
        m_strSelectedName = name;

    m_arrValues.clear();
    m_xmlConfig.GetValueList(m_strSelectedName, m_arrValues);
    const std::string current = m_listConfig.GetItemText(row, 1);
    m_cbValue.ResetContent();
    for (const _value& entry : m_arrValues)
        if (entry.label != current)
            m_cbValue.AddString(entry.label);
    m_cbValue.SetCurSel(0);
}

void CDeviceCfgDlg::OnApply()
{
    m_btnApply.EnableWindow(FALSE);
    if (m_strSelectedName.empty() || !m_token)
        return; // no object clicked yet
    const int sel = m_cbValue.GetCurSel();
    if (sel < 0)
        return; // no label chosen: nothing to write
    std::string label;
    m_cbValue.GetLBText(sel, label);
    const _value* chosen = nullptr;
    for (const _value& entry : m_arrValues) {
        if (entry.label == label) {
            chosen = &entry;
            break;
        }
    }
    if (!chosen)
        return;
    const std::string oid = m_strSelectedName + ".0";
    CSnmpV1 request(SnmpPduGet);
    request.setType(SnmpPduSet);
    request.setCommunity(m_strWriteCommunity.c_str());
    request.clearVarBindList();
    request.addValue(oid.c_str(), SnmpValueInteger, chosen->value.c_str());
    m_snmpSet.setRequest(&request);
    m_nSetRequest = 0;
    const int row = m_listConfig.GetNextItem(-1, LVNI_SELECTED);
    const std::string strShown = row >= 0 ? m_listConfig.GetItemText(row, 0) : std::string();
    const std::size_t first = strShown.find_first_not_of(' ');
    m_strWrittenLabel = "the setting " + (first == std::string::npos
                                              ? m_strSelectedName
                                              : strShown.substr(first, strShown.find_last_not_of(' ') - first + 1));
    if (m_snmpSet.sendAsync(m_strDeviceIP.c_str(), 0, &OnSetReply, m_token->Key(), GetSafeHwnd(), kDevCfgTimeout) == 0) {
        m_nSetRequest = m_snmpSet.getRequestID();
    } else {
        CWriteReport report;
        report.Silent(m_strWrittenLabel);
        report.Report();
    }
}

void CDeviceCfgDlg::OnRefresh()
{
    ReadInfoList();
    ReadConfigList();
}

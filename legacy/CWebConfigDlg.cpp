#include "legacy/CWebConfigDlg.h"

#include "common/CWriteReport.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy_config.h"


namespace {

const char* const kServiceTable = "10.94.89.89.66.30.1";

std::string ServiceColumn(const char* column)
{
    return KorvelOid(std::string(kServiceTable) + "." + column);
}

std::string ServiceStateWord(const std::string& value)
{
    if (value == "2")
        return "disable";
    if (value == "3")
        return "enable";
    return "default";
}

std::string ServiceProtocolWord(const std::string& value)
{
    if (value == "2")
        return "http";
    if (value == "3")
        return "https";
    return "default";
}

// Decimal digits alone, within the range of an SNMP integer.
bool IsServiceNumber(const std::string& text)
{
    return legacy_write::IsDecimalNumber(text, 2147483647ULL);
}

std::string ServiceWhat(const std::string& index)
{
    return "the settings of service " + index;
}

} // namespace

BEGIN_MESSAGE_MAP(CWebConfigDlg, CLegacyFrame)
    ON_NOTIFY(NM_CLICK, IDC_WEB_LIST, OnServiceClick)
    ON_BN_CLICKED(IDC_WEB_APPLY, ApplyService)
    ON_BN_CLICKED(IDC_WEB_HIDDEN_243, OnHiddenButton)
    ON_MESSAGE(CWebConfigDlg::WM_WEB_SET_REPLY, OnSetReply)
END_MESSAGE_MAP()

CWebConfigDlg::CWebConfigDlg(CWnd* pParent)
    : CLegacyFrame(IDD_WEB_CONFIG, pParent), m_setRequest(std::make_unique<CSnmpV1>(SnmpPduGet)),
      m_setWalker(std::make_unique<CSnmpTable4w>())
{
    m_nListId = IDC_WEB_LIST;
    m_strListWhat = "the web service table";
    m_nRefreshId = IDC_WEB_REFRESH;
    m_headings = {"  Index",        "  ServiceName     ", "  Enable       ",       "  UDP Port ",
                  "  MaxUsers    ", "  Protocol    ",     "  CertificateId      ", "  MaxIdleTimeOut            "};
    m_columnOids = {ServiceColumn("2"), ServiceColumn("3"), ServiceColumn("4"), ServiceColumn("5"),
                    ServiceColumn("6"), ServiceColumn("7"), ServiceColumn("8")};
}

BOOL CWebConfigDlg::DestroyWindow()
{
    if (m_setToken)
        m_setToken->Revoke();
    m_setWalker.reset();
    m_nSetRequestID = 0;
    return CLegacyFrame::DestroyWindow();
}

std::string CWebConfigDlg::ServiceOid(const std::string& column, const std::string& index)
{
    return KorvelOid(std::string(kServiceTable) + "." + column + "." + index);
}

void CWebConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WEB_STATUS, m_cbStatus);
    DDX_Control(pDX, IDC_WEB_FACILITY, m_cbFacility);
    DDX_Control(pDX, IDC_WEB_SEVERITY, m_cbSeverity);
    DDX_Control(pDX, IDC_WEB_HOST_IP, m_ipHost);
    DDX_Control(pDX, IDC_WEB_UDP_PORT, m_editUdpPort);
    DDX_Control(pDX, IDC_WEB_IDLE_TIMEOUT, m_editIdleTimeOut);
    DDX_Control(pDX, IDC_WEB_INDEX, m_editIndex);
}

BOOL CWebConfigDlg::OnInitDialog()
{
    m_setToken = LegacyReplyToken::Create(GetSafeHwnd(), WM_WEB_SET_REPLY);
    return CLegacyFrame::OnInitDialog();
}

std::vector<LegacyCell> CWebConfigDlg::BindingCells(CSnmp& reply, int binding)
{
    const std::string text = ValueText(reply, binding);
    if (binding == 0) {
        std::string index;
        for (unsigned long arc : IndexArcs(reply, 0))
            index += (index.empty() ? "" : ".") + std::to_string(arc);
        return {{0, index}, {1, text}};
    }
    if (binding == 1)
        return {{2, ServiceStateWord(text)}};
    if (binding == 4)
        return {{5, ServiceProtocolWord(text)}};
    return {{binding + 1, text}};
}

void CWebConfigDlg::OnServiceClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    SelectService();
}

void CWebConfigDlg::SelectService()
{
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    m_editIndex.SetWindowText(m_list.GetItemText(row, 0));
    m_editUdpPort.SetWindowText(m_list.GetItemText(row, 3));
    m_editIdleTimeOut.SetWindowText(m_list.GetItemText(row, 7));
    // "default" is none of the entries: the selection is cleared.
    m_cbStatus.SetCurSel(m_cbStatus.FindStringExact(-1, m_list.GetItemText(row, 2)));
}

bool CWebConfigDlg::AddServiceBindings(CSnmp& request, const std::string& index) const
{
    const std::string udpPort = m_editUdpPort.GetWindowText();
    const std::string idleTimeOut = m_editIdleTimeOut.GetWindowText();
    // "disable" 2, "enable" 3; no entry chosen writes 1 (the service's default).
    const int selection = m_cbStatus.GetCurSel();
    const std::string state = std::to_string(selection < 0 ? 1 : selection + 2);
    return request.addValue(ServiceOid("4", index).c_str(), SnmpValueInteger, udpPort.c_str()) == 0 &&
           request.addValue(ServiceOid("8", index).c_str(), SnmpValueInteger, idleTimeOut.c_str()) == 0 &&
           request.addValue(ServiceOid("3", index).c_str(), SnmpValueInteger, state.data(),
                            static_cast<int>(state.size())) == 0;
}

void CWebConfigDlg::ApplyService()
{
    // The index comes only from a row of the table read: no row, no write.
    const std::string index = m_editIndex.GetWindowText();
    if (index.empty())
        return;
    // Nothing goes out that the switch could not take as a number.
    if (!IsServiceNumber(m_editUdpPort.GetWindowText())) {
        AfxMessageBox("UDP Port must be a decimal number.");
        return;
    }
    if (!IsServiceNumber(m_editIdleTimeOut.GetWindowText())) {
        AfxMessageBox("MaxIdleTimeOut must be a decimal number.");
        return;
    }
    if (m_nSnmpVersion == 1) {
        if (!m_setWalker || !m_setToken)
            return;
        m_setRequest->setType(SnmpPduSet);
        m_setRequest->setCommunity(m_szWriteCommunity.c_str());
        m_setRequest->clearVarBindList();
        if (!AddServiceBindings(*m_setRequest, index))
            return;
        m_setWalker->setRequest(m_setRequest.get());
        // A write still awaited is superseded: its reply will be stale.
        m_nSetRequestID = 0;
        m_strSetIndex = index;
        if (m_setWalker->getNextAsync(m_szDeviceIP.c_str(), &LegacyReplyToken::OnReply, m_setToken->Key(), nullptr,
                                      0) == SnmpStatusOk) {
            m_nSetRequestID = m_setRequest->getRequestID();
        } else {
            CWriteReport report;
            report.Silent(ServiceWhat(index));
            report.Report();
        }
        // The table is read again once the switch has answered.
        return;
    }
    if (m_nSnmpVersion != 3)
        return;
    CWaitCursor wait;
    std::unique_ptr<CSnmpV3> request = MakeV3Request(SnmpPduSet);
    if (!request)
        return;
    if (!AddServiceBindings(*request, index))
        return;
    CWriteReport report;
    legacy_write::SendTableStep(report, *request, m_szDeviceIP,
                                static_cast<unsigned long>(m_nTimeout > 0 ? m_nTimeout : 0), ServiceWhat(index));
    report.Report();
    // A switch that did not answer is not asked again at once.
    if (!report.TimedOut())
        RefreshTable();
}

LRESULT CWebConfigDlg::OnSetReply(WPARAM, LPARAM)
{
    if (!m_setToken)
        return 0;
    for (LegacyReplyToken::Reply& reply : m_setToken->Take()) {
        if (m_setToken->Revoked())
            break;
        if (!LegacyReplyToken::Answers(reply, m_nSetRequestID))
            continue; // superseded
        CWriteReport report;
        report.Check(reply.status, reply.status == SnmpStatusOk ? reply.response.get() : nullptr,
                     ServiceWhat(m_strSetIndex));
        report.Report();
        // What the switch holds now, whether it took the values or not;
        // a switch that did not answer is not asked again at once.
        if (!report.TimedOut())
            RefreshTable();
    }
    return 0;
}

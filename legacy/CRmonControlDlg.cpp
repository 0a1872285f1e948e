#include "legacy/CRmonControlDlg.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

#include <cctype>

namespace {

std::string ControlOid(const char* object)
{
    return KorvelOid(std::string("10.94.89.89.49.") + object);
}

bool IsDecimal(const std::string& text)
{
    std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() <= start || text.size() - start > 10)
        return false;
    for (std::size_t i = start; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    const long long value = std::stoll(text);
    return value >= -2147483648LL && value <= 2147483647LL;
}

} // namespace

BEGIN_MESSAGE_MAP(CRmonControlDlg, CLegacyFrame)
    ON_BN_CLICKED(IDC_INFO_APPLY, OnApply)
    ON_BN_CLICKED(IDC_INFO_CLOSE, OnClose)
END_MESSAGE_MAP()

CRmonControlDlg::CRmonControlDlg(CWnd* pParent) : CLegacyFrame(IDD_RMON_CONTROL, pParent)
{
    m_strCaption = "RMON Control";
    m_bReadOnInit = false;
    m_nRefreshId = IDC_INFO_REFRESH;
    m_columnOids = {ControlOid("1.0"), ControlOid("2.0"), ControlOid("3.0"),
                    ControlOid("6.0"), ControlOid("7.0"), ControlOid("8.0")};
}

void CRmonControlDlg::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INFO_EDIT_1312, m_strQuotaBucket);
    DDX_Text(pDX, IDC_INFO_EDIT_1310, m_strRmonQuotaBucket);
    DDX_Text(pDX, IDC_INFO_EDIT_1313, m_strMaxGlobalBuckets);
    DDX_Text(pDX, IDC_INFO_EDIT_1314, m_strMaxEntries);
}

BOOL CRmonControlDlg::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    const std::pair<int, UINT> limits[] = {
        {IDC_INFO_EDIT_1310, 32}, {IDC_INFO_EDIT_1312, 32}, {IDC_INFO_EDIT_1313, 60}, {IDC_INFO_EDIT_1314, 60}};
    for (const auto& [id, limit] : limits)
        static_cast<CEdit*>(GetDlgItem(id))->SetLimitText(limit);
    ReadSettings();
    return TRUE;
}

void CRmonControlDlg::OnRefresh()
{
    CWaitCursor wait;
    ReadSettings();
}

void CRmonControlDlg::ReadSettings()
{
    ReadOnce(m_columnOids);
}

void CRmonControlDlg::OnReadReply(CSnmp& reply)
{
    SetDlgItemText(IDC_INFO_STATIC_1304, ValueText(reply, 0));
    SetDlgItemText(IDC_INFO_STATIC_1303, ValueText(reply, 2));
    // The four edits are written back as they were read: a value of another
    // type or outside an integer's range is shown unknown and refuses Apply
    // until a read brings it whole.
    bool bAllKnown = true;
    const std::pair<int, int> edits[] = {
        {IDC_INFO_EDIT_1310, 1}, {IDC_INFO_EDIT_1312, 3}, {IDC_INFO_EDIT_1313, 4}, {IDC_INFO_EDIT_1314, 5}};
    for (const auto& [id, binding] : edits) {
        const std::string text = CModuleBase::RangeText(&reply, binding, -2147483648LL, 2147483647LL);
        SetDlgItemText(id, text);
        bAllKnown = bAllKnown && !text.empty();
    }
    m_bRead = bAllKnown;
}

void CRmonControlDlg::OnOK()
{
    UpdateData(TRUE);
    WriteSettings();
}

void CRmonControlDlg::WriteSettings()
{
    UpdateData(TRUE);
    if (m_nSnmpVersion != 1)
        return;
    // Empty fields of a dialog that never read would overwrite the switch.
    if (!m_bRead) {
        CReadReport::RefuseUnread("the RMON control settings");
        return;
    }
    const std::pair<const char*, std::string*> fields[] = {{"2.0", &m_strRmonQuotaBucket},
                                                           {"6.0", &m_strQuotaBucket},
                                                           {"7.0", &m_strMaxGlobalBuckets},
                                                           {"8.0", &m_strMaxEntries}};
    std::vector<LegacyValue> values;
    for (const auto& [object, text] : fields) {
        if (!IsDecimal(*text)) {
            MessageBox("Please enter a decimal number.", "RMON Control", MB_OK | MB_ICONWARNING);
            return;
        }
        values.push_back({ControlOid(object), SnmpValueInteger, *text});
    }
    CWriteReport report;
    legacy_write::SendV1(report, m_szDeviceIP, m_szWriteCommunity, values, "the RMON control settings");
    report.Report();
}

void CRmonControlDlg::OnApply()
{
    OnOK();
}

void CRmonControlDlg::OnClose()
{
    OnCancel();
}

void CRmonControlDlg::OnReadFailed()
{
    m_readReport.Fail("the RMON control settings");
}

#include "features/security/C8021XPortSettings.h"

#include "common/CWriteReport.h"
#include "common/ComboText.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "platform/snmp/SNMP_VARBIND.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/dot1x.h"
#include "resources/main.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

constexpr ListColumn kDot1xPortColumns[] = {{" Port", 50},           {" AdmDir ", 70},       {" Port Control", 140},
                                            {" Tx Period", 110},     {" Quiet Period", 110}, {" Supp Timeout", 110},
                                            {" ServerTimeout", 110}, {" Max Req", 80},       {"ReAuth Period", 110},
                                            {" ReAuth", 70},         {" Capability", 120}};

// The option combos sort their items; each starts on the item named last.
struct OptionCombo
{
    int id;
    const char* label;
    std::vector<const char*> items; // in insertion order
    const char* selected;
};
const OptionCombo kReAuth = {IDC_8021X_REAUTH, "ReAuthentication", {"Disabled", "Enabled"}, "Disabled"};
const OptionCombo kCapability = {IDC_8021X_CAPABILITY, "Capability", {"Authenticator", "None"}, "None"};
const OptionCombo kPortControl = {IDC_8021X_PORT_CONTROL,
                                  "Port Control",
                                  {"Force Authorized", "AUTO", "Force UnAuthorized"},
                                  "Force Authorized"};
const OptionCombo kDirection = {IDC_8021X_DIRECTION, "Direction", {"Both", "In"}, "Both"};

// The Port Control combo's sorted items, as the range check reads them.
constexpr int kPortControlAuto = 0;
constexpr int kPortControlForceUnauthorized = 2;

struct EditDefault
{
    int id;
    int maxChars;
    const char* text;
};
constexpr EditDefault kEdits[] = {
    {IDC_8021X_QUIET_PERIOD, 5, "60"}, {IDC_8021X_SUPP_TIMEOUT, 5, "30"}, {IDC_8021X_SERVER_TIMEOUT, 5, "30"},
    {IDC_8021X_MAX_REQ, 2, "2"},       {IDC_8021X_TX_PERIOD, 5, "30"},    {IDC_8021X_REAUTH_PERIOD, 5, "3600"}};

// The range each parameter edit's label states.
struct ParameterRange
{
    int id;
    const char* label;
    int low;
    int high;
};
constexpr ParameterRange kRanges[] = {
    {IDC_8021X_QUIET_PERIOD, "QuietPeriod", 0, 65535},     {IDC_8021X_SUPP_TIMEOUT, "SuppTimeout", 1, 65535},
    {IDC_8021X_SERVER_TIMEOUT, "ServerTimeout", 1, 65535}, {IDC_8021X_MAX_REQ, "MaxReq", 1, 10},
    {IDC_8021X_TX_PERIOD, "TxPeriod", 1, 65535},           {IDC_8021X_REAUTH_PERIOD, "ReAuthPeriod", 1, 65535}};

// A number as the list shows it; an unknown one (-1) is empty.
std::string NumberText(int nValue)
{
    return nValue < 0 ? std::string() : std::to_string(nValue);
}

std::string Dot1xPortColumn(int nColumn, int nPort)
{
    return C8021XSettingLogic::kPortEntry + "." + std::to_string(nColumn) + "." + std::to_string(nPort);
}

bool IsItemOf(const OptionCombo& option, const std::string& text)
{
    return std::any_of(option.items.begin(), option.items.end(), [&](const char* item) { return text == item; });
}

} // namespace

BEGIN_MESSAGE_MAP(C8021XPortSettings, CDialog)
    ON_BN_CLICKED(IDC_8021X_PORT_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_8021X_PORT_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_8021X_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_8021X_TO_PORT, OnToPortChange)
    ON_CBN_SELCHANGE(IDC_8021X_CAPABILITY, OnCapabilityChange)
END_MESSAGE_MAP()

C8021XPortSettings::C8021XPortSettings(CWnd* pParent) : CDialog(IDD_8021X_PORT_SETTINGS, pParent) {}

BOOL C8021XPortSettings::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_Logic.CloseSessions();
    OutputDebugString("==================m_Logic.CloseSessions===============");
    return CDialog::DestroyWindow();
}

void C8021XPortSettings::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_8021X_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_8021X_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_8021X_QUIET_PERIOD, m_editQuietPeriod);
    DDX_Control(pDX, IDC_8021X_SUPP_TIMEOUT, m_editSuppTimeout);
    DDX_Control(pDX, IDC_8021X_SERVER_TIMEOUT, m_editServerTimeout);
    DDX_Control(pDX, IDC_8021X_MAX_REQ, m_editMaxReq);
    DDX_Control(pDX, IDC_8021X_TX_PERIOD, m_editTxPeriod);
    DDX_Control(pDX, IDC_8021X_REAUTH_PERIOD, m_editReAuthPeriod);
    DDX_Control(pDX, IDC_8021X_REAUTH, m_comboReAuth);
    DDX_Control(pDX, IDC_8021X_CAPABILITY, m_comboCapability);
    DDX_Control(pDX, IDC_8021X_PORT_CONTROL, m_comboPortControl);
    DDX_Control(pDX, IDC_8021X_DIRECTION, m_comboDirection);
    DDX_Control(pDX, IDC_8021X_PORT_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_8021X_PORT_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_8021X_PORT_LIST, m_listPorts);
}

BOOL C8021XPortSettings::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pPortFlags.assign(static_cast<std::size_t>(std::max(g_nPortCount, 0)), 0);
    InitControls();
    InsertListColumns(m_listPorts, kDot1xPortColumns, LVCFMT_CENTER);
    m_listPorts.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    StartRead();
    m_Module.StartTrunkWalk();
    return TRUE;
}

void C8021XPortSettings::EnableButtons(BOOL bEnable)
{
    m_btnApply.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
}

void C8021XPortSettings::InitControls()
{
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    EnableButtons(FALSE);
    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        m_comboFromPort.AddString(std::to_string(nPort));
        m_comboToPort.AddString(std::to_string(nPort));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);
    for (const EditDefault& edit : kEdits) {
        auto* pEdit = static_cast<CEdit*>(GetDlgItem(edit.id));
        pEdit->SetLimitText(static_cast<UINT>(edit.maxChars));
        pEdit->SetWindowText(edit.text);
    }
    for (const OptionCombo* option : {&kReAuth, &kCapability, &kPortControl, &kDirection}) {
        auto* pCombo = static_cast<CComboBox*>(GetDlgItem(option->id));
        for (const char* item : option->items)
            pCombo->AddString(item);
        pCombo->SetCurSel(pCombo->FindStringExact(-1, option->selected));
    }
    m_comboPortControl.EnableWindow(FALSE);
}

void C8021XPortSettings::StartRead()
{
    // One new user action: opening, Refresh, the read after Apply.
    m_readReport.Begin();
    if (!m_Logic.SetHwnd(GetSafeHwnd()))
        return;
    if (!m_Logic.GetAuthState())
        m_readReport.Fail("the 802.1X state");
    m_Logic.StartPortWalk();
}

LRESULT C8021XPortSettings::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WALK_FINISHED) {
        // A walk cut short keeps the list of the last complete one.
        if (!m_Logic.LastWalkComplete())
            m_readReport.Fail("the 802.1X port settings", m_bListRead);
        m_bListRead = m_bListRead || m_Logic.LastWalkComplete();
    }
    if (message == WM_WALK_FINISHED || message == WM_WALK_STALE)
        FillPortList();
    return CDialog::WindowProc(message, wParam, lParam);
}

void C8021XPortSettings::FillPortList()
{
    const std::vector<X8021_statistics_info> rows = m_Logic.GetPortList();
    m_listPorts.DeleteAllItems();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const X8021_statistics_info& r = rows[i];
        const int nRow = static_cast<int>(i);
        const std::string texts[] = {std::to_string(r.nPort),      r.strAdmDirection,
                                     r.strPortControl,             NumberText(r.nTxPeriod),
                                     NumberText(r.nQuietPeriod),   NumberText(r.nSuppTimeout),
                                     NumberText(r.nServerTimeout), NumberText(r.nMaxReq),
                                     NumberText(r.nReAuthPeriod),  r.strReAuth,
                                     r.strCapability};
        for (int col = 0; col < static_cast<int>(std::size(texts)); ++col)
            m_listPorts.SetOrInsertItemText(nRow, col, texts[col].c_str());
    }
    EnableButtons(m_Logic.GetGlobalValue(0) == 1 ? TRUE : FALSE);
}

void C8021XPortSettings::OnRefresh()
{
    Reload();
}

void C8021XPortSettings::Reload()
{
    EnableButtons(FALSE);
    std::fill(m_pPortFlags.begin(), m_pPortFlags.end(), 0);
    for (CComboBox* pCombo : {&m_comboFromPort, &m_comboToPort, &m_comboReAuth, &m_comboCapability,
                              &m_comboPortControl, &m_comboDirection})
        pCombo->ResetContent();
    InitControls();
    m_Module.StartTrunkWalk();
    StartRead();
}

void C8021XPortSettings::GetPortRange(int& nFrom, int& nTo)
{
    nFrom = std::atoi(ComboText(m_comboFromPort).c_str());
    nTo = std::atoi(ComboText(m_comboToPort).c_str());
}

BOOL C8021XPortSettings::CheckOptionTexts()
{
    std::vector<const OptionCombo*> options = {&kReAuth, &kCapability, &kDirection};
    // Port Control is written only with an authenticator.
    if (ComboText(m_comboCapability) == "Authenticator")
        options.push_back(&kPortControl);
    for (const OptionCombo* option : options) {
        const std::string strText = ComboText(*static_cast<CComboBox*>(GetDlgItem(option->id)));
        if (!IsItemOf(*option, strText)) {
            AfxMessageBox("\"" + strText + "\" is not a choice of " + option->label + ".");
            return FALSE;
        }
    }
    return TRUE;
}

BOOL C8021XPortSettings::CheckParameterRanges()
{
    for (const ParameterRange& range : kRanges) {
        std::string strText;
        GetDlgItem(range.id)->GetWindowText(strText);
        const bool bDigits = !strText.empty() && strText.size() <= 5 &&
                             strText.find_first_not_of("0123456789") == std::string::npos;
        const int nValue = bDigits ? std::atoi(strText.c_str()) : -1;
        if (nValue < range.low || nValue > range.high) {
            AfxMessageBox(std::string(range.label) + " must be a number from " + std::to_string(range.low) + " to " +
                          std::to_string(range.high) + ". Nothing was written.");
            auto* pEdit = static_cast<CEdit*>(GetDlgItem(range.id));
            pEdit->SetFocus();
            pEdit->SetSel(0, -1);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL C8021XPortSettings::CheckPortRange()
{
    int nFrom = 0;
    int nTo = 0;
    GetPortRange(nFrom, nTo);
    std::fill(m_pPortFlags.begin(), m_pPortFlags.end(), 0);
    for (int nPort = std::max(nFrom, 1); nPort <= std::min(nTo, g_nPortCount); ++nPort)
        m_pPortFlags[static_cast<std::size_t>(nPort - 1)] = 1;
    if (!m_Module.CheckTrunkConsistency(m_pPortFlags)) {
        AfxMessageBox("Cannot add the 802.1X-enabled port to an aggregated link.");
        return FALSE;
    }
    const int nControl = m_comboPortControl.GetCurSel();
    if (nTo - nFrom == g_nPortCount - 1 &&
        (nControl == kPortControlAuto || nControl == kPortControlForceUnauthorized)) {
        AfxMessageBox("Could not set all port AUTO or Force Unauthorized to the port access control");
        return FALSE;
    }
    return TRUE;
}

bool C8021XPortSettings::SetPortRange()
{
    EnableButtons(FALSE);
    int nFrom = 0;
    int nTo = 0;
    GetPortRange(nFrom, nTo);

    const std::string strCapabilityText = ComboText(m_comboCapability);
    const std::string strControlText = ComboText(m_comboPortControl);
    const bool bNone = strCapabilityText == "None";
    const std::string strCapability = bNone ? "2" : "1";
    std::string strControl = "3";
    if (!bNone)
        strControl = strControlText == "AUTO" ? "2" : strControlText == "Force UnAuthorized" ? "1" : "3";
    std::string strTexts[6];
    for (int i = 0; i < 6; ++i)
        GetDlgItem(kEdits[i].id)->GetWindowText(strTexts[i]);
    const std::string strReAuth = ComboText(m_comboReAuth) == "Disabled" ? "2" : "1";
    const std::string strDirection = ComboText(m_comboDirection) == "Both" ? "0" : "1";

    // Ports of an aggregated link inside the range keep their settings; the
    // user is told which.
    const std::vector<int> trunkPorts = m_Module.GetTrunkPorts();
    std::string strSkipped;
    for (int nPort = std::max(nFrom, 1); nPort <= std::min(nTo, g_nPortCount); ++nPort) {
        const auto nIndex = static_cast<std::size_t>(nPort - 1);
        if (nIndex < trunkPorts.size() && trunkPorts[nIndex] != 0)
            strSkipped += (strSkipped.empty() ? "" : ",") + std::to_string(nPort);
    }
    if (!strSkipped.empty())
        AfxMessageBox("Ports " + strSkipped + " belong to an aggregated link: their 802.1X settings are left as they "
                      "are.", MB_OK | MB_ICONINFORMATION);

    // The first SET the switch refuses or leaves unanswered ends the range.
    CWriteReport report;
    for (int nPort = std::max(nFrom, 1); nPort <= std::min(nTo, g_nPortCount); ++nPort) {
        const auto nIndex = static_cast<std::size_t>(nPort - 1);
        if (nIndex < trunkPorts.size() && trunkPorts[nIndex] != 0)
            continue;
        const std::string strPort = std::to_string(nPort);
        m_cSnmpSet.Open(SnmpPduSet);
        m_cSnmpSet.AddValue(Dot1xPortColumn(10, nPort), SnmpValueInteger, strCapability);
        bool bSent = report.Send(m_cSnmpSet, "the 802.1X capability of port " + strPort);
        if (bSent) {
            m_cSnmpSet.Open(SnmpPduSet);
            m_cSnmpSet.AddValue(Dot1xPortColumn(9, nPort), SnmpValueInteger, strControl);
            bSent = report.Send(m_cSnmpSet, "the port control of port " + strPort);
        }
        if (bSent) {
            m_cSnmpSet.Open(SnmpPduSet);
            const std::pair<int, std::string> values[] = {{2, strTexts[0]}, {3, strTexts[1]}, {4, strTexts[2]},
                                                          {5, strTexts[3]}, {6, strTexts[4]}, {7, strTexts[5]},
                                                          {8, strReAuth},   {11, strDirection}};
            for (const auto& [nColumn, strValue] : values)
                m_cSnmpSet.AddValue(Dot1xPortColumn(nColumn, nPort), SnmpValueInteger, strValue);
            bSent = report.Send(m_cSnmpSet, "the 802.1X parameters of port " + strPort);
        }
        if (!bSent) {
            report.SetProgress(CWriteReport::PortProgress("Ports", std::max(nFrom, 1), nPort));
            break;
        }
    }
    report.Report();
    EnableButtons(TRUE);
    return !report.TimedOut();
}

void C8021XPortSettings::OnApply()
{
    if (!CheckParameterRanges() || !CheckOptionTexts() || !CheckPortRange())
        return;
    // A switch that did not answer is not read again at once: one time-out
    // per Apply.
    if (SetPortRange())
        Reload();
}

void C8021XPortSettings::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void C8021XPortSettings::OnToPortChange()
{
    int nFrom = 0;
    int nTo = 0;
    GetPortRange(nFrom, nTo);
    if (nTo < nFrom) {
        m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
        AfxMessageBox("\"to port\" can not be smaller than \"from port\"");
    }
}

void C8021XPortSettings::OnCapabilityChange()
{
    std::string strText;
    const int nSel = m_comboCapability.GetCurSel();
    if (nSel >= 0)
        m_comboCapability.GetLBText(nSel, strText);
    m_comboPortControl.EnableWindow(strText == "None" ? FALSE : TRUE);
}

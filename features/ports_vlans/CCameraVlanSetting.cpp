#include "features/ports_vlans/CCameraVlanSetting.h"

#include "common/CCodeConvert.h"
#include "common/CReadReport.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "common/VlanTableOids.h"
#include "features/ports_vlans/CSurveillanceOui.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace {

const std::string kStateOid = KorvelOid("10.76.19.1.26.1.1.0");
const std::string kVlanIdOid = KorvelOid("10.76.19.1.26.1.2.0");
const std::string kPriorityOid = KorvelOid("10.76.19.1.26.1.3.0");
const std::string kPortsOid = KorvelOid("10.76.19.1.26.1.4.0");
const std::string kAsymmetricOid = KorvelOid("10.76.19.1.7.5.0");
const std::string kVoiceStateOid = KorvelOid("10.76.19.1.21.1.2.0");
const std::string kVoiceVlanIdOid = KorvelOid("10.76.19.1.21.1.3.0");
const std::string kVoiceOuiAddressColumn = KorvelOid("10.76.19.1.21.2.1.1.1");
const std::string kVoiceOuiFlagColumn = KorvelOid("10.76.19.1.21.2.1.1.4");

const char* const kNoPriority = "Please select the Priority.";

// What a failed read names (CReadReport).
const char* const kSettingsText = "the surveillance VLAN settings";
const char* const kComponentsText = "the surveillance component list";
const char* const kVoiceOuisText = "the voice VLAN OUIs";

constexpr int kMacLength = 17;
constexpr int kOuiLength = 8;
// The port bitmap of the global settings: at most this many octets are read.
constexpr int kMaxPortOctets = 8;

// Component type texts by code; the Component Type box offers codes 0 to 4.
const char* const kComponentTypes[] = {
    "Video Management Server", "VMS client/Remote viewer",      "Video Encoder",
    "Network Storage",         "Other IP Surveillance Devices", "Korvel Surveillance Device"};
constexpr int kUserComponentTypes = 5;

constexpr ListColumn kSurveillanceOuiColumns[] = {
    {"ID", 50}, {"Component Type", 200}, {"Description", 200}, {"MAC Address", 200}};

// The controls that follow the state check box.
constexpr int kStateControls[] = {IDC_SURV_PRIORITY,    IDC_SURV_HIDDEN_LIST, IDC_SURV_COMPONENT_TYPE,
                                  IDC_SURV_DESCRIPTION, IDC_SURV_ADDRESS,     IDC_SURV_ADD,
                                  IDC_SURV_PORTS,       IDC_SURV_VLAN_ID,     IDC_SURV_MODE};

// How the two default rows are shown: the first OUI's row with its fourth
// octet masked to its high digit, the second's with three octets masked.
std::string DefaultDisplay(const char* pszOui, const char* pszMaskedTail)
{
    std::string text = CSurveillanceOui::DefaultRowText(pszOui);
    text.resize(8);
    text.append(pszMaskedTail);
    return text;
}
std::string FirstDefaultDisplay()
{
    return DefaultDisplay(CSurveillanceOui::kFirstDefaultOui, "-0X-XX-XX");
}
std::string SecondDefaultDisplay()
{
    return DefaultDisplay(CSurveillanceOui::kSecondDefaultOui, "-XX-XX-XX");
}

// The switch's default rows as the list shows them.
bool IsDefaultSurveillanceRow(const std::string& strRowText)
{
    return strRowText == FirstDefaultDisplay() || strRowText == SecondDefaultDisplay();
}

} // namespace

BEGIN_MESSAGE_MAP(CCameraVlanSetting, CDialog)
    ON_BN_CLICKED(IDC_SURV_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SURV_ENABLE, OnStateClick)
    ON_BN_CLICKED(IDC_SURV_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SURV_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_SURV_CLOSE, OnCancel)
    ON_BN_CLICKED(IDC_SURV_DELETE, OnDelete)
    ON_CBN_SELCHANGE(IDC_SURV_MODE, OnModeChange)
    ON_MESSAGE(WM_READ_FAILED, OnReadFailed)
END_MESSAGE_MAP()

CCameraVlanSetting::CCameraVlanSetting(CWnd* pParent) : CDialog(IDD_SURVEILLANCE_VLAN, pParent) {}

// The sessions go first (they are declared last): a running call-back ends
// before the records and controls it uses.
CCameraVlanSetting::~CCameraVlanSetting() = default;

BOOL CCameraVlanSetting::DestroyWindow()
{
    // The VLAN ID walk starts the global read at its end: it stops first.
    m_cCommonSNMPVlanTable.Close();
    m_cCommonSNMPGet.Close();
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMP.Close();
    return CDialog::DestroyWindow();
}

void CCameraVlanSetting::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SURV_ENABLE, m_chkState);
    DDX_Control(pDX, IDC_SURV_VLAN_ID, m_editVlanId);
    DDX_Control(pDX, IDC_SURV_PRIORITY, m_comboPriority);
    DDX_Control(pDX, IDC_SURV_PORTS, m_editPorts);
    DDX_Control(pDX, IDC_SURV_COMPONENT_TYPE, m_comboType);
    DDX_Control(pDX, IDC_SURV_DESCRIPTION, m_editDescription);
    DDX_Control(pDX, IDC_SURV_MODE, m_comboMode);
    DDX_Control(pDX, IDC_SURV_ADDRESS, m_editAddress);
    DDX_Control(pDX, IDC_SURV_LIST, m_listOui);
    DDX_Control(pDX, IDC_SURV_HIDDEN_LIST, m_comboHidden);
}

BOOL CCameraVlanSetting::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    for (int i = 0; i <= 7; ++i)
        m_comboPriority.AddString(std::to_string(i));
    for (int i = 0; i < kUserComponentTypes; ++i)
        m_comboType.AddString(kComponentTypes[i]);
    m_comboType.SetCurSel(0);

    InsertListColumns(m_listOui, kSurveillanceOuiColumns, LVCFMT_CENTER);
    m_listOui.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    m_comboMode.AddString("MAC");
    m_comboMode.AddString("OUI");
    m_comboMode.SetCurSel(0);
    m_editAddress.LimitText(kMacLength);
    m_editDescription.LimitText(CSurveillanceOui::kDescriptionLength);

    m_pPortFlags.assign(static_cast<size_t>(std::max(g_nPortCount, 0)), 0);
    // Nothing to apply until the switch's values have been read.
    EnableItem(IDC_SURV_APPLY, FALSE);
    Refresh();
    return TRUE;
}

void CCameraVlanSetting::Refresh()
{
    m_readReport.Begin();
    m_comboHidden.ResetContent();
    // The one read that holds the window goes first: a switch that does not
    // answer it is not asked for the rest now, so the window waits at most
    // one time-out and says it once.
    if (!ReadVlanModes()) {
        m_readReport.Fail(kSettingsText);
        EnableItem(IDC_SURV_REFRESH, TRUE);
        return;
    }
    m_ModuleBase.StartTrunkWalk();
    StartVlanIdWalk();
    StartOuiWalk();
    StartVoiceOuiWalk();
}

LRESULT CCameraVlanSetting::OnReadFailed(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        m_readReport.Fail(reinterpret_cast<const char*>(lParam), wParam != 0);
    return 0;
}

void CCameraVlanSetting::ReportFailure(const char* pszWhat, bool bKeptLast)
{
    // Said on the UI thread, once for the user's action.
    PostMessage(WM_READ_FAILED, bKeptLast ? 1 : 0, reinterpret_cast<LPARAM>(pszWhat));
}

void CCameraVlanSetting::StartVlanIdWalk()
{
    // Opening stops the previous walk, so none of its ids lands in the new list.
    m_cCommonSNMPVlanTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csData);
        m_arrVlanIds.clear();
    }
    m_cCommonSNMPVlanTable.AddValue(kVlanNameColumn, SnmpValueNull);
    // Without the VLAN ids the settings are not read: nothing can be applied.
    if (!m_cCommonSNMPVlanTable.StartAsync(&CCameraVlanSetting::OnVlanIdReply, this))
        ReportFailure(kSettingsText, false);
}

bool CCameraVlanSetting::ReadVlanModes()
{
    m_bVlanModesRead = false;
    UpdateApplyButton();
    if (!m_cCommonSNMP.Open(SnmpPduGet))
        return false;
    for (const std::string* pOid : {&kAsymmetricOid, &kVoiceStateOid, &kVoiceVlanIdOid})
        m_cCommonSNMP.AddValue(*pOid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMP.getNext(pResponse, 0) != SnmpStatusOk || !pResponse)
        return false;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0 || pResponse->getVarBindCount() < 3)
        return true;
    // States outside their sets are unknown: the rules of Apply cannot judge by them.
    const std::string strAsymmetric = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    const std::string strVoiceState = CModuleBase::EnumText(pResponse.get(), 1, {1, 2});
    m_nAsymmetricVlan = strAsymmetric == "1" ? 1 : 2;
    m_nVoiceVlanState = strVoiceState == "1" ? 1 : 2;
    m_nVoiceVlanId = std::atoi(CModuleBase::RangeText(pResponse.get(), 2, 1, 4094).c_str());
    m_bVlanModesRead = !strAsymmetric.empty() && !strVoiceState.empty();
    UpdateApplyButton();
    return true;
}

void CCameraVlanSetting::StartOuiWalk()
{
    // Opening stops the previous walk, so none of its rows lands in this one.
    // The list keeps the last complete table until this walk has read its end.
    m_cCommonSNMPTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csData);
        m_ouiRowsBuilding.clear();
    }
    for (int nColumn : {4, 2, 1, 5})
        m_cCommonSNMPTable.AddValue(CSurveillanceOui::Column(nColumn), SnmpValueNull);
    for (int nID : {IDC_SURV_ADD, IDC_SURV_DELETE, IDC_SURV_REFRESH})
        EnableItem(nID, FALSE);
    if (!m_cCommonSNMPTable.StartAsync(&CCameraVlanSetting::OnOuiReply, this))
        EndOuiWalk(SnmpStatusFailed);
}

void CCameraVlanSetting::StartVoiceOuiWalk()
{
    m_cCommonSNMPVoiceOui.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csData);
        m_voiceOuisBuilding.clear();
        m_voiceFlagsBuilding.clear();
    }
    m_cCommonSNMPVoiceOui.AddValue(kVoiceOuiAddressColumn, SnmpValueNull);
    m_cCommonSNMPVoiceOui.AddValue(kVoiceOuiFlagColumn, SnmpValueNull);
    if (!m_cCommonSNMPVoiceOui.StartAsync(&CCameraVlanSetting::OnVoiceOuiReply, this))
        ReportFailure(kVoiceOuisText, false);
}

int CCameraVlanSetting::OnVlanIdReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CCameraVlanSetting*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPVlanTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk) {
        // The global settings are read once the VLAN table has been read whole.
        if (nStatus == SnmpStatusEndOfWalk)
            pThis->ReadGlobalSettings();
        else
            pThis->ReportFailure(kSettingsText, false);
        session.SignalDone();
        return 0;
    }
    const int nCount = pResponse ? pResponse->getVarBindCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        std::string strSuffix;
        session.GetIndexSuffix(i, pResponse.get(), strSuffix);
        // A row whose index no VLAN can have is skipped.
        const int nVid = CUtils::RowVlanId(strSuffix);
        if (nVid == 0)
            continue;
        std::lock_guard lock(pThis->m_csData);
        pThis->m_arrVlanIds.push_back(std::to_string(nVid));
    }
    pResponse.reset();
    if (!session.StartAsync(&CCameraVlanSetting::OnVlanIdReply, pThis)) {
        pThis->ReportFailure(kSettingsText, false);
        session.SignalDone();
    }
    return 0;
}

void CCameraVlanSetting::ReadGlobalSettings()
{
    m_cCommonSNMPGet.Open(SnmpPduGet);
    for (const std::string* pOid : {&kStateOid, &kVlanIdOid, &kPriorityOid, &kPortsOid})
        m_cCommonSNMPGet.AddValue(*pOid, SnmpValueNull);
    if (!m_cCommonSNMPGet.StartAsync(&CCameraVlanSetting::OnGlobalSettingsReply, this))
        ReportFailure(kSettingsText, false);
}

int CCameraVlanSetting::OnGlobalSettingsReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CCameraVlanSetting*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPGet;
    if (!session.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nStatus != SnmpStatusOk || !pResponse || nErrorStatus != 0 || pResponse->getVarBindCount() < 4) {
        pThis->ReportFailure(kSettingsText, false);
        session.SignalDone();
        return 0;
    }
    // Values outside their sets, or of another type, are unknown: shown
    // empty, and Apply refused until they are read.
    const std::string strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    {
        std::lock_guard order(pThis->m_csStateControls);
        {
            std::lock_guard lock(pThis->m_csData);
            pThis->m_strCurrentState = strState;
        }
        const BOOL bEnabled = strState == "1" ? TRUE : FALSE;
        pThis->m_chkState.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
        pThis->EnableStateControls(bEnabled, true);
    }

    pThis->m_editVlanId.SetWindowText(CModuleBase::RangeText(pResponse.get(), 1, 1, 4094));

    const std::string strPriority = CModuleBase::RangeText(pResponse.get(), 2, 0, 7);
    pThis->m_comboPriority.SetCurSel(strPriority.empty() ? -1 : std::atoi(strPriority.c_str()));

    // A bitmap served as another type (a number, say) is never decoded from its text.
    std::string strBitmap;
    const bool bPortsRead = CModuleBase::OctetValue(pResponse.get(), 3, strBitmap);
    std::string strPorts;
    if (bPortsRead)
        CUtils::PortBitmapToRangeText(strBitmap, std::min(static_cast<int>(strBitmap.size()), kMaxPortOctets), 1,
                                      g_nPortCount, strPorts);
    pThis->m_editPorts.SetWindowText(strPorts);

    // A state or ports unknown: Apply would write a guess.
    pThis->m_bGlobalRead = !strState.empty() && bPortsRead;
    pThis->UpdateApplyButton();
    session.SignalDone();
    return 0;
}

int CCameraVlanSetting::OnOuiReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CCameraVlanSetting*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        pThis->EndOuiWalk(nStatus);
        session.SignalDone();
        return 0;
    }
    // Bindings: .4 type, .2 description, .1 address (.5 row status not shown).
    // A type outside the set is shown as its number; values of another type
    // than the column's are empty.
    const std::string strType = CModuleBase::IntegerText(pResponse.get(), 0);
    const std::string strKnownType =
        CModuleBase::RangeText(pResponse.get(), 0, 0, static_cast<long long>(std::size(kComponentTypes)) - 1);

    std::string strRawDescription;
    CModuleBase::OctetValue(pResponse.get(), 1, strRawDescription);
    std::string strDescription;
    CCodeConvert::Utf8ToAnsi(strRawDescription, strDescription);

    std::string strOctets;
    CModuleBase::OctetValue(pResponse.get(), 2, strOctets);
    std::string strAddress = CSurveillanceOui::OctetsText(strOctets);
    if (strAddress == CSurveillanceOui::DefaultRowText(CSurveillanceOui::kFirstDefaultOui))
        strAddress = FirstDefaultDisplay();
    else if (strAddress == CSurveillanceOui::DefaultRowText(CSurveillanceOui::kSecondDefaultOui))
        strAddress = SecondDefaultDisplay();
    {
        std::lock_guard lock(pThis->m_csData);
        pThis->m_ouiRowsBuilding.push_back(
            {strKnownType.empty() ? strType : std::string(kComponentTypes[std::atoi(strKnownType.c_str())]),
             strDescription, strAddress});
    }

    pResponse.reset();
    if (!session.StartAsync(&CCameraVlanSetting::OnOuiReply, pThis)) {
        pThis->EndOuiWalk(SnmpStatusFailed);
        session.SignalDone();
    }
    return 0;
}

void CCameraVlanSetting::EndOuiWalk(int nStatus)
{
    // The end of the table shows its rows whole; a failure keeps the list.
    if (nStatus == SnmpStatusEndOfWalk) {
        CSurveillanceOui::Rows rows;
        {
            std::lock_guard lock(m_csData);
            rows = m_ouiRowsBuilding;
            m_bComponentsRead = true;
        }
        CSurveillanceOui::ShowRows(m_listOui, rows);
    } else {
        bool bKeptLast = false;
        {
            std::lock_guard lock(m_csData);
            bKeptLast = m_bComponentsRead;
        }
        ReportFailure(kComponentsText, bKeptLast);
    }
    // Add and Delete follow the state last read, whether the global read
    // ends before this walk or after it.
    {
        std::lock_guard order(m_csStateControls);
        bool bStateEnabled = false;
        {
            std::lock_guard lock(m_csData);
            bStateEnabled = m_strCurrentState == "1";
        }
        EnableItem(IDC_SURV_ADD, bStateEnabled ? TRUE : FALSE);
        EnableItem(IDC_SURV_DELETE, bStateEnabled ? TRUE : FALSE);
    }
    EnableItem(IDC_SURV_REFRESH, TRUE);
}

int CCameraVlanSetting::OnVoiceOuiReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CCameraVlanSetting*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPVoiceOui;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        // The OUIs of a complete walk replace the last ones whole.
        if (nStatus == SnmpStatusEndOfWalk) {
            std::lock_guard lock(pThis->m_csData);
            pThis->m_arrVoiceOuis = pThis->m_voiceOuisBuilding;
            pThis->m_arrVoiceOuiFlags = pThis->m_voiceFlagsBuilding;
        } else {
            pThis->ReportFailure(kVoiceOuisText, false);
        }
        session.SignalDone();
        return 0;
    }
    std::string strOctets;
    CModuleBase::OctetValue(pResponse.get(), 0, strOctets);
    std::string strDigits = CSurveillanceOui::OctetsText(strOctets);
    strDigits.erase(std::remove(strDigits.begin(), strDigits.end(), '-'), strDigits.end());
    const std::string strFlag = CModuleBase::EnumText(pResponse.get(), 1, {1, 2});
    {
        std::lock_guard lock(pThis->m_csData);
        pThis->m_voiceOuisBuilding.push_back(strDigits.substr(0, 6));
        pThis->m_voiceFlagsBuilding.push_back(strFlag);
    }
    pResponse.reset();
    if (!session.StartAsync(&CCameraVlanSetting::OnVoiceOuiReply, pThis)) {
        pThis->ReportFailure(kVoiceOuisText, false);
        session.SignalDone();
    }
    return 0;
}

void CCameraVlanSetting::OnStateClick()
{
    EnableStateControls(m_chkState.GetCheck() == BST_CHECKED ? TRUE : FALSE, false);
}

void CCameraVlanSetting::OnApply()
{
    // Until the switch's values are in, the rules below would judge by
    // values it never gave and the write would overwrite its settings.
    if (!m_bVlanModesRead || !m_bGlobalRead) {
        CReadReport::RefuseUnread(kSettingsText);
        return;
    }

    const std::string strState = m_chkState.GetCheck() == BST_CHECKED ? "1" : "2";
    const int nPriority = m_comboPriority.GetCurSel();
    std::string strVlanId;
    GetDlgItemText(IDC_SURV_VLAN_ID, strVlanId);
    const int nVlanId = std::atoi(strVlanId.c_str());

    // The first rule that fails shows its message and reads the switch again.
    const char* pszRefusal = nullptr;
    if (m_nAsymmetricVlan == 1)
        pszRefusal = "Auto Surveillance Vlan can not support in Asymmetric VLAN mode.";
    else if (nVlanId == 1)
        pszRefusal = "Default VLAN cannot be set as Auto Surveillance VLAN.";
    else if (nVlanId < 2 || nVlanId > 4094)
        pszRefusal = "The VLAN ID value range is 2 - 4094";
    else if (nVlanId == m_nVoiceVlanId && m_nVoiceVlanState == 1)
        pszRefusal = "The VLAN ID already is voice VLAN ID.";
    if (pszRefusal != nullptr) {
        AfxMessageBox(pszRefusal);
        Refresh();
        return;
    }
    std::string strPorts;
    GetDlgItemText(IDC_SURV_PORTS, strPorts);
    if (!CUtils::IsPlainNumberList(strPorts)) {
        AfxMessageBox("Invalid Portlist");
        return;
    }
    m_pPortFlags.assign(static_cast<size_t>(std::max(g_nPortCount, 0)), 0);
    if (!CUtils::ParsePortList(strPorts, m_pPortFlags)) {
        Refresh();
        return;
    }
    if (!m_ModuleBase.CheckTrunkConsistency(m_pPortFlags)) {
        AfxMessageBox("If Link Aggregation member port is selected, it must have the same port list as Auto "
                      "Surveillance VLAN Tagged Uplink/Downlink Port.");
        Refresh();
        return;
    }
    const std::vector<BYTE> portOctets = CUtils::PortFlagsToBitmap(m_pPortFlags);

    // A priority the switch gave outside 0..7 selects none: enabling writes
    // the priority, so one must be chosen first.
    if (strState == "1" && nPriority < 0) {
        AfxMessageBox(kNoPriority);
        return;
    }

    m_cCommonSNMPSet.Open(SnmpPduSet);
    if (strState == "1") {
        std::vector<std::string> vlanIds;
        std::string strCurrentState;
        {
            std::lock_guard lock(m_csData);
            vlanIds = m_arrVlanIds;
            strCurrentState = m_strCurrentState;
        }
        for (const std::string& strId : vlanIds) {
            if (std::atoi(strId.c_str()) != nVlanId)
                continue;
            char szQuestion[256];
            std::snprintf(szQuestion, sizeof szQuestion,
                          "The VLAN ID %d already exists, still apply? \nIf yes, the original setting of VLAN %d "
                          "members will be removed.",
                          nVlanId, nVlanId);
            if (AfxMessageBox(szQuestion, MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL) {
                Refresh();
                return;
            }
        }
        if (strCurrentState == "2" && g_strModelName.find_first_of("pP") != std::string::npos) {
            AfxMessageBox("Switch will automatically turn on PoE function to all the member ports of surveillance "
                          "VLAN, \nplease ensure all the member ports of surveillance VLAN connected to PoE power "
                          "devices.");
        }
        m_cCommonSNMPSet.AddValue(kVlanIdOid, SnmpValueInteger, std::to_string(nVlanId));
        m_cCommonSNMPSet.AddValue(kPriorityOid, SnmpValueInteger, std::to_string(nPriority));
        m_cCommonSNMPSet.AddValueLen(kPortsOid, SnmpValueOctetString, portOctets.data(),
                                     static_cast<int>(portOctets.size()));
    }
    m_cCommonSNMPSet.AddValue(kStateOid, SnmpValueInteger, strState);
    // A write the switch does not take is said; the controls keep what the
    // user chose.
    CWriteReport report;
    if (!report.Send(m_cCommonSNMPSet, "the surveillance VLAN settings")) {
        report.Report();
        return;
    }
    Sleep(CSurveillanceOui::kPauseMs);
    Refresh();
}

void CCameraVlanSetting::OnModeChange()
{
    m_editAddress.SetWindowText("");
    m_editAddress.LimitText(m_comboMode.GetCurSel() == 1 ? kOuiLength : kMacLength);
}

void CCameraVlanSetting::OnAdd()
{
    const std::string strType = std::to_string(m_comboType.GetCurSel());
    std::string strDescription;
    std::string strAddress;
    GetDlgItemText(IDC_SURV_DESCRIPTION, strDescription);
    GetDlgItemText(IDC_SURV_ADDRESS, strAddress);
    bool bOuiMask = false;
    if (m_comboMode.GetCurSel() == 1) {
        strAddress += "-00-00-00";
        bOuiMask = true;
    }
    if (!CheckOuiEntry(strDescription, strAddress))
        return;

    std::string strUtf8;
    CCodeConvert::AnsiToUtf8(strDescription, strUtf8);
    const std::string strSuffix = CSurveillanceOui::MacToOidSuffix(strAddress);
    CWriteReport report;
    if (CSurveillanceOui::AddRow(m_cCommonSNMP, strSuffix, strUtf8, &strType, bOuiMask, report)) {
        Sleep(CSurveillanceOui::kPauseMs);
        Refresh();
    } else {
        report.Report(CSurveillanceOui::kAddFailed);
    }
    m_editDescription.SetWindowText("");
    m_editAddress.SetWindowText("");
}

BOOL CCameraVlanSetting::CheckOuiEntry(const std::string& strDescription, const std::string& strAddress)
{
    if (!CUtils::HasNoSpecialChars(strDescription)) {
        AfxMessageBox("Invalid Description.");
        return FALSE;
    }
    // Form, broadcast and multicast.
    if (!CUtils::CheckMacAddress(strAddress, false))
        return FALSE;
    std::string strDigits;
    CSurveillanceOui::AddressDigits(strAddress, strDigits);
    std::vector<std::string> voiceOuis;
    std::vector<std::string> voiceFlags;
    {
        std::lock_guard lock(m_csData);
        voiceOuis = m_arrVoiceOuis;
        voiceFlags = m_arrVoiceOuiFlags;
    }
    for (size_t i = 0; i < voiceOuis.size() && i < voiceFlags.size(); ++i) {
        if (voiceFlags[i] == "1" && CSurveillanceOui::SameText(voiceOuis[i], strDigits.substr(0, 6))) {
            AfxMessageBox("The OUI is already exist at Voice Vlan OUI Table!");
            return FALSE;
        }
    }
    const std::string strFirst7 = CSurveillanceOui::Upper(strDigits.substr(0, 7));
    const std::string strSecond = CSurveillanceOui::kSecondDefaultOui;
    if (strFirst7 == std::string(CSurveillanceOui::kFirstDefaultOui) + "0" ||
        (strFirst7.compare(0, 6, strSecond) == 0 && strFirst7[6] >= '0' && strFirst7[6] <= '3')) {
        AfxMessageBox("This OUI is default, please select the default mode!");
        return FALSE;
    }
    return CSurveillanceOui::ListAdmits(m_listOui, 3, strDigits, IsDefaultSurveillanceRow) ? TRUE : FALSE;
}

void CCameraVlanSetting::OnDelete()
{
    const int nRow = m_listOui.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please Selecte the OUI Entry you would to delete");
        return;
    }
    const std::string strAddress = m_listOui.GetItemText(nRow, 3);
    if (IsDefaultSurveillanceRow(strAddress)) {
        AfxMessageBox("The default Surveillance OUI can not be deleted.");
        return;
    }
    CWriteReport report;
    if (!CSurveillanceOui::DeleteRow(m_cCommonSNMP, CSurveillanceOui::MacToOidSuffix(strAddress), report)) {
        report.Report();
        return;
    }
    Sleep(CSurveillanceOui::kPauseMs);
    Refresh();
}

void CCameraVlanSetting::EnableItem(int nID, BOOL bEnable)
{
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->EnableWindow(bEnable);
}

void CCameraVlanSetting::EnableStateControls(BOOL bEnable, bool bWithDelete)
{
    for (int nID : kStateControls)
        EnableItem(nID, bEnable);
    if (bWithDelete)
        EnableItem(IDC_SURV_DELETE, bEnable);
}

void CCameraVlanSetting::UpdateApplyButton()
{
    EnableItem(IDC_SURV_APPLY, m_bVlanModesRead && m_bGlobalRead ? TRUE : FALSE);
}

#include "features/agent_tools/CFirmDownLoad.h"

#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/snmp/SNMP_VARBIND.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/agent_tools.h"
#include "resources/main.h"

#include <cstdlib>
#include <memory>

std::atomic<int> g_nStatusTimeoutCount{0};

namespace {

// Periods of the transfer's timers, in milliseconds.
constexpr UINT kFirstPollFirmwareMs = 15000;
constexpr UINT kFirstPollConfigMs = 3000;
constexpr UINT kPollPreparingMs = 1000;
constexpr UINT kPollRunningMs = 5000;
constexpr UINT kPollAfterTimeoutMs = 3000;
constexpr UINT kFinishMs = 5;
constexpr UINT kFirstProgressMs = 2000;
constexpr UINT kProgressMs = 2500;

// Time-outs of the three requests.
constexpr int kNamesTimeoutMs = 10000;
constexpr int kOperationTimeoutMs = 15000;
constexpr int kStatusTimeoutMs = 6000;

// The bar stops moving at this position until the transfer ends.
constexpr int kProgressStop = 90;

constexpr int kFirmware = 1;
constexpr int kConfiguration = 2;
constexpr int kUpgrade = 0;

const std::string kFirmwareBranch = KorvelOid("10.76.19.1.3.9");
const std::string kConfigBranch = KorvelOid("10.76.19.1.3.10");
// sysUpTime, read with each status: going back, the switch has restarted.
const std::string kSysUpTime = "1.3.6.1.2.1.1.3.0";
const char kRestarted[] =
    "The switch restarted during the transfer. The result of the transfer is unknown.";

// The first nMax characters of a UTF-8 text, never cutting a character.
std::string FirstCharacters(const std::string& strText, int nMax)
{
    int nCount = 0;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const auto c = static_cast<unsigned char>(strText[i]);
        if ((c & 0xC0) != 0x80 && nCount++ == nMax)
            return strText.substr(0, i);
    }
    return strText;
}

int CharacterCount(const std::string& strText)
{
    int nCount = 0;
    for (char c : strText)
        nCount += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return nCount;
}

// The response's error status; 0 without a response.
int ErrorStatus(CSnmp* pResponse)
{
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    return nErrorStatus;
}

} // namespace

BEGIN_MESSAGE_MAP(CFirmDownLoad, CDialog)
    ON_EN_CHANGE(IDC_FIRM_FILE_NAME, OnChangeFileName)
    ON_BN_CLICKED(IDC_FIRM_APPLY, OnApply)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CFirmDownLoad::CFirmDownLoad(CWnd* pParent) : CDialog(IDD_FIRM_DOWNLOAD, pParent) {}

BOOL CFirmDownLoad::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMPCfgName.Close();
    OutputDebugString("==================m_cCommonSNMPCfgName.Close===============");
    m_cCommonSNMPFwName.Close();
    OutputDebugString("==================m_cCommonSNMPFwName.Close===============");
    m_cCommonSNMPOperation.Close();
    OutputDebugString("==================m_cCommonSNMPOperation.Close===============");
    m_cCommonSNMPFwStatus.Close();
    OutputDebugString("==================m_cCommonSNMPFwStatus.Close===============");
    m_cCommonSNMPCfgStatus.Close();
    OutputDebugString("==================m_cCommonSNMPCfgStatus.Close===============");
    return CDialog::DestroyWindow();
}

void CFirmDownLoad::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIRM_SERVER_IP, m_editServerIP);
    DDX_Control(pDX, IDC_FIRM_FILE_NAME, m_editFileName);
    DDX_Control(pDX, IDC_FIRM_OPERATION, m_cmbOperation);
    DDX_Control(pDX, IDC_FIRM_FILE_TYPE, m_cmbFileType);
    DDX_Control(pDX, IDC_FIRM_PROGRESS_LABEL, m_staticProgress);
    DDX_Control(pDX, IDC_FIRM_PROGRESS, m_ctrlProgress);
    DDX_Control(pDX, IDC_FIRM_APPLY, m_btnApply);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BOOL CFirmDownLoad::OnInitDialog()
{
    SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    // The address is IPv4 or IPv6, without an interface name.
    m_editServerIP.m_bZoneAllowed = 0;
    m_cmbOperation.AddString("Upgrade");
    m_cmbOperation.AddString("Backup");
    m_nTransferKind = 0;
    m_cmbOperation.SetCurSel(0);
    m_cmbFileType.SetCurSel(0);
    m_ctrlProgress.SetStartColor(RGB(60, 60, 200));
    m_ctrlProgress.SetEndColor(RGB(60, 60, 255));
    m_ctrlProgress.SetRange(0, 100);
    ShowProgress(FALSE);
    return TRUE;
}

std::string CFirmDownLoad::Branch() const
{
    return m_nTransferKind == kFirmware ? kFirmwareBranch : kConfigBranch;
}

CCommonSNMP& CFirmDownLoad::NamesSession()
{
    return m_nTransferKind == kFirmware ? m_cCommonSNMPFwName : m_cCommonSNMPCfgName;
}

CCommonSNMP& CFirmDownLoad::StatusSession()
{
    return m_nTransferKind == kFirmware ? m_cCommonSNMPFwStatus : m_cCommonSNMPCfgStatus;
}

int CFirmDownLoad::Message(const std::string& strText, UINT nType) const
{
    return MessageBox(strText, std::string(), nType | MB_TOPMOST);
}

void CFirmDownLoad::EnableInputs(BOOL bEnable)
{
    m_bBusy = bEnable == FALSE;
    m_editServerIP.EnableWindow(bEnable);
    m_editFileName.EnableWindow(bEnable);
    m_cmbOperation.EnableWindow(bEnable);
    m_cmbFileType.EnableWindow(bEnable);
    m_btnApply.EnableWindow(bEnable);
    m_btnClose.EnableWindow(bEnable);
}

void CFirmDownLoad::ShowProgress(BOOL bShow)
{
    m_staticProgress.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_ctrlProgress.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CFirmDownLoad::OnChangeFileName()
{
    std::string strName;
    m_editFileName.GetWindowText(strName);
    if (CharacterCount(strName) <= kMaxFileName)
        return;
    const std::string strCut = FirstCharacters(strName, kMaxFileName);
    int nStart = 0;
    int nEnd = 0;
    m_editFileName.GetSel(nStart, nEnd);
    const int nCaret = nStart % 256;
    Message("The maximum length of file name is 64!");
    m_editFileName.SetWindowText(strCut);
    m_editFileName.SetSel(nCaret, nCaret);
}

void CFirmDownLoad::OnApply()
{
    StartTransfer();
}

void CFirmDownLoad::StartTransfer()
{
    ShowProgress(FALSE);
    m_IsFinish = 0;
    m_bTransferRunning = 0;
    if (m_cmbOperation.GetCurSel() == kUpgrade &&
        Message("The connection will be disconnected.\nPlease do not apply other changes when uploading.\n"
                "Reconnect to the device later when uploading completes.",
                MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    m_ProgressTimes = 1;
    ShowProgress(TRUE);
    if (m_editServerIP.m_nStatus != 1) {
        Message("Invalid TFTP server IP.");
        return;
    }
    // The file name is checked before anything is sent.
    std::string strFileName;
    m_editFileName.GetWindowText(strFileName);
    if (strFileName.empty()) {
        Message("Invalid file.");
        return;
    }
    m_nTransferKind = m_cmbFileType.GetCurSel() == 1 ? kFirmware : kConfiguration;
    m_nOperation = m_cmbOperation.GetCurSel() == kUpgrade ? 0 : 1;
    // A transfer counts its own poll time-outs, not the ones of the last.
    g_nStatusTimeoutCount = 0;
    m_nLastUpTime = -1;
    const std::string strBranch = Branch();

    // The address type goes first, on its own; a refused or unanswered one
    // ends Apply here.
    CWriteReport report;
    m_cCommonSNMPOperation.Open(SnmpPduSet);
    m_cCommonSNMPOperation.AddValue(strBranch + ".2.0", SnmpValueInteger, m_editServerIP.m_strAddrType);
    if (!report.Send(m_cCommonSNMPOperation, "the TFTP server address type")) {
        report.Report();
        return;
    }

    CCommonSNMP& names = NamesSession();
    names.Open(SnmpPduSet);
    m_editServerIP.AddAddressValue(&names, strBranch + ".1.0");
    names.AddValue(strBranch + ".4.0", SnmpValueOctetString, strFileName);
    EnableInputs(FALSE);
    if (!names.StartAsync(&CFirmDownLoad::OnNamesSetReply, this, kNamesTimeoutMs))
        EndTransfer("Setting file name Fail !");
}

bool CFirmDownLoad::EndTransfer(const std::string& strMessage, int nBarPos)
{
    if (m_IsFinish.exchange(1) != 0)
        return false;
    KillTimer(IDT_TRANSFER_PROGRESS);
    KillTimer(IDT_TRANSFER_TIMEOUT);
    KillTimer(IDT_TRANSFER_POLL);
    if (nBarPos >= 0)
        m_ctrlProgress.SetPos(nBarPos);
    Message(strMessage);
    SetTimer(IDT_TRANSFER_FINISH, kFinishMs);
    return true;
}

int CFirmDownLoad::OnNamesSetReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> owned(pResponse);
    auto* self = static_cast<CFirmDownLoad*>(pUserData);
    CCommonSNMP& session = self->NamesSession();
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus == 0 && ErrorStatus(pResponse) == 0) {
        owned.reset();
        self->StartOperation();
    } else if (nStatus == -1) {
        self->EndTransfer("Setting file name TimeOut !");
    } else {
        // Refused by the switch, or failed otherwise: the operation is not
        // started, and the status would still tell of the last transfer.
        self->EndTransfer("Setting file name Fail !");
    }
    session.SignalDone();
    return 0;
}

void CFirmDownLoad::StartOperation()
{
    m_cCommonSNMPOperation.Open(SnmpPduSet);
    m_cCommonSNMPOperation.AddValue(Branch() + ".5.0", SnmpValueInteger, m_nOperation == 0 ? "1" : "2");
    SetTimer(IDT_TRANSFER_PROGRESS, kFirstProgressMs);
    // The overall time-out runs from here, whatever the switch reports.
    SetTimer(IDT_TRANSFER_TIMEOUT, m_nTransferKind == kFirmware ? m_nOverallFirmwareMs : m_nOverallConfigMs);
    if (!m_cCommonSNMPOperation.StartAsync(&CFirmDownLoad::OnOperationSetReply, this, kOperationTimeoutMs)) {
        EndTransfer("Setting operation Fail !");
        return;
    }
    SetTimer(IDT_TRANSFER_POLL, m_nTransferKind == kFirmware ? kFirstPollFirmwareMs : kFirstPollConfigMs);
}

int CFirmDownLoad::OnOperationSetReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> owned(pResponse);
    auto* self = static_cast<CFirmDownLoad*>(pUserData);
    CCommonSNMP& session = self->m_cCommonSNMPOperation;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus == 0 && ErrorStatus(pResponse) != 0)
        self->EndTransfer("Setting operation Fail !");
    else if (nStatus == -1)
        self->EndTransfer("Setting operation TimeOut !");
    session.SignalDone();
    return 0;
}

int CFirmDownLoad::OnStatusReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* self = static_cast<CFirmDownLoad*>(pUserData);
    self->HandleStatusReply(&self->StatusSession(), nStatus, pResponse, nRequestID);
    return 0;
}

void CFirmDownLoad::HandleStatusReply(CCommonSNMP* pSession, int nStatus, CSnmp* pResponse, int nRequestID)
{
    std::unique_ptr<CSnmp> owned(pResponse);
    if (!pSession->FindRequestID(nRequestID))
        return;
    if (m_IsFinish != 0) {
        // The transfer has ended meanwhile: nothing more to follow.
        pSession->SignalDone();
        return;
    }
    // A reply without the status counts as a poll that failed.
    std::string strState;
    if (nStatus == 0 && ErrorStatus(pResponse) == 0) {
        strState = CModuleBase::IntegerText(pResponse, 0);
        if (strState.empty())
            nStatus = -1;
    }
    if (nStatus == 0 && ErrorStatus(pResponse) == 0) {
        // The uptime going back: the switch has restarted meanwhile, and
        // what it reports now says nothing of the transfer.
        const std::string strUpTime = CModuleBase::IntegerText(pResponse, 1);
        const long long nUpTime = strUpTime.empty() ? -1 : std::atoll(strUpTime.c_str());
        const long long nLast = m_nLastUpTime.exchange(nUpTime >= 0 ? nUpTime : m_nLastUpTime.load());
        if (nUpTime >= 0 && nLast >= 0 && nUpTime < nLast) {
            EndTransfer(kRestarted);
            pSession->SignalDone();
            return;
        }
    }
    if (nStatus == -1 && m_bTransferRunning == 0) {
        if (++g_nStatusTimeoutCount > 3)
            EndTransfer(m_nTransferKind == kFirmware ? "Get Firmware BackUp/Upgrade status Time Out !"
                                                     : "Get Config BackUp/Upgrade status Time Out !");
        else
            SetTimer(IDT_TRANSFER_POLL, kPollAfterTimeoutMs);
        pSession->SignalDone();
        return;
    }
    if (nStatus == -1) {
        SetTimer(IDT_TRANSFER_POLL, kPollAfterTimeoutMs);
    } else if (nStatus != 0 || ErrorStatus(pResponse) != 0) {
        EndTransfer("Get Info Fail !");
    } else {
        {
            const std::string& strValue = strState;
            if (strValue == "0" || strValue == "1") {
                EndTransfer("Success!", 99);
            } else if (strValue == "2") {
                const bool bUpgrade = m_nOperation == 0;
                if (m_nTransferKind == kFirmware)
                    EndTransfer(bUpgrade ? "Firmware Upgrade Fail!" : "Firmware Backup Fail!");
                else
                    EndTransfer(bUpgrade ? "Config File Upgrade Fail!" : "Config File Backup Fail!");
            } else if (strValue == "4") {
                SetTimer(IDT_TRANSFER_POLL, kPollPreparingMs);
            } else if (strValue == "3") {
                m_bTransferRunning = 1;
                SetTimer(IDT_TRANSFER_POLL, kPollRunningMs);
            } else if (m_bTransferRunning == 0) {
                // A status the switch cannot mean, and no overall time-out
                // armed yet that would end the transfer.
                EndTransfer("Get Info Fail !");
            }
        }
    }
    g_nStatusTimeoutCount = 0;
    pSession->SignalDone();
}

void CFirmDownLoad::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    switch (nIDEvent) {
    case IDT_TRANSFER_POLL: {
        if (m_IsFinish != 0)
            return;
        CCommonSNMP& session = StatusSession();
        session.Open(SnmpPduGet);
        session.AddValue(Branch() + ".6.0", SnmpValueNull);
        session.AddValue(kSysUpTime, SnmpValueNull);
        if (!session.StartAsync(&CFirmDownLoad::OnStatusReply, this, kStatusTimeoutMs))
            EndTransfer("Get Info Fail !");
        return;
    }
    case IDT_TRANSFER_PROGRESS:
        if (m_ProgressTimes < kProgressStop && m_IsFinish == 0) {
            m_ctrlProgress.SetPos(m_ProgressTimes);
            m_ProgressTimes += 2;
            SetTimer(IDT_TRANSFER_PROGRESS, kProgressMs);
        }
        return;
    case IDT_TRANSFER_TIMEOUT:
        EndTransfer(m_nTransferKind == kFirmware
                        ? "Time out! Please check TFTP Server IP and network."
                        : "Time out! Please check TFTP Server IP and network.\n You may close the current device "
                          "Nimbex Module and implement 'Device Discovery'to restart it");
        return;
    case IDT_TRANSFER_FINISH:
        if (m_IsFinish == 0)
            return;
        KillTimer(IDT_TRANSFER_TIMEOUT);
        KillTimer(IDT_TRANSFER_PROGRESS);
        KillTimer(IDT_TRANSFER_POLL);
        EnableInputs(TRUE);
        m_ctrlProgress.SetPos(0);
        return;
    default:
        return;
    }
}

void CFirmDownLoad::OnOK()
{
    // Enter does not end the dialog while a transfer is followed.
    if (m_bBusy.load())
        return;
    CDialog::OnOK();
}

void CFirmDownLoad::OnCancel()
{
    // Nor do Escape and the close box.
    if (m_bBusy.load())
        return;
    CDialog::OnCancel();
}

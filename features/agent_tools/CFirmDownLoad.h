// "Firmware and Configuration Upgrade/Backup": makes the switch fetch a
// firmware image or a configuration file from a TFTP server (Upgrade) or send
// its own to it (Backup), and follows the transfer to its end.
//
// Apply writes the server address type (synchronously), then the address and
// the file name, then the operation (both asynchronously); the switch runs the
// transfer, and the dialog polls its status on one-shot window timers while a
// progress bar advances on another. The reply handlers run on the sessions'
// worker threads: they arm and kill the timers, move the bar and show their
// message boxes there, which the window layer carries to the UI thread; the
// flags they share with OnTimer are atomic. Every ending of a transfer sets
// m_IsFinish once and arms the finish timer, which gives the inputs back.
//
// Every transfer ends: the overall time-out runs from the operation SET,
// whatever the switch reports; a status reply without a status counts as a
// failed poll; the switch's uptime is read with each status, and a restart
// (the uptime going back) ends the transfer with its result unknown. While
// the inputs are off, Enter, Escape and the close box do not end the dialog.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CEditEXIPV6.h"
#include "common/CGradientProgressCtrl.h"
#include "common/CModuleBase.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <atomic>
#include <string>

class CSnmp;

// Consecutive time-outs of the status poll before the transfer runs; each
// transfer starts its count at 0.
extern std::atomic<int> g_nStatusTimeoutCount;

class CFirmDownLoad : public CDialog
{
public:
    // The window timers of a transfer; each is a one-shot.
    static constexpr UINT_PTR IDT_TRANSFER_POLL = 2074;
    static constexpr UINT_PTR IDT_TRANSFER_FINISH = 2124;
    static constexpr UINT_PTR IDT_TRANSFER_PROGRESS = 2125;
    static constexpr UINT_PTR IDT_TRANSFER_TIMEOUT = 2126;
    // The longest file name the switch takes.
    static constexpr int kMaxFileName = 64;

    explicit CFirmDownLoad(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

    // The overall time-outs of a firmware and of a configuration transfer.
    UINT m_nOverallFirmwareMs = 260000;
    UINT m_nOverallConfigMs = 150000;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnChangeFileName();
    void OnApply();
    void StartTransfer();
    static int OnNamesSetReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnOperationSetReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnStatusReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void StartOperation();
    void HandleStatusReply(CCommonSNMP* pSession, int nStatus, CSnmp* pResponse, int nRequestID);
    void OnTimer(UINT_PTR nIDEvent);
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    // The OID branch of the transfer kind: firmware .3.9, configuration .3.10.
    std::string Branch() const;
    CCommonSNMP& NamesSession();
    CCommonSNMP& StatusSession();
    // Ends the transfer once: kills the poll, progress and overall timers,
    // shows the message and arms the finish timer. False (and nothing done)
    // when the transfer has ended already.
    bool EndTransfer(const std::string& strMessage, int nBarPos = -1);
    void EnableInputs(BOOL bEnable);
    void ShowProgress(BOOL bShow);
    int Message(const std::string& strText, UINT nType = MB_OK) const;

    CEditEXIPV6 m_editServerIP;
    CEdit m_editFileName;
    CComboBox m_cmbOperation;
    CComboBox m_cmbFileType;
    CStatic m_staticProgress;
    CGradientProgressCtrl m_ctrlProgress;
    CButton m_btnApply;
    CButton m_btnClose;

    // 0 before the first Apply, then 1 firmware or 2 configuration.
    std::atomic<int> m_nTransferKind{0};
    // The operation list's index at Apply: 0 Upgrade, 1 Backup.
    std::atomic<int> m_nOperation{0};
    std::atomic<int> m_IsFinish{0};
    std::atomic<int> m_ProgressTimes{1};
    std::atomic<int> m_bTransferRunning{0};
    // The inputs are off: a transfer is being started or followed.
    std::atomic<bool> m_bBusy{false};
    // The switch's uptime at the last status poll; -1 before the first.
    std::atomic<long long> m_nLastUpTime{-1};

    // Declared after everything their call-backs touch, so they are destroyed
    // (and wait for a running call-back) first.
    CModuleBase m_cModuleBase;
    CCommonSNMP m_cCommonSNMPCfgName;
    CCommonSNMP m_cCommonSNMPFwName;
    CCommonSNMP m_cCommonSNMPOperation;
    CCommonSNMP m_cCommonSNMPFwStatus;
    CCommonSNMP m_cCommonSNMPCfgStatus;
};

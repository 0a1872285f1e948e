// "Syslog Host Configuration": the switch's syslog state, facility, lowest
// severity, time stamp switch, and its one syslog server (IPv4 or IPv6 with
// an interface name for a link-local address, and a UDP port).
//
// Opened by the main window's command ID_SYSLOG_HOST (32832). Reading runs in
// two steps on the sessions' workers: the settings GET, whose end sends
// WM_SYSLOG_NOTIFY, and then the server table walk; the last server row read
// (by its own index) is the one that the lower Apply replaces, and is put
// back should the switch refuse the new one. Nothing is written before the
// settings were read; a setting outside its set is shown unknown (no
// selection, the box clear) and not written.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "common/CEditEXIPV6.h"
#include "common/CListCtrlEx.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <atomic>
#include <mutex>
#include <string>

class CSnmp;

// The settings read has ended: wParam 1, lParam the text "Finished".
inline constexpr UINT WM_SYSLOG_NOTIFY = WM_APP + 1000;

class CSyslogHostCfgDlg : public CDialog
{
public:
    explicit CSyslogHostCfgDlg(CWnd* pParent = nullptr);
    ~CSyslogHostCfgDlg() override;

    // The server table index of an address: ".1.4.a.b.c.d" for an IPv4 text,
    // ".2.16" and the 16 octets for an IPv6 text (without its zone).
    static std::string ServerIndex(const std::string& strAddress);

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void RefreshSettings();
    static int OnSettingsReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void StartHostWalk();
    static int OnHostRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // Writes the server and the settings through the report; FALSE when
    // something was refused before sending or a write failed.
    BOOL ApplyHost(CWriteReport& report);

    void OnEnableClicked();
    void OnApplyState();
    void OnApply();
    void OnRefresh();
    void OnPortChange();

    DECLARE_MESSAGE_MAP()

private:
    void EnableSettings(BOOL bEnable);
    // One synchronous SET of one binding through the report; FALSE when the
    // switch did not accept it.
    BOOL SetChecked(CWriteReport& report, const std::string& strOid, const std::string& strValue,
                    const std::string& strWhat);
    // The server row of index strIndex: created (5), its port and, for a
    // link-local address, its interface name, then activated (1).
    BOOL CreateServer(CWriteReport& report, const std::string& strIndex, const std::string& strPort,
                      const std::string* pZone, const std::string& strWhat, bool* pCreated = nullptr);
    // Reads again unless the last action's switch did not answer.
    void RefreshAfter(CWriteReport& report);

    CComboBox m_cmbFacility;
    CComboBox m_cmbSeverity;
    CEditEXIPV6 m_editServer;
    CEdit m_editPort;
    CListCtrlEx m_list;
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPHost;
    CCommonSNMP m_cCommonSNMPSet;
    HWND m_hOwnerWnd = nullptr;
    std::mutex m_csHost;
    // The last server row read: its index (".TYPE.LEN.OCTETS"), port and
    // interface name; empty index when none.
    std::string m_strHostIndex;   // under m_csHost
    std::string m_strHostAddress; // under m_csHost
    std::string m_strHostPort;    // under m_csHost
    std::string m_strHostZone;    // under m_csHost
    CButton m_checkEnable;
    CComboBox m_cmbTimeStamp;
    // A settings read has succeeded since the dialog opened (set on the
    // worker, read on the UI thread).
    std::atomic<bool> m_bSettingsRead{false};
    // The last settings read or server walk failed (set on the worker).
    std::atomic<bool> m_bSettingsFailed{false};
    std::atomic<bool> m_bHostWalkFailed{false};
    CReadReport m_readReport;
    // The window is being destroyed: requests cut short are no failures.
    bool m_bClosing = false;
};

// "Syslog Host Configuration": the switch's syslog state, facility, lowest
// severity, time stamp switch, and its one syslog server (IPv4 or IPv6 with
// an interface name for a link-local address, and a UDP port).
//
// Opened by the main window's command ID_SYSLOG_HOST (32832). Reading runs in
// two steps on the sessions' workers: the settings GET, whose end sends
// WM_SYSLOG_NOTIFY, and then the server table walk; the last server row read
// is the one that the lower Apply replaces. Nothing is written before the
// settings were read.
#pragma once

#include "common/CCommonSNMP.h"
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
    // Writes the server and the settings; TRUE when every write was accepted.
    BOOL ApplyHost();

    void OnEnableClicked();
    void OnApplyState();
    void OnApply();
    void OnRefresh();
    void OnPortChange();

    DECLARE_MESSAGE_MAP()

private:
    void EnableSettings(BOOL bEnable);
    // One synchronous SET of one binding; FALSE (after a message) when the
    // switch did not accept it.
    BOOL SetChecked(const std::string& strOid, int nType, const std::string& strValue);

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
    std::string m_strHostAddress; // under m_csHost
    CButton m_checkEnable;
    CComboBox m_cmbTimeStamp;
    // A settings read has succeeded since the dialog opened (set on the
    // worker, read on the UI thread).
    std::atomic<bool> m_bSettingsRead{false};
};

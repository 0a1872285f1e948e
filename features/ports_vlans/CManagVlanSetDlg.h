// "IEEE 802.1Q Management VLAN Configuration": whether the switch's
// management VLAN is enabled and which active static VLAN it is, with that
// VLAN's name. Apply writes the state and the VLAN id in one SET and keeps the
// dialog open; a VLAN other than the default VLAN must have member ports.
// Opened by the main window's command ID_MANAGEMENT_VLAN (32867).
//
// A refresh walks the static VLAN table on a worker thread: the ids of the
// active VLANs (1..4094) are kept under m_csData. At the end of the table the
// walk hands over to the UI thread (WM_WALK_FINISHED), which fills the list
// with them, reads the two settings and fills the controls, so every
// synchronous read and every setting is the UI thread's; a walk that fails
// leaves the list as the last complete walk filled it. A state other than 1
// or 2 is shown as unknown (neither button). Apply is refused until a state
// the switch can mean has been read, and, when it enables the management
// VLAN, until a VLAN id is chosen.
//
// Objects, korvelEnterprise.10.76.19.1:
//   .7.2.0 management VLAN state (1 enabled, 2 disabled), .7.3.0 its VLAN id
//   .7.6.1 static VLAN table, index VLAN id: .1 name, .2 egress ports,
//          .5 row status (1 active)
#pragma once

#include "common/CReadReport.h"

class CWriteReport;

#include "common/CCommonSNMP.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CManagVlanSetDlg : public CDialog
{
public:
    explicit CManagVlanSetDlg(CWnd* pParent = nullptr);
    ~CManagVlanSetDlg() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnStateClicked();
    void OnRefresh();
    void OnVidSelChange();
    // Apply: writes and keeps the dialog open.
    void OnOK() override;
    LRESULT OnWalkFinished(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void StartVlanWalk();
    static int OnVlanReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void UpdateView();
    void ReadSettings();
    // The name of the VLAN; false (name unchanged) when it cannot be read.
    bool GetVlanName(const std::string& strVid, std::string& strName);
    // Whether the VLAN has member ports; bRead false (and true returned)
    // when they could not be read.
    bool HasMembers(const std::string& strVid, bool& bRead);
    void WriteSettings(CWriteReport& report);

    // The active VLANs of the walk in progress, under m_csData; they fill
    // the list when the walk reaches the end of the table.
    std::mutex m_csData;
    std::vector<std::string> m_arrWalkedVids;

    CEdit m_editVlanName;
    CComboBox m_comboVid;
    int m_nState = -1; // 0 Enable, 1 Disable
    bool m_bSettingsRead = false;
    // Says a failed read of the opening, Refresh or the read after Apply.
    CReadReport m_readReport;
    bool m_bClosing = false;
    std::string m_strState;         // "1" enabled
    std::string m_strVid;           // management VLAN id text
    std::string m_strVlanName;      // name shown for the management VLAN
    CCommonSNMP m_cCommonSNMPGet;   // synchronous reads
    CCommonSNMP m_cCommonSNMPSet;   // the SET of state and VLAN id
    CCommonSNMP m_cCommonSNMPTable; // static VLAN walk
};

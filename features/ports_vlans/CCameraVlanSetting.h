// "Auto Surveillance VLAN Settings": the switch's auto surveillance VLAN
// (state, VLAN ID, priority, tagged uplink/downlink ports) and its
// surveillance component table, whose user-defined MAC and OUI entries are
// added and deleted here (CSurveillanceOui has the table's objects).
//
// Opened by the main window's command ID_SURVEILLANCE_VLAN (32828).
//
// A refresh starts, each on its own session: the trunk walk of m_ModuleBase,
// the static VLAN walk (whose end reads the global settings), the component
// table walk and the voice VLAN OUI walk, and reads the asymmetric VLAN mode
// and the voice VLAN synchronously. The call-backs run on the sessions'
// worker threads; their window calls are carried to the UI thread, and what
// they store for Apply and Add is guarded by m_csData.
//
// Apply stays refused until both the VLAN modes and the global settings have
// been read: it would otherwise judge by, and write, values the switch never
// gave.
//
// Objects, korvelEnterprise.10.76.19.1:
//   .26.1.1.0 state (1 enabled, 2 disabled), .26.1.2.0 VLAN ID, .26.1.3.0
//   priority, .26.1.4.0 tagged uplink/downlink ports (port bitmap)
//   .7.5.0 asymmetric VLAN mode (1 on), .21.1.2.0 / .21.1.3.0 voice VLAN
//   state (1 enabled) / id, .21.2.1.1 voice VLAN OUI table (.1 address, .4 1
//   when the entry counts), .7.6.1.1 static VLAN table (row indexes only)
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "features/ports_vlans/CSurveillanceOui.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CCameraVlanSetting : public CDialog
{
public:
    explicit CCameraVlanSetting(CWnd* pParent = nullptr);
    ~CCameraVlanSetting() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnApply();
    void OnStateClick();
    void OnAdd();
    void Refresh();
    void OnDelete();
    void OnModeChange();

    DECLARE_MESSAGE_MAP()

private:
    void StartVlanIdWalk();
    // The synchronous read of the VLAN modes: false when the switch did not answer.
    bool ReadVlanModes();
    // The component walk ended (status as the call-back's); shows a complete
    // list, says a failed walk, gives the buttons back.
    void EndOuiWalk(int nStatus);
    // Posts a failed read to the dialog, which says it once per action.
    void ReportFailure(const char* pszWhat, bool bKeptLast);
    LRESULT OnReadFailed(WPARAM wParam, LPARAM lParam);
    void StartOuiWalk();
    void StartVoiceOuiWalk();
    void ReadGlobalSettings();
    static int OnVlanIdReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnGlobalSettingsReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnOuiReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnVoiceOuiReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    BOOL CheckOuiEntry(const std::string& strDescription, const std::string& strAddress);
    // Any thread.
    void EnableItem(int nID, BOOL bEnable);
    // The controls that follow the state check box (Delete with bWithDelete).
    void EnableStateControls(BOOL bEnable, bool bWithDelete);
    void UpdateApplyButton();

    // What the call-backs store, under m_csData. Declared before the
    // sessions, so that it outlives every call-back.
    mutable std::mutex m_csData;
    std::string m_strCurrentState = "2";
    std::vector<std::string> m_arrVlanIds;
    std::vector<std::string> m_arrVoiceOuis;
    std::vector<std::string> m_arrVoiceOuiFlags;
    std::vector<std::string> m_voiceOuisBuilding; // the voice OUI walk in progress
    std::vector<std::string> m_voiceFlagsBuilding;
    bool m_bComponentsRead = false;           // a component walk has completed
    CSurveillanceOui::Rows m_ouiRowsBuilding; // rows of the OUI walk in progress, shown whole at its end
    // Whether the VLAN modes (last read) and the global settings (since the
    // dialog opened) have been read; Apply waits for both.
    std::atomic<bool> m_bVlanModesRead{false};
    std::atomic<bool> m_bGlobalRead{false};

    // Orders the two call-backs that set Add and Delete by the state (the
    // global read and the end of the component walk), so that the later one
    // wins with the state it read. Taken on the workers only, never on the
    // UI thread, which the carried window calls made under it wait for.
    std::mutex m_csStateControls;

    // Written by ReadVlanModes on the UI thread; defined until then.
    int m_nVoiceVlanState = 2;
    int m_nVoiceVlanId = 0;
    int m_nAsymmetricVlan = 2;
    std::vector<int> m_pPortFlags;

    CButton m_chkState;
    CEdit m_editVlanId;
    CComboBox m_comboPriority;
    CEdit m_editPorts;
    CComboBox m_comboType;
    CEdit m_editDescription;
    CComboBox m_comboMode;
    CEdit m_editAddress;
    CListCtrlEx m_listOui;
    CComboBox m_comboHidden;

    CReadReport m_readReport;
    CModuleBase m_ModuleBase;
    CCommonSNMP m_cCommonSNMP;          // VLAN modes read, component table writes
    CCommonSNMP m_cCommonSNMPSet;       // global settings write
    CCommonSNMP m_cCommonSNMPGet;       // global settings read
    CCommonSNMP m_cCommonSNMPTable;     // component table walk
    CCommonSNMP m_cCommonSNMPVoiceOui;  // voice VLAN OUI walk
    CCommonSNMP m_cCommonSNMPVlanTable; // VLAN ID walk
};

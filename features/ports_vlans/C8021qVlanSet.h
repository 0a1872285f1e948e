// "802.1Q VLAN Configuration": the switch's asymmetric VLAN mode and its
// active static VLANs with their member ports. Add and Edit open CKSXVlanAdd,
// PVID opens CKSXPVIDConfig; Delete removes a VLAN after refusing the default
// VLAN and the VLANs other features hold on to (a port's PVID in asymmetric
// mode, the voice and the surveillance VLAN, a VLAN that carries an IP
// interface).
//
// Opened by the main window's command ID_VLAN_CONFIGURATION (32834). Editing
// (Add, Edit, Delete, PVID) is offered only while g_bVlanEditable is set.
//
// Each refresh reads, at once on four sessions: the voice and surveillance
// VLAN states and ids, the PVID table, the IP interface table and the static
// VLAN table, and synchronously the asymmetric VLAN state. The buttons are
// disabled from the start of the VLAN walk until all four reads have ended,
// so that nothing is judged by values of an earlier refresh. The call-backs
// run on the sessions' worker threads; what they store is guarded by m_csData
// and read on the UI thread through copies. A refresh first stops the previous
// reads (CCommonSNMP::Close waits for a running call-back and forgets the
// outstanding request ids), so a late reply of an older read is dropped as
// stale and never reaches the records of the new one.
//
// Objects, korvelEnterprise.10.76.19.1:
//   .7.5.0 asymmetric VLAN state (1 enabled, 2 disabled)
//   .7.6.1 static VLAN table, index VLAN id: .1 name (UTF-8), .2 egress
//          ports, .4 untagged ports (port bitmaps), .5 row status (1 active,
//          6 destroys the row)
//   .7.7.1.1 PVID, index port
//   .21.1.2.0 / .21.1.3.0 voice VLAN state (1 enabled) / id
//   .26.1.1.0 / .26.1.2.0 surveillance VLAN state (1 enabled) / id
//   .41.1.1.1.2 the VLAN of each IP interface
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/ports_vlans/VLAN_entry_info.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class C8021qVlanSet : public CDialog
{
public:
    explicit C8021qVlanSet(CWnd* pParent = nullptr);
    ~C8021qVlanSet() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Close has the id IDOK: it ends the dialog as Cancel does.
    void OnOK() override;
    void OnApplyAsymmetric();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnRefresh();
    void OnPvid();
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void RefreshAll();
    void StartVoiceSurveillanceRead();
    // Reads the asymmetric state synchronously: false when the switch did not answer.
    bool ReadAsymmetricState();
    // Says a failed read of the current refresh (posted by the reads).
    LRESULT OnReadFailed(WPARAM wParam, LPARAM lParam);
    // Starts a walk's next step; one that cannot start ends the read as failed.
    void ContinueWalk(CCommonSNMP& session, SnmpCallback pfnCallback, const char* pszWhat);
    void StartPvidWalk();
    void StartIPInterfaceWalk();
    void StartStaticVlanWalk();
    static int OnVoiceSurveillanceReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnPvidReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnIPInterfaceReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnStaticVlanReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void StoreStaticVlanRow(CSnmp* pResponse);
    // The walk has ended: at the end of the table its rows replace the list
    // whole; a failed walk keeps the last complete list.
    void EndStaticVlanWalk(bool bComplete);
    // Fills the list control from the records (UI thread or carried).
    void ShowVlanList(const VLAN_entry_list& records);
    // One read of the refresh has ended; the last gives the buttons back.
    // A read of the refresh has ended; pszFailed names it when it failed
    // (bKeptLast: the dialog still shows its last complete read).
    void EndRead(const char* pszFailed = nullptr, bool bKeptLast = false);
    // Disables the buttons, or enables them as far as VLAN editing allows.
    void EnableWalkButtons(BOOL bEnable);
    // Any thread: a control that is gone is left alone.
    void EnableItem(int nID, BOOL bEnable);

    // The egress ports that are not untagged, in egress order.
    static std::string TaggedPortList(const std::string& strEgress, const std::string& strUntagged);
    BOOL CanDeleteVlan(const std::string& strVid);
    // Checks the asymmetric VLAN box as the switch has it.
    void RestoreAsymmetricBox();
    // The VLAN id text of the first selected row; false after the message
    // when the list is empty or nothing is selected.
    bool SelectedVlanId(const char* pszNoSelection, std::string& strVid);
    // A copy of the records for a nested dialog to borrow.
    VLAN_entry_list CopyVlanList() const;
    void RunVlanAddDialog(BYTE bAdd, int nVid);

    // What the call-backs store, under m_csData. Declared before the
    // controls and sessions, so that it outlives every call-back.
    mutable std::mutex m_csData;
    std::vector<int> m_pPvid;  // PVID of port i + 1 at index i
    int m_nPvidRows = 0;       // PVID rows stored by the current walk
    int m_nPendingReads = 0;   // reads of the current refresh still running
    int m_nVoiceVlanState = 0; // 1 enabled, 2 not, 0 until read
    int m_nSurveillanceVlanState = 0;
    int m_nVoiceVid = 0;
    int m_nSurveillanceVid = 0;
    VLAN_entry_list m_pVlanList;             // one record per list row, in list order
    VLAN_entry_list m_VlanBuilding;          // rows of the static VLAN walk in progress
    std::vector<std::string> m_arrIPIfVlan;  // VLAN of each IP interface, last complete walk
    std::vector<std::string> m_IPIfBuilding; // the IP interface walk in progress
    bool m_bIPIfBuildingKnown = true;        // every interface of the walk in progress has a VLAN
    std::vector<int> m_PvidBuilding;         // the PVID walk in progress, 0 where unknown
    bool m_bPvidsRead = false;               // a PVID walk has completed
    bool m_bIPIfRead = false;                // an IP interface walk has completed, every VLAN known
    bool m_bListRead = false;                // a static VLAN walk has completed
    const char* m_pszReadFailed = nullptr;   // a failed read of the refresh, said when all are in
    bool m_bReadFailedKept = false;

    int m_nPortCount = 0;
    std::string m_strAsymState; // asymmetric VLAN state last read; UI thread only
    CReadReport m_readReport;
    CListCtrlEx m_listVlan;
    CButton m_chkAsymmetric;
    CCommonSNMP m_cCommonSNMP;                // asymmetric state read and write
    CCommonSNMP m_cCommonSNMPVoiceVlan;       // voice and surveillance read
    CCommonSNMP m_cCommonSNMPTable;           // PVID walk
    CCommonSNMP m_cCommonSNMPTableVlan;       // static VLAN walk
    CCommonSNMP m_cCommonSNMPTableVlanDelete; // delete
    CCommonSNMP m_cCommonSNMPTableIPIf;       // IP interface walk
};

// "PVID Configuration": one edit per port holding the port's VLAN id for
// untagged incoming frames, read from the switch, written back by Apply one
// port per request after the rules of m_logic (a trunk member keeps PVID 1;
// a PVID names a listed VLAN with member ports). Opened by the 802.1Q VLAN
// dialog's PVID button, which sets m_pVlanList before DoModal and refreshes
// itself afterwards.
//
// The port numbers and edits are made at run time for the port count (one
// row up to 10 ports, two rows for 16 to 28, four rows for 48 and 52); the
// window is placed at 200, 200 and sized by the port count.
//
// The PVID walk's call-back runs on its session's worker thread. It collects
// a walk's rows apart and takes them in (PVIDs and edits) only when the walk
// reaches the end of the table, so a walk that fails changes nothing. Apply
// is refused until a walk has completed: the PVIDs it would write are the
// switch's, never the initial 1s. What the walk and the UI share is guarded
// by m_csData; the trunk groups are the logic's (CModuleBase's trunk walk).
// The sessions stop in DestroyWindow (and at the latest in the destructor,
// before the controls go), so no late reply reaches an edit.
//
// Object: korvelEnterprise.10.76.19.1.7.7.1.1 PVID, index port.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "common/ClxDialog.h"
#include "features/ports_vlans/CPVIDConfigLogic.h"
#include "features/ports_vlans/VLAN_entry_info.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CKSXPVIDConfig : public ClxDialog
{
public:
    explicit CKSXPVIDConfig(CWnd* pParent = nullptr);
    ~CKSXPVIDConfig() override;

    BOOL DestroyWindow() override;

    // Inputs.
    const VLAN_entry_list* m_pVlanList = nullptr; // the listed VLANs, not owned
    // The listed VLAN ids joined with "," and their number: optional, the
    // checks go by m_pVlanList alone.
    std::string m_strVlanList;
    int m_nVlanCount = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnRefresh();
    void OnPvidChange(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    void CreatePvidControls();
    void ShowPvids(const std::vector<int>& pvids);
    static int OnPvidReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void StorePvidRow(CSnmp* pResponse);
    void EndPvidWalk();
    // Says a failed PVID read of the user's action (posted by the walk).
    LRESULT OnReadFailed(WPARAM wParam, LPARAM lParam);
    void StopSessions();

    // What the walk and the UI share, under m_csData. Declared before the
    // controls and sessions, so that it outlives every call-back.
    std::mutex m_csData;
    std::vector<int> m_pPvid;      // PVID of port i + 1 at index i, as shown
    std::vector<int> m_pPvidRead;  // the rows of the walk in progress
    std::vector<int> m_pPvidShown; // the PVIDs of the last complete walk, 0 where unknown
    bool m_bPvidRead = false;      // a PVID walk has reached the end of the table

    std::vector<std::unique_ptr<CStatic>> m_pPortLabel;
    std::vector<std::unique_ptr<CEdit>> m_pPvidEdit;
    int m_nRowOffset = 0; // pixels below the first row of the port being placed
    int m_nPortGap = 0;   // extra pixels between port columns
    CPVIDConfigLogic m_logic;
    CReadReport m_readReport;
    CCommonSNMP m_cCommonSNMPTable; // PVID walk
};

// "Add VLAN" / "Edit VLAN": the VLAN id (Add only), the name, and for every
// port one of Tagged, Untagged and Not Member in a grid of check boxes built
// at run time for the port count (one row, or two rows for 48 and 52 ports).
// Apply checks the entries and writes the static VLAN table row through
// m_logic, then ends with IDOK so that the caller refreshes; Cancel writes
// nothing.
//
// The caller sets m_bAdd, m_nPortCount, m_pVlanList, m_nAsymMode and, for
// Edit, m_nVid before DoModal. m_pVlanList is a copy of the caller's records
// that stays unchanged while the dialog runs.
#pragma once

class CWriteReport;

#include "common/ClxDialog.h"
#include "features/ports_vlans/CVlanAddLogic.h"
#include "features/ports_vlans/VLAN_entry_info.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <memory>
#include <string>
#include <vector>

class CKSXVlanAdd : public ClxDialog
{
public:
    explicit CKSXVlanAdd(CWnd* pParent = nullptr);
    ~CKSXVlanAdd() override;

    BOOL DestroyWindow() override;

    // Inputs.
    int m_nPortCount = 0;                         // the caller's copy of g_nPortCount; sizes the grid
    const VLAN_entry_list* m_pVlanList = nullptr; // the listed VLANs, not owned
    int m_nVid = 0;                               // Edit: the VLAN; read from the id field on Apply
    BYTE m_bAdd = 1;                              // 1 Add, 0 Edit
    int m_nAsymMode = 2;                          // 1 when asymmetric VLAN mode is on, else 2

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnTagged(UINT nID);
    void OnUntagged(UINT nID);
    void OnNotMember(UINT nID);
    void OnForbidden(UINT nID);
    void OnVidChange();
    void OnNameChange();

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortControls();
    void InitPortStates();
    void LoadVlanRecord();
    void ShowPortState(int nPort);
    // TRUE when the click counts: a click that unchecked a box checks it again.
    BOOL KeepChecked(UINT nID);
    // The port of a grid control, 0 when it names no port of this grid.
    int PortOf(UINT nID, UINT nFirstId) const;
    // The port whose box was clicked; 0 when the click does not count or
    // names no port.
    int ClickedPort(UINT nID, UINT nFirstId);
    // Edit: a port this VLAN had untagged and that leaves that state may be
    // made untagged here again.
    void LeaveUntagged(int nPort);
    // Puts the port into one state (flags 1 or 0) and shows it.
    void SetPortState(int nPort, int nEgress, int nUntagged, int nNotMember, int nForbidden);
    // Cuts the edit's text to nMaxChars characters.
    void LimitEdit(CEdit& edit, int nMaxChars);
    // The hex port mask of per-port flags, padded to the width the static
    // VLAN table is written with.
    std::string PortMask(const std::vector<int>& flags) const;
    // The write sequence of Apply; stops at the first write that failed.
    void WriteVlan(const std::string& strVid, CWriteReport& report);
    static BOOL HasOtherMemberVlan(const VLAN_entry_list* pList, int nVid);

    CEdit m_editName;
    CEdit m_editVid;
    CButton m_chkAdvertisement;
    std::vector<std::unique_ptr<CButton>> m_pUntaggedBtn;
    std::vector<std::unique_ptr<CButton>> m_pTaggedBtn;
    std::vector<std::unique_ptr<CButton>> m_pNotMemberBtn;
    std::vector<std::unique_ptr<CButton>> m_pForbiddenBtn;
    std::vector<std::unique_ptr<CStatic>> m_pPortLabel;
    int m_nPortGap = 0;   // extra pixels between neighbouring port columns
    int m_nRowOffset = 0; // pixels below the first row of the port being placed
    // Per-port flags, entry p - 1 for port p.
    std::vector<int> m_pEgress;
    std::vector<int> m_pUntagged;
    std::vector<int> m_pNotMember;
    std::vector<int> m_pForbidden;
    CVlanAddLogic m_logic;
    std::string m_szName;
    // Ports untagged in the listed VLANs, less the ports this dialog took out
    // of this VLAN's untagged set.
    std::string m_strUntaggedElsewhere;
    std::string m_strAdvertisement;
};

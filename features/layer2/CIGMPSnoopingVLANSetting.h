// "The VLAN Settings of IGMP snooping ": IGMP snooping per VLAN. One VLAN's
// snooping, querier and fast-leave states are changed in the fields under the
// list, its static router ports on a row of per-port check boxes (one row, or
// two of half the ports each beyond 28 ports). "&View Multicast Entry " opens
// the learned groups (CIGMPMulticastEntryTable).
//
// Opened by the IGMP snooping global settings (CIGMPSnoopConfig), which sets
// m_strIgmpState first: both Apply buttons stay off unless it is "1". The
// per-VLAN walk runs through m_logic, which hands its rows over when it
// reaches the end of the table; the list then takes them whole (a failed walk
// leaves the last complete list). A row selected by a click fills the fields;
// only the VLAN's member ports can be ticked. Router ports that split a link
// aggregation group are refused, judged by the trunk walk m_logic runs.
#pragma once

#include "common/CBtnEXT.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "common/ClxDialog.h"
#include "features/layer2/CIGMPSnoopingLogic.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"

#include <memory>
#include <string>
#include <vector>

class CIGMPSnoopingVLANSetting : public ClxDialog
{
public:
    explicit CIGMPSnoopingVLANSetting(CWnd* pParent = nullptr);
    ~CIGMPSnoopingVLANSetting() override;

    BOOL DestroyWindow() override;

    // The router-port bitmap of per-port flags as this dialog writes it:
    // port 1 in the top bit of the first octet, 8 octets for 28 ports, 12
    // for 52, 4 for 20, otherwise as wide as CUtils::PadHexPortMask makes it.
    static std::vector<BYTE> RouterPortBitmap(const std::vector<int>& flags);

    // The global snooping state as the global settings last read it ("1" enabled).
    std::string m_strIgmpState;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApplyVlan();
    void OnApplyRouterPorts();
    void OnRefresh();
    void OnViewEntries();
    void OnClose();
    void OnStateChange();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRouterPortClicked(UINT nID);
    LRESULT OnIgmpNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortRows();
    void FillList();
    // The fields as after an Apply: no VLAN, "Enabled" everywhere.
    void ResetFields();
    void ClearRouterPorts();

    CEdit m_editVlanName;
    CComboBox m_comboFastLeave;
    CComboBox m_comboQuerier;
    CComboBox m_comboState;
    CEdit m_editVlanId;
    CListCtrlEx m_list;
    CIGMPSnoopingLogic m_logic;
    CReadReport m_readReport;
    bool m_bListRead = false; // the list shows a complete walk
    std::unique_ptr<CBtnEXT> m_pPortLabels;
    std::unique_ptr<CBtnEXT> m_pPortButtons;
    std::vector<int> m_portValue; // 1 = router port, per port (index port - 1)
    std::vector<IGMP_vlan_info> m_rowsArriving; // rows of the walk that is ending
};

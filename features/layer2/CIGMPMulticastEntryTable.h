// "Multicast Entry Table": the multicast groups the switch has learned by IGMP
// snooping, read-only: per group its VLAN, group address, group MAC and member
// ports, numbered from 1 in the order the switch lists them.
//
// Opened by "&View Multicast Entry " of the IGMP VLAN settings
// (CIGMPSnoopingVLANSetting). The group walk runs through m_logic, which hands
// its rows over when it reaches the end of the table; the list then takes them
// whole (a failed walk leaves the last complete list). "&Refresh" is off while
// a walk runs.
#pragma once

#include "common/CListCtrlEx.h"
#include "features/layer2/CIGMPSnoopingLogic.h"
#include "platform/ui/CDialog.h"

#include <vector>

class CIGMPMulticastEntryTable : public CDialog
{
public:
    explicit CIGMPMulticastEntryTable(CWnd* pParent = nullptr);
    ~CIGMPMulticastEntryTable() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnClose();
    LRESULT OnEntryNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CListCtrlEx m_list;
    CIGMPSnoopingLogic m_logic;
    std::vector<IGMP_entry_info> m_rowsArriving; // rows of the walk that is ending
};

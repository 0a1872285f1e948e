// "Static MAC Configuration": the switch's static unicast MAC entries (VID,
// MAC address, port), adding and deleting them, and the MAC address learning
// state with its uplink ports.
//
// Opened by the main window's command ID_STATIC_MAC (32874). The SNMP work is
// m_logic's, including its CModuleBase, whose VLAN walk fills the VID choice
// and whose trunk walk feeds the link aggregation checks. Every change is
// followed by a whole refresh, so the dialog shows what the switch holds;
// a refused or unanswered write is said first, and a silent switch is not
// read again at once. The list is replaced only by a walk that read the
// whole table (a failed one keeps the last list); Add is refused until a
// walk has. A failed read is said once per user action, and the reads stop
// at the first the switch leaves unanswered. A learning state or uplink
// ports the switch cannot mean are shown empty, and Apply is refused until
// they were read.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/layer2/CStaticMACLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CStaticMACDlg : public CDialog
{
public:
    explicit CStaticMACDlg(CWnd* pParent = nullptr);
    ~CStaticMACDlg() override;

    BOOL DestroyWindow() override;
    // Whether the aggregated links are known: Add and Apply check the ports
    // against them.
    bool TrunksRead() const { return m_logic.m_moduleBase.IsTrunkReady() != 0; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnAdd();
    void OnDelete();
    void OnClose();
    void OnApply();
    void OnRefresh();
    void OnLearningRadio();
    LRESULT OnStaticMacNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnVlanListNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The reads of a refresh, for the current user action.
    void Refresh();
    // Says a failed write, then refreshes unless the switch was silent.
    void AfterWrite(CWriteReport& report);
    // The table walk has ended (or could not start).
    void WalkEnded(bool bComplete);
    void ResetAddFields();
    // The learning radio buttons read back into m_nLearning.
    void ReadLearningRadio();

    CButton m_btnDelete;
    CButton m_btnRefresh;
    CButton m_btnAdd;
    CEdit m_editUplink;
    CListCtrlEx m_list;
    CEdit m_editMac;
    CComboBox m_comboVid;
    CComboBox m_comboPort;
    int m_nLearning = -1;
    CStaticMACLogic m_logic;
    CReadReport m_readReport;
    std::vector<STATIC_MAC_info> m_pendingEntries; // of the walk that is ending
    bool m_bWalkFailed = false;
    bool m_bListRead = false; // a walk has read the whole table
};

// "DHCP Local Relay Settings": the global DHCP local relay state (the check
// box and its Apply) and the state of each active VLAN (the VID list, its
// name and state, and their Apply). While the walk runs the dialog is
// disabled as a whole; it comes back when the walk ends, however it ends
// (also when it cannot start). The list is replaced whole by a complete
// walk; a failed one leaves it as it was and is said, as is a refused or
// unanswered write.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "legacy/CDHCPBootpLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CDHCPLocalRelayDlg : public CDialog
{
public:
    explicit CDHCPLocalRelayDlg(CWnd* pParent = nullptr);
    ~CDHCPLocalRelayDlg() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApplyGlobal();
    void OnApplyVlan();
    void OnVidChange();
    LRESULT OnRelayNotify(WPARAM wParam, LPARAM lParam);
    // Replaces the list and the VID box with the rows of a complete walk.
    void ShowRows();
    static const char* StateWord(const std::string& strState);

    DECLARE_MESSAGE_MAP()

private:
    CListCtrlEx m_listVlans;
    CEdit m_editVlanName;
    CComboBox m_cbState;
    CComboBox m_cbVid;
    CButton m_chkEnable;
    CDHCPBootpLogic m_cLogic;
    bool m_bGlobalRead = false;
    bool m_bListRead = false; // a walk has ended complete
    std::vector<DHCP_local_relay_info> m_walkRows; // the rows of the walk that runs
    CReadReport m_readReport;
};

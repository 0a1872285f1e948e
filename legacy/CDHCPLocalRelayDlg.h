// "DHCP Local Relay Settings": the global DHCP local relay state (the check
// box and its Apply) and the state of each active VLAN (the VID list, its
// name and state, and their Apply). While the walk runs the dialog is
// disabled as a whole.
#pragma once

#include "common/CListCtrlEx.h"
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

    DECLARE_MESSAGE_MAP()

private:
    CListCtrlEx m_listVlans;
    CEdit m_editVlanName;
    CComboBox m_cbState;
    CComboBox m_cbVid;
    CButton m_chkEnable;
    CDHCPBootpLogic m_cLogic;
    bool m_bGlobalRead = false;
};

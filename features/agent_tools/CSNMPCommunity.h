// "SNMP Community Table Configuration": the communities of the switch's
// agent, each bound to a user name that serves as its view policy; at most
// 10. The user names offered are the agent's active SNMPv1 and SNMPv2c users.
//
// Opened by the main window's command ID_SNMP_COMMUNITY (32844). A refresh
// walks the communities, then the users; rows arrive from the sessions'
// worker threads. The list takes the communities whole when the walks end
// and keeps the last complete list when the community walk fails; the user
// names accumulate, without duplicates, while the page is open. Apply
// creates the row (5), binds the user and activates it (1); Delete destroys
// it (6); both end in a refresh. While the page closes (g_bDialogClosing)
// rows that still arrive are ignored.
#pragma once

#include "features/agent_tools/CAgentTableRows.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"

#include <string>

class CSNMPCommunity : public CDialog
{
public:
    explicit CSNMPCommunity(CWnd* pParent = nullptr);
    ~CSNMPCommunity() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnDelete();
    void OnRefresh();
    void OnClose();
    void OnAdd();
    void OnCancelInput();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);

    CListCtrl m_listCommunities;
    CEdit m_editName;
    CComboBox m_comboUser;
    // The rows of the walk in progress.
    CAgentTableRows m_rowsBuilding;
    CSNMPConfig m_cSNMPConfig;
};

// "SNMP User Table ": the users of the switch's agent with their group, SNMP
// version and, for SNMPv3, authentication and privacy protocols; at most 50.
//
// Opened by the main window's command ID_SNMP_USER (32841). The user walk's
// rows arrive from the session's worker thread; the list takes them whole
// when the walk reaches the end of the table, and a failed walk keeps the
// last complete list. Apply creates the row (5), writes it and activates it
// (1); Delete destroys it (6); both end in a refresh.
#pragma once

#include "features/agent_tools/CAgentTableRows.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"

#include <string>

class CSNMPUser : public CDialog
{
public:
    explicit CSNMPUser(CWnd* pParent = nullptr);
    ~CSNMPUser() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnDelete();
    void OnRefresh();
    void OnCancelInput();
    void OnClose();
    void OnVersionChange();
    void OnEncryptedClicked();
    void OnPrivProtocolChange();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);
    void ResetForm();
    // Shows the refusal and selects the edit's text for the user to fix.
    void RefusePassword(CEdit& edit, const char* pszMessage);

    CListCtrl m_listUsers;
    CEdit m_editName;
    CEdit m_editGroup;
    CComboBox m_comboVersion;
    CButton m_checkEncrypted;
    CComboBox m_comboAuth;
    CEdit m_editAuthPassword;
    CComboBox m_comboPriv;
    CEdit m_editPrivPassword;
    // The rows of the walk in progress.
    CAgentTableRows m_rowsBuilding;
    CSNMPConfig m_cSNMPConfig;
};

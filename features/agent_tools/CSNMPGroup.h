// "SNMP Group Table Info": the groups of the switch's agent, each tying a
// security model and level to a read, a write and a notify view; at most 50.
//
// Opened by the main window's command ID_SNMP_GROUP (32842). The group walk's
// rows arrive from the session's worker thread; the list takes them whole
// when the walk reaches the end of the table, and a failed walk keeps the
// last complete list. Apply creates the row (5), writes it and activates it
// (1); Delete destroys it (6); both end in a refresh.
#pragma once

#include "features/agent_tools/CAgentTableRows.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"

#include <string>

class CSNMPGroup : public CDialog
{
public:
    explicit CSNMPGroup(CWnd* pParent = nullptr);
    ~CSNMPGroup() override;

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
    void OnModelChange();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);
    void ClearForm();

    CListCtrl m_listGroups;
    CEdit m_editName;
    CEdit m_editReadView;
    CEdit m_editWriteView;
    CEdit m_editNotifyView;
    CComboBox m_comboModel;
    CComboBox m_comboLevel;
    // The rows of the walk in progress.
    CAgentTableRows m_rowsBuilding;
    CSNMPConfig m_cSNMPConfig;
};

// "SNMP View Table Configuration": the MIB view entries of the switch's agent
// (a view name, a subtree, an OID mask and included or excluded); at most 50.
//
// Opened by the main window's command ID_SNMP_VIEW (32843). The view walk's
// rows arrive from the session's worker thread; the list takes them whole
// when the walk reaches the end of the table, and a failed walk keeps the
// last complete list. Apply creates the entry (5), writes its mask and type
// and activates it (1); Delete destroys it (6); both end in a refresh.
#pragma once

#include "features/agent_tools/CAgentTableRows.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"

#include <string>

class CSNMPViewTree : public CDialog
{
public:
    explicit CSNMPViewTree(CWnd* pParent = nullptr);
    ~CSNMPViewTree() override;

    BOOL DestroyWindow() override;

    // The refusal Apply shows for the name, subtree and mask, in the order
    // of its checks (the list's duplicate and limit checks aside); empty
    // when they may be written.
    static std::string CheckEntry(const std::string& strName, const std::string& strSubtree,
                                  const std::string& strMask);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnDelete();
    void OnRefresh();
    void OnCancelInput();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);
    void ClearForm();

    CListCtrl m_listViews;
    CEdit m_editName;
    CEdit m_editSubtree;
    CEdit m_editMask;
    CComboBox m_comboType;
    // The rows of the walk in progress.
    CAgentTableRows m_rowsBuilding;
    CSNMPConfig m_cSNMPConfig;
};

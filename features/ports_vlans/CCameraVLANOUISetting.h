// "Auto Surveillance VLAN OUI Settings": the switch's surveillance component
// table with each entry's description, address and mask; adds an entry from a
// description and an address and deletes one. Writes only the row status and
// the description (CSurveillanceOui has the table's objects).
//
// Opened by the main window's command ID_SURVEILLANCE_OUI (32831), which no
// menu item sends. The table walk fills the list from the session's worker
// thread (its window calls are carried to the UI thread).
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/ports_vlans/CSurveillanceOui.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <mutex>
#include <string>

class CSnmp;

class CCameraVLANOUISetting : public CDialog
{
public:
    explicit CCameraVLANOUISetting(CWnd* pParent = nullptr);
    ~CCameraVLANOUISetting() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAdd();
    void Refresh();
    void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    void StartOuiWalk();
    // The walk ended (status as the call-back's): a complete list is shown,
    // a failed walk said, and the buttons come back.
    void EndOuiWalk(int nStatus);
    LRESULT OnReadFailed(WPARAM wParam, LPARAM lParam);
    static int OnOuiReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    BOOL CheckOuiEntry(const std::string& strDescription, const std::string& strAddress);
    // Any thread.
    void EnableWalkButtons(BOOL bEnable);

    CButton m_btnAdd;
    CButton m_btnDelete;
    CButton m_btnRefresh;
    CListCtrlEx m_listOui;
    CEdit m_editAddress;
    CEdit m_editDescription;
    // The rows of the walk in progress, shown whole at its end.
    std::mutex m_csRows;
    CSurveillanceOui::Rows m_rowsBuilding;
    bool m_bListRead = false; // a walk has completed; under m_csRows
    CReadReport m_readReport;
    // The walk's call-back uses the controls above: the sessions come after
    // them, so they are stopped before the controls go.
    CCommonSNMP m_cCommonSNMP;      // writes
    CCommonSNMP m_cCommonSNMPTable; // table walk
};

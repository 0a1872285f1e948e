// "Multicast Filtering Mode Configuration": per VLAN, whether the switch
// forwards or filters the multicast traffic of groups nobody registered, and
// that mode written for one VLAN or for every listed VLAN in one SET.
//
// Opened by the main window's command ID_MULTICAST_FILTERING (32830). The
// walk of the filtering table beside the VLAN names gathers its rows on the
// session's worker thread; when it reaches the end of the table the window
// takes them whole into the list and the VLAN combo (the first VLAN selected).
// A failed walk (or one that cannot start) keeps the last complete list and
// is said once per user action; Apply is refused until a walk has read the
// whole table. Apply and Refresh are off while a walk runs. A mode outside
// 0 and 1 is shown empty. A refused or unanswered write is said; a silent
// switch is not read again at once.
//
// Objects, korvelEnterprise.10.76.19.1: .7.8.1, index VLAN id: .1 VLAN id,
// .2 mode (0 forward unregistered groups, 1 filtering them);
// .7.6.1.1 the VLAN table's names.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

// The filtering walk has ended: wParam 1 when it read the whole table, 0 when
// it failed. Sent from the walk's worker thread.
inline constexpr UINT WM_MFILTER_WALK_END = WM_APP + 1021;

class CMultiFilterModeConfig : public CDialog
{
public:
    explicit CMultiFilterModeConfig(CWnd* pParent = nullptr);
    ~CMultiFilterModeConfig() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApply();
    void OnRefresh();
    void OnClose();
    void OnAllClicked();
    LRESULT OnWalkEnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static int OnFilterReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void EnableButtons(BOOL bEnable);
    // A walk that failed or could not start: the buttons come back, the list
    // stays as it was.
    void WalkFailed();

    struct FilterRow
    {
        std::string strVlanId;
        std::string strName;
        std::string strMode; // the mode's text; empty when the row has no mode or one outside the set
    };

    CButton m_btnApply;
    CButton m_checkAll;
    CComboBox m_comboVlan;
    CButton m_btnRefresh;
    CListCtrlEx m_list;
    CComboBox m_comboMode;
    CReadReport m_readReport;
    bool m_bListRead = false; // a walk has read the whole table
    // The rows of the walk in progress, under m_csRows; declared before the
    // sessions, which wait for a running call-back when they go.
    std::mutex m_csRows;
    std::vector<FilterRow> m_rowsBuilding;
    CCommonSNMP m_cCommonSNMP;      // the SET
    CCommonSNMP m_cCommonSNMPTable; // the walk
};

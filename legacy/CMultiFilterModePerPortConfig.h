// "Multicast Filtering Mode Configuration": per port, whether unregistered
// multicast groups are forwarded or filtered; one mode is written to a range
// of ports in one SET.
//
// No command opens it. The port boxes are editable: a typed port that is not
// a number from 1 to the port count, or a range that ends below its start,
// is refused with a message; a range that holds a member of an aggregated
// link is refused whole, judged by a trunk walk that read the whole table.
#pragma once

#include "common/CReadReport.h"
#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "legacy/CLegacyPortRange.h"
#include "legacy/CLegacyTrunkGroups.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <string>

class CMultiFilterModePerPortConfig : public CDialog
{
public:
    explicit CMultiFilterModePerPortConfig(CWnd* pParent = nullptr);
    ~CMultiFilterModePerPortConfig() override;

    BOOL DestroyWindow() override;

    // Mode per port: 1 forward, 2 filter unregistered groups.
    static const std::string kModeColumn;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnFromPortChange();
    void OnToPortChange();
    void OnApply();
    void OnRefresh();
    void OnClose();
    LRESULT OnWalkFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnWalkFailed(WPARAM wParam, LPARAM lParam);
    void EndWalk();

    DECLARE_MESSAGE_MAP()

private:
    void StartModeWalk();
    // The port a box's text names; 0, with a message shown, for a text that is
    // not a number from 1 to the port count.
    static int TypedPort(CComboBox& box);

    CButton m_btnApply;
    CButton m_btnRefresh;
    CListCtrlEx m_list;
    CComboBox m_comboMode;
    CComboBox m_comboToPort;
    CComboBox m_comboFromPort;
    CCommonSNMP m_cCommonSNMP;
    CLegacyPortWalk m_modeWalk;
    CLegacyTrunkGroups m_trunkGroups;
    bool m_bRead = false; // a mode walk has read the whole table
    CReadReport m_readReport; // the walks are the user's: opening, Refresh, the read after Apply
};

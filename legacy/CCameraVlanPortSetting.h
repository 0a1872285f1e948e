// "Auto Camera Vlan Port Settings": per port, whether the auto surveillance
// VLAN detects cameras on it and the port's surveillance VLAN status; the
// detection state is written to a range of ports.
//
// No command opens it; its opener sets m_strVlanId and m_strVlanState first
// (Apply is on only while the auto surveillance VLAN is, state "1"). Enabling
// detection on a range that holds a member of an aggregated link is refused
// whole, judged by a trunk walk that read the whole table; the range goes out
// in SETs of at most 30 ports each.
#pragma once

#include "common/CReadReport.h"
#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "legacy/CLegacyPortRange.h"
#include "legacy/CLegacyTrunkGroups.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CCameraVlanPortSetting : public CDialog
{
public:
    explicit CCameraVlanPortSetting(CWnd* pParent = nullptr);
    ~CCameraVlanPortSetting() override;

    BOOL DestroyWindow() override;

    std::string m_strVlanId;    // the surveillance VLAN id
    std::string m_strVlanState; // the auto surveillance VLAN state, "1" enabled

    // Detection per port: 1 enabled, 2 disabled.
    static const std::string kDetectionColumn;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    void OnFromPortChange();
    void OnToPortChange();
    LRESULT OnWalkFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnWalkFailed(WPARAM wParam, LPARAM lParam);
    void EndWalk();

    DECLARE_MESSAGE_MAP()

private:
    void StartPortWalk();

    CButton m_btnApply;
    CEdit m_editVlanId;
    CButton m_btnRefresh;
    CListCtrlEx m_list;
    CComboBox m_comboDetection;
    CComboBox m_comboToPort;
    CComboBox m_comboFromPort;
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;
    CLegacyPortWalk m_portWalk;
    CLegacyTrunkGroups m_trunkGroups;
    bool m_bRead = false; // a port walk has read the whole table
    CReadReport m_readReport; // the walks are the user's: opening, Refresh, the read after Apply
};

// "PoE Configuration": the switch's PoE port table (state, time range,
// priority, power limit and the measured values per port), and one write of
// state, time range, priority and power limit to a range of ports, one SET
// per port.
//
// Opened by the main window's command ID_POE_PORT_SETTINGS (32852). A read
// has two stages: the time profile names (a port names its profile by id),
// then, once that walk has read the whole table, the PoE port table. Each
// walk's rows are taken whole at its end; a failed walk keeps what the last
// complete one gave. Refresh and Apply stay disabled from the start of the
// names walk until the port table walk ends or a walk fails.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class CSnmp;

class CPOEConfigDlg : public CDialog
{
public:
    explicit CPOEConfigDlg(CWnd* pParent = nullptr);
    ~CPOEConfigDlg() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRefresh();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnApply();
    void OnFromPortChanged();
    void OnToPortChanged();
    void OnUserDefine();

    DECLARE_MESSAGE_MAP()

private:
    // The port table's columns in the order the walk asks for them.
    using PortRow = std::vector<std::string>;

    void GetTimeRange();
    static int OnTimeRangeReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void RefreshPortTable();
    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void ApplyRange();
    // Adds one port's bindings to the prepared SET.
    void SetPortValues(int nPort);
    // A walk ended without its table: said once per read the user started.
    LRESULT OnReadFailed(WPARAM wParam, LPARAM lParam);
    // Any thread.
    void EnableButtons(BOOL bEnable);
    // The names of the last complete walk into the Time Range list, "N/A" first.
    void ShowTimeRangeNames();
    void ShowPortRows(const std::map<int, PortRow>& rows);
    // The name of the profile with that id ("N/A" for 0, empty for none).
    std::string TimeRangeText(const std::string& strId);

    CEdit m_editWatts;
    CButton m_CtrlUserdefe;
    CButton m_btnRefresh;
    CButton m_btnApply;
    CComboBox m_comboFromPort;
    CComboBox m_comboToPort;
    CComboBox m_comboState;
    CComboBox m_comboPriority;
    CComboBox m_comboPowerLimit;
    CComboBox m_comboTimeRange;
    CListCtrlEx m_listPorts;
    int m_nTimeRangeSel = -1;
    CReadReport m_readReport;

    // The time profiles of the last complete names walk (ids and names at the
    // same positions), and what the walks in progress have read; under
    // m_csWalkData.
    std::mutex m_csWalkData;
    std::vector<int> m_nTimeRangeIds;
    std::vector<std::string> m_strTimeRangeNames;
    std::vector<std::pair<int, std::string>> m_TimeRangesBuilding;
    std::map<int, PortRow> m_PortRowsBuilding;

    // The call-backs use the controls and data above: the sessions come
    // after them, so they are stopped before those go.
    CCommonSNMP m_cCommonSNMPTimeRang; // names walk
    CCommonSNMP m_cCommonSNMP;         // port table walk
    CCommonSNMP m_cCommonSNMPSet;      // writes
};

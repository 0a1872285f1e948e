// "Time Range Information": the switch's PoE time ranges in service (name,
// weekdays, first and last day, start and end time); deletes the selected
// range, and runs the range editor TimeBasedConfig to add one or change the
// selected one, reading the table again afterwards.
//
// Opened by the main window's command ID_POE_TIME_RANGE (32819), which no
// menu item sends. The table walk's rows are taken whole at its end (a
// failed walk keeps the last complete table); the buttons are disabled while
// it runs.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class TimeRangInfo : public CDialog
{
public:
    explicit TimeRangInfo(CWnd* pParent = nullptr);
    ~TimeRangInfo() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnBUTTONDelete();
    void OnAdd();
    void OnEdit();
    // The table walk ended without the table: said once per read the user started.
    LRESULT OnReadFailed(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // What one walk gives: entry i of ids is the index of list row i (a row
    // not in service parks its index at the position of the next list row);
    // names and states of every row, shown or not, in walk order.
    struct Table
    {
        std::vector<int> ids;
        std::vector<std::string> names;
        std::vector<std::string> states;
        std::vector<std::vector<std::string>> cells; // the listed rows
    };

    static int OnTimeRangeTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void ShowTable(const Table& table);
    // Any thread.
    void EnableButtons(BOOL bEnable);
    // Runs the editor with copies of the last walk, then reads the table again.
    void RunEditor(bool bAddMode, const std::string& strIndex);
    // The index of the selected list row as decimal text; empty (after the
    // message) when there is none.
    std::string SelectedIndex(const char* pszMessage);

    CListCtrlEx m_listRanges;
    CReadReport m_readReport;
    CButton m_btnAdd;
    CButton m_btnEdit;
    CButton m_btnDelete;
    CButton m_btnRefresh;

    // The last complete walk and the one in progress, under m_csWalkData.
    std::mutex m_csWalkData;
    std::vector<int> m_nTimeRangeIds;
    std::vector<std::string> m_strTimeRangeNames;
    std::vector<std::string> m_strRowStatus;
    Table m_Building;

    // The call-back uses the controls and data above: the sessions come after
    // them, so they are stopped before those go.
    CCommonSNMP m_cCommonSNMP;    // table walk
    CCommonSNMP m_cCommonSNMPSet; // delete
};

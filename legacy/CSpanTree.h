// "Spanning Tree Table": every row of the bridge MIB's spanning tree port
// table, read by a GETNEXT walk whose rows are shown whole when it reaches the
// end of the table (a failed walk keeps the rows shown before). Every showing
// of the window refreshes the list. "&Port Config" and a double click open the
// port dialog on the selected row; after its OK the table is read again.
#pragma once

#include "common/CReadReport.h"
#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CStatic.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CSpanTree : public CDialog
{
public:
    explicit CSpanTree(CWnd* pParent = nullptr);
    ~CSpanTree() override;

    BOOL DestroyWindow() override;

    // The list the port dialog reads its rows from.
    CListCtrlEx& GetList() { return m_list; }

    static constexpr int kColumns = 10;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnPortConfig();
    void OnBridgeConfig();
    void OnRefresh();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnWalkFinished(WPARAM wParam, LPARAM lParam);
    // A failed walk keeps the rows shown before.
    LRESULT OnWalkFailed(WPARAM wParam, LPARAM lParam);
    void EndWalk();

    DECLARE_MESSAGE_MAP()

    static int OnPortRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    using Row = std::array<std::string, kColumns>;

    void RefreshTable();

    // The rows of the walk in progress, written on the worker thread.
    // Declared before the session, which waits for a running call-back.
    std::mutex m_csRows;
    std::vector<std::pair<int, Row>> m_RowsBuilding;

    CCommonSNMP m_cCommonSNMP;
    CButton m_btnRefresh;
    CButton m_btnBridgeConfig;
    CButton m_btnPortConfig;
    CStatic m_staticCount;
    CListCtrlEx m_list;
    CReadReport m_readReport; // the walks are the user's: opening, Refresh, the read after Apply
};

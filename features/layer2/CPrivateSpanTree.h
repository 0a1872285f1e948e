// "Spanning Tree Table": the spanning-tree settings and state of every port,
// and the one-port dialog (CPrivateSpanTPort) for the selected row.
//
// Opened by the "Port Setting" button of the STP global settings
// (CPrivateSpanTBridge). A port may not run spanning tree and loopback
// detection both: on opening, before the table is read, spanning tree is
// switched off (bridge MIB dot1dStpPortEnable 2) on every port on which the
// switch reports loopback detection enabled. The table is read again each
// time the window is shown and after the one-port dialog ended with OK.
//
// The walk's call-back runs on the session's worker thread. It places each
// value by its own index into the rows of the walk in progress (under
// m_csData); at the end of the table it hands the end to the window
// (WM_STP_TABLE_WALK_END), which takes the rows whole into the list. A walk
// that fails keeps the rows of the last complete one. "Port Config" and
// "Refresh" are off while a walk runs.
//
// Table: korvelEnterprise.10.76.19.1.6.2.1, column c of port p is .c.p:
//   .1 port | .2 priority | .3 status | .4 spanning tree on the port (1 on)
//   .5 path cost (0 automatic) | .6 path cost in use | .14 point-to-point
//   .16 edge | .17 restricted role | .18 restricted TCN
// Loopback detection of port p: korvelEnterprise.10.76.19.1.17.5.1.2.p (1 on).
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/layer2/STP_port_info.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CStatic.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

// The port walk has ended: wParam 1 when it read the whole table, 0 when it
// failed. Sent from the walk's worker thread.
inline constexpr UINT WM_STP_TABLE_WALK_END = WM_APP + 1011;

class CPrivateSpanTree : public CDialog
{
public:
    // The spanning tree port table's entry (index: port).
    static const std::string kPortTable;

    explicit CPrivateSpanTree(CWnd* pParent = nullptr);
    ~CPrivateSpanTree() override;

    BOOL DestroyWindow() override;

    // What the one-port dialog reads of the list (UI thread).
    int GetRowCount() const;
    // The first selected row, -1 for none.
    int GetFirstSelectedRow() const;
    std::string GetRowText(int nRow, int nColumn) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnPortConfig();
    void OnRefresh();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnWalkEnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void StartPortWalk();
    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void StorePortRow(CSnmp* pResponse);
    void DisableStpOnLbdPorts();
    void FillList(const std::vector<STP_port_info>& rows);
    void EnableButtons(BOOL bEnable);

    // What the walk and the UI share, under m_csData. Declared before the
    // session, so that it outlives every call-back.
    std::mutex m_csData;
    std::map<int, STP_port_info> m_rowsRead; // the rows of the walk in progress, by port
    std::vector<STP_port_info> m_rows;       // the rows of the last complete walk

    CCommonSNMP m_cCommonSNMP; // every request of this dialog
    CButton m_btnRefresh;
    CButton m_btnPortConfig;
    CStatic m_staticCount;
    CListCtrlEx m_listPorts;
    CReadReport m_readReport;
    bool m_bListRead = false; // a complete walk is shown
};

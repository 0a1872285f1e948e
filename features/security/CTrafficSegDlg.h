// "Traffic Segmentation Settings ": the global state, every port's
// forwarding set (the ports to which frames received on it may go), and one
// forwarding set written to one port or, with "ALL", to every port.
//
// Opened by the main window's command ID_TRAFFIC_SEGMENTATION (32851). The
// dialog walks the forwarding table on its own session; the walk keeps each
// row's set by the port of its index and publishes the table whole at its
// end (a failed walk keeps the last one), after which the state is read on
// the UI thread. The trunk groups come from the logic's base trunk walk.
// A state outside its set is unknown (no check) and Apply is refused until
// one was read; a refused or unanswered write is said, and a write over the
// ports stops at the first failure.
#pragma once

#include "common/CBtnEXT.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "common/ClxDialog.h"
#include "features/security/CTrafficSeg.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CSnmp;

class CTrafficSegDlg : public ClxDialog
{
public:
    explicit CTrafficSegDlg(CWnd* pParent = nullptr);
    ~CTrafficSegDlg() override;

    BOOL DestroyWindow() override;

    static int OnForwardingTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    LRESULT OnWalkEnded(WPARAM wParam, LPARAM lParam);
    void ShowState();
    // The state check box and the port controls by the state held.
    void ShowStateControls();
    void OnApplyState();
    void OnApplyPorts();
    void OnFromPortChange();
    void OnSelectAll();
    void OnClear();

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortPanels();
    void EnableAllBoxes(BOOL bEnable);
    void CheckAllBoxes(int nCheck);
    // The forwarding set of the boxes (1 per checked port), with port p
    // (1..N) set too when it is not 0.
    std::vector<int> BoxFlags(int nOwnPort) const;
    static std::vector<BYTE> Bitmap(const std::vector<int>& flags);
    // The port the From Port list names, 0 for "ALL".
    int FromPort() const;

    CButton m_btnApplyState;
    CButton m_btnApplyPorts;
    CButton m_btnRefresh;
    CListCtrlEx m_listForwarding;
    CComboBox m_comboFromPort;
    CButton m_chkState;
    CCommonSNMP m_cSnmpWalk;
    std::unique_ptr<CBtnEXT> m_pPortLabels;
    std::unique_ptr<CBtnEXT> m_pPortChecks;
    std::vector<int> m_portValue;

    // The walk's bitmaps by port (index port - 1; none for a port without a
    // row), and the published table of the last complete walk: each port's
    // forwarding ports as a port list and as range text. Under m_csLists.
    mutable std::mutex m_csLists;
    std::vector<std::optional<std::string>> m_Building;
    std::vector<std::optional<std::string>> m_arrForwardLists;
    std::vector<std::string> m_arrRangeTexts;

    bool m_bStateRead = false;
    bool m_bListRead = false; // a walk has read the whole table
    CReadReport m_readReport;
    std::atomic<HWND> m_hSelf{nullptr};
    CTrafficSeg m_TrafficSeg;
};

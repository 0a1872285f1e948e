// "802.1X Port Configuration": each port's authorization status and port
// control, and one port control written to a range of ports.
//
// Opened by the main window's command 32792, which no menu item sends. It
// walks the port status and control columns and the trunk member table on
// sessions of its own; each walk's rows are taken whole at its end, every
// value at the port its own index names. Apply refuses a range that touches
// an aggregated link, a control that would leave every port Force
// Unauthorized or Auto (judging the ports outside the range by the last
// complete status walk, and refusing while the last walk did not complete or
// a port outside the range has no control), a row lacking a value showing it
// empty,
// and writes the range in SETs of at most 30 ports, stopping at the first
// the switch refuses or leaves unanswered (which is said). A status walk the
// user started that fails (or cannot start) is said once.
//
// A caller may set the seven parameter texts (SetParameterTexts) before the
// run; every row shows them in its columns 3 to 9.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"

#include "common/CWriteReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class Dot1xPortConfig : public CDialog
{
public:
    explicit Dot1xPortConfig(CWnd* pParent = nullptr);
    ~Dot1xPortConfig() override;

    BOOL DestroyWindow() override;

    // The texts of QuietPeriod, TxPeriod, SuppTimeout, ServerTimeout, MaxReq,
    // ReAuthPeriod and ReAuthEnabled, shown unchanged in every row.
    void SetParameterTexts(const std::array<std::string, 7>& texts);

    // The objects (integers), index port: control 1 force unauthorized,
    // 2 auto, 3 force authorized; status 1 authorized, 2 unauthorized.
    static const std::string kPortControlColumn;
    static const std::string kPortStatusColumn;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnRefresh();
    void OnApply();
    void OnFromPortChange();
    void OnToPortChange();
    LRESULT OnStatusWalkEnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnStatusWalkFailed(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    static int OnStatusTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnTrunkTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    // One row of the status walk.
    struct StatusRow
    {
        int nPort = 0;
        std::string strStatus;
        std::string strControl;
        int nControl = 0; // 1, 2, 3, 0 for a value outside the set, -1 for none
    };

    void StartStatusWalk();
    void StartTrunkWalk();
    void EnableButtons(BOOL bEnable);
    // Sends the prepared SET of ports first..last and pauses after it; false
    // (nothing more sent) when the switch refused it or did not answer.
    bool SendBatch(CWriteReport& report, int nFirstPort, int nLastPort, DWORD dwPauseMs);

    CButton m_btnApply;
    CButton m_btnRefresh;
    CComboBox m_comboControl;
    CComboBox m_comboToPort;
    CComboBox m_comboFromPort;
    CListCtrlEx m_listPorts;
    std::array<std::string, 7> m_strParameters;
    CReadReport m_readReport;
    bool m_bListRead = false; // a status walk has read the whole table

    // What the walks write on their worker threads and Apply reads.
    // Declared before the sessions, so the sessions (which wait for a
    // running call-back) go first.
    std::mutex m_csPortData;
    std::vector<int> PortContrl;  // per port (index port - 1) the control of the last complete walk
    std::vector<int> m_TrunkData; // per port the trunk group of the last complete walk, 0 for none
    bool m_bStatusComplete = false; // the last status walk read the whole table
    std::vector<StatusRow> m_StatusBuilding;
    std::vector<int> m_TrunkBuilding;

    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPTable;
    CCommonSNMP m_cCommonSNMPTableTrunkInfo;
};

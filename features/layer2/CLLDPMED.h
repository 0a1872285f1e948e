// "LLDP MED Settings": per port, whether the switch sends the LLDP-MED power
// TLV of a power-sourcing port; lists every port's state and writes one state
// to a range of ports (1 to 8).
//
// Opened by the command ID_LLDP_MED (32827), which no menu item sends. Every
// Refresh reads the LLDP state first: a failed read walks nothing; LLDP
// disabled is said and leaves every control but Close off (the table is
// listed all the same). Apply is refused until a read found LLDP enabled. The
// walk gathers its rows on the session's worker thread, each under the port
// its index names; the window takes them whole when the walk reaches the end
// of the column (a failed walk keeps the last list). A failed read is said
// once per user action; a TLV state other than 1 or 2 is shown empty. Apply
// writes port by port and stops at the first refused or unanswered SET,
// saying which ports were written.
//
// Objects: korvelEnterprise.10.76.19.1.24.1.0 LLDP state (2 disabled);
// .24.7.1.2.p the power TLV of port p (1 enable, 2 disable).
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <mutex>
#include <utility>
#include <vector>

class CSnmp;

// The TLV walk has ended: wParam 1 when it read the whole column, 0 when it
// failed. Sent from the walk's worker thread.
inline constexpr UINT WM_LLDP_MED_WALK_END = WM_APP + 1023;

class CLLDPMED : public CDialog
{
public:
    explicit CLLDPMED(CWnd* pParent = nullptr);
    ~CLLDPMED() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    void OnFromPortChange();
    void OnToPortChange();
    LRESULT OnWalkEnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void GetLLDPEnable();
    void GetLLDPMedinfo();
    // A walk that failed or could not start: Refresh comes back, the list
    // stays as it was.
    void WalkFailed();
    void OnSetLLDPMedinfo();
    static int OnLLDPMedRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // The number a port box shows (its items are "   %d "); 0 without a selection.
    static int SelectedPort(const CComboBox& combo);

    CComboBox m_comboFrom;
    CComboBox m_comboTo;
    CComboBox m_comboTlv;
    CButton m_btnApply;
    CButton m_btnRefresh;
    CListCtrlEx m_list;
    bool m_bLldpEnabled = false; // the last state read found LLDP enabled
    bool m_bStateRead = false;   // the last state read gave 1 or 2
    bool m_bListRead = false;    // a walk has read the whole column
    CReadReport m_readReport;
    // The rows of the walk in progress (port, TLV value), under m_csRows;
    // declared before the sessions, which wait for a running call-back.
    std::mutex m_csRows;
    std::vector<std::pair<int, std::string>> m_rowsBuilding;
    CCommonSNMP m_cCommonSNMPEnable; // the LLDP state read
    CCommonSNMP m_cCommonSNMP;       // the walk
    CCommonSNMP m_cCommonSNMPSet;    // the SETs
};

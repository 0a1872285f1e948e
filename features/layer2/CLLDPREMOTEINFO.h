// "LLDP Remote Port Information": the neighbours the switch has learned by
// LLDP, one row per entry of the LLDP-MIB remote systems table: the local port,
// a running number, the neighbour's chassis and port identity, its port
// description, system name and system description. Read only.
//
// Opened by the main window's command ID_LLDP_REMOTE_INFO (32826). The LLDP
// state is read once when the dialog opens (a failed read is reported and
// nothing is walked; LLDP disabled leaves the list disabled). The walk
// gathers its rows on the session's worker thread; when it reaches the end of
// the table the window takes them whole (a failed walk keeps the last list).
// A step none of whose columns holds a value is no neighbour: the window says
// "There is no LLDP Remote Port" and sets the count to 0, and the walk goes
// on; the count shows the listed rows again once the whole table is read.
//
// Objects: korvelEnterprise.10.76.19.1.24.1.0 the LLDP state (2 disabled);
// 1.0.8802.1.1.2.1.4.1.1, index time mark, local port, remote index: .4
// chassis ID subtype, .5 chassis ID, .6 port ID subtype, .7 port ID, .8 port
// description, .9 system name, .10 system description.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

// The remote walk has ended: wParam 1 when it read the whole table, 0 when it
// failed. Sent from the walk's worker thread.
inline constexpr UINT WM_LLDP_REMOTE_WALK_END = WM_APP + 1022;
// The walk met a row none of whose columns holds a value (wParam, lParam 0);
// the walk goes on. Sent from the walk's worker thread.
inline constexpr UINT WM_LLDP_REMOTE_NO_ROW = WM_APP + 1023;

class CLLDPREMOTEINFO : public CDialog
{
public:
    // The switch's LLDP state (1 enabled).
    static const std::string kLldpState;

    explicit CLLDPREMOTEINFO(CWnd* pParent = nullptr);
    ~CLLDPREMOTEINFO() override;

    BOOL DestroyWindow() override;

    // The first six octets as "%02X" pairs joined by "-"; octets the value
    // lacks count as zero.
    static std::string FormatChassisId(const std::string& strOctets, int nLength = 6);
    // The local port and the remote index of a row index ".time.port.remote":
    // the second-to-last and the last parts; false when it has fewer than three.
    static bool SplitRemoteIndex(const std::string& strSuffix, std::string& strPort, std::string& strRemote);
    // The LLDP-MIB code points' texts; empty outside 1..7.
    static std::string ChassisSubtypeText(const std::string& strValue);
    static std::string PortSubtypeText(const std::string& strValue);

    using RemoteRow = std::array<std::string, 9>; // the list's columns
    enum class RowKind
    {
        Row,       // a neighbour, in the row
        NoBinding, // no column holds a value: "There is no LLDP Remote Port"
        Skipped    // its index names no port of this switch
    };
    // One walk step: its seven columns and the index they stand at. The row
    // number (column 1) is left to the list.
    static RowKind BuildRemoteRow(CSnmp* pResponse, const std::string& strSuffix, RemoteRow& row);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnFind();
    void OnRefresh();
    LRESULT OnWalkEnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnNoRemoteRow(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void CheckLLDPState();
    void StartRemoteWalk();
    static int OnRemoteRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    CButton m_btnRefresh;
    CEdit m_editCount;
    CListCtrlEx m_list;
    // The rows of the walk in progress, under m_csRows; declared before the
    // sessions, which wait for a running call-back when they go.
    std::mutex m_csRows;
    std::vector<RemoteRow> m_rowsBuilding;
    CReadReport m_readReport;
    bool m_bListRead = false;         // the list shows a complete walk
    CCommonSNMP m_cCommonSNMPEnabled; // the LLDP state read
    CCommonSNMP m_cCommonSNMP;        // the remote table walk
};

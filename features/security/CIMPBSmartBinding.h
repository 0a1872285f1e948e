// "Smart Binding": the entries the switch has learned (VID, IP address, MAC
// address, port, bound or not), binding the selected one, adding an entry to
// the white list by hand, and the scan of an IPv4 or IPv6 address range,
// after which the list is re-read every 4 s until its number of rows stops
// changing.
//
// Opened by the main window's command ID_SMART_BINDING (32864).
#pragma once

#include "common/CEditEXIPV6.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/CIMPFunclogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CIMPBSmartBinding : public CDialog
{
public:
    explicit CIMPBSmartBinding(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

    // The re-read timer after a scan.
    static constexpr UINT_PTR kScanTimer = 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    // Starts the walk of the learned entries.
    void StartRead();
    LRESULT OnEntryNotify(WPARAM wParam, LPARAM lParam);
    void OnAdd();
    void OnScan();
    void OnBinding();
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editMac;
    CEdit m_editPort;
    CListCtrlEx m_list;
    CButton m_btnScan;
    CEditEXIPV6 m_editScanFrom;
    CEditEXIPV6 m_editScanTo;
    CEditEXIPV6 m_editAddress;
    CIMPFunclogic m_logic;
    int m_nLastCount = -1;
    CReadReport m_readReport;
    std::vector<IMPB_entry_info> m_rows; // the rows of the walk that runs
    bool m_bListRead = false;            // a walk has read the whole table
    bool m_bQuietRead = false;           // the walk that runs is the scan timer's
};

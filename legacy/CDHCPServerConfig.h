// "DHCP Server Screening Port Settings": for every port whether DHCP server
// screening is on (korvelEnterprise.10.76.19.1.14.7.1.0, the port bitmap of
// the screened ports), and Apply of one state to a range of ports.
//
// A read sets every port (ports not in the bitmap are disabled); Apply is
// refused until a read has succeeded. Apply refuses a change that would give
// the ports of one aggregated link different states, judged on a complete
// trunk walk: a running walk is waited for (bounded by its time-out), and
// without a complete one Apply is refused.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <vector>

class CDHCPServerConfig : public CDialog
{
public:
    explicit CDHCPServerConfig(CWnd* pParent = nullptr);
    ~CDHCPServerConfig() override;

    BOOL DestroyWindow() override;

    // Whether a trunk walk started by Refresh is still running.
    bool TrunkWalkRunning() const { return m_bTrunkWalkRunning; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    void OnFromChange();
    void OnToChange();
    void OnClose();
    LRESULT OnTrunkWalkEnded(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void ReadScreening();

    CButton m_btnApply;
    CButton m_btnRefresh;
    CComboBox m_cbState;
    CComboBox m_cbToPort;
    CComboBox m_cbFromPort;
    CListCtrlEx m_listPorts;
    int m_nPortCount = 0;
    CCommonSNMP m_cCommonSNMP;
    // The trunk walk and its groups (guarded by the logic's lock).
    CModuleBase m_cTrunks;
    std::vector<int> m_pPortState; // 1 enabled, 2 disabled, per port
    bool m_bRead = false;
    CReadReport m_readReport;
    bool m_bTrunkWalkRunning = false;
};

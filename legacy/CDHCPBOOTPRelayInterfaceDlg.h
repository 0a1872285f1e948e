// "DHCP/BOOTP Relay Interface Settings": the relay servers of the interface
// "System", at most four. Apply adds the address of the address control
// (create-and-wait, then active), Delete destroys the selected server's row;
// a refused or unanswered write is said. Only rows in service (row status 1)
// are listed. The list is replaced whole when a walk ends complete; a failed
// walk leaves it as it was and is said.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "legacy/CDHCPBootpLogic.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CIPAddressCtrl.h"

#include <string>
#include <vector>

class CDHCPBOOTPRelayInterfaceDlg : public CDialog
{
public:
    explicit CDHCPBOOTPRelayInterfaceDlg(CWnd* pParent = nullptr);
    ~CDHCPBOOTPRelayInterfaceDlg() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApply();
    void OnRefresh();
    void OnClose();
    void OnDelete();
    LRESULT OnRelayNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editInterface;
    CIPAddressCtrl m_ipServer;
    CListCtrlEx m_listServers;
    CDHCPBootpLogic m_cLogic;
    std::vector<std::string> m_arrServers;      // the servers listed
    std::vector<std::string> m_arrWalkServers;  // the servers of the walk that runs
    bool m_bListRead = false;                   // a walk has ended complete
    CReadReport m_readReport;
};

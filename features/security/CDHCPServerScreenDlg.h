// "DHCP Server Screening Settings  ": the trusted ports and the trusted DHCP
// servers (at most five, IPv4 or IPv6).
//
// Opened by the main window's "DHCP Server Screening Port Configuration"
// (command 32829). The work is m_Logic's: the port Add writes the trusted
// ports when their text changed; the server Add picks the lowest index of 1
// to 5 that no row of the last complete walk holds (listed or not), refuses
// a listed address, and writes the row; Delete destroys the selected row.
// While the server walk runs, Delete, Refresh and the server Add are off.
#pragma once

#include "common/CEditEXIPV6.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/CDHCPServerLogic.h"
#include "platform/ui/CDialog.h"

#include <string>

class CDHCPServerScreenDlg : public CDialog
{
public:
    explicit CDHCPServerScreenDlg(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnSetTrustedPorts();
    void OnAddServer();
    void OnDeleteServer();
    void OnClose();
    LRESULT OnServerNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void EnableServerButtons(BOOL bEnable);

    CDHCPServerLogic m_Logic;
    CEditEXIPV6 m_editAddress;
    CListCtrlEx m_listServers;
    std::string m_strTrustedPorts;
    CReadReport m_readReport;
    bool m_bPortsRead = false; // the trusted ports were read once
    bool m_bListRead = false;  // a walk has read the whole server table
};

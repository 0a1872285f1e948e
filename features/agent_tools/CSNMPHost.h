// "SNMP Host Table": the hosts the switch's agent sends its traps to, each
// with an SNMP version and a community string or SNMPv3 user name; IPv4 or
// IPv6 hosts, a link-local IPv6 host with its interface name; at most 10.
//
// Opened by the main window's command ID_SNMP_HOST (32840) over the running
// panel: the main window stays up and keeps polling on its own sessions.
// The host walk's rows arrive from the session's worker thread; the list
// takes them whole when the walk reaches the end of the table, and a failed
// walk keeps the last complete list. Apply creates the row (5), writes its
// columns and activates it (1); Delete destroys it (6); both end in a refresh,
// so the list shows what the switch holds.
#pragma once

#include "common/CEditEXIPV6.h"
#include "features/agent_tools/CAgentTableRows.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"

#include <string>

class CSNMPHost : public CDialog
{
public:
    explicit CSNMPHost(CWnd* pParent = nullptr);
    ~CSNMPHost() override;

    BOOL DestroyWindow() override;

    // The row status OID of a listed host, from the list's address text (an
    // IPv6 address may carry "%" and its interface name).
    static std::string RowStatusOid(const std::string& strListedAddress);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnDelete();
    void OnRefresh();
    void OnCancelInput();
    void OnClose();
    void OnAdd();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);
    void ClearInputs();

    CListCtrl m_listHosts;
    CEditEXIPV6 m_editAddress;
    CComboBox m_comboVersion;
    CEdit m_editName;
    // The rows of the walk in progress.
    CAgentTableRows m_rowsBuilding;
    CSNMPConfig m_cSNMPConfig;
};

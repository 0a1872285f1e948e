// "Smart Binding Settings": per port, whether IP-MAC-port binding is active,
// whether the switch also inspects IP packets, and whether DHCP snooping is
// on; the port settings table listed, and one set of values applied to a
// range of ports.
//
// Opened by the main window's command ID_SMART_BINDING_SETTINGS (32863). The
// SNMP work is m_logic's: its port walk fills the list; at the walk's end the
// white-list walk counts the white list's entries, which the full-range guard
// of Apply reads: Apply comes back when that walk has ended.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/CIMPFunclogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <vector>

class CSmartBindingSettings : public CDialog
{
public:
    explicit CSmartBindingSettings(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    LRESULT OnPortNotify(WPARAM wParam, LPARAM lParam);
    // The white-list walk's end gives Apply back.
    LRESULT OnEntryNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnFromPortChange();
    void OnToPortChange();
    void OnInspectionChange();

    DECLARE_MESSAGE_MAP()

private:
    CComboBox m_comboFromPort;
    CComboBox m_comboToPort;
    CComboBox m_comboAdminState;
    CComboBox m_comboInspection;
    CComboBox m_comboDhcpSnooping;
    CButton m_btnApply;
    CButton m_btnRefresh;
    CListCtrlEx m_list;
    CIMPFunclogic m_logic;
    CReadReport m_readReport;
    std::vector<IMPB_port_info> m_rows; // the rows of the walk that runs
    bool m_bListRead = false;           // a walk has read the whole table
};

// "Web Service Configuration": the switch's web services of the older branch
// (korvelEnterprise.10.94.89.89.66.30.1, one row per service: name, state,
// UDP port, maximum users, protocol, certificate, maximum idle time-out). A
// frame dialog in the member form: the table is the frame's walk (SNMPv1 or
// SNMPv3). Clicking a row puts its index, UDP port, idle time-out and state
// into the configuration boxes; Apply writes those three values of that
// service and reads the table again: over SNMPv1 as a SET through a walker of
// its own, once the switch has answered it; over SNMPv3 synchronously under
// the wait cursor. Apply sends nothing before a row was picked, nor an idle
// time-out that is not a decimal number (a message says so).
#pragma once

#include "legacy/CLegacyFrame.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CIPAddressCtrl.h"

#include <memory>
#include <string>
#include <vector>

class CWebConfigDlg : public CLegacyFrame
{
public:
    static constexpr UINT WM_WEB_SET_REPLY = WM_APP + 0x0A26;

    explicit CWebConfigDlg(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

    // The object of a service's column (".3" state, ".4" UDP port, ...).
    static std::string ServiceOid(const std::string& column, const std::string& index);

    // Whether an SNMPv1 write awaits its reply.
    bool WritePending() const { return m_nSetRequestID != 0; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;

    void OnServiceClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHiddenButton() {}
    LRESULT OnSetReply(WPARAM wParam, LPARAM lParam);

    void SelectService();
    void ApplyService();
    // The three values of the service in the boxes, in writing order; false
    // (the request left part-filled) when the library refuses one of them.
    bool AddServiceBindings(CSnmp& request, const std::string& index) const;

    CComboBox m_cbStatus;
    CComboBox m_cbFacility;
    CComboBox m_cbSeverity;
    CIPAddressCtrl m_ipHost;
    CEdit m_editUdpPort;
    CEdit m_editIdleTimeOut;
    CEdit m_editIndex;

    // The SNMPv1 write: a walker of its own (made without a request) that
    // sends m_setRequest as the SET it is. The request outlives the walker
    // (declared first); DestroyWindow revokes the token and stops the walker.
    std::unique_ptr<CSnmpV1> m_setRequest;
    std::unique_ptr<CSnmpTable4w> m_setWalker;
    std::shared_ptr<LegacyReplyToken> m_setToken;
    int m_nSetRequestID = 0; // the write awaited; 0 when none
    std::string m_strSetIndex; // the service it writes

    DECLARE_MESSAGE_MAP()
};

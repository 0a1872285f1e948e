// The SNMP work of DHCP server screening: the trusted ports (the switch holds
// the screened ports as a port bitmap: a clear bit is a trusted port) and the
// table of at most five trusted server addresses.
//
// The server walk reports to the dialog (CModuleBase::SetHwnd) with
// WM_DHCP_SCREEN_NOTIFY, sent from the walk's worker thread once the walk has
// read the whole table: wParam 0 and lParam a DHCP_server_info* (valid
// during the call) per row, in table order, then wParam 1 and lParam
// "Finished". A failed walk sends only the end; the rows of the last complete
// walk stay available through GetServerRows.
//
// Objects, korvelEnterprise.10.76.19.1.14.7: .1.0 screened ports (port
// bitmap); server table .3.1, index 1..5: .1 index, .2 address (4 or 16
// octets), .3 address type (1 IPv4, 2 IPv6), .4 row status.
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/security/DHCP_server_info.h"

#include <mutex>
#include <string>
#include <vector>

class CEditEXIPV6;
class CSnmp;

inline constexpr UINT WM_DHCP_SCREEN_NOTIFY = WM_USER + 101;

class CDHCPServerLogic : public CModuleBase
{
public:
    CDHCPServerLogic();
    ~CDHCPServerLogic() override;

    CDHCPServerLogic(const CDHCPServerLogic&) = delete;
    CDHCPServerLogic& operator=(const CDHCPServerLogic&) = delete;

    static constexpr WPARAM kNotifyRow = 0;
    static constexpr WPARAM kNotifyFinished = 1;
    static constexpr int kAddRow = 1;
    static constexpr int kDeleteRow = 3;

    // The trusted ports as range text ("1-3,5"); unchanged when the GET
    // fails or the value is no port bitmap (an OCTET STRING). kReadOk, or
    // kReadFailed (answered) or kReadSilent (no answer).
    static constexpr int kReadOk = 0;
    static constexpr int kReadFailed = 1;
    static constexpr int kReadSilent = 2;
    int GetTrustedPorts(std::string& strText);
    // Checks the port list (with a message at the first failing rule) and
    // writes it; TRUE when the switch accepted it, else the report holds why
    // (nothing is recorded when a rule refused the list).
    BOOL SetTrustedPorts(const std::string& strList, CWriteReport& report);

    void StartServerWalk();
    static int OnServerTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // Every row of the last complete walk, listed or not.
    std::vector<DHCP_server_info> GetServerRows() const;
    // Whether the last walk read the whole table.
    bool IsServerTableRead() const;

    // Adds (kAddRow: create and wait, type, address, activate; a failed step
    // destroys the row again) or deletes (kDeleteRow) the row of the index.
    // The new row's address comes from the registered address edit. TRUE for
    // another operation.
    // A step the switch refuses or leaves unanswered is recorded in the
    // report; after a silent one nothing more is sent.
    BOOL SetServerRow(const std::string& strIndex, const std::string& strAddress, int nOperation,
                      CWriteReport& report);
    // Marks the server table unread and sends the walk's end, as a walk that
    // failed does (for a walk that is not started).
    void EndServerWalkUnread();
    void SetAddressEdit(CEditEXIPV6* pEdit) { m_pAddressEdit = pEdit; }

    // Closes the sessions: late replies are stale.
    void Stop();

private:
    mutable std::mutex m_csRows;
    std::vector<DHCP_server_info> m_ServerRows;
    std::vector<DHCP_server_info> m_ServerBuilding;
    bool m_bServerTableRead = false;

    CCommonSNMP m_cSnmpServerSet;
    CCommonSNMP m_cSnmpServerWalk;
    CEditEXIPV6* m_pAddressEdit = nullptr;
};

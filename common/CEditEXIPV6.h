// The edit field of an IP address that may be IPv4 or IPv6. When it loses the
// focus it checks its text and keeps the result, the address type, the
// address without its zone and the zone (interface name) of an IPv6 link-local
// address; the dialog reads them and lets the control add the address, its
// type and its zone to an SNMP request or turn the address into an OID index.
#pragma once

#include "platform/ui/CEdit.h"

#include <string>
#include <vector>

class CCommonSNMP;

class CEditEXIPV6 : public CEdit
{
public:
    CEditEXIPV6();

    // Checks the window text; sets the status, and on success the type. Also
    // called by a dialog to check the field on demand.
    void OnKillFocus(CWnd* pNewWnd);

    // Add the address (octet string of 4 or 16 octets), its type (integer 1
    // or 2) and, for a link-local address only, its zone (octet string) to the
    // session's prepared request. Call them after a status of 1.
    void AddAddressValue(CCommonSNMP* pSession, const std::string& strOid);
    void AddTypeValue(CCommonSNMP* pSession, const std::string& strOid);
    void AddZoneValue(CCommonSNMP* pSession, const std::string& strOid);

    // The address as an OID index: the IPv4 text as it is, or the 16 octets
    // of an IPv6 address in decimal joined by "."; sets m_nAddrLength.
    std::string GetOidIndex();

    // Shows the message of status -2 or -1; nothing for any other status.
    void ShowZoneError();

    // "1" after a valid IPv4 address, "2" after a valid IPv6 address; kept
    // when the text is invalid.
    std::string m_strAddrType;
    // The text as last checked (IPv6 in lower case, without its zone).
    std::string m_strAddress;
    // The interface name after "%" of the last IPv6 text that held one.
    std::string m_strZone;
    // 1 valid, 0 invalid, -1 zone longer than 20 characters, -2 link-local
    // address with an empty zone; 0 before the first check.
    int m_nStatus = 0;
    // 1: a link-local address takes a zone; 0: a text with "%" is invalid.
    int m_bZoneAllowed = 1;
    // 4 or 16, set by GetOidIndex.
    int m_nAddrLength = 0;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The stored address as octets: 4 for type "1", 16 for type "2", none otherwise.
    std::vector<BYTE> AddressOctets() const;
    bool IsLinkLocal() const;
};

// Texts the legacy viewers make of SNMP values and indexes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace legacy {

// StorageType: "2" volatile ... "5" readOnly, anything else "Other".
std::string StorageTypeWord(const std::string& value);
// RowStatus: "1" active ... "5" createAndWait, anything else "destroy".
std::string RowStatusWord(const std::string& value);
// A view subtree's type: "1" included, anything else excluded.
std::string ViewTypeWord(const std::string& value);
// A USM authentication protocol: MD5's identifier "MD5", anything else "Other".
std::string AuthProtocolWord(const std::string& value);
// A USM privacy protocol: the DES identifier "DES", anything else "Other".
std::string PrivProtocolWord(const std::string& value);
// A syslog severity of the older branch: "0" Emergency ... "8" NotActive;
// any other text "Emergency".
std::string SeverityWord(const std::string& value);
// Bytes as upper-case hexadecimal, two digits a byte, no separators.
std::string HexBytes(const std::string& bytes);
// A physical address: its bytes in upper-case hexadecimal pairs joined by
// colons ("00:1A:2B:3C:4D:5E"), whatever its length.
std::string PhysAddressText(const std::string& bytes);

// A length-prefixed name of an index (SnmpAdminString, a view or group
// name): the arc at `pos` gives the length n, the next n arcs the characters
// (each its low 8 bits). On success `pos` moves past the name; false, with
// `pos` unchanged, when the arcs end before the name does.
bool TakeIndexName(const std::vector<unsigned long>& arcs, std::size_t& pos, std::string& name);
// A length-prefixed object identifier of an index as dotted text.
bool TakeIndexOid(const std::vector<unsigned long>& arcs, std::size_t& pos, std::string& oid);

} // namespace legacy

// One row of the switch's trap host table as the trap host page receives it:
// six texts, valid only while the message that carries them lasts.
#pragma once

#include <array>
#include <string>

// 0 the address as display text (empty for an address type other than 1 or
// 2), 1 the address type ("1" IPv4, "2" IPv6), 2 the SNMP version text, 3 the
// community string or SNMPv3 user name, 4 the interface name of a link-local
// address, 5 the row status.
using SNMP_host_info = std::array<std::string, 6>;

// Columns of the switch's static VLAN table (index: VLAN id) and its PVID
// column (index: port), as the VLAN and multicast dialogs read and write them.
#pragma once

#include "platform/snmp/KorvelMib.h"

#include <string>

inline const std::string kVlanNameColumn = KorvelOid("10.76.19.1.7.6.1.1");
inline const std::string kVlanEgressColumn = KorvelOid("10.76.19.1.7.6.1.2");
inline const std::string kVlanUntaggedColumn = KorvelOid("10.76.19.1.7.6.1.4");
inline const std::string kVlanRowStatusColumn = KorvelOid("10.76.19.1.7.6.1.5");
inline const std::string kPvidColumn = KorvelOid("10.76.19.1.7.7.1.1");

// The one way the legacy settings dialogs send a SET and learn what became
// of it: every write goes through a CWriteReport, so that a write the switch
// refused or left unanswered is said the same way in every dialog, and a
// sequence stops at its first failure (the report sends nothing once one
// write has failed).
#pragma once

#include "common/CWriteReport.h"
#include "legacy/CLegacyFrame.h"

#include <string>
#include <vector>

class CCommonSNMP;
class CSnmp;

namespace legacy_write {

// The SET prepared on the session (Open(3) and its bindings), sent with the
// session's walk step (getNext), as the older dialogs send it; true when the
// switch took it.
bool SendStep(CWriteReport& report, CCommonSNMP& session, const std::string& strWhat, int nTimeout = 0);

// One SNMPv1 SET of the values with the write community, sent synchronously
// with the library's default time-out; true when the switch took it. A value
// that cannot be put into the request sends nothing and counts as refused
// (wrong value).
bool SendV1(CWriteReport& report, const std::string& strHost, const std::string& strCommunity,
            const std::vector<LegacyValue>& values, const std::string& strWhat);

// The SET `request` holds (an SNMPv3 request of the dialog's security, PDU
// type 3), sent with one walk step of a table over it; true when the switch
// took it.
bool SendTableStep(CWriteReport& report, CSnmp& request, const std::string& strHost, unsigned long nTimeout,
                   const std::string& strWhat);

// Decimal digits alone (no sign, no blanks) of a number no greater than nMax:
// text a dialog may send as an SNMP number.
bool IsDecimalNumber(const std::string& strText, unsigned long long nMax);

// Adds the values to a request; false when the library refused one.
bool AddValues(CSnmp& request, const std::vector<LegacyValue>& values);

} // namespace legacy_write

// One binding of a SET that carries several objects.
#pragma once

#include <string>

struct SNMP_VARBIND
{
    std::string oid;            // dotted decimal object identifier
    const char* value = nullptr; // not owned: NUL-terminated decimal text for integer types,
                                 // text or raw bytes for octet strings
    int type = 0;                // an SnmpValueType
    int length = 0;              // the number of value bytes to send (integers are read whole)
};

// The simulated switch's MIB: the objects of its data files and what the
// directives of those files say about them.
//
// Data files are in the .snmprec format, one object a line:
//     OID|TYPE|VALUE
// with BER tag numbers as types (2 INTEGER, 4 OCTET STRING, 4x hexadecimal
// octets, 6 OBJECT IDENTIFIER, 64 IpAddress, 65 Counter32, 66 Gauge32,
// 67 TimeTicks, 70 Counter64). Lines starting with '#' are comments; the
// simulator's own directives are comments that start with "#@":
//     #@readonly OID            the object, or every object below it, is read-only
//     #@rowstatus COLUMN        COLUMN is a RowStatus column: its table's rows are
//                               created (4, 5) and destroyed (6) through it
//     #@template COLUMN|TYPE|VALUE
//                               the value a new row gets in COLUMN (a column of a
//                               table that has a RowStatus column)
//     #@user NAME[:MD5|SHA:AUTHPASS[:DES:PRIVPASS]]
//                               an SNMPv3 user (read-write)
// A later file replaces the objects an earlier one gave.
#pragma once

#include "tools/korvel-sim/MibValue.h"
#include "tools/korvel-sim/SimUser.h"

#include <map>
#include <string>
#include <vector>

class MibStore
{
public:
    bool Load(const std::string& path, std::string& error);

    bool IsReadOnly(const Oid& oid) const;
    // The RowStatus column that `oid` is an instance of, or null.
    const Oid* RowStatusColumnOf(const Oid& oid) const;
    // The template entry of the column `oid` is an instance of, or null.
    const std::pair<const Oid, MibValue>* TemplateColumnOf(const Oid& oid) const;

    std::map<Oid, MibValue> objects;
    std::vector<Oid> readOnly;
    std::vector<Oid> rowStatusColumns;
    std::map<Oid, MibValue> templates; // column OID -> value of a new row
    std::vector<SimUser> users;
};

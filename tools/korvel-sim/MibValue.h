// Object identifiers and values of the simulated switch's MIB store, kept
// free of any SNMP library type.
#pragma once

#include "platform/snmp/SnmpMessage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An object identifier as its arcs. std::vector's ordering is the SNMP
// lexicographic ordering (a prefix sorts before what it prefixes).
using Oid = SnmpOid;

// Dotted text ("1.3.6.1"; a leading dot is accepted) to arcs; false when the
// text is not a dotted decimal identifier of at least two arcs.
bool ParseOid(std::string_view text, Oid& out);
std::string OidToText(const Oid& oid);
bool OidStartsWith(const Oid& oid, const Oid& prefix);

// BER tags of the value types the store holds (the .snmprec type numbers).
enum MibType : int
{
    MibInteger = 2,
    MibOctetString = 4,
    MibNull = 5,
    MibObjectId = 6,
    MibIpAddress = 64,
    MibCounter32 = 65,
    MibGauge32 = 66,
    MibTimeTicks = 67,
    MibOpaque = 68,
    MibCounter64 = 70,
};

struct MibValue
{
    int type = MibNull;
    std::string bytes;        // octet string, IP address (4 bytes), opaque
    std::int64_t number = 0;  // INTEGER, Counter32, Gauge32, TimeTicks
    std::uint64_t big = 0;    // Counter64
    Oid oid;                  // OBJECT IDENTIFIER

    static MibValue Integer(std::int64_t v);
    static MibValue Text(std::string s);

    bool operator==(const MibValue&) const = default;
};

// Reads the TYPE and VALUE fields of an .snmprec line ("4x" and "64x" take
// hexadecimal octets). False when the type is unknown or the value does not
// fit it.
bool ParseSnmprecValue(std::string_view type, std::string_view value, MibValue& out);

// The TYPE|VALUE form of a value, as a data file would hold it (octet strings
// that are not printable text are written as hexadecimal with the x suffix).
std::string SnmprecValueText(const MibValue& value);

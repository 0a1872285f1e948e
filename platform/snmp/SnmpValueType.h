// Value types of a variable binding given to CSnmp::addValue.
#pragma once

enum SnmpValueType : int
{
    SnmpValueInteger = 1,     // INTEGER, given as decimal text
    SnmpValueOctetString = 2, // a text, or bytes with an explicit length
    SnmpValueObjectId = 3,    // OBJECT IDENTIFIER, given as dotted text
    SnmpValueNull = 4,        // no value (every GET and GETNEXT binding)
    SnmpValueIpAddress = 8,   // IpAddress, given as dotted text
    SnmpValueUnsigned = 10,   // Unsigned32 (Gauge32), given as decimal text
};

// The type of a walk row's cell that the table does not have at the row's
// index: the column's next object lies at a later index or past the column.
// Only a walk step's response carries it; its value is empty and its
// identifier is the column's at the row's index. Not a BER tag.
inline constexpr int SnmpNoValue = 0x100;

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

// The request kinds, as SNMP PDU tag numbers.
#pragma once

enum SnmpPduType : int
{
    SnmpPduGet = 0,
    SnmpPduGetNext = 1,
    SnmpPduSet = 3,
};

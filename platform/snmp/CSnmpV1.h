// An SNMPv1 request: community-based security.
#pragma once

#include "platform/snmp/CSnmp.h"

class CSnmpV1 : public CSnmp
{
public:
    explicit CSnmpV1(int pduType = SnmpPduGet);
    void setCommunity(const char* community);
};

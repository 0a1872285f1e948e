#include "platform/snmp/CSnmpV1.h"

#include "platform/snmp/SnmpMessage.h"

CSnmpV1::CSnmpV1(int pduType) : CSnmp(pduType)
{
    message().version = 1;
}

void CSnmpV1::setCommunity(const char* community)
{
    message().community = community ? community : "";
}

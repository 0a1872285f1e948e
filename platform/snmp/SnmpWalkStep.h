// One request of a walker: what it sends, and where the walk stood.
#pragma once

#include "platform/snmp/SnmpMessage.h"

#include <cstddef>
#include <vector>

struct SnmpWalkStep
{
    SnmpMessage message; // the request as sent (for a GETNEXT: the positions of the columns still in their tables)
    bool isWalk = false; // a GETNEXT step of the walk
    bool ended = false;  // the walk had already ended: nothing is sent, the status is -2
    unsigned epoch = 0;  // the walk the step belongs to
    std::vector<SnmpOid> columns; // every column of the walk
    std::vector<size_t> sent;     // the column of each binding sent
};

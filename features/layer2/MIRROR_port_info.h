// The sniffer mode of one port as the port mirroring logic writes and checks
// it (one record per port, index port - 1).
#pragma once

#include "platform/system/WinTypes.h"

struct MIRROR_port_info
{
    BYTE bTx = 0;         // 1: the port is in the TX source set
    BYTE bRx = 0;         // 1: the port is in the RX source set
    int nTrunkGroup = 0;  // the port's link aggregation group, 0 for none
    BYTE bSkip = 0;       // working flag of the group check: 1 takes no part
};

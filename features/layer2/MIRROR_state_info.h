// What one read of the switch's mirroring settings found: handed to the port
// mirroring dialog for the time of one message.
#pragma once

#include "features/layer2/MIRROR_port_info.h"

#include <string>
#include <vector>

struct MIRROR_state_info
{
    int nEnabled = 0;                    // 1 when the state reads "1", 0 for "2", -1 for any other value
    std::string strTargetPort;           // as the switch gave it, "0" taken as "1"; empty when it names no port
    std::vector<MIRROR_port_info> ports; // one per port; only the source flags count
};

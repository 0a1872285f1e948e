#include "legacy/CLegacyTrunkGroups.h"

bool CLegacyTrunkGroups::WaitComplete(std::vector<int>& groups)
{
    m_cSnmpTrunkWalk.WaitDone();
    groups = GetTrunkPorts();
    return IsTrunkReady() != 0;
}

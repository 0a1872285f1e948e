// The link aggregation groups of the ports, as the legacy per-port dialogs
// judge them: the trunk member walk of CModuleBase on a session of its own,
// whose groups are published whole when the walk reaches the end of the table
// (a failed walk keeps the groups of the last complete one).
#pragma once

#include "common/CModuleBase.h"

#include <vector>

class CLegacyTrunkGroups : public CModuleBase
{
public:
    // Starts a walk of the trunk member table.
    void Start() { StartTrunkWalk(); }
    // Waits, bounded by the session's time-out, for a running walk to end;
    // true once a walk has read the whole table, with the groups of the last
    // such walk (index port - 1, 0 for none) in groups.
    bool WaitComplete(std::vector<int>& groups);
    // Drops a running walk's late replies; no call-back runs once it returns.
    void Close() { m_cSnmpTrunkWalk.Close(); }
};

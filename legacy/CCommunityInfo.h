// "SNMPv3 Community Information": the switch's community table
// (SNMP-COMMUNITY-MIB): community name, security name, context engine ID and
// storage type of every community. A frame dialog in the member form.
#pragma once

#include "legacy/CLegacyFrame.h"

class CCommunityInfo : public CLegacyFrame
{
public:
    explicit CCommunityInfo(CWnd* pParent = nullptr);

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
    // The engine ID column widens to the longest ID shown.
    void OnReadEnded() override;
};

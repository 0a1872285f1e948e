// "Router Table": the switch's IP routing table (ipRouteTable), route types
// and routing protocols as words, with the number of entries. A frame dialog
// in the heap form: it reads over SNMPv1 only, and reads each time its window
// is shown (the show posts it the Refresh command).
#pragma once

#include "legacy/CLegacyFrame.h"

class CRouterMap : public CLegacyFrame
{
public:
    explicit CRouterMap(CWnd* pParent = nullptr);

    // The words of ipRouteType and ipRouteProto values.
    static std::string RouteTypeWord(const std::string& value);
    static std::string RouteProtocolWord(const std::string& value);

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
};

// "802.1x Statistic Information": the EAPOL frame counters of every port
// (dot1xAuthStatsTable), list row p - 1 for port p, each value as its text;
// the last EAPOL frame's source, a MAC address, as hexadecimal pairs. A frame
// dialog in the member form; Refresh empties the list first.
#pragma once

#include "legacy/CLegacyFrame.h"

class C8021Status : public CLegacyFrame
{
public:
    explicit C8021Status(CWnd* pParent = nullptr);

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
};

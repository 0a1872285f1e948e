// "802.1x Statistic Information": the EAPOL frame counters of every port
// (dot1xAuthStatsTable), one row a port, each value as its text. A frame
// dialog in the member form; Refresh empties the list first.
#pragma once

#include "legacy/CLegacyFrame.h"

class C8021Status : public CLegacyFrame
{
public:
    explicit C8021Status(CWnd* pParent = nullptr);
};

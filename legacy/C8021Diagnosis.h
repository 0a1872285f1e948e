// "802.1x Diagnose Information": the authenticator state-machine
// diagnostics of every port (dot1xAuthDiagTable), one row a port, each value
// as its text. A frame dialog in the member form; Refresh empties the list first.
#pragma once

#include "legacy/CLegacyFrame.h"

class C8021Diagnosis : public CLegacyFrame
{
public:
    explicit C8021Diagnosis(CWnd* pParent = nullptr);
};

// The benchmark as an application: it starts net-snmp's agent and
// korvel-sim on free loopback ports, walks each with snmpwalk and with the
// library in interleaved rounds, prints the figures, and ends.
#pragma once

#include "platform/ui/CWinApp.h"

class BenchApp : public CWinApp
{
public:
    BenchApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    int m_nResult = 1;
};

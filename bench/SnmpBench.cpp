// korvel-bench [--rounds N]: SNMP walks of the library against net-snmp's
// snmpwalk, CPU and wall time per row. Not a test: run it by hand on a quiet
// machine (README).
#include "bench/BenchApp.h"

static BenchApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

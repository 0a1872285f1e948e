// korvel-module: manages one switch; started by the host with the switch's
// address and SNMP credentials on the command line.
#include <cstdio>

int main(int /*argc*/, char** /*argv*/)
{
    std::fprintf(stderr, "korvel-module: the application shell is not built yet\n");
    return 1;
}

// korvel-module: manages one switch; started by the host with the switch's
// address and SNMP credentials on the command line.
#include "app/CKorvelModuleApp.h"

CKorvelModuleApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

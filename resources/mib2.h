// Ids of the MIB-II table viewers (resources/mib2.rc).
#pragma once

// Interface table (CIntfList)
#define IDD_INTERFACE_TABLE             49
#define IDC_INTF_LIST                   1088
#define IDC_INTF_ENTRIES                1095
#define IDC_INTF_REFRESH                3

// IP Table (CIPAddrTable)
#define IDD_IP_TABLE                    208
#define IDC_IPADDR_LIST                 208
#define IDC_IPADDR_ENTRIES              209
#define IDC_IPADDR_REFRESH              103

// TCP Service (CTcpPortInfo)
#define IDD_TCP_SERVICE                 481
#define IDC_TCPINFO_LIST                234
#define IDC_TCPINFO_REFRESH             241

// UDP Service (CUdpPortInfo)
#define IDD_UDP_SERVICE                 482
#define IDC_UDPINFO_LIST                209
#define IDC_UDPINFO_REFRESH             241

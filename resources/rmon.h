// Ids of the RMON dialogs (resources/rmon.rc). One block per dialog, headed
// by the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// RMON Global Settings (CRmonStatus)
#define IDD_RMON_STATUS                 248
#define IDC_RMON_STATUS_APPLY           1001
#define IDC_RMON_STATUS_CLOSE           1002
#define IDC_RMON_STATUS_ENABLE          1274
#define IDC_RMON_STATUS_DISABLE         1275
#define IDC_RMON_STATUS_REFRESH         1276

// RMON Ethernet Statistics Configuration (CRMONEthernetStatistics)
#define IDD_RMON_ETHERNET_STATISTICS    249
#define IDC_RMON_ETHER_CLOSE            1001
#define IDC_RMON_ETHER_OWNER            1005
#define IDC_RMON_ETHER_APPLY            1149
#define IDC_RMON_ETHER_PORT             1264
#define IDC_RMON_ETHER_REFRESH          1279
#define IDC_RMON_ETHER_LIST             1282
#define IDC_RMON_ETHER_INDEX            1283

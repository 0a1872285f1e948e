// Ids of the IGMP snooping dialogs (resources/igmp.rc). One block per dialog,
// headed by the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// IGMP Snooping Configuration (CIGMPSnoopConfig)
#define IDD_IGMP_SNOOPING               211
#define IDC_IGMP_ENABLE                 6111
#define IDC_IGMP_REPORT_ALL             6112
#define IDC_IGMP_HOST_TIMEOUT           6113
#define IDC_IGMP_ROUTER_TIMEOUT         6114
#define IDC_IGMP_ROBUSTNESS             6115
#define IDC_IGMP_LAST_MEMBER            6116
#define IDC_IGMP_QUERY_INTERVAL         6117
#define IDC_IGMP_MAX_RESPONSE           6118
#define IDC_IGMP_APPLY                  6119
#define IDC_IGMP_REFRESH                6120
#define IDC_IGMP_VLAN_INFO              6121

// The VLAN Settings of IGMP snooping (CIGMPSnoopingVLANSetting). The port
// labels (7501 + i) and router-port check boxes (8001 + i) of port i + 1 are
// created at run time.
#define IDD_IGMP_VLAN_SETTING           612
#define IDC_IGMPV_LIST                  6131
#define IDC_IGMPV_VLAN_ID               6132
#define IDC_IGMPV_VLAN_NAME             6133
#define IDC_IGMPV_STATE                 6134
#define IDC_IGMPV_QUERIER               6135
#define IDC_IGMPV_FAST_LEAVE            6136
#define IDC_IGMPV_REFRESH               6137
#define IDC_IGMPV_VIEW_ENTRY            6138
#define IDC_IGMPV_ROUTER_TEXT           6139
#define IDC_IGMPV_ROUTER_GROUP          6140
#define IDC_IGMPV_APPLY                 1000
#define IDC_IGMPV_ROUTER_APPLY          1149
#define IDC_IGMPV_PORT_LABEL_FIRST      7501
#define IDC_IGMPV_ROUTER_PORT_FIRST     8001

// Multicast Entry Table (CIGMPMulticastEntryTable)
#define IDD_IGMP_ENTRY_TABLE            613
#define IDC_IGMPE_LIST                  6151
#define IDC_IGMPE_REFRESH               6152

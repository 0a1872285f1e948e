// Ids of the port, VLAN and link aggregation dialogs (resources/ports_vlans.rc).
// One block per dialog, headed by the dialog's name; a name belongs to one
// block and keeps one value.
#pragma once

// Port Configuration (CPortSetInfo)
#define IDD_PORT_SET_INFO               201
#define IDC_PORTSET_INFO_GROUP          83
#define IDC_PORTSET_LIST                201
#define IDC_PORTSET_CONFIG_GROUP        60535
#define IDC_PORTSET_PORT_ID_LABEL       1023
#define IDC_PORTSET_PORT_ID             216
#define IDC_PORTSET_SPEED_LABEL         560
#define IDC_PORTSET_SPEED               209
#define IDC_PORTSET_MDIX_LABEL          698
#define IDC_PORTSET_MDIX                1349
#define IDC_PORTSET_FLOW_LABEL          1019
#define IDC_PORTSET_FLOW_CONTROL        210
#define IDC_PORTSET_REFRESH             241
#define IDC_PORTSET_APPLY               242

// Port Description (CPortDescription)
#define IDD_PORT_DESCRIPTION            263
#define IDC_PORTDESC_LIST_GROUP         1254
#define IDC_PORTDESC_LIST               798
#define IDC_PORTDESC_CONFIG_GROUP       1255
#define IDC_PORTDESC_FROM_LABEL         1256
#define IDC_PORTDESC_FROM               458
#define IDC_PORTDESC_TO_LABEL           1257
#define IDC_PORTDESC_TO                 6125
#define IDC_PORTDESC_TEXT_LABEL         1259
#define IDC_PORTDESC_TEXT               497
#define IDC_PORTDESC_REFRESH            958
#define IDC_PORTDESC_APPLY              515
#define IDC_PORTDESC_CLOSE              325

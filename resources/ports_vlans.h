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

// Trunk Configuration (CTrunkConfigDlg)
#define IDD_TRUNK_CONFIG                487
#define IDC_TRUNK_ENABLE                1008
#define IDC_TRUNK_APPLY_STATE           1046
#define IDC_TRUNK_LIST                  201
#define IDC_TRUNK_ID                    215
#define IDC_TRUNK_MODE_LABEL            1017
#define IDC_TRUNK_MODE                  1018
#define IDC_TRUNK_REFRESH               241
#define IDC_TRUNK_PORT_MEMBER           1000
#define IDC_TRUNK_APPLY_MODE            242

// Trunk member (CKSXTrunkPort)
#define IDD_TRUNK_MEMBER                171
#define IDC_TRUNK_MEMBER_GROUP          1050
#define IDC_TRUNK_MEMBER_ID             1003
#define IDC_TRUNK_MEMBER_MODE_LABEL     1051
#define IDC_TRUNK_MEMBER_MODE           1004
#define IDC_TRUNK_MEMBER_PORTS          1052
// Run-time controls, one per port: check box of port p = first + p - 1.
#define IDC_TRUNK_MEMBER_CHECK_FIRST    2001
#define IDC_TRUNK_MEMBER_CHECK_LAST     2052
#define IDC_TRUNK_MEMBER_LABEL_FIRST    2501

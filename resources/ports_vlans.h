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

// 802.1Q VLAN Configuration (C8021qVlanSet)
#define IDD_8021Q_VLAN                  447
#define IDC_VLAN_ASYMMETRIC             1008
#define IDC_VLAN_APPLY                  1047
#define IDC_VLAN_LIST                   1341
#define IDC_VLAN_ADD                    1335
#define IDC_VLAN_EDIT                   1336
#define IDC_VLAN_DELETE                 1337
#define IDC_VLAN_REFRESH                1338
#define IDC_VLAN_PVID                   1339

// Add VLAN / Edit VLAN (CKSXVlanAdd)
#define IDD_VLAN_ADD                    172
#define IDC_VLANADD_ID_GROUP            1059
#define IDC_VLANADD_VID                 1054
#define IDC_VLANADD_NAME                1053
#define IDC_VLANADD_ADVERTISEMENT       1126
#define IDC_VLANADD_MEMBER_GROUP        1055
#define IDC_VLANADD_TAGGED_LABEL        1110
#define IDC_VLANADD_UNTAGGED_LABEL      1056
#define IDC_VLANADD_NOT_MEMBER_LABEL    1057
#define IDC_VLANADD_FORBIDDEN_LABEL     1127
// Run-time controls, one per port: the control of port p is first + p - 1.
#define IDC_VLANADD_UNTAGGED_FIRST      3001
#define IDC_VLANADD_UNTAGGED_LAST       3052
#define IDC_VLANADD_TAGGED_FIRST        3501
#define IDC_VLANADD_TAGGED_LAST         3552
#define IDC_VLANADD_NOT_MEMBER_FIRST    4001
#define IDC_VLANADD_NOT_MEMBER_LAST     4052
#define IDC_VLANADD_PORT_LABEL_FIRST    4501
#define IDC_VLANADD_FORBIDDEN_FIRST     4801
#define IDC_VLANADD_FORBIDDEN_LAST      4852

// Auto Surveillance VLAN Settings (CCameraVlanSetting)
#define IDD_SURVEILLANCE_VLAN           220
#define IDC_SURV_ENABLE                 1214
#define IDC_SURV_VLAN_ID                1114
#define IDC_SURV_PRIORITY               219
#define IDC_SURV_PORTS                  1113
#define IDC_SURV_APPLY                  1216
#define IDC_SURV_COMPONENT_TYPE         1218
#define IDC_SURV_DESCRIPTION            1005
#define IDC_SURV_MODE                   1112
#define IDC_SURV_ADDRESS                1212
#define IDC_SURV_ADD                    1001
#define IDC_SURV_LIST                   1209
#define IDC_SURV_DELETE                 1003
#define IDC_SURV_REFRESH                1044
#define IDC_SURV_CLOSE                  1128
#define IDC_SURV_HIDDEN_LIST            1202

// Auto Surveillance VLAN OUI Settings (CCameraVLANOUISetting)
#define IDD_SURVEILLANCE_OUI            222
#define IDC_SURVOUI_DESCRIPTION         1005
#define IDC_SURVOUI_ADDRESS             1212
#define IDC_SURVOUI_ADD                 1001
#define IDC_SURVOUI_LIST                1209
#define IDC_SURVOUI_DELETE              1003
#define IDC_SURVOUI_REFRESH             1044
#define IDC_SURVOUI_CLOSE               1128

// PVID Configuration (CKSXPVIDConfig)
#define IDD_PVID_CONFIG                 173
#define IDC_PVID_GROUP                  1058
#define IDC_PVID_REFRESH                1044
// Run-time controls, one per port: the control of port p is first + p - 1.
#define IDC_PVID_PORT_LABEL_FIRST       4501
#define IDC_PVID_EDIT_FIRST             5001
#define IDC_PVID_EDIT_LAST              5052

// IEEE 802.1Q Management VLAN Configuration (CManagVlanSetDlg)
#define IDD_MANAGEMENT_VLAN             223
#define IDC_MGMTVLAN_ENABLE             1161
#define IDC_MGMTVLAN_DISABLE            1162
#define IDC_MGMTVLAN_VID                1192
#define IDC_MGMTVLAN_NAME               12120
#define IDC_MGMTVLAN_REFRESH            1044

// GVRP Settings (CGVRPSettings)
#define IDD_GVRP_SETTINGS               226
#define IDC_GVRP_FROM_PORT              1100
#define IDC_GVRP_TO_PORT                211
#define IDC_GVRP_PVID                   1235
#define IDC_GVRP_APPLY                  1149
#define IDC_GVRP_STATE                  1236
#define IDC_GVRP_INGRESS                1238
#define IDC_GVRP_FRAME_TYPE             1237
#define IDC_GVRP_REFRESH                1044
#define IDC_GVRP_LIST                   1234

// GVRP Global Settings (CGVRPTime)
#define IDD_GVRP_TIME                   227
#define IDC_GVRPTIME_ENABLED            1232
#define IDC_GVRPTIME_DISABLED           1233
#define IDC_GVRPTIME_JOIN               1240
#define IDC_GVRPTIME_LEAVE              1241
#define IDC_GVRPTIME_LEAVEALL           1005
#define IDC_GVRPTIME_APPLY              1000
#define IDC_GVRPTIME_REFRESH            1044
#define IDC_GVRPTIME_CLOSE              1128
#define IDC_GVRPTIME_APPLY_HIDDEN       1239

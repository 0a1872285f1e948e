// Ids of the legacy configuration dialogs (resources/legacy_config.rc). One block per dialog,
// headed by the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// Bridge Config (CSpanTreeBridgeParam)
#define IDD_LEGACY_STP_BRIDGE           85
#define IDC_LSTPB_MAX_AGE               11
#define IDC_LSTPB_PRIORITY_VALUE        12
#define IDC_LSTPB_FORWARD_DELAY         13
#define IDC_LSTPB_HELLO_TIME            14
#define IDC_LSTPB_PRIORITY              1007
#define IDC_LSTPB_RSTP                  1008
#define IDC_LSTPB_PORT_SETTING          1048
#define IDC_LSTPB_REFRESH               1044
#define IDC_LSTPB_VERSION               1085
#define IDC_LSTPB_ROOT                  1189
#define IDC_LSTPB_TOPO_TIME             1190
#define IDC_LSTPB_TOPO_CHANGES          1191
#define IDC_LSTPB_FWD_DELAY_NOW         1192
#define IDC_LSTPB_HELLO_NOW             1193
#define IDC_LSTPB_HOLD_TIME             1194
#define IDC_LSTPB_ROOT_PORT             1195

// Spanning Tree Table (CSpanTree)
#define IDD_LEGACY_STP_TABLE            83
#define IDC_LSTPT_REFRESH               3
#define IDC_LSTPT_PORT_CONFIG           101
#define IDC_LSTPT_BRIDGE_CONFIG         102
#define IDC_LSTPT_COUNT                 301
#define IDC_LSTPT_LIST                  1088

// Port Config (CSpanTreePortParam)
#define IDD_LEGACY_STP_PORT             84
#define IDC_LSTPP_APPLY                 3
#define IDC_LSTPP_PRIORITY_VALUE        12
#define IDC_LSTPP_PATH_COST             23
#define IDC_LSTPP_PORT_BOX              341
#define IDC_LSTPP_PORT_LABEL            561
#define IDC_LSTPP_ENABLE_LABEL2         721
#define IDC_LSTPP_PORT                  911
#define IDC_LSTPP_PRIORITY              1007
#define IDC_LSTPP_ENABLE                1009
#define IDC_LSTPP_REFRESH               1044
#define IDC_LSTPP_PREV                  1111
#define IDC_LSTPP_DESIG_PORT            1184
#define IDC_LSTPP_FORWARDINGS           1185
#define IDC_LSTPP_DESIG_COST            1186
#define IDC_LSTPP_DESIG_BRIDGE          1187
#define IDC_LSTPP_STATUS                1188
#define IDC_LSTPP_DESIG_ROOT            1189
#define IDC_LSTPP_NEXT                  2222

// 802.1X Statistic Information (C8021Config)
#define IDD_LEGACY_8021X_CONFIG         468
#define IDC_L8021X_APPLY                242
#define IDC_L8021X_REFRESH              103
#define IDC_L8021X_PORTSET              1000
#define IDC_L8021X_TX_PERIOD            1003
#define IDC_L8021X_KEY                  1004
#define IDC_L8021X_CONFIRM_KEY          1005
#define IDC_L8021X_QUIET_PERIOD         1008
#define IDC_L8021X_SUPP_TIMEOUT         1009
#define IDC_L8021X_LIST                 1011
#define IDC_L8021X_ENABLE               1012
#define IDC_L8021X_SERVER_IP            1013
#define IDC_L8021X_REAUTH_ENABLED       1040
#define IDC_L8021X_SERVER_TIMEOUT       1041
#define IDC_L8021X_MAX_REQ              1042
#define IDC_L8021X_REAUTH_PERIOD        1043

// Auto Camera Vlan Port Settings (CCameraVlanPortSetting)
#define IDD_LEGACY_CAMERA_VLAN_PORT     221
#define IDC_LCAM_TO_PORT                211
#define IDC_LCAM_APPLY                  1000
#define IDC_LCAM_DETECTION              1009
#define IDC_LCAM_REFRESH                1044
#define IDC_LCAM_VLAN_ID                1054
#define IDC_LCAM_FROM_PORT              1100
#define IDC_LCAM_LIST                   1205

// Multicast Filtering Mode Configuration (CMultiFilterModePerPortConfig)
#define IDD_LEGACY_MULTI_FILTER_MODE    267
#define IDC_LMF_TO_PORT                 1008
#define IDC_LMF_MODE                    1125
#define IDC_LMF_LIST                    1126
#define IDC_LMF_FROM_PORT               1351
#define IDC_LMF_APPLY                   1352
#define IDC_LMF_REFRESH                 1353
#define IDC_LMF_CLOSE                   1354

// IGMP Router Ports Settings (CIGMPRouterPortsSettings)
#define IDD_LEGACY_IGMP_ROUTER_PORTS    206
#define IDC_LIGMP_APPLY                 1000
#define IDC_LIGMP_CLOSE                 1128
#define IDC_LIGMP_VLAN_NAME             12120
#define IDC_LIGMP_VID                   12121

// Web Service Configuration (CWebConfigDlg)
#define IDD_WEB_CONFIG                  500
#define IDC_WEB_LIST                    202
#define IDC_WEB_HOST_IP                 203
#define IDC_WEB_INDEX                   204
#define IDC_WEB_IDLE_TIMEOUT            205
#define IDC_WEB_UDP_PORT                206
#define IDC_WEB_SEVERITY                207
#define IDC_WEB_FACILITY                211
#define IDC_WEB_STATUS                  212
#define IDC_WEB_REFRESH                 241
#define IDC_WEB_APPLY                   242
#define IDC_WEB_HIDDEN_243              243

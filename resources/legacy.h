// Ids of the legacy viewers and configuration dialogs (resources/legacy.rc).
// One block per dialog, headed by the dialog's name; a name belongs to one
// block and keeps one value. Buttons that several dialogs share come first.
#pragma once

// Shared buttons
#define IDC_LEGACY_REFRESH_V3           241
#define IDC_LEGACY_REFRESH_8021X        103

// SNMPv3 Engine Information (CEngineInfo)
#define IDD_ENGINE_INFO                 471
#define IDC_ENGINE_ID                   249
#define IDC_ENGINE_BOOTS                250
#define IDC_ENGINE_TIME                 251
#define IDC_ENGINE_MAX_MSG_SIZE         252

// SNMPv3 Community Information (CCommunityInfo)
#define IDD_COMMUNITY_INFO              472
#define IDC_COMMUNITY_LIST              253

// SNMPv3 Group Information (CGroupInfo)
#define IDD_GROUP_INFO                  473
#define IDC_GROUP_LIST                  254

// SNMPv3 Access Information (CAccessInfo)
#define IDD_ACCESS_INFO                 474
#define IDC_ACCESS_LIST                 255

// SNMP MIB Access Control Information (CMibTreeInfo)
#define IDD_MIB_TREE_INFO               475
#define IDC_MIB_TREE_LIST               256

// SNMPv3 User Information (CUserInfo)
#define IDD_USER_INFO                   476
#define IDC_USER_LIST                   257

// 802.1x Statistic Information (C8021Status)
#define IDD_8021X_STATUS                466
#define IDC_8021X_STATUS_LIST           1009

// 802.1x Diagnose Information (C8021Diagnosis)
#define IDD_8021X_DIAGNOSIS             467
#define IDC_8021X_DIAGNOSIS_LIST        1010

// Router Table (CRouterMap)
#define IDD_ROUTER_MAP                  411
#define IDC_ROUTER_LIST                 1194
#define IDC_ROUTER_COUNT                1195
#define IDC_ROUTER_REFRESH              3

// Syslog and software-package viewers (CSyslogInfoDlg, CHisSyslogInfoDlg,
// CSwPackageInfoDlg, CSyslogAppInfoDlg): one layout
#define IDD_SYSLOG_INFO                 493
#define IDD_HIS_SYSLOG_INFO             494
#define IDD_SW_PACKAGE_INFO             495
#define IDD_SYSLOG_APP_INFO             498
#define IDC_SYSLOG_VIEW_LIST                 1088
#define IDC_SYSLOG_COUNT                1095
#define IDC_SYSLOG_VIEW_REFRESH              3

// Device Information (CDeviceInfo)
#define IDD_DEVICE_INFO                 382
#define IDC_DEVICE_POWER_LIST           201
#define IDC_DEVICE_HTTP_PORT            245
#define IDC_DEVICE_PORT_COUNT           246
#define IDC_DEVICE_USER_PORT            247
#define IDC_DEVICE_LOOPBACK_PORT        248

// Resource Information (CResourceInfo)
#define IDD_RESOURCE_INFO               384
#define IDC_RESOURCE_MIB_TREE_LIST      202
#define IDC_RESOURCE_CPU_LIST           203

// RMON 1 Statistic Info (CStatisticRmon1) and its entry dialog (CRmon1Entry)
#define IDD_RMON1_STATISTIC             54
#define IDC_RMON1_LIST                  1009
#define IDC_RMON1_ADD                   1090
#define IDC_RMON1_DELETE                5
#define IDC_RMON1_REFRESH               3
#define IDC_RMON1_PARAMETER             514
#define IDC_RMON1_INTERFACE             515
#define IDC_RMON1_COUNT                 301
#define IDD_RMON1_ENTRY                 64
#define IDC_RMON1_ENTRY_INDEX           900
#define IDC_RMON1_ENTRY_INTERFACE       901
#define IDC_RMON1_ENTRY_PROPERTY        902

// RMON 1 counter views (CStatisticRmonCnt, CStatisticRmonInf)
#define IDD_RMON1_GROUP                 55
#define IDC_RMON1_GROUP_COUNTER         2005
#define IDC_RMON1_PREV_GROUP            1183
#define IDC_RMON1_NEXT_GROUP            5015
#define IDC_RMON1_GROUP_REFRESH         1002
#define IDC_RMON1_CHART                 1015
#define IDC_RMON1_ITEM_FIRST            1149
#define IDC_RMON1_VALUE_FIRST           101
#define IDD_RMON1_INTERFACE             56
#define IDC_RMON1_INTERFACE_REFRESH     1126

// Trunk Information (CTrunkInfoDlg), VLAN Configuration (CVlanInfoDlg) and
// RMON Control (CRmonControlDlg): one layout of scalars
#define IDD_RMON_CONTROL                485
#define IDD_TRUNK_INFO                  486
#define IDD_VLAN_INFO                   491
#define IDC_INFO_EDIT_1310              1310
#define IDC_INFO_EDIT_1312              1312
#define IDC_INFO_EDIT_1313              1313
#define IDC_INFO_EDIT_1314              1314
#define IDC_INFO_EDIT_1315              1315
#define IDC_INFO_EDIT_1316              1316
#define IDC_INFO_CHECK_1008             1008
#define IDC_INFO_CHECK_1009             1009
#define IDC_INFO_CHECK_1098             1098
#define IDC_INFO_CHECK_1099             1099
#define IDC_INFO_CHECK_1102             1102
#define IDC_INFO_STATIC_1302            1302
#define IDC_INFO_STATIC_1303            1303
#define IDC_INFO_STATIC_1304            1304
#define IDC_INFO_REFRESH                103
#define IDC_INFO_APPLY                  1145
#define IDC_INFO_CLOSE                  1146

// Device Configure (CDeviceCfgDlg)
#define IDD_DEVICE_CFG                  484
#define IDC_DEVCFG_APPLY                3
#define IDC_DEVCFG_REFRESH              4
#define IDC_DEVCFG_VALUE                1007
#define IDC_DEVCFG_CONFIG_LIST          1009
#define IDC_DEVCFG_INFO_LIST            1088

// Syslog Configuration (CSyslogCfgDlg)
#define IDD_SYSLOG_CFG                  492
#define IDC_SYSCFG_CONSOLE              211
#define IDC_SYSCFG_FILE                 214
#define IDC_SYSCFG_CACHE                215
#define IDC_SYSCFG_ENABLE               1008
#define IDC_SYSCFG_CLEAR_LOGFILE        1009
#define IDC_SYSCFG_CLEAR_CACHE          1098
#define IDC_SYSCFG_REFRESH              103
#define IDC_SYSCFG_APPLY                1145
#define IDC_SYSCFG_CLOSE                1146

// Telnet Configuration (CTelnetCfgDlg)
#define IDD_TELNET_CFG                  496
#define IDC_TELNET_SESSION_LIST         201
#define IDC_TELNET_HIDDEN_203           203
#define IDC_TELNET_HIDDEN_205           205
#define IDC_TELNET_HIDDEN_206           206
#define IDC_TELNET_STATUS               209
#define IDC_TELNET_HIDDEN_210           210
#define IDC_TELNET_HIDDEN_213           213
#define IDC_TELNET_PASSWORD             214
#define IDC_TELNET_SESSION_ID           215
#define IDC_TELNET_HIDDEN_216           216
#define IDC_TELNET_HIDDEN_217           217
#define IDC_TELNET_TIMEOUT              218
#define IDC_TELNET_REFRESH              241
#define IDC_TELNET_APPLY_STATUS         242
#define IDC_TELNET_APPLY_SETTINGS       243

// CLI Configuration (CCLIControlDlg)
#define IDD_CLI_CONTROL                 489
#define IDC_CLI_TIMEOUT                 1310
#define IDC_CLI_HISTORY_SIZE            1312
#define IDC_CLI_SSH_TIMEOUT             1313
#define IDC_CLI_TELNET_TIMEOUT          1314
#define IDC_CLI_TELNET_HISTORY_SIZE     1315
#define IDC_CLI_SSH_HISTORY_SIZE        1316
#define IDC_CLI_HISTORY_ENABLE          1008
#define IDC_CLI_TELNET_HISTORY_ENABLE   1009
#define IDC_CLI_SSH_HISTORY_ENABLE      1098
#define IDC_CLI_HIDDEN_1099             1099
#define IDC_CLI_HIDDEN_1102             1102
#define IDC_CLI_HIDDEN_1302             1302
#define IDC_CLI_HIDDEN_1303             1303
#define IDC_CLI_HIDDEN_1304             1304
#define IDC_CLI_REFRESH                 103
#define IDC_CLI_APPLY                   1145
#define IDC_CLI_CLOSE                   1146

// Device Parameter Configuration (SetupDlg)
#define IDD_SETUP_DEVICE                134
#define IDC_SETUP_HIDDEN_CHECK1         1007
#define IDC_SETUP_HIDDEN_CHECK2         1010
#define IDC_SETUP_TIMEOUT               1011
#define IDC_SETUP_HIDDEN_IP             1012
#define IDC_SETUP_DEVICE_IP             1013
#define IDC_SETUP_APPLY                 3

// DHCP BOOTP Relay Global Settings (CDHCPBOOTPRelayGlobalDlg)
#define IDD_DHCP_RELAY_GLOBAL           243
#define IDC_DHCPR_OPTION82_STATE        212
#define IDC_DHCPR_REMOTE_ID             1160
#define IDC_DHCPR_APPLY                 1314
#define IDC_DHCPR_REFRESH               1315
#define IDC_DHCPR_HOPS                  3763
#define IDC_DHCPR_RELAY_STATE           12123
#define IDC_DHCPR_THRESHOLD             12125
#define IDC_DHCPR_CHECK                 12126
#define IDC_DHCPR_POLICY                12127
#define IDC_DHCPR_REMOTE_ID_TYPE        12128

// DHCP/BOOTP Relay Interface Settings (CDHCPBOOTPRelayInterfaceDlg)
#define IDD_DHCP_RELAY_INTERFACE        244
#define IDC_DHCPRI_APPLY                1000
#define IDC_DHCPRI_DELETE               1001
#define IDC_DHCPRI_CLOSE                1005
#define IDC_DHCPRI_SERVER               1012
#define IDC_DHCPRI_REFRESH              1149
#define IDC_DHCPRI_LIST                 12130
#define IDC_DHCPRI_INTERFACE            12131

// DHCP Local Relay Settings (CDHCPLocalRelayDlg)
#define IDD_DHCP_LOCAL_RELAY            246
#define IDC_DHCPLR_REFRESH              1044
#define IDC_DHCPLR_VLAN_NAME            1053
#define IDC_DHCPLR_VID                  1192
#define IDC_DHCPLR_APPLY_GLOBAL         1312
#define IDC_DHCPLR_APPLY_VLAN           1313
#define IDC_DHCPLR_ENABLE               12133
#define IDC_DHCPLR_LIST                 12134
#define IDC_DHCPLR_STATE                12135

// DHCP Information (CDHCPInfoDlg)
#define IDD_DHCP_INFO                   488
#define IDC_DHCPI_REFRESH               103
#define IDC_DHCPI_MIB_VERSION           1310
#define IDC_DHCPI_RELAY_EXISTS          1312
#define IDC_DHCPI_SERVER_EXISTS         1313
#define IDC_DHCPI_HIDDEN_EDIT           1314
#define IDC_DHCPI_APPLY                 1145
#define IDC_DHCPI_CLOSE                 1146
#define IDC_DHCPI_HIDDEN_CHECK1         1147
#define IDC_DHCPI_HIDDEN_CHECK2         1148
#define IDC_DHCPI_HIDDEN_CHECK3         1150
#define IDC_DHCPI_HIDDEN_CHECK4         1151
#define IDC_DHCPI_HIDDEN_CHECK5         1152
#define IDC_DHCPI_HIDDEN_STATIC1        1153
#define IDC_DHCPI_HIDDEN_STATIC2        1154
#define IDC_DHCPI_HIDDEN_STATIC3        1155

// DHCP Server Screening Port Settings (CDHCPServerConfig)
#define IDD_DHCP_SCREEN_PORTS           194
#define IDC_DHCPSC_APPLY                1000
#define IDC_DHCPSC_REFRESH              1001
#define IDC_DHCPSC_LIST                 1120
#define IDC_DHCPSC_FROM                 1122
#define IDC_DHCPSC_TO                   1123
#define IDC_DHCPSC_CLOSE                1128
#define IDC_DHCPSC_STATE                212

// ARP Information (CArpTable)
#define IDD_ARP_TABLE                   81
#define IDC_ARPT_PRINT                  12
#define IDC_ARPT_REFRESH                103
#define IDC_ARPT_COUNT                  1143
#define IDC_ARPT_LIST                   1144

// Ids of the switch's SNMP agent pages (resources/snmp_agent.rc). One block
// per dialog, headed by the dialog's name; a name belongs to one block and
// keeps one value. The pages share the ids of their common buttons.
#pragma once

// Buttons several pages share
#define IDC_SNMP_APPLY                  1000
#define IDC_SNMP_CANCEL                 1025

// SNMP View Table Configuration (CSNMPViewTree)
#define IDD_SNMP_VIEW                   203
#define IDC_SNMP_VIEW_ADD               1001
#define IDC_SNMP_VIEW_DELETE            1006
#define IDC_SNMP_VIEW_REFRESH           1044
#define IDC_SNMP_VIEW_CLOSE             1128
#define IDC_SNMP_VIEW_LIST              1167
#define IDC_SNMP_VIEW_NAME              1168
#define IDC_SNMP_VIEW_SUBTREE           1169
#define IDC_SNMP_VIEW_MASK              1170
#define IDC_SNMP_VIEW_TYPE              1171

// SNMP Group Table Info (CSNMPGroup)
#define IDD_SNMP_GROUP                  200
#define IDC_SNMP_GROUP_DELETE           1002
#define IDC_SNMP_GROUP_WRITE_VIEW       1005
#define IDC_SNMP_GROUP_REFRESH          1008
#define IDC_SNMP_GROUP_LIST             1150
#define IDC_SNMP_GROUP_NAME             1172
#define IDC_SNMP_GROUP_READ_VIEW        1173
#define IDC_SNMP_GROUP_MODEL            1174
#define IDC_SNMP_GROUP_LEVEL            1175
#define IDC_SNMP_GROUP_NOTIFY_VIEW      1176
#define IDC_SNMP_GROUP_ADD              1177
#define IDC_SNMP_GROUP_CLOSE            1178
#define IDC_SNMP_GROUP_APPLY            1179
#define IDC_SNMP_GROUP_CANCEL           1180

// SNMP User Table (CSNMPUser)
#define IDD_SNMP_USER                   198
#define IDC_SNMP_USER_DELETE            1001
#define IDC_SNMP_USER_REFRESH           1002
#define IDC_SNMP_USER_AUTH_PASSWORD     1007
#define IDC_SNMP_USER_PRIV_PASSWORD     1008
#define IDC_SNMP_USER_CLOSE             1128
#define IDC_SNMP_USER_LIST              1145
#define IDC_SNMP_USER_ADD               1146
#define IDC_SNMP_USER_ENCRYPTED         1148
#define IDC_SNMP_USER_GROUP             1172
#define IDC_SNMP_USER_CANCEL            1180
#define IDC_SNMP_USER_NAME              1183
#define IDC_SNMP_USER_VERSION           1184
#define IDC_SNMP_USER_AUTH_PROTOCOL     1185
#define IDC_SNMP_USER_PRIV_PROTOCOL     1186

// SNMP Community Table Configuration (CSNMPCommunity)
#define IDD_SNMP_COMMUNITY              204
#define IDC_SNMP_COMMUNITY_LIST         1152
#define IDC_SNMP_COMMUNITY_NAME         1157
#define IDC_SNMP_COMMUNITY_USER         1158
#define IDC_SNMP_COMMUNITY_CLOSE        1178
#define IDC_SNMP_COMMUNITY_APPLY        1187
#define IDC_SNMP_COMMUNITY_CANCEL       1188
#define IDC_SNMP_COMMUNITY_ADD          1189
#define IDC_SNMP_COMMUNITY_DELETE       1190
#define IDC_SNMP_COMMUNITY_REFRESH      1191

// SNMP Host Table (CSNMPHost)
#define IDD_SNMP_HOST                   205
#define IDC_SNMP_HOST_ADD               1001
#define IDC_SNMP_HOST_DELETE            1003
#define IDC_SNMP_HOST_ADDRESS           1023
#define IDC_SNMP_HOST_REFRESH           1044
#define IDC_SNMP_HOST_CLOSE             1128
#define IDC_SNMP_HOST_LIST              1156
#define IDC_SNMP_HOST_VERSION           1162
#define IDC_SNMP_HOST_NAME              1163

// SNMP Trap Configuration (CSNMPTrapSetting)
#define IDD_SNMP_TRAP                   207
#define IDC_SNMP_TRAP_POE_POWER         1010
#define IDC_SNMP_TRAP_LINK              1011
#define IDC_SNMP_TRAP_DUPLICATE_IP      1012
#define IDC_SNMP_TRAP_FIRMWARE          1013
#define IDC_SNMP_TRAP_RSTP              1014
#define IDC_SNMP_TRAP_CPU               1152
#define IDC_SNMP_TRAP_POE_ERROR         1181
#define IDC_SNMP_TRAP_POE_BUDGET        1182
#define IDC_SNMP_TRAP_AUTH              1195
#define IDC_SNMP_TRAP_BOOTUP            1196
#define IDC_SNMP_TRAP_APPLY             1197
#define IDC_SNMP_TRAP_CLOSE             1198
#define IDC_SNMP_TRAP_LOOPBACK          1347

// SNMP Global State Settings (CSNMPGlobal)
#define IDD_SNMP_GLOBAL                 209
#define IDC_SNMP_GLOBAL_STATE           1155

// SNMP Engine ID (CSNMPEngineID)
#define IDD_SNMP_ENGINE_ID              210
#define IDC_SNMP_ENGINE_DEFAULT         1150
#define IDC_SNMP_ENGINE_LABEL           1154
#define IDC_SNMP_ENGINE_TEXT            1160
#define IDC_SNMP_ENGINE_CLOSE           1199

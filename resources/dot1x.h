// Ids of the 802.1X dialogs (resources/dot1x.rc). One block per dialog,
// headed by the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// 802.1X Global Settings (C8021XGlobalDlg)
#define IDD_8021X_GLOBAL                215
#define IDC_8021X_AUTH_ENABLED          1137
#define IDC_8021X_FORWARD_ENABLED       1138
#define IDC_8021X_FORWARD_DISABLED      1139
#define IDC_8021X_AUTH_DISABLED         1140
#define IDC_8021X_PROTOCOL              1141
#define IDC_8021X_GLOBAL_REFRESH        1000

// 802.1X Port Settings (C8021XPortSettings)
#define IDD_8021X_PORT_SETTINGS         234
#define IDC_8021X_TX_PERIOD             1003
#define IDC_8021X_TO_PORT               1008
#define IDC_8021X_SUPP_TIMEOUT          1009
#define IDC_8021X_MAX_REQ               1042
#define IDC_8021X_REAUTH_PERIOD         1043
#define IDC_8021X_PORT_LIST             1295
#define IDC_8021X_QUIET_PERIOD          1304
#define IDC_8021X_SERVER_TIMEOUT        1305
#define IDC_8021X_REAUTH                1310
#define IDC_8021X_PORT_CONTROL          1311
#define IDC_8021X_CAPABILITY            1312
#define IDC_8021X_DIRECTION             1313
#define IDC_8021X_FROM_PORT             1317
#define IDC_8021X_PORT_APPLY            1149
#define IDC_8021X_PORT_REFRESH          1000

// 802.1X Port Configuration (Dot1xPortConfig)
#define IDD_DOT1X_PORT_CONFIG           868
#define IDC_DOT1X_FROM_PORT             1007
#define IDC_DOT1X_REFRESH               1044
#define IDC_DOT1X_LIST                  1045
#define IDC_DOT1X_TO_PORT               1085
#define IDC_DOT1X_CONTROL               1087

// 802.1X User (C8021XUserDLG)
#define IDD_8021X_USER                  253
#define IDC_8021X_USER_ADD              1001
#define IDC_8021X_USER_DELETE           1003
#define IDC_8021X_USER_CONFIRM          1005
#define IDC_8021X_USER_REFRESH          1044
#define IDC_8021X_USER_CLOSE            1128
#define IDC_8021X_USER_NAME             1319
#define IDC_8021X_USER_PASSWORD         1320
#define IDC_8021X_USER_LIST             1322
#define IDC_8021X_USER_TOTAL            1370

// Authentication RADIUS Server (C8021XAuRadiusServerDLG)
#define IDD_8021X_RADIUS                254
#define IDC_RADIUS_APPLY                1000
#define IDC_RADIUS_KEY                  1004
#define IDC_RADIUS_ACCT_PORT            1005
#define IDC_RADIUS_RETRANSMIT           1008
#define IDC_RADIUS_CONFIRM_KEY          1011
#define IDC_RADIUS_REFRESH              1044
#define IDC_RADIUS_CLOSE                1128
#define IDC_RADIUS_LIST                 1324
#define IDC_RADIUS_INDEX                1325
#define IDC_RADIUS_TIMEOUT              1327
#define IDC_RADIUS_AUTH_PORT            1328
#define IDC_RADIUS_DELETE               1329
#define IDC_RADIUS_ADDRESS              1371

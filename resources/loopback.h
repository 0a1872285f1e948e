// Ids of the loopback detection dialog (resources/loopback.rc).
#pragma once

// Loopback Detection Settings (CLoopbackDetection)
#define IDD_LOOPBACK_DETECTION          228
#define IDC_LBD_ENABLED                 3101
#define IDC_LBD_DISABLED                3102
#define IDC_LBD_MODE                    3103
#define IDC_LBD_VLAN_LIST               3104
#define IDC_LBD_INTERVAL                3105
#define IDC_LBD_RECOVER_TIME            3106
#define IDC_LBD_APPLY_GLOBAL            3107
#define IDC_LBD_FROM_PORT               3108
#define IDC_LBD_TO_PORT                 3109
#define IDC_LBD_PORT_STATE              3110
#define IDC_LBD_APPLY_PORTS             3111
#define IDC_LBD_REFRESH                 3112
#define IDC_LBD_LIST                    3113

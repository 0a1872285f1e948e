// Ids of the static MAC dialog (resources/static_mac.rc).
#pragma once

// Static MAC Configuration (CStaticMACDlg)
#define IDD_STATIC_MAC                  154
#define IDC_SMAC_LEARN_ENABLED          3151
#define IDC_SMAC_LEARN_DISABLED         3152
#define IDC_SMAC_UPLINK                 3153
#define IDC_SMAC_APPLY                  3154
#define IDC_SMAC_PORT                   3155
#define IDC_SMAC_MAC                    3156
#define IDC_SMAC_VID                    3157
#define IDC_SMAC_ADD                    3158
#define IDC_SMAC_LIST                   3159
#define IDC_SMAC_DELETE                 3160
#define IDC_SMAC_REFRESH                3161
#define IDC_SMAC_CLOSE                  3162

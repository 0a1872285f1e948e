// Ids of the PoE dialogs (resources/poe.rc). One block per dialog, headed by
// the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// PoE Configuration: the PoE port table (CPOEConfigDlg)
#define IDD_POE_CONFIG                  490
#define IDC_POE_LIST                    201
#define IDC_POE_TO_PORT                 211
#define IDC_POE_STATE                   212
#define IDC_POE_PRIORITY                219
#define IDC_POE_REFRESH                 241
#define IDC_POE_APPLY                   242
#define IDC_POE_POWER_LIMIT             1065
#define IDC_POE_USER_DEFINE             1066
#define IDC_POE_FROM_PORT               1069
#define IDC_POE_WATTS                   1070
#define IDC_POE_TIME_RANGE              1085

// PoE Global Settings (CPOEGlobal)
#define IDD_POE_GLOBAL                  218
#define IDC_POEG_BUDGET                 1005
#define IDC_POEG_USED                   1006
#define IDC_POEG_LEFT                   1008
#define IDC_POEG_PERCENTAGE             1009
#define IDC_POEG_THRESHOLD              1155
#define IDC_POEG_SEQUENCE               1156
#define IDC_POEG_RPS_STATUS             1157
#define IDC_POEG_APPLY                  1158

// Time Range Information: the PoE time range list (TimeRangInfo)
#define IDD_POE_TIME_RANGES             177
#define IDC_TR_REFRESH                  103
#define IDC_TR_ADD                      1001
#define IDC_TR_EDIT                     1002
#define IDC_TR_DELETE                   1003
#define IDC_TR_LIST                     1080

// Time Based PoE Config: one PoE time range (TimeBasedConfig)
#define IDD_POE_TIME_RANGE_EDIT         175
#define IDC_TRE_FROM_YEAR               1008
#define IDC_TRE_TO_YEAR                 1009
#define IDC_TRE_TO_DAY                  1010
#define IDC_TRE_FROM_DAY                1011
#define IDC_TRE_TO_MONTH                1012
#define IDC_TRE_START_MINUTE            1013
#define IDC_TRE_START_HOUR              1014
#define IDC_TRE_END_MINUTE              1015
#define IDC_TRE_END_HOUR                1016
#define IDC_TRE_DATE                    1071
#define IDC_TRE_NAME                    1073
#define IDC_TRE_APPLY                   1079
#define IDC_TRE_FROM_MONTH              1086
#define IDC_TRE_MONDAY                  1087
#define IDC_TRE_TUESDAY                 1088
#define IDC_TRE_FRIDAY                  1089
#define IDC_TRE_ALL_DAYS                1090
#define IDC_TRE_WEDNESDAY               1100
#define IDC_TRE_THURSDAY                1101
#define IDC_TRE_SATURDAY                1103
#define IDC_TRE_SUNDAY                  1104

// Ids of the power saving and time profile dialogs (resources/power_saving.rc).
// One block per dialog, headed by the dialog's name; a name belongs to one
// block and keeps one value.
#pragma once

// Power Saving Settings: link status detection and the kinds of power saving
// (CPowerSaveDlg)
#define IDD_POWER_SAVING                129
#define IDC_PS_CABLE_LENGTH             1001
#define IDC_PS_LINK_STATUS              1002
#define IDC_PS_TYPE                     1004
#define IDC_PS_PROFILE2                 1005
#define IDC_PS_PROFILE1                 1006
#define IDC_PS_STATE                    1007
#define IDC_PS_PORTS                    1008
#define IDC_PS_SUMMARY                  1010
#define IDC_PS_APPLY                    1011
#define IDC_PS_REFRESH                  1044
#define IDC_PS_APPLY_GLOBAL             1079
#define IDC_PS_CLOSE                    1128

// Time Profile Info: the time profiles (CTimeProfileInfo)
#define IDD_TIME_PROFILE                212
#define IDC_TP_REFRESH                  103
#define IDC_TP_ADD                      1001
#define IDC_TP_DELETE                   1003
#define IDC_TP_FROM_YEAR                1008
#define IDC_TP_TO_YEAR                  1009
#define IDC_TP_TO_DAY                   1010
#define IDC_TP_FROM_DAY                 1011
#define IDC_TP_TO_MONTH                 1012
#define IDC_TP_START_MINUTE             1013
#define IDC_TP_START_HOUR               1014
#define IDC_TP_END_MINUTE               1015
#define IDC_TP_END_HOUR                 1016
#define IDC_TP_DATE                     1071
#define IDC_TP_NAME                     1073
#define IDC_TP_FROM_MONTH               1086
#define IDC_TP_MONDAY                   1087
#define IDC_TP_TUESDAY                  1089
#define IDC_TP_ALL_DAYS                 1090
#define IDC_TP_FRIDAY                   1091
#define IDC_TP_WEDNESDAY                1100
#define IDC_TP_THURSDAY                 1101
#define IDC_TP_SATURDAY                 1103
#define IDC_TP_SUNDAY                   1104
#define IDC_TP_LIST                     1125

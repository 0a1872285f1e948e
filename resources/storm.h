// Ids of the storm control dialog (resources/storm.rc).
#pragma once

// Storm Control (CStormControlDlg)
#define IDD_STORM_CONTROL               235
#define IDC_STORM_ENABLE                1091
#define IDC_STORM_TYPE                  1277
#define IDC_STORM_UNIT                  1278
#define IDC_STORM_N                     1279
#define IDC_STORM_THRESHOLD             1005
#define IDC_STORM_APPLY                 1276
#define IDC_STORM_REFRESH               1044

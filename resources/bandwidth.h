// Ids of the bandwidth control dialog (resources/bandwidth.rc).
#pragma once

// Bandwidth Control (CBandWidthControlDlg)
#define IDD_BANDWIDTH_CONTROL           233
#define IDC_BANDWIDTH_FROM_PORT         1100
#define IDC_BANDWIDTH_TO_PORT           211
#define IDC_BANDWIDTH_TYPE              1118
#define IDC_BANDWIDTH_NO_LIMIT          1271
#define IDC_BANDWIDTH_RATE              1270
#define IDC_BANDWIDTH_APPLY             1000
#define IDC_BANDWIDTH_REFRESH           1044
#define IDC_BANDWIDTH_LIST              1247
#define IDC_BANDWIDTH_GIGABIT_NOTE      1298

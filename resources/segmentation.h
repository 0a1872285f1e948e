// Ids of the traffic segmentation dialog (resources/segmentation.rc).
#pragma once

// Traffic Segmentation Settings (CTrafficSegDlg)
#define IDD_TRAFFIC_SEG                 137
#define IDC_SEG_STATE                   1037
#define IDC_SEG_APPLY_STATE             1003
#define IDC_SEG_REFRESH                 1044
#define IDC_SEG_FROM_PORT               1038
#define IDC_SEG_SELECT_ALL              1120
#define IDC_SEG_CLEAR                   1149
#define IDC_SEG_APPLY_PORTS             1011
#define IDC_SEG_LIST                    1039
#define IDC_SEG_TO_PORT_LABEL           1143
#define IDC_SEG_PORT_GROUP              1344
// Made at run time, one per port (port p has the first id + p - 1).
#define IDC_SEG_LABEL_FIRST             7501
#define IDC_SEG_BOX_FIRST               8001
#define IDC_SEG_BOX_LAST                8052

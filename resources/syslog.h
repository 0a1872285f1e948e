// Ids of the syslog host configuration dialog (resources/syslog.rc).
#pragma once

// Syslog Host Configuration (CSyslogHostCfgDlg)
#define IDD_SYSLOG_HOST                 499
#define IDC_SYSLOG_ENABLE               1016
#define IDC_SYSLOG_STATE_APPLY          1000
#define IDC_SYSLOG_SERVER               203
#define IDC_SYSLOG_SEVERITY             207
#define IDC_SYSLOG_FACILITY             211
#define IDC_SYSLOG_PORT                 206
#define IDC_SYSLOG_TIME_STAMP           1348
#define IDC_SYSLOG_APPLY                242
#define IDC_SYSLOG_REFRESH              241
#define IDC_SYSLOG_LIST                 202

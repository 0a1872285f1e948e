// Ids of the system information dialog (resources/sysinfo.rc).
#pragma once

// System Information (CSnmpDevIden)
#define IDD_SYSTEM_INFORMATION          80
#define IDC_SYSINFO_DESCRIPTION         1302
#define IDC_SYSINFO_OBJECT_ID           1303
#define IDC_SYSINFO_UPTIME              1304
#define IDC_SYSINFO_NAME                1310
#define IDC_SYSINFO_CONTACT             1312
#define IDC_SYSINFO_LOCATION            1313
#define IDC_SYSINFO_CONTACT_LABEL       1311
#define IDC_SYSINFO_REFRESH             103
#define IDC_SYSINFO_APPLY               1145
#define IDC_SYSINFO_CLOSE               1146

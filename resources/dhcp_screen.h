// Ids of the DHCP server screening dialog (resources/dhcp_screen.rc).
#pragma once

// DHCP Server Screening Settings (CDHCPServerScreenDlg)
#define IDD_DHCP_SCREEN                 214
#define IDC_DHCP_SERVER_ADDRESS         203
#define IDC_DHCP_REFRESH                1044
#define IDC_DHCP_DELETE                 1121
#define IDC_DHCP_SERVER_LIST            1131
#define IDC_DHCP_CLOSE                  1133
#define IDC_DHCP_PORTS_ADD              1134
#define IDC_DHCP_TRUSTED_PORTS          1135
#define IDC_DHCP_SERVER_ADD             1149

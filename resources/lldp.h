// Ids of the LLDP dialogs (resources/lldp.rc). One block per dialog, headed by
// the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// LLDP Global Settings (CLLDPGroup)
#define IDD_LLDP_GLOBAL                 179
#define IDC_LLDP_ENABLE                 1091
#define IDC_LLDP_ENABLE_APPLY           1094
#define IDC_LLDP_HOLD                   1093
#define IDC_LLDP_INTERVAL               1105
#define IDC_LLDP_REINIT_DELAY           1005
#define IDC_LLDP_TX_DELAY               1008
#define IDC_LLDP_TIMER_APPLY            1095
#define IDC_LLDP_CHASSIS_SUBTYPE        1106
#define IDC_LLDP_CHASSIS_ID             1009
#define IDC_LLDP_SYSTEM_NAME            1096
#define IDC_LLDP_SYSTEM_DESCRIPTION     1011

// LLDP Remote Port Information (CLLDPREMOTEINFO)
#define IDD_LLDP_REMOTE                 180
#define IDC_LLDP_REMOTE_LIST            1099
#define IDC_LLDP_REMOTE_COUNT           1108
#define IDC_LLDP_REMOTE_REFRESH         1109
#define IDC_LLDP_REMOTE_FIND_TEXT       1097
#define IDC_LLDP_REMOTE_FIND            1098

// LLDP MED Settings (CLLDPMED)
#define IDD_LLDP_MED                    181
#define IDC_LLDP_MED_FROM               1100
#define IDC_LLDP_MED_TO                 211
#define IDC_LLDP_MED_TLV                1101
#define IDC_LLDP_MED_APPLY              1102
#define IDC_LLDP_MED_REFRESH            1044
#define IDC_LLDP_MED_LIST               1104

// Ids of the port, VLAN and link aggregation dialogs (resources/ports_vlans.rc).
// One block per dialog, headed by the dialog's name; a name belongs to one
// block and keeps one value.
#pragma once

// Trunk Configuration (CTrunkConfigDlg)
#define IDD_TRUNK_CONFIG                487
#define IDC_TRUNK_ENABLE                1008
#define IDC_TRUNK_APPLY_STATE           1046
#define IDC_TRUNK_LIST                  201
#define IDC_TRUNK_ID                    215
#define IDC_TRUNK_MODE_LABEL            1017
#define IDC_TRUNK_MODE                  1018
#define IDC_TRUNK_REFRESH               241
#define IDC_TRUNK_PORT_MEMBER           1000
#define IDC_TRUNK_APPLY_MODE            242

// Trunk member (CKSXTrunkPort)
#define IDD_TRUNK_MEMBER                171
#define IDC_TRUNK_MEMBER_GROUP          1050
#define IDC_TRUNK_MEMBER_ID             1003
#define IDC_TRUNK_MEMBER_MODE_LABEL     1051
#define IDC_TRUNK_MEMBER_MODE           1004
#define IDC_TRUNK_MEMBER_PORTS          1052
// Run-time controls, one per port: check box of port p = first + p - 1.
#define IDC_TRUNK_MEMBER_CHECK_FIRST    2001
#define IDC_TRUNK_MEMBER_CHECK_LAST     2052
#define IDC_TRUNK_MEMBER_LABEL_FIRST    2501

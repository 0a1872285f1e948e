// Ids of the port, VLAN and link aggregation dialogs (resources/ports_vlans.rc).
// One block per dialog, headed by the dialog's name; a name belongs to one
// block and keeps one value.
#pragma once

// 802.1Q VLAN Configuration (C8021qVlanSet)
#define IDD_8021Q_VLAN                  447
#define IDC_VLAN_ASYMMETRIC             1008
#define IDC_VLAN_APPLY                  1047
#define IDC_VLAN_LIST                   1341
#define IDC_VLAN_ADD                    1335
#define IDC_VLAN_EDIT                   1336
#define IDC_VLAN_DELETE                 1337
#define IDC_VLAN_REFRESH                1338
#define IDC_VLAN_PVID                   1339

// Add VLAN / Edit VLAN (CKSXVlanAdd)
#define IDD_VLAN_ADD                    172
#define IDC_VLANADD_ID_GROUP            1059
#define IDC_VLANADD_VID                 1054
#define IDC_VLANADD_NAME                1053
#define IDC_VLANADD_ADVERTISEMENT       1126
#define IDC_VLANADD_MEMBER_GROUP        1055
#define IDC_VLANADD_TAGGED_LABEL        1110
#define IDC_VLANADD_UNTAGGED_LABEL      1056
#define IDC_VLANADD_NOT_MEMBER_LABEL    1057
#define IDC_VLANADD_FORBIDDEN_LABEL     1127
// Run-time controls, one per port: the control of port p is first + p - 1.
#define IDC_VLANADD_UNTAGGED_FIRST      3001
#define IDC_VLANADD_UNTAGGED_LAST       3052
#define IDC_VLANADD_TAGGED_FIRST        3501
#define IDC_VLANADD_TAGGED_LAST         3552
#define IDC_VLANADD_NOT_MEMBER_FIRST    4001
#define IDC_VLANADD_NOT_MEMBER_LAST     4052
#define IDC_VLANADD_PORT_LABEL_FIRST    4501
#define IDC_VLANADD_FORBIDDEN_FIRST     4801
#define IDC_VLANADD_FORBIDDEN_LAST      4852

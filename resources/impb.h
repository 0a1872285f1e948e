// Ids of the IP-MAC-port binding dialogs (resources/impb.rc). One block per
// dialog, headed by the dialog's name; the control ids are the dialogs' own.
#pragma once

// Smart Binding Settings (CSmartBindingSettings)
#define IDD_SMART_BINDING_SETTINGS      141
#define IDC_SBS_LIST                    1010
#define IDC_SBS_APPLY                   1051
#define IDC_SBS_INSPECTION              1054
#define IDC_SBS_DHCP_SNOOPING           1055
#define IDC_SBS_ADMIN_STATE             1164
#define IDC_SBS_TO_PORT                 1165
#define IDC_SBS_FROM_PORT               1166
#define IDC_SBS_REFRESH                 1167

// White List (CIMPBWhiteList)
#define IDD_IMPB_WHITE_LIST             140
#define IDC_WL_LIST                     1010
#define IDC_WL_REFRESH                  1149
#define IDC_WL_TOTAL                    1170
#define IDC_WL_DELETE                   1173

// Black List (CIMPBBlackList)
#define IDD_IMPB_BLACK_LIST             144
#define IDC_BL_IP                       1000
#define IDC_BL_MAC                      1001
#define IDC_BL_PORT                     1002
#define IDC_BL_DELETE                   1003
#define IDC_BL_FIND                     1005
#define IDC_BL_LIST                     1010
#define IDC_BL_REFRESH                  1044
#define IDC_BL_VID                      1114
#define IDC_BL_TOTAL                    1171

// Smart Binding (CIMPBSmartBinding)
#define IDD_IMPB_SMART_BINDING          142
#define IDC_SB_MAC                      1001
#define IDC_SB_PORT                     1002
#define IDC_SB_LIST                     1010
#define IDC_SB_SCAN_FROM                1012
#define IDC_SB_SCAN                     1060
#define IDC_SB_BACK                     1065
#define IDC_SB_NEXT                     1066
#define IDC_SB_ADD                      1149
#define IDC_SB_SCAN_TO                  1168
#define IDC_SB_BINDING                  1169
#define IDC_SB_REFRESH                  1174
#define IDC_SB_ADDRESS                  1175
#define IDC_SB_SCAN_HINT                1298

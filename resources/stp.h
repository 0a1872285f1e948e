// Ids of the spanning-tree dialogs (resources/stp.rc). One block per dialog,
// headed by the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// STP Global Settings (CPrivateSpanTBridge)
#define IDD_STP_BRIDGE                  236
#define IDC_STP_STATE                   2801
#define IDC_STP_VERSION                 2802
#define IDC_STP_PRIORITY                2803
#define IDC_STP_TX_HOLD                 2804
#define IDC_STP_MAX_AGE                 2805
#define IDC_STP_FORWARD_DELAY           2806
#define IDC_STP_HELLO_TIME              2807
#define IDC_STP_ROOT_BRIDGE             2808
#define IDC_STP_ROOT_COST               2809
#define IDC_STP_ROOT_MAX_AGE            2810
#define IDC_STP_ROOT_FORWARD_DELAY      2811
#define IDC_STP_ROOT_PORT               2812
#define IDC_STP_PORT_SETTING            2813
#define IDC_STP_REFRESH                 2814

// STP Port Settings: the port table (CPrivateSpanTree)
#define IDD_STP_PORT_TABLE              238
#define IDC_STP_TABLE_LIST              2831
#define IDC_STP_TABLE_COUNT             2832
#define IDC_STP_TABLE_PORT_CONFIG       2833
#define IDC_STP_TABLE_REFRESH           2834

// Port STP Configuration: one port (CPrivateSpanTPort)
#define IDD_STP_PORT                    241
#define IDC_STP_PORT_NUMBER             2851
#define IDC_STP_PORT_ENABLE             2852
#define IDC_STP_PORT_COST               2853
#define IDC_STP_PORT_PRIORITY           2854
#define IDC_STP_PORT_MIGRATE            2855
#define IDC_STP_PORT_P2P                2856
#define IDC_STP_PORT_EDGE               2857
#define IDC_STP_PORT_RESTRICTED_ROLE    2858
#define IDC_STP_PORT_RESTRICTED_TCN     2859
#define IDC_STP_PORT_PREV               2860
#define IDC_STP_PORT_NEXT               2861
#define IDC_STP_PORT_REFRESH            2862

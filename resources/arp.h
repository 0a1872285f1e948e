// Ids of the ARP spoofing prevention dialogs (resources/arp.rc).
#pragma once

// ARP Spoofing Prevention Setting (CARPSpoofSetting)
#define IDD_ARP_SPOOF_SETTING           196
#define IDC_ARP_LIST                    1133
#define IDC_ARP_TOTAL                   1144
#define IDC_ARP_ADD                     1001
#define IDC_ARP_DELETE                  1003
#define IDC_ARP_REFRESH                 1044
#define IDC_ARP_CLOSE                   1200

// ARP Spoofing Prevention Settings: one entry (CAddARPEntry)
#define IDD_ARP_ADD_ENTRY               197
#define IDC_ARPADD_ADDRESS              1012
#define IDC_ARPADD_MAC                  1139
#define IDC_ARPADD_ALL_PORTS            1141
#define IDC_ARPADD_APPLY                1000
#define IDC_ARPADD_CANCEL               1025
#define IDC_ARPADD_FRAME                1130
#define IDC_ARPADD_PORTS_LABEL          1138
// Made at run time, one per port (port p has the first id + p - 1).
#define IDC_ARPADD_BOX_FIRST            6001
#define IDC_ARPADD_BOX_LAST             6052
#define IDC_ARPADD_LABEL_FIRST          7501

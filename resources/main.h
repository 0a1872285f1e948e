// Ids of the main window's resources (resources/main.rc): its dialog template
// and menu, the About box, the module icon, the hand cursor over the panel's
// ports, the lamp and LED bitmaps, and the commands of the main window.
#pragma once

// Dialog templates, menu, icon and cursor.
#define IDD_ABOUTBOX                    100
#define IDD_KORVELMODULE_DIALOG         102
#define IDR_MAINMENU                    131
#define IDC_PORT_HAND                   398
#define IDI_MODULE                      447

// Controls of the About box.
#define IDC_STATIC_MODULE_NAME          1049

// Lamp and LED bitmaps of the front-panel painting. Where a pair is given,
// the first is for an even port number, the second for an odd one.
#define IDB_LAMP_POWER                  158
#define IDB_LED_DARK_EVEN               159
#define IDB_LED_DARK_ODD                160
#define IDB_LED_GREEN_EVEN              161
#define IDB_LED_GREEN_ODD               162
#define IDB_LED_AMBER_EVEN              163
#define IDB_LED_AMBER_ODD               164
#define IDB_LAMP_FAULT                  190
#define IDB_LAMP_MODE_LIT               191
#define IDB_LAMP_DARK                   192
#define IDB_LAMP_POWER_DARK             221
#define IDB_LED_GREEN_LARGE_EVEN        32878
#define IDB_LED_GREEN_LARGE_ODD         32879
#define IDB_LAMP_POWER_LARGE            32883

// The About entry of the window's system menu.
#define IDM_SYS_ABOUT                   16

// Menu bar, popup "Device Manager   ", sub-popup "System".
#define ID_PORT_CONFIGURATION           32774
#define ID_PORT_DESCRIPTION             32871
#define ID_SYSLOG_HOST                  32832
#define ID_TIME_PROFILE                 32855
#define ID_POWER_SAVING                 32856
// Sub-popup "VLAN".
#define ID_VLAN_CONFIGURATION           32834
#define ID_MANAGEMENT_VLAN              32867
#define ID_SURVEILLANCE_VLAN            32828
// Sub-popup "L2 Function" with its "LLDP" popup.
#define ID_JUMBO_FRAME                  32817
#define ID_PORT_MIRRORING               32854
#define ID_LOOPBACK_DETECTION           32873
#define ID_STATIC_MAC                   32874
#define ID_SPANNING_TREE                32813
#define ID_TRUNK_CONFIGURATION          32818
#define ID_IGMP_SNOOPING                32837
#define ID_MULTICAST_FILTERING          32830
#define ID_LLDP_GLOBAL                  32825
#define ID_LLDP_REMOTE_INFO             32826
// Sub-popup "QoS".
#define ID_BANDWIDTH_CONTROL            32850
// Sub-popup "RMON".
#define ID_RMON_GLOBAL                  32880
#define ID_RMON_ETHERNET_STATISTICS     32881
#define ID_RMON_HISTORY_CONTROL         32882
#define ID_RMON_ALARM                   32883
#define ID_RMON_EVENT                   32884
// Sub-popup "Security" with its "Smart Binding " popup.
#define ID_ARP_SPOOFING                 32833
#define ID_DHCP_SERVER_SCREENING        32829
#define ID_TRAFFIC_SEGMENTATION         32851
#define ID_STORM_CONTROL                32853
#define ID_SMART_BINDING_SETTINGS       32863
#define ID_SMART_BINDING                32864
#define ID_WHITE_LIST                   32865
#define ID_BLACK_LIST                   32866
// Sub-popup "AAA".
#define ID_8021X_GLOBAL                 32890
#define ID_8021X_PORT_SETTINGS          32889
#define ID_8021X_USER                   32885
#define ID_8021X_RADIUS                 32886
// Sub-popup "SNMP".
#define ID_SNMP_GLOBAL                  32839
#define ID_SNMP_USER                    32841
#define ID_SNMP_GROUP                   32842
#define ID_SNMP_VIEW                    32843
#define ID_SNMP_COMMUNITY               32844
#define ID_SNMP_HOST                    32840
#define ID_SNMP_ENGINE_ID               32845
#define ID_SNMP_TRAP                    32846
// Sub-popup "PoE" (PoE models only).
#define ID_POE_GLOBAL                   32860
#define ID_POE_PORT_SETTINGS            32852

// Popup "Public MIB   ".
#define ID_SYSTEM_INFORMATION           32805
#define ID_INTERFACE_TABLE              32809
#define ID_IP_TABLE                     32808
#define ID_FORWARDING_TABLE             32810
#define ID_TCP_SERVICE                  32811
#define ID_UDP_SERVICE                  32812

// Popup "Tools   ".
#define ID_FIRMWARE_UPGRADE             32823
#define ID_SAVE_CONFIGURATION           32815
#define ID_REBOOT                       32797
#define ID_TELNET                       32788
#define ID_WEB                          32789

// Popup "About   ".
#define ID_APP_ABOUT                    57664

// Commands that no menu item sends.
#define ID_DEVICE_CONFIGURE             32775
#define ID_NO_ACTION_32781              32781
#define ID_NO_ACTION_32783              32783
#define ID_NO_ACTION_32790              32790
#define ID_8021X_PORT_CONFIG            32792
#define ID_POE_TIME_RANGE               32819
#define ID_LLDP_MED                     32827
#define ID_SURVEILLANCE_OUI             32831
#define ID_GVRP_TIME                    32835
#define ID_GVRP_SETTINGS                32836
// Deleted with the PoE items on models without PoE; neither in the menu nor
// in the command table.
#define ID_POE_RESERVED_32857           32857
#define ID_POE_RESERVED_32858           32858
// A range of commands that do nothing.
#define ID_NO_ACTION_FIRST              60101
#define ID_NO_ACTION_LAST               61101

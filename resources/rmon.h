// Ids of the RMON dialogs (resources/rmon.rc). One block per dialog, headed
// by the dialog's name; a name belongs to one block and keeps one value.
#pragma once

// RMON Global Settings (CRmonStatus)
#define IDD_RMON_STATUS                 248
#define IDC_RMON_STATUS_APPLY           1001
#define IDC_RMON_STATUS_CLOSE           1002
#define IDC_RMON_STATUS_ENABLE          1274
#define IDC_RMON_STATUS_DISABLE         1275
#define IDC_RMON_STATUS_REFRESH         1276

// RMON Ethernet Statistics Configuration (CRMONEthernetStatistics)
#define IDD_RMON_ETHERNET_STATISTICS    249
#define IDC_RMON_ETHER_CLOSE            1001
#define IDC_RMON_ETHER_OWNER            1005
#define IDC_RMON_ETHER_APPLY            1149
#define IDC_RMON_ETHER_PORT             1264
#define IDC_RMON_ETHER_REFRESH          1279
#define IDC_RMON_ETHER_LIST             1282
#define IDC_RMON_ETHER_INDEX            1283

// RMON History Control Configuration (CRMONHistoryControl)
#define IDD_RMON_HISTORY_CONTROL        250
#define IDC_RMON_HISTORY_CLOSE          1001
#define IDC_RMON_HISTORY_BUCKETS        1005
#define IDC_RMON_HISTORY_INTERVAL       1006
#define IDC_RMON_HISTORY_OWNER          1007
#define IDC_RMON_HISTORY_APPLY          1149
#define IDC_RMON_HISTORY_REFRESH        1284
#define IDC_RMON_HISTORY_INDEX          1285
#define IDC_RMON_HISTORY_PORT           1286
#define IDC_RMON_HISTORY_LIST           1287

// RMON Alarm Configuration (CRmonAlarm)
#define IDD_RMON_ALARM                  251
#define IDC_RMON_ALARM_CLOSE            1001
#define IDC_RMON_ALARM_VARIABLE         1005
#define IDC_RMON_ALARM_RISING_THRESHOLD 1006
#define IDC_RMON_ALARM_RISING_EVENT     1007
#define IDC_RMON_ALARM_OWNER            1008
#define IDC_RMON_ALARM_INTERVAL         1009
#define IDC_RMON_ALARM_FALLING_THRESHOLD 1011
#define IDC_RMON_ALARM_FALLING_EVENT    1012
#define IDC_RMON_ALARM_APPLY            1149
#define IDC_RMON_ALARM_REFRESH          1293
#define IDC_RMON_ALARM_LIST             1294
#define IDC_RMON_ALARM_INDEX            1295
#define IDC_RMON_ALARM_SAMPLE_TYPE      1296

// RMON Event Configuration (CRMONEvent)
#define IDD_RMON_EVENT                  252
#define IDC_RMON_EVENT_CLOSE            1001
#define IDC_RMON_EVENT_COMMUNITY        1005
#define IDC_RMON_EVENT_OWNER            1006
#define IDC_RMON_EVENT_APPLY            1149
#define IDC_RMON_EVENT_REFRESH          1288
#define IDC_RMON_EVENT_INDEX            1289
#define IDC_RMON_EVENT_DESCRIPTION      1290
#define IDC_RMON_EVENT_TYPE             1291
#define IDC_RMON_EVENT_LIST             1292

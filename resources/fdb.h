// Ids of the forwarding table viewer (resources/fdb.rc).
#pragma once

// Forwarding Table (CSwitchDatabase)
#define IDD_FORWARDING_TABLE            278
#define IDC_FDB_LIST                    1205
#define IDC_FDB_AGE_TIME                1216
#define IDC_FDB_REFRESH                 20
#define IDC_FDB_NEXT                    1149
#define IDC_FDB_BACK                    1154
#define IDC_FDB_CLOSE                   1217

// Ids of the port mirroring dialog (resources/mirror.rc).
#pragma once

// PortMirroringConfiguration (CPortMirroringdlg)
#define IDD_PORT_MIRRORING              229
#define IDC_MIRROR_ENABLED              1242
#define IDC_MIRROR_DISABLED             1233
#define IDC_MIRROR_TARGET_PORT          1250
#define IDC_MIRROR_SOURCE_GROUP         1137
#define IDC_MIRROR_PORT_ROW             1253
#define IDC_MIRROR_TX_LABEL             1254
#define IDC_MIRROR_RX_LABEL             1255
#define IDC_MIRROR_BOTH_LABEL           1256
#define IDC_MIRROR_NONE_LABEL           1257
#define IDC_MIRROR_ALL_TX               1258
#define IDC_MIRROR_ALL_RX               1259
#define IDC_MIRROR_ALL_BOTH             1260
#define IDC_MIRROR_ALL_NONE             1261
#define IDC_MIRROR_SPARE_TX_LABEL       1262
#define IDC_MIRROR_REFRESH              1044
#define IDC_MIRROR_APPLY                1000
#define IDC_MIRROR_CLOSE                1128
// Made at run time, one per port (port p has the first id + p - 1).
#define IDC_MIRROR_PORT_LABEL_FIRST     6000
#define IDC_MIRROR_TX_FIRST             8001
#define IDC_MIRROR_TX_LAST              8052
#define IDC_MIRROR_RX_FIRST             8101
#define IDC_MIRROR_RX_LAST              8152
#define IDC_MIRROR_BOTH_FIRST           8201
#define IDC_MIRROR_BOTH_LAST            8252
#define IDC_MIRROR_NONE_FIRST           8301
#define IDC_MIRROR_NONE_LAST            8352

// Ids of the window layer's test resources (resources/test.rc). Shared by the
// script and the tests; every family of dialogs has a header like this one.
#pragma once

#define IDD_UI_TEST 9001
#define IDD_UI_TEST_PLAIN 9002
#define IDR_UI_TEST_MENU 9003
#define IDD_UI_TEST_MENU 9004
#define IDR_UI_TEST_MENUBAR 9005
#define IDI_UI_TEST 9010
#define IDC_UI_TEST_POINTER 9011
#define IDB_UI_TEST 9012
#define IDS_UI_TEST_GREETING 9020

#define IDC_TEST_NAME 9101
#define IDC_TEST_VID 9102
#define IDC_TEST_PASSWORD 9103
#define IDC_TEST_MODE 9104
#define IDC_TEST_SPEED 9105
#define IDC_TEST_ENABLE 9106
#define IDC_TEST_ON 9107
#define IDC_TEST_OFF 9108
#define IDC_TEST_SERVER 9109
#define IDC_TEST_PROGRESS 9110
#define IDC_TEST_LIST 9111
#define IDC_TEST_LOG 9112
#define IDC_TEST_REFRESH 9113
#define IDC_TEST_APPLY 9114
#define IDC_TEST_STATE 9115
#define IDC_TEST_ICON 9116
#define IDC_TEST_BITMAP 9117
#define IDC_TEST_NOTE 9118

#define ID_UI_TEST_REFRESH 9201
#define ID_UI_TEST_ABOUT 9202
#define ID_UI_TEST_PORTS 9203
#define ID_UI_TEST_NAMES 9204
#define ID_UI_TEST_JUMBO 9205
#define ID_UI_TEST_LLDP 9206
#define ID_UI_TEST_POE_GLOBAL 9207
#define ID_UI_TEST_POE_PORTS 9208

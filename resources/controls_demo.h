// Ids of the shared-controls demo dialog (controls_demo.rc), shared by the
// script and the controls' tests.
#pragma once

#define IDD_CONTROLS_DEMO           9501

#define IDC_DEMO_TITLE              9510
#define IDC_DEMO_ADDRESS            9511
#define IDC_DEMO_PORT_FRAME         9512
#define IDC_DEMO_PORT_LABEL         9513
#define IDC_DEMO_LIST               9515
#define IDC_DEMO_PROGRESS           9516
#define IDC_DEMO_PROGRESS_LABEL     9517
#define IDC_DEMO_APPLY              9518

// Run-time controls: port-number labels and member check boxes, one per port.
#define IDC_DEMO_PORT_FIRST         9601
#define IDC_DEMO_MEMBER_FIRST       9701

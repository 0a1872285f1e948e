// Ids of the report list demo dialog (resources/report_demo.rc): a report list
// whose rows carry Delete buttons, as the RMON dialogs show their tables.
#pragma once

#define IDD_REPORT_DEMO             9401

#define IDC_REPORT_DEMO_LIST        9411
#define IDC_REPORT_DEMO_REFRESH     9412

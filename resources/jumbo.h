// Ids of the jumbo frame dialog (resources/jumbo.rc).
#pragma once

// Jumbo Frame Configuration (CJumboFrameconfigdlg)
#define IDD_JUMBO_FRAME                 174
#define IDC_JUMBO_ENABLE                1062

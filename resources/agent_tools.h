// Ids of the agent and maintenance tool dialogs (resources/agent_tools.rc).
// One block per dialog, headed by the dialog's name; a name belongs to one
// block and keeps one value.
#pragma once

// Firmware and Configuration Upgrade/Backup (CFirmDownLoad)
#define IDD_FIRM_DOWNLOAD               470
#define IDC_FIRM_SERVER_IP              203
#define IDC_FIRM_FILE_NAME              206
#define IDC_FIRM_OPERATION              212
#define IDC_FIRM_FILE_TYPE              207
#define IDC_FIRM_PROGRESS_LABEL         1036
#define IDC_FIRM_PROGRESS               1035
#define IDC_FIRM_APPLY                  242

// The dialog the report list tests drive: the demo template with its report
// list bound as the RMON dialogs bind theirs, and a record of the messages
// the list and its cell buttons send it.
#pragma once

#include "common/CReportCtrl.h"
#include "platform/ui/WindowLayer.h"
#include "resources/report_demo.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class ReportDemoDialog : public CDialog
{
public:
    struct Message
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Message&) const = default;
    };

    ReportDemoDialog();

    // Columns "Index", "Port", "Owner" and an empty one for the Delete
    // buttons, then one row per entry with a Delete button.
    void Fill(const std::vector<std::vector<std::string>>& rows);

    CReportCtrl m_list;
    std::vector<Message> messages; // WM_REPORT_* and WM_CELL_BUTTON_* in arrival order
    // Runs after a cell button click was recorded.
    std::function<void(int row, int column)> onCellClick;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

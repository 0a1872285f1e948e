#include "report/ReportDemoDialog.h"

ReportDemoDialog::ReportDemoDialog() : CDialog(IDD_REPORT_DEMO) {}

void ReportDemoDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REPORT_DEMO_LIST, m_list);
}

BOOL ReportDemoDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    return TRUE;
}

void ReportDemoDialog::Fill(const std::vector<std::vector<std::string>>& rows)
{
    if (m_list.GetColumnCount() == 0) {
        m_list.InsertColumn(0, "Index", LVCFMT_LEFT, 90);
        m_list.InsertColumn(1, "Port", LVCFMT_LEFT, 90);
        m_list.InsertColumn(2, "Owner", LVCFMT_LEFT, 160);
        m_list.InsertColumn(3, "", LVCFMT_LEFT, 90);
    }
    for (int r = 0; r < m_list.GetItemCount(); ++r)
        m_list.RemoveButton(r, 3, 0);
    m_list.DeleteAllItems();
    for (const auto& texts : rows) {
        const int row = m_list.InsertItem(m_list.GetItemCount(), texts.empty() ? std::string() : texts[0]);
        for (size_t c = 1; c < texts.size() && c < 3; ++c)
            m_list.SetItemText(row, static_cast<int>(c), texts[c]);
        m_list.AddButton(row, 3, ButtonSpec(0, "Delete"));
    }
}

LRESULT ReportDemoDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (UINT recorded :
         {WM_CELL_BUTTON_CLICK, WM_CELL_BUTTON_CHECK, WM_REPORT_CLICK, WM_REPORT_SORTED, WM_REPORT_EDITED}) {
        if (message != recorded)
            continue;
        messages.push_back({message, wParam, lParam});
        if (message == WM_CELL_BUTTON_CLICK && onCellClick)
            onCellClick(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

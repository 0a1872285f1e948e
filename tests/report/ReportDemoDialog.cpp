#include "report/ReportDemoDialog.h"

BEGIN_MESSAGE_MAP(ReportDemoDialog, CDialog)
    ON_MESSAGE(WM_CELL_BUTTON_CLICK, OnCellClick)
    ON_MESSAGE(WM_CELL_BUTTON_CHECK, OnCellCheck)
    ON_MESSAGE(WM_REPORT_CLICK, OnReportClick)
    ON_MESSAGE(WM_REPORT_SORTED, OnReportSorted)
    ON_MESSAGE(WM_REPORT_EDITED, OnReportEdited)
END_MESSAGE_MAP()

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

LRESULT ReportDemoDialog::OnCellClick(WPARAM wParam, LPARAM lParam)
{
    messages.push_back({WM_CELL_BUTTON_CLICK, wParam, lParam});
    if (onCellClick)
        onCellClick(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT ReportDemoDialog::OnCellCheck(WPARAM wParam, LPARAM lParam)
{
    messages.push_back({WM_CELL_BUTTON_CHECK, wParam, lParam});
    return 0;
}

LRESULT ReportDemoDialog::OnReportClick(WPARAM wParam, LPARAM lParam)
{
    messages.push_back({WM_REPORT_CLICK, wParam, lParam});
    return 0;
}

LRESULT ReportDemoDialog::OnReportSorted(WPARAM wParam, LPARAM lParam)
{
    messages.push_back({WM_REPORT_SORTED, wParam, lParam});
    return 0;
}

LRESULT ReportDemoDialog::OnReportEdited(WPARAM wParam, LPARAM lParam)
{
    messages.push_back({WM_REPORT_EDITED, wParam, lParam});
    return 0;
}

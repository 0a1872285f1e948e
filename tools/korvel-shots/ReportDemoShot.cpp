#include "tools/korvel-shots/ReportDemoShot.h"

#include "platform/ui/CDataExchange.h"
#include "resources/report_demo.h"

#include <string>

ReportDemoShot::ReportDemoShot() : CDialog(IDD_REPORT_DEMO) {}

void ReportDemoShot::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REPORT_DEMO_LIST, m_list);
}

BOOL ReportDemoShot::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    // Widths as the RMON dialogs share them out: the measured headings, and
    // the rest of the list's width in equal parts.
    CRect rect;
    m_list.GetClientRect(&rect);
    const int packets = m_list.GetStringWidth("Broadcast \n Packets ") + 10;
    const int rest = (rect.Width() - packets - 20) / 4;
    m_list.InsertColumn(0, "Index", LVCFMT_LEFT, rest);
    m_list.InsertColumn(1, "Port", LVCFMT_LEFT, rest);
    m_list.InsertColumn(2, "Broadcast \n Packets", LVCFMT_LEFT, packets);
    m_list.InsertColumn(3, "Owner", LVCFMT_LEFT, rest);
    m_list.InsertColumn(4, "", LVCFMT_LEFT, rest);

    const struct
    {
        int index;
        int port;
        int packets;
        const char* owner;
    } entries[] = {
        {1, 1, 18342, "monitor"}, {2, 2, 907, "monitor"}, {5, 7, 120455, "admin"},
        {12, 8, 0, "admin"},      {30, 24, 4521, "nms"},  {31, 25, 77, "nms"},
    };
    for (const auto& e : entries) {
        const int row = m_list.InsertItem(m_list.GetItemCount(), std::to_string(e.index));
        m_list.SetItemInt(row, 1, e.port);
        m_list.SetItemInt(row, 2, e.packets);
        m_list.SetItemText(row, 3, e.owner);
        m_list.AddButton(row, 4, ButtonSpec(0, "Delete"));
    }
    m_list.RepositionButtons();
    return TRUE;
}

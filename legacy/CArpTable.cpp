#include "legacy/CArpTable.h"

#include "legacy/LegacyWords.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CPrintDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

#include <cstdio>

namespace {

// Where the printout goes on a page, in twips (1440 an inch, y negative down
// the page).
constexpr int kTitleX = 1340;
constexpr int kTitleY = -360;
constexpr int kRuleLeft = 720;
constexpr int kRuleRight = 6480;
constexpr int kRuleY = -620;
constexpr int kHeadingX = 420;
constexpr int kHeadingY = -980;
constexpr int kRowX = 360;
constexpr int kFirstRowY = -1440;
constexpr int kRowHeight = 360;
constexpr int kPageWidth = 11520;
constexpr int kFooterY = -14400;

// printf of up to four texts into a string of any length.
std::string Format(const char* format, const std::string& a, const std::string& b = std::string(),
                   const std::string& c = std::string(), const std::string& d = std::string())
{
    const int length = std::snprintf(nullptr, 0, format, a.c_str(), b.c_str(), c.c_str(), d.c_str());
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, a.c_str(), b.c_str(), c.c_str(), d.c_str());
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CArpTable, CLegacyFrame)
    ON_BN_CLICKED(IDC_ARPT_PRINT, OnPrint)
    ON_BN_CLICKED(IDCANCEL, OnClose)
END_MESSAGE_MAP()

CArpTable::CArpTable(CWnd* pParent) : CLegacyFrame(IDD_ARP_TABLE, pParent, LegacyForm::Heap)
{
    m_nListId = IDC_ARPT_LIST;
    m_strListWhat = "the ARP table";
    m_nCountId = IDC_ARPT_COUNT;
    m_nRefreshId = IDC_ARPT_REFRESH;
    m_bRefreshEmpties = true;
    m_strCaption = "ARP Information";
    m_headings = {"Interface ", "     IP               ", "       MAC                     ", "  Type       "};
    m_columnOids = {"1.3.6.1.2.1.4.22.1.1", "1.3.6.1.2.1.4.22.1.3", "1.3.6.1.2.1.4.22.1.2", "1.3.6.1.2.1.4.22.1.4"};
}

std::string CArpTable::PhysAddressText(const std::string& bytes)
{
    return legacy::PhysAddressText(bytes);
}

std::string CArpTable::MappingTypeWord(const std::string& value)
{
    if (value == "1")
        return "Unknown";
    if (value == "2")
        return "Illegal";
    if (value == "3")
        return "Dynamic";
    return "Static";
}

std::vector<LegacyCell> CArpTable::BindingCells(CSnmp& reply, int binding)
{
    // Any length of address shows as its bytes: an address that is not six
    // bytes long is no printable text either.
    if (binding == 2)
        return {{2, PhysAddressText(ValueBytes(reply, 2))}};
    if (binding == 3)
        return {{3, MappingTypeWord(ValueText(reply, 3))}};
    return CLegacyFrame::BindingCells(reply, binding);
}

void CArpTable::OnClose()
{
    EndDialog(IDOK);
}

std::string CArpTable::PrintedRow(const std::string& format, int row)
{
    return Format(format.c_str(), m_list.GetItemText(row, 0), m_list.GetItemText(row, 1), m_list.GetItemText(row, 2),
                  m_list.GetItemText(row, 3));
}

bool CArpTable::PrintPages(CDC& dc, const std::string& title, int rows)
{
    // Whole pages of 35 rows; a last page only for the rows left over.
    const int pages = (rows + kRowsPerPage - 1) / kRowsPerPage;
    const std::string heading = Format(" %10s %16s %20s %10s", "接口", "IP地址   ", "MAC 地址   ", "类型");
    for (int page = 1; page <= pages; ++page) {
        dc.StartPage();
        dc.TextOut(kTitleX, kTitleY, title);
        dc.MoveTo(kRuleLeft, kRuleY);
        dc.LineTo(kRuleRight, kRuleY);
        dc.TextOut(kHeadingX, kHeadingY, heading);
        for (int row = (page - 1) * kRowsPerPage; row < page * kRowsPerPage && row < rows; ++row)
            dc.TextOut(kRowX, -(row % kRowsPerPage) * kRowHeight + kFirstRowY, PrintedRow("%10s %16s %20s %10s", row));
        const std::string footer = Format("第 %s 页", std::to_string(page));
        dc.TextOut((kPageWidth - dc.GetTextExtent(footer).cx) / 2, kFooterY, footer);
        if (dc.EndPage() <= 0)
            return false;
    }
    return true;
}

void CArpTable::OnPrint()
{
    const int rows = m_list.GetItemCount();
    if (rows == 0)
        return;
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        this);
    if (dialog.DoModal() != IDOK)
        return;
    CDC dc;
    if (!dialog.CreatePrinterDC(dc)) {
        AfxMessageBox("Can't get printer info!");
        return;
    }
    dc.SetMapMode(MM_TWIPS);
    const std::string title = " ARP Information";
    SetWindowText(title);
    DOCINFO info;
    info.lpszDocName = title.c_str();
    info.lpszOutput = nullptr;
    info.lpszDatatype = "raw";
    if (dc.StartDoc(&info) <= 0) {
        AfxMessageBox("Printer error!");
        dc.SetMapMode(MM_TEXT);
        dc.DeleteDC();
        return;
    }
    if (PrintPages(dc, title, rows))
        dc.EndDoc();
    else
        dc.AbortDoc();
    dc.SetMapMode(MM_TEXT);
    dc.DeleteDC();
}

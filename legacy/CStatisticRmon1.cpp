#include "legacy/CStatisticRmon1.h"

#include "legacy/CRmon1Entry.h"
#include "legacy/CStatisticRmonCnt.h"
#include "legacy/CStatisticRmonInf.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

#include <cstdlib>

namespace {

const std::string kEtherStatsEntry = "1.3.6.1.2.1.16.1.1.1";
constexpr int kGroupSize = 24;

std::string EtherStatsOid(int column, const std::string& index)
{
    return kEtherStatsEntry + "." + std::to_string(column) + "." + index;
}

} // namespace

BEGIN_MESSAGE_MAP(CStatisticRmon1, CLegacyFrame)
    ON_BN_CLICKED(IDC_RMON1_PARAMETER, OnParameter)
    ON_BN_CLICKED(IDC_RMON1_INTERFACE, OnInterface)
    ON_BN_CLICKED(IDC_RMON1_ADD, OnAdd)
    ON_BN_CLICKED(IDC_RMON1_DELETE, OnDelete)
    ON_NOTIFY(NM_CLICK, IDC_RMON1_LIST, OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_RMON1_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CStatisticRmon1::CStatisticRmon1(CWnd* pParent) : CLegacyFrame(IDD_RMON1_STATISTIC, pParent, LegacyForm::Heap)
{
    m_nListId = IDC_RMON1_LIST;
    m_strListWhat = "the RMON statistics list";
    m_headings = {" Index    ", " Data Source     "};
    m_columnOids = {kEtherStatsEntry + ".1", kEtherStatsEntry + ".2"};
    m_nRefreshId = IDC_RMON1_REFRESH;
    m_bRefreshEmpties = true;
    m_nCountId = IDC_RMON1_COUNT;
    m_strCaption = " RMON 1 Statistic Information: " + std::string(" Port ") + std::to_string(m_nPort);
}

std::string CStatisticRmon1::InterfaceText(const std::string& dataSource)
{
    const std::size_t at = dataSource.find("2.2.1.1.");
    if (at == std::string::npos)
        return dataSource;
    return "Interface #" + dataSource.substr(at + 8);
}

BOOL CStatisticRmon1::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    ReadIfNumber();
    GetDlgItem(IDC_RMON1_DELETE)->EnableWindow(FALSE);
    return TRUE;
}

void CStatisticRmon1::OnRefresh()
{
    CLegacyFrame::OnRefresh();
    GetDlgItem(IDC_RMON1_DELETE)->EnableWindow(FALSE);
}

void CStatisticRmon1::EmptyList()
{
    CLegacyFrame::EmptyList();
    m_strIndexList.clear();
    m_nIndexCount = 0;
}

std::vector<LegacyCell> CStatisticRmon1::BindingCells(CSnmp& reply, int binding)
{
    if (binding == 1)
        return {LegacyCell{1, InterfaceText(ValueText(reply, 1))}};
    return CLegacyFrame::BindingCells(reply, binding);
}

bool CStatisticRmon1::ShowReply(CSnmp& reply, bool stopAtHole)
{
    // A row is known by its own index (one arc, 1..65535); a row at any
    // other index cannot be an entry and is skipped.
    const std::vector<unsigned long> arcs = IndexArcs(reply, 0);
    if (arcs.size() != 1 || arcs[0] < 1 || arcs[0] > 65535)
        return true;
    const int before = m_list.GetItemCount();
    const bool shown = CLegacyFrame::ShowReply(reply, stopAtHole);
    // The index list follows the list row for row.
    if (m_list.GetItemCount() > before) {
        m_strIndexList.push_back(std::to_string(arcs[0]));
        m_nIndexCount = static_cast<int>(m_strIndexList.size());
    }
    return shown;
}

void CStatisticRmon1::OnReadEnded()
{
    // A failed walk has put the last complete rows back: their indexes too.
    if (LastWalkComplete())
        m_lastIndexList = m_strIndexList;
    else
        m_strIndexList = m_lastIndexList;
    m_nIndexCount = static_cast<int>(m_strIndexList.size());
}

void CStatisticRmon1::ReadIfNumber()
{
    ReadOnce({"1.3.6.1.2.1.2.1.0"});
}

void CStatisticRmon1::OnReadReply(CSnmp& reply)
{
    m_nIfNumber = std::atoi(ValueText(reply, 0).c_str());
}

int CStatisticRmon1::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

bool CStatisticRmon1::AskEntry(std::string& index, std::string& interfaceNumber, std::string& property)
{
    CRmon1Entry entry(this);
    if (entry.DoModal() != IDOK)
        return false;
    index = entry.m_strIndex;
    interfaceNumber = entry.m_strInterface;
    property = entry.m_strProperty;
    return true;
}

void CStatisticRmon1::RunView(CDialog& view)
{
    view.DoModal();
}

void CStatisticRmon1::OnAdd()
{
    std::string index;
    std::string interfaceNumber;
    std::string property;
    if (!AskEntry(index, interfaceNumber, property))
        return;
    // The entry dialog lets only numbers through; a row is never asked for
    // by an identifier that ends in a dot.
    CWriteReport report;
    if (CRmon1Entry::IsRowNumber(index) && CRmon1Entry::IsRowNumber(interfaceNumber))
        WriteValues({{EtherStatsOid(21, index), SnmpValueInteger, "2"},
                     {EtherStatsOid(2, index), SnmpValueObjectId, "1.3.6.1.2.1.2.2.1.1." + interfaceNumber},
                     {EtherStatsOid(20, index), SnmpValueOctetString, property}},
                    report, "the statistics entry " + index);
    report.Report();
    m_readReport.Begin();
    RefreshTable();
}

void CStatisticRmon1::OnDelete()
{
    if (MessageBox("Do you want to delete the control item?", "", MB_OKCANCEL) != IDOK)
        return;
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_strIndexList.size()))
        return;
    const std::string index = m_strIndexList[static_cast<std::size_t>(row)];
    CWriteReport report;
    WriteValues({{EtherStatsOid(21, index), SnmpValueInteger, "4"}}, report, "the deletion of statistics entry " + index);
    report.Report();
    m_readReport.Begin();
    RefreshTable();
    GetDlgItem(IDC_RMON1_DELETE)->EnableWindow(FALSE);
}

void CStatisticRmon1::OnParameter()
{
    CStatisticRmonCnt view(this);
    view.m_nGroup = 1;
    view.m_nGroupCount = (m_nIndexCount + kGroupSize - 1) / kGroupSize;
    view.m_nParameter = 0;
    RunView(view);
}

void CStatisticRmon1::OnInterface()
{
    const int row = SelectedRow();
    CStatisticRmonInf view(this);
    view.m_nIndexSel.fill(row < 0 ? 0 : row);
    RunView(view);
}

void CStatisticRmon1::OnListClick(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const int row = SelectedRow();
    if (row < 0) {
        GetDlgItem(IDC_RMON1_DELETE)->EnableWindow(FALSE);
        return;
    }
    const std::string source = m_list.GetItemText(row, 1);
    m_nPort = source.size() > 11 ? std::atoi(source.c_str() + 11) : 0;
    if (m_nPort > m_nIfNumber || m_nPort < 1)
        m_nPort = 1;
    SetWindowText(" RMON1 Group Info" + std::string(" - Port : ") + std::to_string(m_nPort));
    GetDlgItem(IDC_RMON1_DELETE)->EnableWindow(TRUE);
}

void CStatisticRmon1::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    if (SelectedRow() < 0) {
        GetDlgItem(IDC_RMON1_DELETE)->EnableWindow(FALSE);
        return;
    }
    OnInterface();
}

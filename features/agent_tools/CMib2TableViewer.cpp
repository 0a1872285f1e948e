#include "features/agent_tools/CMib2TableViewer.h"

#include "common/CModuleBase.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"

#include <memory>
#include <utility>

namespace {

constexpr UINT WM_MIB2_WALK_END = WM_USER + 472;

// A walk row's value as the agent gave it: numbers in decimal, addresses and
// object identifiers dotted, octet strings as their bytes; empty for a cell
// the row lacks.
std::string CellText(CSnmp* pResponse, int nIndex)
{
    int nType = 0;
    char* pszValue = nullptr;
    if (pResponse->getValue(nIndex, &nType, &pszValue) != 0 || pszValue == nullptr)
        return std::string();
    if (nType == 4)
        return CModuleBase::ValueText(pResponse, nIndex);
    return pszValue;
}

} // namespace

BEGIN_MESSAGE_MAP(CMib2TableViewer, CDialog)
    ON_MESSAGE(WM_MIB2_WALK_END, OnWalkEnd)
END_MESSAGE_MAP()

CMib2TableViewer::CMib2TableViewer(UINT nIDTemplate, Layout layout, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_layout(std::move(layout))
{
}

CMib2TableViewer::~CMib2TableViewer()
{
    m_cCommonSNMP.Close();
}

BOOL CMib2TableViewer::DestroyWindow()
{
    m_bClosing = true;
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    return CDialog::DestroyWindow();
}

void CMib2TableViewer::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_layout.nListId, m_list);
}

BOOL CMib2TableViewer::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    const UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    for (std::size_t i = 0; i < m_layout.columns.size(); ++i) {
        const Column& column = m_layout.columns[i];
        const int nColumn = static_cast<int>(i);
        m_list.InsertAutoWidthColumn(column.heading, nColumn, -1, nMask, LVCFMT_LEFT);
        if (column.widest != nullptr) {
            // The text, and the margins the heading's width leaves beside it.
            const int nWidth = m_list.GetStringWidth(column.widest) + m_list.GetStringWidth("    ");
            if (nWidth > m_list.GetColumnWidth(nColumn))
                m_list.SetColumnWidth(nColumn, nWidth);
        }
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    const std::string strTitle = WindowTitle();
    if (!strTitle.empty())
        SetWindowText(strTitle);
    if (m_layout.bWalkOnShow) {
        m_list.DeleteAllItems();
        SetEntries(0);
    } else {
        StartWalk();
    }
    return TRUE;
}

std::string CMib2TableViewer::FormatColumn(int /*nColumn*/, const std::string& strValue) const
{
    return strValue;
}

void CMib2TableViewer::SetEntries(int nCount)
{
    if (m_layout.nEntriesId != 0)
        GetDlgItem(m_layout.nEntriesId)->SetWindowText(std::to_string(nCount));
}

void CMib2TableViewer::StartWalk()
{
    GetDlgItem(m_layout.nRefreshId)->EnableWindow(FALSE);
    m_cCommonSNMP.Open(1);
    {
        std::lock_guard lock(m_csRows);
        m_rowsBuilding.clear();
    }
    for (const Column& column : m_layout.columns)
        m_cCommonSNMP.AddValue(column.oid, SnmpValueNull);
    if (!m_cCommonSNMP.StartAsync(&CMib2TableViewer::OnWalkRow, this))
        OnWalkEnd(0, 0);
}

void CMib2TableViewer::EndWalk(bool bWhole)
{
    m_cCommonSNMP.SignalDone();
    SendMessage(WM_MIB2_WALK_END, bWhole ? 1 : 0, 0);
}

LRESULT CMib2TableViewer::OnWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    if (m_bClosing)
        return 0;
    GetDlgItem(m_layout.nRefreshId)->EnableWindow(TRUE);
    if (wParam == 0) {
        m_readReport.Fail("the table", m_bHaveList);
        return 0;
    }
    std::vector<std::vector<std::string>> rows;
    {
        std::lock_guard lock(m_csRows);
        rows.swap(m_rowsBuilding);
    }
    m_bHaveList = true;
    m_list.DeleteAllItems();
    for (std::size_t nRow = 0; nRow < rows.size(); ++nRow) {
        for (std::size_t i = 0; i < rows[nRow].size(); ++i)
            m_list.SetOrInsertItemText(static_cast<int>(nRow), static_cast<int>(i), rows[nRow][i].c_str());
    }
    SetEntries(static_cast<int>(rows.size()));
    return 0;
}

int CMib2TableViewer::OnWalkRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CMib2TableViewer*>(pUserData);
    if (!pThis->m_cCommonSNMP.FindRequestID(nRequestID))
        return 0;
    const int nColumns = static_cast<int>(pThis->m_layout.columns.size());
    const int nValues = pResponse ? pResponse->getVarBindCount() : 0;
    if (nStatus != 0 || !pResponse || nValues < pThis->m_layout.nMinValues) {
        // The end of the table, or a walk cut short.
        pThis->EndWalk(nStatus == -2 || (nStatus == 0 && pResponse));
        return 0;
    }
    std::vector<std::string> texts;
    for (int i = 0; i < nValues && i < nColumns; ++i) {
        if (pThis->m_layout.bNoValueEndsWalk && !CModuleBase::HasValue(pResponse.get(), i)) {
            pThis->EndWalk(true);
            return 0;
        }
        texts.push_back(pThis->FormatColumn(i, CellText(pResponse.get(), i)));
    }
    {
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_rowsBuilding.push_back(std::move(texts));
    }
    if (!pThis->m_cCommonSNMP.StartAsync(&CMib2TableViewer::OnWalkRow, pThis))
        pThis->EndWalk(false);
    return 0;
}

void CMib2TableViewer::OnRefresh()
{
    m_readReport.Begin();
    StartWalk();
}

void CMib2TableViewer::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // The first walk starts once the dialog is on screen (and again whenever
    // it comes up, not as it goes). It starts here rather than from a posted
    // Refresh: a posted message would wait for whatever runs the window's
    // loop to return.
    if (m_layout.bWalkOnShow && bShow) {
        m_readReport.Begin();
        OnRefresh();
    }
}

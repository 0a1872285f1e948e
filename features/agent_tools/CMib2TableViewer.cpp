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
    for (std::size_t i = 0; i < m_layout.columns.size(); ++i)
        m_list.InsertAutoWidthColumn(m_layout.columns[i].heading, static_cast<int>(i), -1, nMask, LVCFMT_LEFT);
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
    m_list.DeleteAllItems();
    SetEntries(0);
    GetDlgItem(m_layout.nRefreshId)->EnableWindow(FALSE);
    m_cCommonSNMP.Open(1);
    for (const Column& column : m_layout.columns)
        m_cCommonSNMP.AddValue(column.oid, SnmpValueNull);
    m_cCommonSNMP.StartRequest(&CMib2TableViewer::OnWalkRow, this, 0, 0);
}

void CMib2TableViewer::EndWalk()
{
    m_cCommonSNMP.SignalDone();
    GetDlgItem(m_layout.nRefreshId)->EnableWindow(TRUE);
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
        pThis->EndWalk();
        return 0;
    }
    std::vector<std::string> texts;
    for (int i = 0; i < nValues && i < nColumns; ++i) {
        if (pThis->m_layout.bNoValueEndsWalk && !CModuleBase::HasValue(pResponse.get(), i)) {
            pThis->EndWalk();
            return 0;
        }
        texts.push_back(pThis->FormatColumn(i, CellText(pResponse.get(), i)));
    }
    const int nRow = pThis->m_list.GetItemCount();
    for (std::size_t i = 0; i < texts.size(); ++i)
        pThis->m_list.SetOrInsertItemText(nRow, static_cast<int>(i), texts[i].c_str());
    pThis->SetEntries(nRow + 1);
    pThis->m_cCommonSNMP.StartRequest(&CMib2TableViewer::OnWalkRow, pThis, 0, 0);
    return 0;
}

void CMib2TableViewer::OnRefresh()
{
    StartWalk();
}

void CMib2TableViewer::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // The first walk starts once the dialog is on screen (and again whenever
    // it comes up, not as it goes). It starts here rather than from a posted
    // Refresh: a posted message would wait for whatever runs the window's
    // loop to return.
    if (m_layout.bWalkOnShow && bShow)
        OnRefresh();
}

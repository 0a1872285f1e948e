// The MIB-II table viewers' common part: a read-only list that one GETNEXT
// walk fills; the walk's call-back on the session's worker gathers the rows
// apart and the UI thread takes them whole when the walk has read the table
// to its end (a walk cut short keeps the last complete list and is said once
// per opening or Refresh); a Refresh button that is off while a walk runs;
// and, in some viewers, an "Entries:" count of the list shown. Each viewer
// names its columns, ids and the few rules in which they differ.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CDialog.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CMib2TableViewer : public CDialog
{
public:
    struct Column
    {
        const char* heading;
        const char* oid;
        // The longest text the column shows, when wider than its heading:
        // the column is made wide enough for it.
        const char* widest = nullptr;
    };
    // What sets one viewer apart from the others.
    struct Layout
    {
        std::vector<Column> columns;
        int nListId;
        int nRefreshId;
        int nEntriesId;         // 0: no entries static
        int nMinValues;         // fewer values in a reply end the walk
        bool bNoValueEndsWalk;  // a binding without a value ends the walk
        bool bWalkOnShow;       // the first walk starts once the window shows
    };

    CMib2TableViewer(UINT nIDTemplate, Layout layout, CWnd* pParent);
    ~CMib2TableViewer() override;

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The window title set at start; empty keeps the template's caption.
    virtual std::string WindowTitle() const { return std::string(); }
    // The text of one value as the viewer shows it.
    virtual std::string FormatColumn(int nColumn, const std::string& strValue) const;

    void StartWalk();
    static int OnWalkRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    void OnRefresh();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // The walk has ended: wParam 1 read to its end, 0 cut short.
    LRESULT OnWalkEnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    CCommonSNMP m_cCommonSNMP;
    CListCtrlEx m_list;
    const Layout m_layout;

private:
    void SetEntries(int nCount);
    void EndWalk(bool bWhole);

    std::mutex m_csRows;
    std::vector<std::vector<std::string>> m_rowsBuilding; // under m_csRows
    bool m_bHaveList = false;
    CReadReport m_readReport;
    // The window is being destroyed: a walk cut short is no failure.
    bool m_bClosing = false;
};

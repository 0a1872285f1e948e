// "Forwarding Table": the switch's MAC forwarding database in pages of 100
// entries, with Next and Back, and the bridge's address ageing time.
//
// Opened by the main window's command ID_FORWARDING_TABLE (32810). The walk's
// call-back runs on m_cCommonSNMP's worker: it gathers the entries apart
// (under m_csEntries) and hands the walk's end to the UI thread, which takes
// a table read to its end whole and shows its first page. A walk cut short
// keeps the last complete table shown, and is said once per opening or
// Refresh.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/agent_tools/FWD_TABLE.h"
#include "platform/ui/CDialog.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CSwitchDatabase : public CDialog
{
public:
    explicit CSwitchDatabase(CWnd* pParent = nullptr);
    ~CSwitchDatabase() override;

    // "00-11-22-33-44-55" from an entry's index ".FDB.0.17.34.51.68.85";
    // missing or out-of-range arcs count as zero.
    static std::string MacFromIndex(const std::string& strIndex);
    // The text of a dot1qTpFdbStatus value.
    static std::string StatusText(const std::string& strStatus);

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void StartWalk();
    static int OnFdbRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void ReadAgingTime();
    // 3 next page, 2 previous page.
    void ShowPage(int nDirection);
    void ShowEntries(int nFirst, int nLast);

    void OnRefresh();
    void OnNext();
    void OnBack();
    void OnClose();
    // The walk has ended: wParam 1 read to its end, 0 cut short.
    LRESULT OnWalkEnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void AppendRow(const FWD_TABLE& entry);
    // The entry number in the list's first row; 0 for an empty list.
    int FirstShown();

    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPGetTime;
    CListCtrlEx m_list;
    std::mutex m_csEntries;
    std::vector<FWD_TABLE> m_arrEntries;  // the table shown; UI thread
    std::vector<FWD_TABLE> m_arrBuilding; // the walk's entries, under m_csEntries
    bool m_bHaveTable = false;
    CReadReport m_readReport;
    // The window is being destroyed: a walk cut short is no failure.
    bool m_bClosing = false;
};

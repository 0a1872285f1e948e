// A dialog that worker threads fill, the way a table walk's call-back fills
// one: rows inserted into its list from the worker, and rows sent to it as
// messages that its handler answers on the UI thread.
#pragma once

#include "platform/ui/WindowLayer.h"
#include "resources/test.h"

#include <thread>
#include <vector>

inline constexpr UINT WM_WALK_ROW = WM_USER + 31;

class WalkDialog : public CDialog
{
public:
    WalkDialog() : CDialog(IDD_UI_TEST) {}

    CListCtrl m_list;
    std::vector<WPARAM> rows;                // wParam of every WM_WALK_ROW, in order
    std::vector<std::thread::id> rowThreads; // the thread each one was handled on

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnWalkRow(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

#include "ui_threads/WalkDialog.h"

BEGIN_MESSAGE_MAP(WalkDialog, CDialog)
    ON_MESSAGE(WM_WALK_ROW, OnWalkRow)
END_MESSAGE_MAP()

void WalkDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEST_LIST, m_list);
}

LRESULT WalkDialog::OnWalkRow(WPARAM wParam, LPARAM lParam)
{
    rows.push_back(wParam);
    rowThreads.push_back(std::this_thread::get_id());
    return static_cast<LRESULT>(wParam) * 2 + lParam;
}

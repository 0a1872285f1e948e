#include "common/CButtonEx.h"

namespace {

int g_nReportingClicks = 0; // UI thread only

} // namespace

BEGIN_MESSAGE_MAP(CButtonEx, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CButtonEx::CButtonEx() = default;

CButtonEx::~CButtonEx() = default;

bool CButtonEx::IsReportingClick()
{
    return g_nReportingClicks > 0;
}

void CButtonEx::OnClicked()
{
    UINT message = WM_CELL_BUTTON_CLICK;
    if (m_bCheckMode) {
        SetCheck(BST_CHECKED);
        message = WM_CELL_BUTTON_CHECK;
    }
    CWnd* list = GetParent();
    CWnd* dialog = list ? list->GetParent() : nullptr;
    if (!dialog)
        return;
    const WPARAM row = static_cast<WPARAM>(m_nRow);
    const LPARAM column = m_nColumn;
    ++g_nReportingClicks;
    dialog->SendMessage(message, row, column);
    --g_nReportingClicks;
}

// A push button or radio-style button that a CReportCtrl lays over one of its
// cells. A click is reported to the list's parent (the dialog) with the cell:
// WM_CELL_BUTTON_CLICK from a push button, WM_CELL_BUTTON_CHECK from a
// radio-style button, which checks itself first and stays checked.
#pragma once

#include "platform/ui/CButton.h"

#include <string>

// wParam the row, lParam the column.
inline constexpr UINT WM_CELL_BUTTON_CLICK = WM_APP + 20000;
inline constexpr UINT WM_CELL_BUTTON_CHECK = WM_APP + 20100;

class CButtonEx : public CButton
{
public:
    CButtonEx();
    ~CButtonEx() override;

    // True while some cell button is reporting a click: the dialog's handler
    // may remove that very button, whose object must then outlive the click.
    static bool IsReportingClick();

    int m_nRow = -1;
    int m_nColumn = -1;
    BOOL m_bCheckMode = FALSE; // radio-style
    std::string m_strCaption;

protected:
    void OnClicked();

    DECLARE_MESSAGE_MAP()
};

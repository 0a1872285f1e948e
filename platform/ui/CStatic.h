// A text, icon or bitmap label. Its text shows '&' marks as nothing ("&&" as
// '&') unless SS_NOPREFIX; SS_NOTIFY reports clicks as STN_CLICKED.
#pragma once

#include "platform/ui/CWnd.h"

class CBitmap;

class CStatic : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(const char* lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);

    // Shows an icon (SS_ICON); returns the one shown before.
    using CWnd::SetIcon;
    HICON SetIcon(HICON hIcon);
    using CWnd::GetIcon;
    HICON GetIcon() const;
    // Shows the bitmap as it is now (SS_BITMAP); null shows none.
    BOOL SetBitmap(CBitmap* pBitmap);
};

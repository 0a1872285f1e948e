// A device context on a window's client area: it draws on the window's kept
// image, which the window shows (from any thread; the UI thread shows it).
#pragma once

#include "platform/ui/CDC.h"
#include "platform/ui/UiTypes.h"

class CWnd;

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

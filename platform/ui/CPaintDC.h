// The device context of a WM_PAINT handler: it draws on the window's kept
// image, which the paint shows when the handler returns.
//
//   void CMyDlg::OnPaint()
//   {
//       CPaintDC dc(this);
//       dc.TextOut(10, 10, "port 1");
//   }
#pragma once

#include "platform/ui/CDC.h"
#include "platform/ui/UiTypes.h"

class CWnd;

struct PAINTSTRUCT
{
    const void* hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint{};
};

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd = nullptr;
};

// The demo dialog opened modeless and shown for a test, and what the tests
// read of its controls.
#pragma once

#include "controls/ControlsDemoDlg.h"
#include "ui/UiTestSupport.h"

#include <QImage>
#include <QWidget>

#include <string>

struct OpenDemo
{
    explicit OpenDemo(int nPorts = 28) : dialog(nPorts)
    {
        EnsureApplication();
        dialog.Create(IDD_CONTROLS_DEMO);
        dialog.ShowWindow(SW_SHOW);
    }
    ~OpenDemo() { dialog.DestroyWindow(); }
    ControlsDemoDlg dialog;
};

// Types the text into the address edit and moves the focus away from it.
inline void EnterAndLeave(ControlsDemoDlg& d, const std::string& text)
{
    d.m_address.SetWindowText(text);
    d.m_address.SetFocus();
    PumpUntil([&] { return CWnd::GetFocus() == &d.m_address; }, 1000);
    d.m_list.SetFocus();
    PumpUntil([&] { return CWnd::GetFocus() == &d.m_list; }, 1000);
}

// A control's rectangle in its parent's client coordinates.
inline CRect ChildRect(const CWnd& parent, const CWnd* child)
{
    CRect rc;
    child->GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

inline CRect ChildRect(const CWnd& parent, int id)
{
    return ChildRect(parent, parent.GetDlgItem(id));
}

// What the window shows now.
inline QImage Shot(CWnd& wnd)
{
    return wnd.GetWidget()->grab().toImage();
}

inline QRgb Rgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

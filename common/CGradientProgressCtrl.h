// A progress bar that paints itself: a colour gradient across the whole width
// of the control, shown up to the current position, with an optional
// percentage in the middle. It keeps its own range, step and position and
// passes every change on to the progress control underneath.
#pragma once

#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CRect.h"

#include <atomic>

class CDC;

class CGradientProgressCtrl : public CProgressCtrl
{
public:
    CGradientProgressCtrl();

    // Stores the range and sets the position to nLower.
    void SetRange(int nLower, int nUpper);
    // Stores the position as given; the bar shows it clamped to the range.
    int SetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();

    // The gradient's colours at the left and right end; take effect at the
    // next paint.
    void SetStartColor(COLORREF crStart);
    void SetEndColor(COLORREF crEnd);

    // Paints the gradient on pDC over rcClient, shown from its left edge up to
    // nBarEnd pixels (ending on a band edge); the rest in the background colour.
    void DrawGradient(CDC* pDC, const CRect& rcClient, int nBarEnd);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // The progress control underneath does not repaint a bar it does not draw itself.
    void Repaint();

    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    // Set from worker threads too (a transfer's reply moves the bar).
    std::atomic<int> m_nPos{0};
    COLORREF m_crStart = RGB(255, 0, 0);
    COLORREF m_crEnd = RGB(0, 0, 255);
    COLORREF m_crBackground;
    COLORREF m_crText = RGB(255, 255, 255);
    BOOL m_bShowPercent = FALSE;
};

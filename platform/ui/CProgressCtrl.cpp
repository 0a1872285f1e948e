#include "platform/ui/CProgressCtrl.h"

#include "platform/ui/WindowAccess.h"

#include <QProgressBar>

namespace {

const char* const kStepProperty = "korvelStep";

int StepOf(const QProgressBar* bar)
{
    const QVariant step = bar->property(kStepProperty);
    return step.isValid() ? step.toInt() : 10;
}

int Move(QProgressBar* bar, int pos)
{
    const int old = bar->value();
    bar->setValue(std::clamp(pos, bar->minimum(), bar->maximum()));
    return old;
}

} // namespace

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(PROGRESS_CLASS, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    SetRange32(nLower, nUpper);
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    OnWidget<QProgressBar>(this, [&](QProgressBar* bar, WindowRecord&) {
        bar->setRange(std::min(nLower, nUpper), std::max(nLower, nUpper));
        Move(bar, bar->value());
    });
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = 0;
    nUpper = 0;
    OnWidget<QProgressBar>(this, [&](QProgressBar* bar, WindowRecord&) {
        nLower = bar->minimum();
        nUpper = bar->maximum();
    });
}

int CProgressCtrl::SetPos(int nPos)
{
    return OnWidget<QProgressBar>(this, 0, [&](QProgressBar* bar, WindowRecord&) { return Move(bar, nPos); });
}

int CProgressCtrl::GetPos() const
{
    return OnWidget<QProgressBar>(this, 0, [](QProgressBar* bar, WindowRecord&) { return bar->value(); });
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return OnWidget<QProgressBar>(this, 0,
                                  [&](QProgressBar* bar, WindowRecord&) { return Move(bar, bar->value() + nPos); });
}

int CProgressCtrl::SetStep(int nStep)
{
    return OnWidget<QProgressBar>(this, 0, [&](QProgressBar* bar, WindowRecord&) {
        const int old = StepOf(bar);
        bar->setProperty(kStepProperty, nStep);
        return old;
    });
}

int CProgressCtrl::StepIt()
{
    return OnWidget<QProgressBar>(this, 0, [](QProgressBar* bar, WindowRecord&) {
        // Stepping past the end starts again from the bottom.
        int next = bar->value() + StepOf(bar);
        if (next > bar->maximum())
            next = bar->minimum() + (next - bar->maximum());
        return Move(bar, next);
    });
}

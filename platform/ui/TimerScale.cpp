#include "platform/ui/TimerScale.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>

namespace {

std::atomic<double> g_timerScale{1.0};

} // namespace

void SetWindowTimerScale(double factor)
{
    g_timerScale = factor > 0 ? factor : 1.0;
}

double WindowTimerScale()
{
    return g_timerScale;
}

unsigned ScaledTimerPeriod(unsigned nElapse)
{
    const double factor = g_timerScale;
    if (factor == 1.0)
        return nElapse;
    const double scaled = std::llround(static_cast<double>(nElapse) * factor);
    return static_cast<unsigned>(std::clamp(scaled, 1.0, static_cast<double>(INT_MAX)));
}

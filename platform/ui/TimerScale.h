// For tests only: a factor on the period of every window timer, so that a
// test can run a dialog's minutes-long time-outs in seconds. The program
// never sets it; at 1 (the initial value) every timer runs as asked.
#pragma once

// factor > 0; periods are multiplied by it, and are at least 1 ms.
void SetWindowTimerScale(double factor);
double WindowTimerScale();
// The period a timer asked for nElapse ms gets.
unsigned ScaledTimerPeriod(unsigned nElapse);

// Pauses the calling thread. On the UI thread the pause keeps serving window
// calls carried from other threads (UiThreadWait.h).
#pragma once

#include "platform/system/WinTypes.h"

void Sleep(DWORD milliseconds);

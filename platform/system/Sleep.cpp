#include "platform/system/Sleep.h"

#include "platform/system/UiThreadWait.h"

#include <chrono>
#include <thread>

void Sleep(DWORD milliseconds)
{
    if (ui_wait::IsUiThread()) {
        ui_wait::WaitServingUi([] { return false; }, milliseconds == INFINITE ? INFINITE - 1 : milliseconds);
        return;
    }
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

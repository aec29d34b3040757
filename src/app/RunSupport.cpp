#include "app/RunSupport.h"

#include <mmsystem.h>

#include <algorithm>

#include "app/Sys.h"

void ShowRunRefusal(bool& boxOpen, const wchar_t* text, const wchar_t* title, UINT type) {
    boxOpen = true;
    SysMessageBox(appState.mainWindow, text, title, type);
    boxOpen = false;
}

UINT BeginFinestTimerPeriod() {
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof(caps)) != TIMERR_NOERROR) {
        return 0;
    }
    UINT period = std::min(std::max<UINT>(caps.wPeriodMin, 1), caps.wPeriodMax);
    timeBeginPeriod(period);
    return period;
}

void EndFinestTimerPeriod(UINT period) {
    if (period > 0) {
        timeEndPeriod(period);
    }
}

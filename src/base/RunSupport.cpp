#include "base/RunSupport.h"

#include <mmsystem.h>

#include <algorithm>

#include "base/Sys.h"

void ShowRunBox(HWND owner, bool& boxOpen, const wchar_t* text, const wchar_t* title, UINT type) {
    boxOpen = true;
    SysMessageBox(owner, text, title, type);
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

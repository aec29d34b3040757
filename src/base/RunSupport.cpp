#include "base/RunSupport.h"

#include <mmsystem.h>

#include <algorithm>

#include "base/Sys.h"

namespace {

bool timerResolutionHeld = false;

} // namespace

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

void HoldTimerResolution(bool wanted) {
    if (wanted == timerResolutionHeld) {
        return;
    }
    timerResolutionHeld = wanted;
    // The bit in ControlMask with StateMask 0 opts out of the throttling; with the bit in StateMask
    // as well it would ask for it. ControlMask 0 leaves the choice to Windows again.
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = wanted ? PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION : 0;
    state.StateMask = 0;
    // Wine 8 refuses the request (error 1): its timers keep their period anyway.
    SysSetProcessInformation(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof(state));
}

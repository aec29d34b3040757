#include "clicker/ClickLogic.h"

#include <algorithm>
#include <cwchar>

#include "base/InputFlags.h"

int64_t SumClickInterval(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds) {
    return int64_t{hours} * 3600000 + int64_t{minutes} * 60000 + int64_t{seconds} * 1000 +
           int64_t{milliseconds};
}

ClickIntervalCheck CheckClickInterval(int64_t totalMs) {
    if (totalMs < 1) {
        return ClickIntervalCheck::TooShort;
    }
    if (totalMs > kMaxClickIntervalMs) {
        return ClickIntervalCheck::TooLong;
    }
    return ClickIntervalCheck::Valid;
}

ClickButtonFlags ChooseClickButtonFlags(int64_t buttonSelection) {
    switch (buttonSelection) {
        case 1: return ClickButtonFlags{InputFlag::MouseRightDown, InputFlag::MouseRightUp};
        case 2: return ClickButtonFlags{InputFlag::MouseMiddleDown, InputFlag::MouseMiddleUp};
        default: return ClickButtonFlags{InputFlag::MouseLeftDown, InputFlag::MouseLeftUp};
    }
}

bool IsDoubleClickSelection(int64_t clickTypeSelection) {
    return clickTypeSelection != 0;
}

bool IsClickRunComplete(int32_t clickCount, int32_t clickRepeatCount) {
    return clickRepeatCount > 0 && clickCount >= clickRepeatCount;
}

int32_t TakeDueClicks(int64_t& nextDueUs, uint32_t intervalMs, int64_t nowUs, int32_t maxClicks) {
    const int64_t lookUs = nowUs + kClickDueSlackUs;
    if (lookUs < nextDueUs || maxClicks < 1) {
        return 0;
    }
    const int64_t intervalUs = int64_t{intervalMs} * 1000;
    const int64_t due = (lookUs - nextDueUs) / intervalUs + 1;
    // Due times at or before lookUs - kClickCatchUpUs are too old to be made up.
    const int64_t tooOld = lookUs - kClickCatchUpUs;
    const int64_t dropped = nextDueUs > tooOld ? 0 : (tooOld - nextDueUs) / intervalUs + 1;
    const int64_t clicks = std::min<int64_t>(std::max<int64_t>(due - dropped, 1), maxClicks);
    nextDueUs = clicks < due ? nowUs + intervalUs : nextDueUs + due * intervalUs;
    return static_cast<int32_t>(clicks);
}

int32_t ClickBatchLimit(bool doubleClick, int32_t clickCount, int32_t clickRepeatCount) {
    if (doubleClick) {
        return 1;
    }
    return clickRepeatCount > 0 ? clickRepeatCount - clickCount : INT32_MAX;
}

uint32_t ClickTimerDelayMs(int64_t nextDueUs, int64_t nowUs) {
    const int64_t delayMs = (nextDueUs - nowUs) / 1000;
    return static_cast<uint32_t>(std::clamp<int64_t>(delayMs, 1, kMaxClickIntervalMs));
}

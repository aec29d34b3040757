#include "clicker/ClickLogic.h"

#include <cwchar>

namespace {

constexpr uint32_t kLeftDown = 0x0002;
constexpr uint32_t kLeftUp = 0x0004;
constexpr uint32_t kRightDown = 0x0008;
constexpr uint32_t kRightUp = 0x0010;
constexpr uint32_t kMiddleDown = 0x0020;
constexpr uint32_t kMiddleUp = 0x0040;

} // namespace

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

std::wstring FormatClickStatus(bool isClicking, int32_t clickCount, int32_t clickRepeatCount) {
    wchar_t statusText[256];
    if (isClicking && clickRepeatCount > 0) {
        std::swprintf(statusText, 256, L"Status: Running | Clicks: %d / %d", clickCount, clickRepeatCount);
    } else if (isClicking) {
        std::swprintf(statusText, 256, L"Status: Running | Clicks: %d", clickCount);
    } else {
        std::swprintf(statusText, 256, L"Status: Stopped | Clicks: %d", clickCount);
    }
    return statusText;
}

ClickButtonFlags ChooseClickButtonFlags(int64_t buttonSelection) {
    switch (buttonSelection) {
        case 1: return ClickButtonFlags{kRightDown, kRightUp};
        case 2: return ClickButtonFlags{kMiddleDown, kMiddleUp};
        default: return ClickButtonFlags{kLeftDown, kLeftUp};
    }
}

bool IsDoubleClickSelection(int64_t clickTypeSelection) {
    return clickTypeSelection != 0;
}

bool IsClickRunComplete(int32_t clickCount, int32_t clickRepeatCount) {
    return clickRepeatCount > 0 && clickCount >= clickRepeatCount;
}

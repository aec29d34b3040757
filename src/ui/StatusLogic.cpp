#include "ui/StatusLogic.h"

#include <cwchar>

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

std::optional<std::wstring> FormatRecordStatus(bool isRecording, bool isClicking, size_t eventCount,
                                               int32_t clickCount) {
    wchar_t text[256];
    if (isRecording) {
        std::swprintf(text, 256, L"Recording... Events: %zu", eventCount);
    } else if (!isClicking && eventCount != 0) {
        std::swprintf(text, 256, L"Ready to playback | Events: %zu", eventCount);
    } else if (!isClicking) {
        std::swprintf(text, 256, L"Status: Stopped | Clicks: %d", static_cast<int>(clickCount));
    } else {
        return std::nullopt;
    }
    return std::wstring(text);
}

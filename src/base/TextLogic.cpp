#include "base/TextLogic.h"

#include <climits>
#include <cwchar>

namespace {

constexpr uint32_t kVkF1 = 0x70;
constexpr uint32_t kVkF12 = 0x7B;
constexpr uint32_t kVkF13 = 0x7C;
constexpr uint32_t kVkF24 = 0x87;

bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// Display name of a hotkey.
std::wstring FormatHotkeyName(uint32_t key) {
    wchar_t name[32];
    if (IsFunctionKey(key) || (key >= kVkF13 && key <= kVkF24)) {
        std::swprintf(name, 32, L"F%d", static_cast<int>(key - 0x6F));
    } else {
        std::swprintf(name, 32, L"Key 0x%02X", static_cast<unsigned>(key));
    }
    return name;
}

std::wstring FormatFunctionKeyCaption(const wchar_t* format, const wchar_t* fallback, uint32_t key) {
    if (!IsFunctionKey(key)) {
        return fallback;
    }
    wchar_t buffer[32];
    std::swprintf(buffer, 32, format, static_cast<int>(key - 0x6F));
    return buffer;
}

} // namespace

bool IsFunctionKey(uint32_t key) {
    return key >= kVkF1 && key <= kVkF12;
}

int32_t ParseIntField(const wchar_t* text) {
    if (text == nullptr) {
        return 0;
    }
    while (IsBlank(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == L'+' || *text == L'-') {
        negative = *text == L'-';
        ++text;
    }
    int64_t value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        value = value * 10 + (*text - L'0');
        if (value > static_cast<int64_t>(INT_MAX) + 1) {
            value = static_cast<int64_t>(INT_MAX) + 1; // enough to know it clamps
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int32_t>(value);
}

std::wstring FormatStartCaption(uint32_t key, bool running) {
    return (running ? L"Stop (" : L"Start (") + FormatHotkeyName(key) + L")";
}

std::wstring FormatRecordCaption(uint32_t key, bool running) {
    return running ? FormatFunctionKeyCaption(L"Stop Rec (F%d)", L"Stop Recording", key)
                   : FormatFunctionKeyCaption(L"Record (F%d)", L"Record", key);
}

std::wstring FormatPlaybackCaption(uint32_t key, bool running) {
    return running ? FormatFunctionKeyCaption(L"Stop Play (F%d)", L"Stop Playback", key)
                   : FormatFunctionKeyCaption(L"Playback (F%d)", L"Playback", key);
}

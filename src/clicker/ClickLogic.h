// The auto-clicker's rules as plain numbers and text: the interval and its limits, the status
// line, and which mouse_event flags a tick sends.
#pragma once

#include <cstdint>
#include <string>

// The longest period a window timer takes (USER_TIMER_MAXIMUM), about 24.8 days.
constexpr int64_t kMaxClickIntervalMs = 2147483647;

// Hours, minutes, seconds and milliseconds as typed; the fields are not normalised (75 seconds
// is fine). Summed in 64 bits, so no combination of field values wraps around.
int64_t SumClickInterval(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds);

enum class ClickIntervalCheck { Valid, TooShort, TooLong };

// Valid from 1 ms up to kMaxClickIntervalMs.
ClickIntervalCheck CheckClickInterval(int64_t totalMs);

// "Status: Running | Clicks: 4 / 10", "Status: Running | Clicks: 4" (no count asked for) or
// "Status: Stopped | Clicks: 4".
std::wstring FormatClickStatus(bool isClicking, int32_t clickCount, int32_t clickRepeatCount);

// mouse_event flags of the chosen button (MOUSEEVENTF_LEFTDOWN and friends, as numbers).
struct ClickButtonFlags {
    uint32_t press;
    uint32_t release;
};

// By the mouse-button combo's selection: 0 Left, 1 Right, 2 Middle; anything else (no
// selection included) is Left.
ClickButtonFlags ChooseClickButtonFlags(int64_t buttonSelection);

// By the click-type combo's selection: only 0 ("Single") is a single click; "Double" and no
// selection are double clicks.
bool IsDoubleClickSelection(int64_t clickTypeSelection);

// A counted run (repeatCount > 0) is over once the count reaches it; -1 never ends.
bool IsClickRunComplete(int32_t clickCount, int32_t clickRepeatCount);

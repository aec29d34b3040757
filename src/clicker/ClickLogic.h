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

// Clicks fall due on a steady clock, one interval apart from one interval after the start; the
// window timer only says when to look. The clock counts microseconds.
//
// A window timer is set in whole milliseconds, so it may come up to a millisecond before the
// click it was aimed at: a tick performs what falls due within kClickDueSlackUs after it.
constexpr int64_t kClickDueSlackUs = 999;
// A tick that comes late performs what fell due within this span before it and drops anything
// older, so a stall (a busy machine, a long modal loop) never turns into a burst. Longer than a
// normal late tick: a 15.625 ms system tick plus the 10 ms pause at a fixed position.
constexpr int64_t kClickCatchUpUs = 50000;

// The clicks the tick at nowUs performs, at most maxClicks: every click due by then, of those
// only the ones due within the catch-up span, but one at least when any is due. Moves
// nextDueUs past them; when some are left out, the schedule starts afresh from now.
int32_t TakeDueClicks(int64_t& nextDueUs, uint32_t intervalMs, int64_t nowUs, int32_t maxClicks);

// What one tick may perform at most: a double click pauses between its halves, so one of those;
// a counted run no more than it has left.
int32_t ClickBatchLimit(bool doubleClick, int32_t clickCount, int32_t clickRepeatCount);

// Milliseconds to set the window timer to so that it comes when the next click is due: never
// later than that (the slack covers it coming up to a millisecond early), at least 1.
uint32_t ClickTimerDelayMs(int64_t nextDueUs, int64_t nowUs);

#include "clicker/Clicker.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "app/AppState.h"
#include "base/InputFlags.h"
#include "base/RunSupport.h"
#include "base/Sys.h"
#include "clicker/ClickLogic.h"
#include "ui/MainControls.h"
#include "ui/RunDisplay.h"

namespace {

constexpr DWORD kFixedPositionSettleMs = 10;
constexpr DWORD kDoubleClickGapMs = 50;

void ShowClickWarning(const wchar_t* text, const wchar_t* title) {
    ShowRunBox(appState.mainWindow, appState.clickBoxOpen, text, title, MB_ICONWARNING);
}

void SendButtonClick(const ClickButtonFlags& flags) {
    SysMouseEvent(flags.press, 0, 0, 0, kTambloInputMark);
    SysMouseEvent(flags.release, 0, 0, 0, kTambloInputMark);
}

int64_t ReadClickClock() {
    auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count();
}

} // namespace

int64_t ReadClickInterval() {
    int32_t hours = ReadNumberField(appState.hoursEdit);
    int32_t minutes = ReadNumberField(appState.minsEdit);
    int32_t seconds = ReadNumberField(appState.secsEdit);
    int32_t milliseconds = ReadNumberField(appState.millisecsEdit);
    return SumClickInterval(hours, minutes, seconds, milliseconds);
}

void StartClicking() {
    if (appState.isClicking) {
        return;
    }
    // Checked in 64 bits before it is stored: a huge or negative sum must not wrap into some
    // unrelated but acceptable period.
    int64_t interval = ReadClickInterval();
    switch (CheckClickInterval(interval)) {
        case ClickIntervalCheck::TooShort:
            ShowClickWarning(L"Click interval must be at least 1 millisecond.", L"Invalid Interval");
            return;
        case ClickIntervalCheck::TooLong:
            ShowClickWarning(L"Click interval must be at most 2147483647 milliseconds (about 24 days).",
                             L"Invalid Interval");
            return;
        case ClickIntervalCheck::Valid: break;
    }
    appState.clickInterval = static_cast<uint32_t>(interval);
    appState.clickCount = 0;

    if (IsButtonChecked(appState.repeatRadio)) {
        appState.clickRepeatCount = ReadNumberField(appState.repeatTimesEdit);
        if (appState.clickRepeatCount < 1) {
            ShowClickWarning(L"Number of clicks must be at least 1.", L"Invalid Count");
            return;
        }
    } else {
        appState.clickRepeatCount = -1;
    }

    // No click now: the first one is due one interval after the start.
    // The finest timer while clicking, so that the ticks land when clicks are due.
    appState.clickTimerPeriod = BeginFinestTimerPeriod();
    appState.clickNextDueUs = ReadClickClock() + int64_t{appState.clickInterval} * 1000;
    SetTimer(appState.mainWindow, IDT_CLICK, appState.clickInterval, nullptr);
    appState.isClicking = true;
    HoldTimerResolution(appState.isClicking || appState.isPlaying);
    ShowRunState(StatusLine::Click);
}

void StopClicking() {
    if (!appState.isClicking) {
        return;
    }
    KillTimer(appState.mainWindow, IDT_CLICK);
    EndFinestTimerPeriod(std::exchange(appState.clickTimerPeriod, 0));
    appState.isClicking = false;
    HoldTimerResolution(appState.isClicking || appState.isPlaying);
    ShowRunState(StatusLine::Click);
}

// One timer tick: every click due by now, at the cursor or at the fixed position, then the timer
// is aimed at the next one. The settings are read afresh each time: a DPI rebuild during a run
// replaces the controls, and the following ticks follow the new ones.
void PerformClick() {
    // Each tick sets the next one: a tick that arrives after a stop must not start the timer again.
    if (!appState.isClicking) {
        return;
    }
    bool doubleClick = IsDoubleClickSelection(SendMessageW(appState.clickTypeCombo, CB_GETCURSEL, 0, 0));
    int32_t clicks =
        TakeDueClicks(appState.clickNextDueUs, appState.clickInterval, ReadClickClock(),
                      ClickBatchLimit(doubleClick, appState.clickCount, appState.clickRepeatCount));
    if (clicks > 0) {
        if (IsButtonChecked(appState.cursorPosCheck)) {
            int32_t x = ReadNumberField(appState.cursorXEdit);
            int32_t y = ReadNumberField(appState.cursorYEdit);
            SysSetCursorPos(x, y);
            // Lets the move reach the window under the new position before the button goes down.
            SysSleep(kFixedPositionSettleMs);
        }
        ClickButtonFlags flags =
            ChooseClickButtonFlags(SendMessageW(appState.mouseButtonCombo, CB_GETCURSEL, 0, 0));
        for (int32_t i = 0; i < clicks; ++i) {
            SendButtonClick(flags);
            if (doubleClick) {
                SysSleep(kDoubleClickGapMs);
                SendButtonClick(flags);
            }
        }
        // A double click counts once. A run until stopped at 1 ms reaches the largest count
        // after 24.8 days: the count stays there while the clicks go on.
        appState.clickCount =
            static_cast<int32_t>(std::min<int64_t>(int64_t{appState.clickCount} + clicks, INT32_MAX));
        ShowRunState(StatusLine::Click);
        if (IsClickRunComplete(appState.clickCount, appState.clickRepeatCount)) {
            StopClicking();
            return;
        }
    }
    SetTimer(appState.mainWindow, IDT_CLICK, ClickTimerDelayMs(appState.clickNextDueUs, ReadClickClock()),
             nullptr);
}

#include "clicker/Clicker.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "app/AppState.h"
#include "app/RunSupport.h"
#include "app/Sys.h"
#include "app/TextLogic.h"
#include "clicker/ClickLogic.h"
#include "ui/MainControls.h"

namespace {

constexpr DWORD kFixedPositionSettleMs = 10;
constexpr DWORD kDoubleClickGapMs = 50;

// Set while the clicker's refusal box is open.
bool clickRefusalOpen = false;

void ShowClickWarning(const wchar_t* text, const wchar_t* title) {
    ShowRunRefusal(clickRefusalOpen, text, title, MB_ICONWARNING);
}

void SetStartCaption(bool running) {
    SetWindowTextW(appState.startButton, FormatStartCaption(appState.currentHotkey, running).c_str());
}

// The settings, then the count field, in the window's creation order.
void LockClickSettings() {
    for (ClickLock group : {ClickLock::Setting, ClickLock::Count}) {
        for (const MainControl& control : MainControlTable()) {
            if (control.use.lock == group) {
                EnableWindow(appState.*control.handle, FALSE);
            }
        }
    }
}

// The X/Y fields and the count field come back only as far as their check boxes allow.
void UnlockClickSettings() {
    for (ClickLock group : {ClickLock::Setting, ClickLock::Count}) {
        for (const MainControl& control : MainControlTable()) {
            if (control.use.lock == group) {
                EnableWindow(appState.*control.handle, IsFieldUsable(control));
            }
        }
    }
}

void SendButtonClick(const ClickButtonFlags& flags) {
    SysMouseEvent(flags.press, 0, 0, 0, 0);
    SysMouseEvent(flags.release, 0, 0, 0, 0);
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
    if (appState.isClicking || clickRefusalOpen) {
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

    LockClickSettings();
    SetStartCaption(true);
    // No click now: the first one is due one interval after the start.
    // The finest timer while clicking, so that the ticks land when clicks are due.
    appState.clickTimerPeriod = BeginFinestTimerPeriod();
    appState.clickNextDueUs = ReadClickClock() + int64_t{appState.clickInterval} * 1000;
    SetTimer(appState.mainWindow, IDT_CLICK, appState.clickInterval, nullptr);
    appState.isClicking = true;
    UpdateTimerResolutionHold();
    UpdateClickStatus();
}

void StopClicking() {
    if (!appState.isClicking) {
        return;
    }
    KillTimer(appState.mainWindow, IDT_CLICK);
    EndFinestTimerPeriod(std::exchange(appState.clickTimerPeriod, 0));
    UnlockClickSettings();
    SetStartCaption(false);
    appState.isClicking = false;
    UpdateTimerResolutionHold();
    UpdateClickStatus();
}

void UpdateClickStatus() {
    std::wstring statusText =
        FormatClickStatus(appState.isClicking, appState.clickCount, appState.clickRepeatCount);
    SetWindowTextW(appState.statusLabel, statusText.c_str());
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
        UpdateClickStatus();
        if (IsClickRunComplete(appState.clickCount, appState.clickRepeatCount)) {
            StopClicking();
            return;
        }
    }
    SetTimer(appState.mainWindow, IDT_CLICK, ClickTimerDelayMs(appState.clickNextDueUs, ReadClickClock()),
             nullptr);
}

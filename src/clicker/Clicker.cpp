#include "clicker/Clicker.h"

#include <string>

#include "app/AppState.h"
#include "app/Sys.h"
#include "app/TextLogic.h"
#include "clicker/ClickLogic.h"
#include "ui/MainControls.h"

namespace {

constexpr DWORD kFixedPositionSettleMs = 10;
constexpr DWORD kDoubleClickGapMs = 50;

void ShowClickWarning(const wchar_t* text, const wchar_t* title) {
    SysMessageBox(appState.mainWindow, text, title, MB_ICONWARNING);
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
                HWND AppState::*enabler = control.use.enabledBy;
                EnableWindow(appState.*control.handle,
                             enabler == nullptr || IsButtonChecked(appState.*enabler));
            }
        }
    }
}

void SendButtonClick(const ClickButtonFlags& flags) {
    SysMouseEvent(flags.press, 0, 0, 0, 0);
    SysMouseEvent(flags.release, 0, 0, 0, 0);
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

    LockClickSettings();
    SetStartCaption(true);
    // No click now: the first one comes with the first tick, one interval after the start.
    SetTimer(appState.mainWindow, IDT_CLICK, appState.clickInterval, nullptr);
    appState.isClicking = true;
    UpdateClickStatus();
}

void StopClicking() {
    if (!appState.isClicking) {
        return;
    }
    KillTimer(appState.mainWindow, IDT_CLICK);
    UnlockClickSettings();
    SetStartCaption(false);
    appState.isClicking = false;
    UpdateClickStatus();
}

void UpdateClickStatus() {
    std::wstring statusText =
        FormatClickStatus(appState.isClicking, appState.clickCount, appState.clickRepeatCount);
    SetWindowTextW(appState.statusLabel, statusText.c_str());
}

// One timer tick. The settings are read afresh each time: a DPI rebuild during a run replaces
// the controls, and the following ticks follow the new ones.
void PerformClick() {
    if (IsButtonChecked(appState.cursorPosCheck)) {
        int32_t x = ReadNumberField(appState.cursorXEdit);
        int32_t y = ReadNumberField(appState.cursorYEdit);
        SysSetCursorPos(x, y);
        // Lets the move reach the window under the new position before the button goes down.
        SysSleep(kFixedPositionSettleMs);
    }

    ClickButtonFlags flags =
        ChooseClickButtonFlags(SendMessageW(appState.mouseButtonCombo, CB_GETCURSEL, 0, 0));
    SendButtonClick(flags);
    if (IsDoubleClickSelection(SendMessageW(appState.clickTypeCombo, CB_GETCURSEL, 0, 0))) {
        SysSleep(kDoubleClickGapMs);
        SendButtonClick(flags);
    }

    // A double click counts once.
    ++appState.clickCount;
    UpdateClickStatus();
    if (IsClickRunComplete(appState.clickCount, appState.clickRepeatCount)) {
        StopClicking();
    }
}

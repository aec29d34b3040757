#include "ui/RunDisplay.h"

#include <windows.h>

#include <string>

#include "app/AppState.h"
#include "ui/MainControls.h"
#include "ui/StatusLogic.h"

namespace {

bool IsLockedNow(uint8_t lockedBy) {
    return ((lockedBy & kLockWhileClicking) != 0 && appState.isClicking) ||
           ((lockedBy & kLockWhileRecording) != 0 && appState.isRecording) ||
           ((lockedBy & kLockWhilePlaying) != 0 && appState.isPlaying);
}

bool ShouldBeEnabled(const MainControl& control) {
    if (IsLockedNow(control.use.lockedBy)) {
        return false;
    }
    if (control.use.offeredBy != nullptr && !(appState.*control.use.offeredBy)) {
        return false;
    }
    return IsFieldUsable(control);
}

// A field that a check enables follows its check, so it comes after every other control.
void EnableControls() {
    for (bool dependent : {false, true}) {
        for (const MainControl& control : MainControlTable()) {
            if ((control.use.lockedBy != 0 || control.use.offeredBy != nullptr) &&
                (control.use.enabledBy != nullptr) == dependent) {
                EnableWindow(appState.*control.handle, ShouldBeEnabled(control));
            }
        }
    }
}

// A run button's face colour follows the run with its caption, so it is repainted when that changes.
void ShowCaptions() {
    for (const MainControl& control : MainControlTable()) {
        if (control.use.caption == nullptr) {
            continue;
        }
        HWND button = appState.*control.handle;
        wchar_t shown[32] = {};
        GetWindowTextW(button, shown, 32);
        std::wstring caption = control.use.caption();
        if (caption != shown) {
            SetWindowTextW(button, caption.c_str());
            InvalidateRect(button, nullptr, TRUE);
        }
    }
}

void ShowStatusLine(StatusLine line) {
    if (line == StatusLine::Click) {
        std::wstring text =
            FormatClickStatus(appState.isClicking, appState.clickCount, appState.clickRepeatCount);
        SetWindowTextW(appState.statusLabel, text.c_str());
    } else if (line == StatusLine::Record) {
        std::optional<std::wstring> text = FormatRecordStatus(
            appState.isRecording, appState.isClicking, appState.recordedEvents.size(), appState.clickCount);
        if (text) {
            SetWindowTextW(appState.statusLabel, text->c_str());
        }
    }
}

} // namespace

void ShowRunState(StatusLine line) {
    if (appState.mainWindow == nullptr) {
        return;
    }
    EnableControls();
    ShowCaptions();
    ShowStatusLine(line);
}

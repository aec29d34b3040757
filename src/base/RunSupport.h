// What the clicker, the recorder and the player share: the box that a second start request
// cannot stack, and the finer system timer.
#pragma once

#include <windows.h>

// Shows a run's box (a refusal or a failure) owned by `owner`. Its modal loop keeps serving the
// hotkeys, so `boxOpen` is set meanwhile: that run's start drops a request arriving while it is
// set instead of opening a second box.
void ShowRunBox(HWND owner, bool& boxOpen, const wchar_t* text, const wchar_t* title, UINT type);

// Windows' timers come on the system tick, 15.625 ms apart unless some program asks for finer:
// asks for the finest period the system offers and returns it (0 when none was set), to be
// given back with EndFinestTimerPeriod.
UINT BeginFinestTimerPeriod();
void EndFinestTimerPeriod(UINT period);

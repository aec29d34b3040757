// What the clicker, the recorder and the player share: the box that a second start request
// cannot stack, and the finer system timer and its hold.
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

// Windows 11 may ignore a process's timer period while its windows are hidden or minimised (the
// user's maximised application in front), and then its timers and waits fall back to the tick.
// While the clicker or playback runs (`wanted`), the process asks to have its period honoured all
// the same; the call after the last of them stops hands the choice back to Windows. Window thread
// only; asks only when `wanted` changes.
void HoldTimerResolution(bool wanted);

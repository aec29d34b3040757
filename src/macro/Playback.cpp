#include "macro/Playback.h"

#include "app/AppState.h"

void StartPlayback() {}

void StopPlayback() {}

void ReleaseHeldInputs() {}

DWORD WINAPI PlaybackThreadProc(LPVOID) {
    return 0;
}

LRESULT CALLBACK PlaybackKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(appState.playbackKeyboardHook, nCode, wParam, lParam);
}

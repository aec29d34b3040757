#include "macro/Recorder.h"

#include "app/AppState.h"

void StartRecording() {}

void StopRecording() {}

void UpdateRecordStatus() {}

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(appState.mouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(appState.keyboardHook, nCode, wParam, lParam);
}

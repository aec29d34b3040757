// The recorder: low-level mouse and keyboard hooks that fill the recording.
#pragma once

#include <windows.h>

void StartRecording();
void StopRecording();
LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

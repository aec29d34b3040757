// The player: replays the recording on a worker thread and releases what it left held.
#pragma once

#include <windows.h>

#include <cstdint>

void StartPlayback();
void StopPlayback();
void ReleaseHeldInputs();
DWORD WINAPI PlaybackThreadProc(LPVOID parameter);
LRESULT CALLBACK PlaybackKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// The player: replays the recording on a worker thread and releases what it left held.
#pragma once

#include <windows.h>

#include <cstdint>

void StartPlayback();
void StopPlayback();
void ReleaseHeldInputs();
// Called for each WM_HOTKEY of the playback key: false for an auto-repeat of a press that has
// acted already (that press marked the key down and a hook waits for its release).
bool TakePlaybackKeyPress();
DWORD WINAPI PlaybackThreadProc(LPVOID parameter);
LRESULT CALLBACK PlaybackKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// Stops playback, removes the stop hook and waits until the last playback worker thread has
// ended, still answering messages sent to the window thread meanwhile. Called on shutdown, so no
// worker outlives the window.
void ShutDownPlayback();

// True while a stop waits for the worker to go quiet: a start request arriving through that wait
// must not start a second worker.
bool IsPlaybackSettling();

// True while a playback worker thread exists (running, or finished but not yet waited for).
bool IsPlaybackWorkerAlive();

// The player: replays the recording on a worker thread and releases what it left held.
#pragma once

#include <windows.h>

#include <cstdint>

void StartPlayback();
void StopPlayback();
void ReleaseHeldInputs();
DWORD WINAPI PlaybackThreadProc(LPVOID parameter);

// Stops playback and waits until the last playback worker thread has ended, still answering
// messages sent to the window thread meanwhile. Called on shutdown, so no worker outlives the window.
void ShutDownPlayback();

// True while a stop waits for the worker to go quiet: a start request arriving through that wait
// must not start a second worker.
bool IsPlaybackSettling();

// True while a playback worker thread exists (running, or finished but not yet waited for).
bool IsPlaybackWorkerAlive();

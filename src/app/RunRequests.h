// The one place that decides whether a request to start or stop a run acts: the run buttons,
// the hotkeys, the playback stop key, the playback worker's end and the window's end all come
// here, and only what is decided here reaches the clicker, the recorder or the player.
#pragma once

#include <windows.h>

// A click on Start, Record or Playback (WM_COMMAND from the button, with its notification code).
void RequestRunFromButton(int controlId, WORD notification);
// A WM_HOTKEY for one of the three hotkeys; lParam as the message carries it.
void RequestRunFromHotkey(int hotkeyId, LPARAM lParam);
// The worker has run out of passes.
void RequestPlaybackEnd();
// The window is going: everything that runs stops and the key watch ends.
void StopAllRuns();

// The key watch: a low-level keyboard hook, installed only while playback runs (its key is then
// the emergency stop) or while a hotkey whose press acted may still be held (its auto-repeats do
// nothing). Called by the system on the window thread.
LRESULT CALLBACK KeyWatchProc(int nCode, WPARAM wParam, LPARAM lParam);
// IDT_KEY_WATCH: ends the watch of keys that are up by now.
void CheckKeyWatch();

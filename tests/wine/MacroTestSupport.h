// Helpers shared by the recorder and playback tests: feeding the hook procedures, building
// recordings, and reading the injected input back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "FakeSys.h"
#include "macro/InputEvent.h"

// Calls the recorder's mouse hook procedure as the system would, with a message at (x, y).
LRESULT FeedMouseHook(WPARAM message, int x, int y, DWORD mouseData = 0);
// Calls the recorder's keyboard hook procedure with a key message.
LRESULT FeedKeyboardHook(WPARAM message, DWORD vkCode);
// Calls the playback stop hook with a key message.
LRESULT FeedPlaybackHook(WPARAM message, DWORD vkCode);

// Moves the recording's time base so that the next hook call is about this many ms in.
void SetRecordingElapsed(int64_t ms);

InputEvent Key(InputEventType type, uint32_t vk, int64_t time);
InputEvent Mouse(InputEventType type, int64_t time, int32_t x = 0, int32_t y = 0, int32_t wheel = 0);

// The scan code playback sends for a key.
WORD ScanOf(uint32_t vk);

// One injected action as readable text, e.g. "key scan=1E flags=8" or "cursor 10,20".
std::wstring Describe(const InjectedAction& action);
std::vector<std::wstring> DescribeInjected();

// Keys and buttons still down at the end of the injected log (a press with no release after
// it), described; empty when everything pressed was released.
std::vector<std::wstring> HeldAtEndOfLog(const std::vector<InjectedAction>& log);

// Starts playback through the Playback button and waits (pumping) until it has ended.
bool PlayAndWaitUntilDone(DWORD timeoutMs);

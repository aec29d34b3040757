// Helpers shared by the recorder and playback tests: feeding the hook procedures, building
// recordings, and reading the injected input back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "FakeSys.h"
#include "macro/InputEvent.h"

// Call the hook procedures as the system would, with a synthetic hook struct.
LRESULT FeedMouseHook(WPARAM message, int x, int y, DWORD mouseData = 0);
LRESULT FeedKeyboardHook(WPARAM message, DWORD vkCode);
LRESULT FeedPlaybackHook(WPARAM message, DWORD vkCode);

// Moves the recording's time base so that the next hook call is about this many ms in.
void SetRecordingElapsed(int64_t ms);

InputEvent Key(InputEventType type, uint32_t vk, int64_t time);
InputEvent Mouse(InputEventType type, int64_t time, int32_t x = 0, int32_t y = 0, int32_t wheel = 0);

WORD ScanOf(uint32_t vk);

// The injected log as text, one line per action, e.g. "key vk=0 scan=1E flags=8" or "cursor 10,20".
std::vector<std::wstring> DescribeInjected();

// Keys and buttons pressed in the log and not released after, described; empty when none is.
std::vector<std::wstring> HeldAtEndOfLog(const std::vector<InjectedAction>& log);

// Starts playback through the Playback button and waits (pumping) until it has ended.
bool PlayAndWaitUntilDone(DWORD timeoutMs);

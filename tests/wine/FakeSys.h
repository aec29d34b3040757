// Test side of the input and message-box seam: records what the program would inject and
// answers message boxes from a script. Safe to use from the playback worker thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct MouseEventCall {
    DWORD flags, dx, dy, data;
    ULONG_PTR extraInfo;
};

struct MessageBoxCall {
    HWND owner;
    std::wstring text, title;
    UINT type;
};

// One injected action in the order it happened: an INPUT, a mouse_event or a cursor move.
struct InjectedAction {
    enum Kind { Input, MouseEvent, CursorMove } kind;
    INPUT input;
    MouseEventCall mouseEvent;
    POINT cursor;
};

void ResetFakeSys();
std::vector<InjectedAction> FakeInjected();
std::vector<INPUT> FakeSentInputs();
std::vector<MessageBoxCall> FakeMessageBoxes();
std::vector<DWORD> FakeSleeps(); // recorded, never slept
// The timing requests in order: "throttle V C S" (the power-throttling state asked for: Version,
// ControlMask, StateMask), "timer F" (a waitable timer made with flags F), "due D" (one set to D).
// The timers are real.
std::vector<std::wstring> FakeTimingCalls();

// Next answers for SysMessageBox, first in first out; IDOK when none is queued. With `inside`,
// the answer comes after running it while the box is open and dispatching the messages that
// are then waiting, as the box's own modal loop would (posted hotkeys, commands).
void QueueMessageBoxAnswer(int answer, std::function<void()> inside = nullptr);
// What SysGetCursorPos reports (it fails when set to fail).
void SetFakeCursorPos(POINT point, bool fail = false);
// Makes SysSendInput and SysSetCursorPos act for real as well as being logged.
void SetFakeInputReal(bool real);
// What SysGetAsyncKeyState reports for a key (0x8000 = down now).
void SetFakeKeyState(int vk, SHORT state);
// Makes SysSetWindowsHookEx fail for this hook type (WH_MOUSE_LL, WH_KEYBOARD_LL); 0: none fails.
void SetFakeHookFailure(int hookId);
// Makes SysRegisterHotKey refuse a key, as if another program held it.
void SetFakeHotkeyTaken(UINT vk);
// The keys registered under a hotkey id now (more than one if it was registered twice).
std::vector<UINT> FakeHotkeys(int id);
// Makes SysReplaceFile stop midway with this error (1175, 1176, 1177), leaving the files as Windows
// documents, and SysMoveFile fail when asked; 0 and false: the real calls. Forgets the last names.
void SetFakeReplaceFailure(DWORD error, bool moveFails);
// The replacement and backup names the last SysReplaceFile call was given.
std::pair<std::wstring, std::wstring> FakeReplaceNames();
// Unhooks every hook installed through the seam that the program left installed; returns how many.
int FakeUnhookLeftHooks();

// Test side of the input and message-box seam: records what the program would inject and
// answers message boxes from a script. Safe to use from the playback worker thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
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

// Next answers for SysMessageBox, first in first out; IDOK when none is queued. With `inside`,
// the answer comes after running it while the box is open and dispatching the messages that
// are then waiting, as the box's own modal loop would (posted hotkeys, commands).
void QueueMessageBoxAnswer(int answer, std::function<void()> inside = nullptr);
// What SysGetCursorPos reports (it fails when set to fail).
void SetFakeCursorPos(POINT point, bool fail = false);
// What SysGetAsyncKeyState reports for a key (0x8000 = down now).
void SetFakeKeyState(int vk, SHORT state);
// Makes SysSetWindowsHookEx fail for this hook type (WH_MOUSE_LL, WH_KEYBOARD_LL); 0: none fails.
void SetFakeHookFailure(int hookId);
// Unhooks every hook installed through the seam that the program left installed; returns how many.
int FakeUnhookLeftHooks();

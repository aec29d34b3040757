// Test side of the seam: records what the program asks and answers from a script, from any thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct MessageBoxCall {
    HWND owner;
    std::wstring text, title;
    UINT type;
};
// One injected action in the order it happened: an INPUT, a mouse_event or a cursor move.
struct InjectedAction {
    enum Kind { Input, MouseEvent, CursorMove } kind;
    INPUT input;
    struct {
        DWORD flags, dx, dy, data;
        ULONG_PTR extraInfo;
    } mouseEvent;
    POINT cursor;
};

void ResetFakeSys();
std::vector<InjectedAction> FakeInjected();
std::vector<INPUT> FakeSentInputs();
std::vector<MessageBoxCall> FakeMessageBoxes();
std::vector<DWORD> FakeSleeps(); // recorded, never slept
// "throttle Version ControlMask StateMask", "timer Flags", "due DueTime"; the timers are real.
std::vector<std::wstring> FakeTimingCalls();

// The next answer of SysMessageBox (IDOK when none is queued), given after running `inside` while
// the box is open and dispatching what is then waiting, as the box's own modal loop would.
void QueueMessageBoxAnswer(int answer, std::function<void()> inside = nullptr);
void SetFakeCursorPos(POINT point, bool fail = false);
void SetFakeInputReal(bool real); // SysSendInput and SysSetCursorPos act for real too
void SetFakeKeyState(int vk, SHORT state);
void SetFakeHookFailure(int hookId); // SysSetWindowsHookEx fails for this type (0: none)
// Registered hotkeys, key -> id (0: another program's, gone after a reset).
std::map<UINT, int> FakeHotkeys();
// SysReplaceFile stops midway with this error (1175, 1176, 1177) as Windows documents, and
// SysMoveFile fails; 0 and false: the real calls.
void SetFakeReplaceFailure(DWORD error, bool moveFails);
// Unhooks every hook installed through the seam that the program left installed; returns how many.
int FakeUnhookLeftHooks();

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
// The next box's answer (else IDOK), after running `inside` and what it posts, as a modal loop would.
void QueueMessageBoxAnswer(int answer, std::function<void()> inside = nullptr);
void SetFakeCursorPos(POINT point);
void SetFakeInputReal(bool real); // SysSendInput and SysSetCursorPos act for real too
void SetFakeKeyState(int vk, SHORT state);
void SetFakeHookFailure(int hookId); // SysSetWindowsHookEx fails for this type (0: none)
// The registered hotkeys, key -> id (0: another program's, gone after a reset); the window's thread only.
extern std::map<UINT, int> fakeHotkeys;
// SysReplaceFile stops midway with this error as Windows documents, SysMoveFile fails (0, false: real).
void SetFakeReplaceFailure(DWORD error, bool moveFails);
int FakeUnhookLeftHooks(); // unhooks what the program left installed through the seam; returns how many

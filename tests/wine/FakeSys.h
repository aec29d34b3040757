// Test side of the seam: records what the program asks and answers from a script, from any thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct MessageBoxCall {
    HWND owner;
    std::wstring text, title;
    UINT type;
};
struct InjectedAction {
    enum Kind { Input, MouseEvent, CursorMove } kind;
    INPUT input;
    DWORD mouseEventFlags;
    ULONG_PTR mouseEventInfo;
    POINT cursor;
};

// What the program asked since the last reset (the vectors), and the script it is answered from.
struct FakeData {
    std::vector<InjectedAction> injected;
    std::vector<INPUT> sent;
    std::vector<MessageBoxCall> boxes;
    std::vector<std::pair<int, std::function<void()>>> answers; // by box: see QueueMessageBoxAnswer
    std::vector<DWORD> sleeps;                                  // recorded, never slept
    // "throttle Version ControlMask StateMask", "timer Flags", "due DueTime"; the timers are real.
    std::vector<std::wstring> timing;
    POINT cursor{};
    bool realInput = false; // SysSendInput and SysSetCursorPos act for real too
    SHORT keyStates[256] = {};
    int failingHookId = 0; // SysSetWindowsHookEx fails for this type (0: none)
    // SysReplaceFile stops midway with this error as Windows documents, SysMoveFile fails (0, false: real).
    std::pair<DWORD, bool> replaceFailure{0, false};
};

void ResetFakeSys();
FakeData FakeState(); // a copy
void EditFake(const std::function<void(FakeData&)>& edit);
// The next box's answer (else IDOK), after running `inside` and what it posts, as a modal loop would.
void QueueMessageBoxAnswer(int answer, std::function<void()> inside = nullptr);
// The registered hotkeys, key -> id (0: another program's, gone after a reset); the window's thread only.
extern std::map<UINT, int> fakeHotkeys;
int FakeUnhookLeftHooks(); // unhooks what the program left installed through the seam; returns how many

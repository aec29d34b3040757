// The seam's hooks, hotkeys, file replacement, power throttling and waitable timers: straight to the
// system, for the program and for the benchmarks that fake only the input and the boxes.
#include "base/Sys.h"

BOOL SysRegisterHotKey(HWND window, int id, UINT modifiers, UINT vk) {
    return RegisterHotKey(window, id, modifiers, vk);
}

BOOL SysUnregisterHotKey(HWND window, int id) {
    return UnregisterHotKey(window, id);
}

HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId) {
    return SetWindowsHookExW(hookId, procedure, instance, threadId);
}

BOOL SysReplaceFile(const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup, DWORD flags) {
    return ReplaceFileW(replaced, replacement, backup, flags, nullptr, nullptr);
}

BOOL SysMoveFile(const wchar_t* from, const wchar_t* to, DWORD flags) {
    return MoveFileExW(from, to, flags);
}

BOOL SysSetProcessInformation(HANDLE process, PROCESS_INFORMATION_CLASS infoClass, void* info, DWORD size) {
    return SetProcessInformation(process, infoClass, info, size);
}

HANDLE SysCreateWaitableTimerEx(DWORD flags) {
    return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS);
}

BOOL SysSetWaitableTimer(HANDLE timer, LONGLONG dueTime) {
    LARGE_INTEGER due;
    due.QuadPart = dueTime;
    return SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
}

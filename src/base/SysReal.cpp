// The shipping program's side of the input and message-box seam: straight to the system.
#include "base/Sys.h"

UINT SysSendInput(UINT count, INPUT* inputs, int size) {
    return SendInput(count, inputs, size);
}

void SysMouseEvent(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) {
    mouse_event(flags, dx, dy, data, extraInfo);
}

BOOL SysSetCursorPos(int x, int y) {
    return SetCursorPos(x, y);
}

BOOL SysGetCursorPos(POINT* point) {
    return GetCursorPos(point);
}

SHORT SysGetAsyncKeyState(int vk) {
    return GetAsyncKeyState(vk);
}

int SysMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    return MessageBoxW(owner, text, title, type);
}

void SysSleep(DWORD milliseconds) {
    Sleep(milliseconds);
}

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

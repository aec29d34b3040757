// The shipping program's side of the input and message-box seam: straight to the system.
#include "app/Sys.h"

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

HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId) {
    return SetWindowsHookExW(hookId, procedure, instance, threadId);
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

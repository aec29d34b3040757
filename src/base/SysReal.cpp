// The shipping program's side of the input, cursor, message-box and sleep calls: straight to the system.
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

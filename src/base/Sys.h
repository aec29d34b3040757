// The narrow seam between Tamblo and the calls that inject input, move the cursor, wait, ask
// the user something, or put a saved file in place. The program links the real versions
// (SysReal.cpp, SysRealSystem.cpp); the in-process tests link recorders that log what would be
// injected, answer message boxes themselves and can stop a replace midway as Windows may (Wine
// never does).
#pragma once

#include <windows.h>

UINT SysSendInput(UINT count, INPUT* inputs, int size);
void SysMouseEvent(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo);
BOOL SysSetCursorPos(int x, int y);
BOOL SysGetCursorPos(POINT* point);
SHORT SysGetAsyncKeyState(int vk);
int SysMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type);
void SysSleep(DWORD milliseconds);
// Hotkeys: a key registered by another program (or under another id) is refused.
BOOL SysRegisterHotKey(HWND window, int id, UINT modifiers, UINT vk);
BOOL SysUnregisterHotKey(HWND window, int id);
// Installing a low-level hook can fail (the recorder then keeps its previous recording).
HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId);
// ReplaceFileW (no exclusions) and MoveFileExW.
BOOL SysReplaceFile(const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup, DWORD flags);
BOOL SysMoveFile(const wchar_t* from, const wchar_t* to, DWORD flags);
// The timing requests: the process's power throttling, and the playback worker's waitable timer.
BOOL SysSetProcessInformation(HANDLE process, PROCESS_INFORMATION_CLASS infoClass, void* info, DWORD size);
HANDLE SysCreateWaitableTimerEx(DWORD flags);
// dueTime in 100 ns units, negative: from now.
BOOL SysSetWaitableTimer(HANDLE timer, LONGLONG dueTime);

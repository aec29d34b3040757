// Shared helpers of the in-process tests: a fresh main window over a fresh AppState.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Resets AppState and the fake seam, then creates and shows the real main window as the program does.
HWND CreateTestMainWindow();
void DestroyTestMainWindow();
int DispatchWaiting(); // what is waiting now; returns the exit code of a WM_QUIT it met, or -1
void PumpMessages(DWORD milliseconds);
bool PumpUntil(const std::function<bool()>& predicate, DWORD timeoutMs); // returns the predicate
std::wstring ControlText(HWND control);
std::wstring ControlText(int id);
HWND Control(int id);
void SendCommand(int id); // as a click or menu choice would
// Runs `open`, and inside it `action` with the dialog of that title, which must end it; false if never.
bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action);

// Shared helpers of the in-process tests: a fresh main window over a fresh AppState.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Resets AppState and the fake seam, then creates and shows the real main window as the program does.
HWND CreateTestMainWindow();
void DestroyTestMainWindow();
// Dispatches what is waiting now; returns the exit code of a WM_QUIT it met, or -1.
int DispatchWaiting();
void PumpMessages(DWORD milliseconds);
bool PumpUntil(const std::function<bool()>& predicate, DWORD timeoutMs); // returns the predicate
std::wstring ControlText(HWND control);
std::wstring ControlText(int id);
HWND Control(int id);
void SetControlText(int id, const wchar_t* text);
// Sends WM_COMMAND for a control or menu id, as a click or menu choice would.
void SendCommand(int id);
// Runs `open`, and `action` with the dialog of that title once it shows (from inside its modal
// loop; the action must end it). Returns true when the action ran.
bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action);

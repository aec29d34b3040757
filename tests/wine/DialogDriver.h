// Drives a modal dialog from inside its own modal loop: a thread timer finds the dialog by title
// and hands it to `action`, which must end it. `open` opens the dialog (for example a WM_COMMAND
// to the main window). Returns true when the action ran.
#pragma once

#include <windows.h>

#include <functional>

bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action);

// Expects exactly one message box since the last ResetFakeSys, owned by the main window.
void ExpectOnlyMessageBox(const wchar_t* text, const wchar_t* title, UINT type);

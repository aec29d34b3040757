// Drives a modal dialog from inside its own modal loop: a thread timer finds the dialog by title
// and hands it to a test action, which must end it.
#pragma once

#include <windows.h>

#include <functional>

// Opens the dialog with `open` (for example a WM_COMMAND to the main window) and runs `action`
// on the dialog once it is up. Returns true when the action ran.
bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action);

// Selects an item of a combo box in a dialog by index (-1 clears the selection).
void SelectComboItem(HWND dialog, int comboId, int index);
int ComboSelection(HWND dialog, int comboId);

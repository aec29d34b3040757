// The main window's child controls: creation on the design grid, the live cursor readout and
// the rebuild after a DPI change.
#pragma once

#include <windows.h>

#include <cstdint>

void CreateMainControls(HWND window);
BOOL CALLBACK SetChildFontProc(HWND child, LPARAM lParam);
BOOL CALLBACK DestroyChildProc(HWND child, LPARAM lParam);
void UpdateCursorLabel();

// A number field's value: at most 31 characters read the way _wtoi reads them.
int32_t ReadNumberField(HWND field);
// True when a check box or radio button is checked.
bool IsButtonChecked(HWND button);

// Moves the window to the suggested rectangle and re-creates every control at the new DPI,
// keeping what each control held (text, selection, check and enabled state, and which field
// had the focus with its caret), so that a move to another monitor changes nothing but the size.
void RebuildMainControls(HWND window, const RECT* suggested);

// The suggestion label's text.
extern const wchar_t kSuggestionText[];

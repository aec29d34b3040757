// The main window's child controls: creation on the design grid, the live cursor readout and
// the rebuild after a DPI change.
#pragma once

#include <windows.h>

void CreateMainControls(HWND window);
BOOL CALLBACK SetChildFontProc(HWND child, LPARAM lParam);
BOOL CALLBACK DestroyChildProc(HWND child, LPARAM lParam);
void UpdateCursorLabel();

// Moves the window to the suggested rectangle and re-creates every control at the new DPI,
// keeping what each control held (text, selection, check and enabled state, and which field
// had the focus with its caret), so that a move to another monitor changes nothing but the size.
void RebuildMainControls(HWND window, const RECT* suggested);

// The suggestion label's text.
extern const wchar_t kSuggestionText[];

// Dark theme: the long-lived brushes, the control-colour answers and the owner-drawn buttons.
#pragma once

#include <windows.h>

void CreateThemeBrushes();
void DeleteThemeBrushes();

LRESULT OnCtlColorStatic(HDC dc);
LRESULT OnCtlColorEdit(HDC dc, HWND control);
LRESULT OnCtlColorListBox(HDC dc);
LRESULT OnCtlColorButton();

// Paints Start, Record or Playback; FALSE for any other control.
BOOL DrawOwnerButton(const DRAWITEMSTRUCT* item);

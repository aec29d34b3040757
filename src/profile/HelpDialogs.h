// Help > About and Help > User Guide.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UserGuideDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

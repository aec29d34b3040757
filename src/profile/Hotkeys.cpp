#include "profile/Hotkeys.h"

#include "app/AppState.h"

void ChangeStartStopHotkey(uint32_t) {}

void ChangeRecordHotkey(uint32_t) {}

void ChangePlaybackHotkey(uint32_t) {}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == 1014)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

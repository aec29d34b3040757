#include "profile/HelpDialogs.h"

#include <string>

#include "profile/GuideLogic.h"
#include "res/resource.h"

namespace {

// Both dialogs close on OK/Close, Enter, Esc and the close box.
bool EndOnOkOrCancel(HWND dialog, UINT message, WPARAM wParam) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return true;
    }
    return false;
}

} // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    return EndOnOkOrCancel(dialog, message, wParam) ? TRUE : FALSE;
}

INT_PTR CALLBACK UserGuideDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        if (HWND text = GetDlgItem(dialog, IDC_GUIDE_TEXT)) {
            SetWindowTextW(text, BuildGuideText().c_str());
        }
        return TRUE;
    }
    return EndOnOkOrCancel(dialog, message, wParam) ? TRUE : FALSE;
}

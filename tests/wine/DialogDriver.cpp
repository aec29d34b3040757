#include "DialogDriver.h"

namespace {

const wchar_t* pendingTitle = nullptr;
std::function<void(HWND)> pendingAction;
bool actionRan = false;
DWORD startTick = 0;

void CALLBACK DriveDialogTimer(HWND, UINT, UINT_PTR timerId, DWORD) {
    HWND dialog = FindWindowW(L"#32770", pendingTitle);
    if (dialog != nullptr && IsWindowVisible(dialog) && !actionRan) {
        actionRan = true;
        KillTimer(nullptr, timerId);
        pendingAction(dialog);
    } else if (GetTickCount() - startTick > 5000) {
        // Never leave a test hanging on a dialog nobody drives.
        KillTimer(nullptr, timerId);
        if (dialog != nullptr) {
            EndDialog(dialog, IDCANCEL);
        }
    }
}

} // namespace

bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action) {
    pendingTitle = title;
    pendingAction = action;
    actionRan = false;
    startTick = GetTickCount();
    UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveDialogTimer);
    open();
    KillTimer(nullptr, timer);
    pendingAction = nullptr;
    return actionRan;
}

void SelectComboItem(HWND dialog, int comboId, int index) {
    SendDlgItemMessageW(dialog, comboId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboSelection(HWND dialog, int comboId) {
    return static_cast<int>(SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0));
}

#include "DialogDriver.h"

#include <gtest/gtest.h>

#include "FakeSys.h"
#include "app/AppState.h"

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

void ExpectOnlyMessageBox(const wchar_t* text, const wchar_t* title, UINT type) {
    std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, appState.mainWindow);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].title, title);
    EXPECT_EQ(boxes[0].type, type);
}

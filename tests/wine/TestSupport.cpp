// Runs the in-process tests of the real window code under Wine (or Windows): a fresh main window
// per test, the message pumps and the dialog driver.
#include "TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>
#include <utility>

#include "FakeSys.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "res/resource.h"
#include "ui/Theme.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
    CreateThemeBrushes();
    LoadStringW(GetModuleHandleW(nullptr), IDC_MAIN_CLASS, appState.windowClassName, 100);
    RegisterMainWindowClass(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}

// Every AppState field back to its initial value (no playback worker may be running).
static void ResetAppState() {
    HBRUSH brushes[] = {appState.backgroundBrush, appState.controlBrush, appState.accentBrush};
    appState.~AppState();
    new (&appState) AppState();
    // The brushes live for the whole test run, as they live for the whole program run.
    appState.backgroundBrush = brushes[0];
    appState.controlBrush = brushes[1];
    appState.accentBrush = brushes[2];
}

HWND CreateTestMainWindow() {
    ResetAppState();
    ResetFakeSys();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    LoadStringW(instance, IDS_APP_TITLE, appState.windowTitle, 100);
    LoadStringW(instance, IDC_MAIN_CLASS, appState.windowClassName, 100);
    if (!CreateMainWindow(instance, SW_SHOWNOACTIVATE)) {
        return nullptr;
    }
    PumpMessages(20);
    return appState.mainWindow;
}

void DestroyTestMainWindow() {
    DestroyWindow(appState.mainWindow); // fails harmlessly when the test destroyed it already
    DispatchWaiting();
}

int DispatchWaiting() {
    int quitCode = -1;
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
        if (msg.message == WM_QUIT) {
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return quitCode;
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    DispatchWaiting();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        DispatchWaiting();
    }
}

std::wstring ControlText(HWND control) {
    wchar_t buffer[512] = {};
    GetWindowTextW(control, buffer, 512);
    return buffer;
}
std::wstring ControlText(int id) {
    return ControlText(Control(id));
}
HWND Control(int id) {
    return GetDlgItem(appState.mainWindow, id);
}
void SetControlText(int id, const wchar_t* text) {
    SetWindowTextW(Control(id), text);
}
void SendCommand(int id) {
    SendMessageW(appState.mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

namespace {

const wchar_t* dialogTitle = nullptr;
std::function<void(HWND)> dialogAction;
DWORD dialogDeadline = 0;

// Hands the dialog to the action once it shows; ends it after five seconds if it never does.
void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", dialogTitle);
    if (dialog != nullptr && IsWindowVisible(dialog)) {
        KillTimer(nullptr, timer);
        std::exchange(dialogAction, nullptr)(dialog);
    } else if (GetTickCount() > dialogDeadline && KillTimer(nullptr, timer) && dialog != nullptr) {
        EndDialog(dialog, IDCANCEL);
    }
}

} // namespace

bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action) {
    dialogTitle = title;
    dialogAction = action;
    dialogDeadline = GetTickCount() + 5000;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveDialog);
    open();
    KillTimer(nullptr, timer);
    return !std::exchange(dialogAction, nullptr);
}

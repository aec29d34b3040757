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
    return RUN_ALL_TESTS();
}

HWND CreateTestMainWindow() {
    appState.~AppState();
    new (&appState) AppState();
    ResetFakeSys();
    CreateThemeBrushes();
    LoadStringW(GetModuleHandleW(nullptr), IDS_APP_TITLE, appState.windowTitle, 100);
    LoadStringW(GetModuleHandleW(nullptr), IDC_MAIN_CLASS, appState.windowClassName, 100);
    RegisterMainWindowClass(GetModuleHandleW(nullptr));             // with this run's brushes
    CreateMainWindow(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE); // sets mainWindow only once made
    PumpMessages(20);
    return appState.mainWindow;
}
void DestroyTestMainWindow() {
    DestroyWindow(appState.mainWindow); // fails harmlessly when the test destroyed it already
    DispatchWaiting();
    UnregisterClassW(appState.windowClassName, GetModuleHandleW(nullptr));
    DeleteThemeBrushes();
}
int DispatchWaiting() {
    int quitCode = -1;
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
        quitCode = msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : quitCode;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return quitCode;
}
void PumpMessages(DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        DispatchWaiting();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    DispatchWaiting();
}
bool PumpUntil(const std::function<bool()>& predicate, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !predicate() && GetTickCount() - start <= timeoutMs;) {
        PumpMessages(5);
    }
    return predicate();
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

static const wchar_t* dialogTitle = nullptr;
static std::function<void(HWND)> dialogAction;

bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action) {
    dialogTitle = title;
    dialogAction = action;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND dialog = FindWindowW(L"#32770", dialogTitle);
        if (dialog != nullptr && IsWindowVisible(dialog) && dialogAction) {
            std::exchange(dialogAction, nullptr)(dialog);
        }
    });
    open();
    KillTimer(nullptr, timer);
    return !std::exchange(dialogAction, nullptr);
}

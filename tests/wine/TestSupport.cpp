#include "TestSupport.h"

#include <commctrl.h>

#include <new>
#include <utility>

#include "FakeSys.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "res/resource.h"
#include "ui/Theme.h"

HWND CreateTestMainWindow() {
    appState.~AppState();
    new (&appState) AppState();
    ResetFakeSys();
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
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
    PumpUntil([] { return false; }, milliseconds);
}
bool PumpUntil(const std::function<bool()>& predicate, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !predicate() && GetTickCount() - start <= timeoutMs;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        DispatchWaiting();
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
void SendCommand(int id) {
    SendMessageW(appState.mainWindow, WM_COMMAND, id, reinterpret_cast<LPARAM>(Control(id))); // BN_CLICKED
}

static std::function<void()> lookForDialog; // by the timer, until the dialog shows

bool RunWithDialog(const wchar_t* title, const std::function<void()>& open,
                   const std::function<void(HWND dialog)>& action) {
    std::function<void(HWND)> pending = action;
    lookForDialog = [&] {
        HWND dialog = FindWindowW(L"#32770", title);
        if (dialog != nullptr && IsWindowVisible(dialog) && pending) {
            std::exchange(pending, nullptr)(dialog);
        }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { lookForDialog(); });
    open();
    KillTimer(nullptr, timer);
    return !pending;
}

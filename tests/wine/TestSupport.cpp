#include "TestSupport.h"

#include <new>

#include "FakeSys.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "res/resource.h"

namespace {

bool classRegistered = false;

} // namespace

void ResetAppState() {
    HBRUSH background = appState.backgroundBrush;
    HBRUSH control = appState.controlBrush;
    HBRUSH accent = appState.accentBrush;
    appState.~AppState();
    new (&appState) AppState();
    // The brushes live for the whole test run, as they live for the whole program run.
    appState.backgroundBrush = background;
    appState.controlBrush = control;
    appState.accentBrush = accent;
}

HWND CreateTestMainWindow() {
    ResetAppState();
    ResetFakeSys();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    LoadStringW(instance, IDS_APP_TITLE, appState.windowTitle, 100);
    LoadStringW(instance, IDC_MAIN_CLASS, appState.windowClassName, 100);
    if (!classRegistered) {
        RegisterMainWindowClass(instance);
        classRegistered = true;
    }
    if (!CreateMainWindow(instance, SW_SHOWNOACTIVATE)) {
        return nullptr;
    }
    PumpMessages(20);
    return appState.mainWindow;
}

void DestroyTestMainWindow() {
    if (appState.mainWindow != nullptr && IsWindow(appState.mainWindow)) {
        DestroyWindow(appState.mainWindow);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
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

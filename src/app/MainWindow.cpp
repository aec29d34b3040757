#include "app/MainWindow.h"

#include <dwmapi.h>

#include "app/AppState.h"
#include "app/RunRequests.h"
#include "base/Scoped.h"
#include "base/Sys.h"
#include "clicker/Clicker.h"
#include "profile/HelpDialogs.h"
#include "profile/Hotkeys.h"
#include "profile/ProfileCommands.h"
#include "res/resource.h"
#include "ui/MainControls.h"
#include "ui/Theme.h"

namespace {

void OnCreate(HWND window) {
    if (UINT dpi = GetDpiForWindow(window); dpi != 0) {
        appState.windowDpi = dpi;
    }
    CreateMainControls(window);
    SetTimer(window, IDT_CURSOR, 50, nullptr);
}

void OnDestroy(HWND window) {
    StopAllRuns();
    KillTimer(window, IDT_CURSOR);
    SysUnregisterHotKey(window, HOTKEY_START_STOP);
    SysUnregisterHotKey(window, HOTKEY_RECORD);
    SysUnregisterHotKey(window, HOTKEY_PLAYBACK);
    PostQuitMessage(0);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
}

// The new monitor's DPI comes with the message; a stray message without one keeps the DPI.
void OnDpiChanged(HWND window, UINT dpi, const RECT* suggested) {
    if (dpi != 0) {
        appState.windowDpi = dpi;
    }
    RebuildMainControls(window, suggested);
}

void OpenDialog(HWND window, int templateId, DLGPROC procedure) {
    DialogBoxParamW(appState.instanceHandle, MAKEINTRESOURCEW(templateId), window, procedure, 0);
}

// Returns false for ids that go on to the default procedure.
bool OnCommand(HWND window, int id, WORD notification) {
    switch (id) {
        case IDM_ABOUT: OpenDialog(window, IDD_ABOUTBOX, AboutDialogProc); return true;
        case IDM_EXIT: DestroyWindow(window); return true;
        case IDM_SETTINGS: OpenDialog(window, IDD_SETTINGS, SettingsDialogProc); return true;
        case IDM_SAVE_PROFILE: SaveProfileCommand(); return true;
        case IDM_LOAD_PROFILE: LoadProfileCommand(); return true;
        case IDM_NEW_PROFILE: NewProfileCommand(); return true;
        case IDM_USER_GUIDE: OpenDialog(window, IDD_USER_GUIDE, UserGuideDialogProc); return true;
        case IDC_REPEAT:
        case IDC_REPEAT_UNTIL_STOPPED: EnableFieldsOf(&AppState::repeatRadio); return true;
        case IDC_START:
        case IDC_RECORD:
        case IDC_PLAYBACK: RequestRunFromButton(id, notification); return true;
        case IDC_CURSOR_POS: EnableFieldsOf(&AppState::cursorPosCheck); return true;
        case IDC_PLAYBACK_REPEAT:
        case IDC_PLAYBACK_REPEAT_UNTIL_STOPPED: EnableFieldsOf(&AppState::playbackRepeatRadio); return true;
        default: return false;
    }
}

void OnTimer(WPARAM timerId) {
    if (timerId == IDT_CLICK) {
        PerformClick();
    } else if (timerId == IDT_CURSOR) {
        UpdateCursorLabel();
    } else if (timerId == IDT_KEY_WATCH) {
        CheckKeyWatch();
    }
}

} // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wcex{};
    wcex.cbSize = sizeof(WNDCLASSEXW);
    wcex.style = CS_HREDRAW | CS_VREDRAW;
    wcex.lpfnWndProc = MainWindowProc;
    wcex.cbClsExtra = 0;
    wcex.cbWndExtra = 0;
    wcex.hInstance = instance;
    wcex.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
    wcex.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wcex.hbrBackground = appState.backgroundBrush;
    wcex.lpszMenuName = MAKEINTRESOURCEW(IDC_MAIN_CLASS);
    wcex.lpszClassName = appState.windowClassName;
    wcex.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_SMALL));
    return RegisterClassExW(&wcex);
}

bool CreateMainWindow(HINSTANCE instance, int showCommand) {
    appState.instanceHandle = instance;

    int dpi = GetDeviceCaps(GetScopedDc(nullptr).get(), LOGPIXELSX);

    HWND window = CreateWindowExW(
        0, appState.windowClassName, appState.windowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        CW_USEDEFAULT, 0, MulDiv(575, dpi, 96), MulDiv(664, dpi, 96), nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return false;
    }
    appState.mainWindow = window;

    SysRegisterHotKey(window, HOTKEY_START_STOP, 0, appState.currentHotkey);
    SysRegisterHotKey(window, HOTKEY_RECORD, 0, appState.recordHotkey);
    SysRegisterHotKey(window, HOTKEY_PLAYBACK, 0, appState.playbackHotkey);

    BOOL useDarkMode = TRUE;
    DwmSetWindowAttribute(window, DWMWA_USE_IMMERSIVE_DARK_MODE, &useDarkMode, sizeof(useDarkMode));

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: OnCreate(window); return 0;
        case WM_DESTROY: OnDestroy(window); return 0;
        case WM_PAINT: OnPaint(window); return 0;
        case WM_DRAWITEM: return DrawOwnerButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND:
            if (OnCommand(window, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            break;
        case WM_TIMER: OnTimer(wParam); return 0;
        case WM_CTLCOLOREDIT:
            return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLORLISTBOX: return OnCtlColorListBox(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORBTN: return OnCtlColorButton();
        case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_DPICHANGED:
            OnDpiChanged(window, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_HOTKEY: RequestRunFromHotkey(static_cast<int>(wParam), lParam); return 0;
        case WM_PLAYBACK_DONE: RequestPlaybackEnd(); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

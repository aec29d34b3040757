// Entry point: DPI awareness, theme brushes, the main window and the accelerator message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "res/resource.h"
#include "ui/Theme.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);

    // The count fields' up-down arrows live in the common controls library.
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);

    CreateThemeBrushes();
    LoadStringW(instance, IDS_APP_TITLE, appState.windowTitle, 100);
    LoadStringW(instance, IDC_MAIN_CLASS, appState.windowClassName, 100);
    RegisterMainWindowClass(instance);

    if (!CreateMainWindow(instance, showCommand)) {
        DeleteThemeBrushes();
        return 0;
    }

    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_MAIN_CLASS));
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DeleteThemeBrushes();
    return static_cast<int>(msg.wParam);
}

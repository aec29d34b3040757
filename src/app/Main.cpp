// Entry point: DPI awareness, theme brushes, the main window and the accelerator message loop.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "profile/ProfileCommands.h"
#include "res/resource.h"
#include "ui/Theme.h"

namespace {

// Explorer opens a .tmb file (the installer registers the type) as `Tamblo.exe "<path>"`. Exactly one
// argument is loaded as File > Load Profile... loads a chosen file, with the same messages; without
// an argument, or with more than one, the program starts from the defaults as it always does.
void LoadProfileFromCommandLine() {
    int argCount = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &argCount);
    if (!args) {
        return;
    }
    if (argCount == 2) {
        LoadProfileAtPath(args[1]);
    }
    LocalFree(args);
}

} // namespace

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
    LoadProfileFromCommandLine();

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

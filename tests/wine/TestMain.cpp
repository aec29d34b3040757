// Runs the in-process tests of the real window code under Wine (or Windows).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

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

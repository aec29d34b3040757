// Runs the in-process tests of the real window code under Wine (or Windows).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "ui/Theme.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
    CreateThemeBrushes();
    int result = RUN_ALL_TESTS();
    DeleteThemeBrushes();
    return result;
}

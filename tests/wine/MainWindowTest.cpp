// The main window as a whole: creation, size, hotkeys and shutdown.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override { DestroyTestMainWindow(); }
};

TEST_F(MainWindowTest, OuterSizeIsTheDesignSizeScaledToTheScreenDpiToTheNearestPixel) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    // 575 x 664 at 96 DPI, 719 x 830 at 120, 863 x 996 at 144.
    struct Size {
        int dpi, width, height;
    };
    const Size sizes[] = {{96, 575, 664}, {120, 719, 830}, {144, 863, 996}};
    RECT rect{};
    GetWindowRect(appState.mainWindow, &rect);
    bool known = false;
    for (const Size& size : sizes) {
        if (size.dpi == dpi) {
            known = true;
            EXPECT_EQ(rect.right - rect.left, size.width);
            EXPECT_EQ(rect.bottom - rect.top, size.height);
        }
    }
    EXPECT_TRUE(known) << "screen DPI " << dpi;
}

TEST_F(MainWindowTest, WindowHasNoMaximiseBoxAndNoSizingBorder) {
    LONG style = GetWindowLongW(appState.mainWindow, GWL_STYLE);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
}

TEST_F(MainWindowTest, DestroyUnregistersTheThreeHotkeys) {
    HWND window = appState.mainWindow;
    // While the window lives, another window cannot take F6, F8 or F9.
    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 1, 0, VK_F6));
    DestroyTestMainWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(RegisterHotKey(other, 1, 0, VK_F6));
    EXPECT_TRUE(RegisterHotKey(other, 2, 0, VK_F8));
    EXPECT_TRUE(RegisterHotKey(other, 3, 0, VK_F9));
    for (int id = 1; id <= 3; ++id) {
        UnregisterHotKey(other, id);
    }
    DestroyWindow(other);
}

} // namespace

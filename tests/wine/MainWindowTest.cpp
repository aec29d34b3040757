// The main window as a whole: size, frame and the hotkeys it gives back on shutdown.
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

TEST_F(MainWindowTest, OuterSizeIsTheDesignSizeRoundedAtTheScreenDpiWithAFixedFrame) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    SIZE expected = dpi == 96 ? SIZE{575, 664} : dpi == 120 ? SIZE{719, 830} : SIZE{863, 996};
    ASSERT_TRUE(dpi == 96 || dpi == 120 || dpi == 144) << "screen DPI " << dpi;
    RECT rect{};
    GetWindowRect(appState.mainWindow, &rect);
    EXPECT_EQ(rect.right - rect.left, expected.cx);
    EXPECT_EQ(rect.bottom - rect.top, expected.cy);
    LONG style = GetWindowLongW(appState.mainWindow, GWL_STYLE);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_SYSMENU), WS_MINIMIZEBOX | WS_SYSMENU);
}

TEST_F(MainWindowTest, DestroyUnregistersTheThreeHotkeys) {
    HWND window = appState.mainWindow;
    // While the window lives, another window cannot take F6.
    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 1, 0, VK_F6));
    DestroyTestMainWindow();
    EXPECT_FALSE(IsWindow(window));
    const UINT keys[] = {VK_F6, VK_F8, VK_F9};
    for (int id = 1; id <= 3; ++id) {
        EXPECT_TRUE(RegisterHotKey(other, id, 0, keys[id - 1])) << id;
        UnregisterHotKey(other, id);
    }
    DestroyWindow(other);
}

} // namespace

// The window follows the DPI that WM_DPICHANGED brings. Under Wine every DPI query keeps answering
// the prefix's 96, as LOGPIXELSX does on every monitor, so only the message's own DPI shows a change.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "app/AppState.h"

// Each child's height (an up-down keeps its width) and font, then the white pixels of Start's caption.
static std::vector<int> Picture() {
    std::vector<int> picture;
    for (HWND w = GetWindow(appState.mainWindow, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(w, &rect);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof(font), &font);
        picture.insert(picture.end(), {rect.bottom - rect.top, font.lfHeight});
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(300, 100, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    SendMessageW(appState.startButton, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::vector<DWORD> pixels(300 * 100);
    GetBitmapBits(bitmap, static_cast<LONG>(pixels.size() * sizeof(DWORD)), pixels.data());
    DeleteDC(dc);
    DeleteObject(bitmap);
    picture.push_back(static_cast<int>(std::count(pixels.begin(), pixels.end(), 0xFFFFFFu)));
    return picture;
}

TEST(Dpi, TheWindowIsRebuiltForTheDpiTheMessageBringsAndBackExactly) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const std::vector<int> picture96 = Picture();
    SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    const std::vector<int> picture144 = Picture();
    for (size_t i = 0; i < picture96.size(); ++i) { // give or take a combo box's font and ink rounding
        EXPECT_NEAR(picture144[i], picture96[i] * 1.5, picture96[i] * 0.3) << i;
    }
    SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
    EXPECT_EQ(Picture(), picture96);
    DestroyTestMainWindow();
}

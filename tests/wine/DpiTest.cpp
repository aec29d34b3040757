// The window follows the DPI that WM_DPICHANGED brings. Under Wine every DPI query keeps answering
// the prefix's 96, as Windows' LOGPIXELSX does on every monitor, so only the message's own DPI can
// show the change.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"
#include "ui/MainControls.h"
#include "ui/Theme.h"

namespace {

// Rows of a Start button drawn 300 x 100 that hold caption ink.
int CaptionInkRows() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 100);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{ODT_BUTTON, IDC_START,        0, ODA_DRAWENTIRE, 0, appState.startButton,
                        dc,         {0, 0, 300, 100}, 0};
    DrawOwnerButton(&item);
    int rows = 0;
    for (int y = 0; y < 100; ++y) {
        bool ink = false;
        for (int x = 0; x < 300 && !ink; ++x) {
            ink = GetPixel(dc, x, y) == RGB(255, 255, 255);
        }
        rows += ink ? 1 : 0;
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return rows;
}

// Each control's size and font height, then the caption's ink height.
std::vector<int> Picture() {
    std::vector<int> picture;
    for (const MainControl& control : MainControlTable()) {
        if (HWND window = control.handle != nullptr ? appState.*control.handle : nullptr) {
            RECT rect{};
            GetWindowRect(window, &rect);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
            picture.insert(picture.end(), {rect.right - rect.left, rect.bottom - rect.top, font.lfHeight});
        }
    }
    picture.push_back(CaptionInkRows());
    return picture;
}

// The same for the design at a scale: a combo box's height follows its font, and an up-down
// takes its width from the field it is attached to.
std::vector<int> DesignPicture(float scale, const std::vector<int>& actual) {
    std::vector<int> picture;
    std::span<const MainControl> table = MainControlTable();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].handle != nullptr) {
            const bool attached = i + 1 < table.size() && table[i + 1].kind == ControlKind::UpDown;
            const size_t at = picture.size();
            picture.push_back(attached ? actual[at]
                                       : static_cast<int>(static_cast<float>(table[i].width) * scale));
            picture.push_back(table[i].kind == ControlKind::Combo
                                  ? actual[at + 1]
                                  : static_cast<int>(static_cast<float>(table[i].height) * scale));
            picture.push_back(static_cast<int>(18.0f * scale));
        }
    }
    picture.push_back(actual.back());
    return picture;
}

void ChangeDpi(UINT dpi, RECT suggested) {
    SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

TEST(Dpi, TheWindowIsRebuiltForTheDpiTheMessageBrings) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    ASSERT_EQ(appState.windowDpi, 96u);
    RECT at96{};
    GetWindowRect(appState.mainWindow, &at96);
    const std::vector<int> picture96 = Picture();
    EXPECT_EQ(picture96, DesignPicture(1.0f, picture96));
    ChangeDpi(144, {at96.left, at96.top, at96.left + (at96.right - at96.left) * 3 / 2,
                    at96.top + (at96.bottom - at96.top) * 3 / 2});
    const std::vector<int> picture144 = Picture();
    EXPECT_EQ(picture144, DesignPicture(1.5f, picture144));
    EXPECT_GE(picture144.back() * 4, picture96.back() * 5) << "the captions' font grows";
    ChangeDpi(96, at96);
    EXPECT_EQ(Picture(), picture96);
    DestroyTestMainWindow();
}

} // namespace

// What start-up takes from the resources: title, class, icons, menu and accelerators.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

namespace {

class StartupResourcesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override { DestroyTestMainWindow(); }
};

TEST_F(StartupResourcesTest, WindowTakesTitleAndClassFromTheStringTableAndRedrawsOverTheDarkBackground) {
    HWND window = appState.mainWindow;
    EXPECT_STREQ(appState.windowTitle, L"Tamblo");
    EXPECT_STREQ(appState.windowClassName, L"TAMBLO");
    EXPECT_EQ(ControlText(window), L"Tamblo");
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"TAMBLO");
    EXPECT_EQ(appState.instanceHandle, GetModuleHandleW(nullptr));
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(appState.backgroundBrush));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICONSM), 0u);
}

uint32_t BigEndian32(const BYTE* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

TEST_F(StartupResourcesTest, EachIconIsOneRgbaPngOf1024By1024ThatScalesDownWithTransparentCorners) {
    HMODULE module = GetModuleHandleW(nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int id : {IDI_APP_ICON, IDI_APP_SMALL}) {
        SCOPED_TRACE(id);
        // The group: a 6-byte header with the image count, then 14-byte entries ending in the image id.
        HRSRC groupInfo = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
        ASSERT_NE(groupInfo, nullptr);
        const auto* group = static_cast<const WORD*>(LockResource(LoadResource(module, groupInfo)));
        ASSERT_EQ(group[2], 1);
        HRSRC imageInfo = FindResourceW(module, MAKEINTRESOURCEW(group[9]), MAKEINTRESOURCEW(3)); // RT_ICON
        ASSERT_NE(imageInfo, nullptr);
        ASSERT_GE(SizeofResource(module, imageInfo), 33u);
        const auto* png = static_cast<const BYTE*>(LockResource(LoadResource(module, imageInfo)));
        EXPECT_EQ(memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
        EXPECT_EQ(memcmp(png + 12, "IHDR", 4), 0);
        EXPECT_EQ(BigEndian32(png + 16), 1024u);
        EXPECT_EQ(BigEndian32(png + 20), 1024u);
        EXPECT_EQ(png[25], 6); // colour type: truecolour with alpha
        for (int size : {16, 32}) {
            SCOPED_TRACE(size);
            HICON icon =
                static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            PatBlt(dc, 0, 0, 32, 32, WHITENESS);
            EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
            // Lower left of the artwork: the blue face, clear of the white pointer.
            EXPECT_EQ(GetPixel(dc, size / 4, size * 3 / 4), RGB(0, 120, 215));
            EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
            DestroyIcon(icon);
        }
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// Every item of a menu bar as "popup/text=id", separators as "popup/-".
std::vector<std::wstring> MenuItems(HMENU menu) {
    std::vector<std::wstring> items;
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        wchar_t title[64] = {};
        GetMenuStringW(menu, p, title, 64, MF_BYPOSITION);
        HMENU popup = GetSubMenu(menu, p);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            wchar_t text[64] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 64;
            GetMenuItemInfoW(popup, i, TRUE, &info);
            items.push_back(
                std::wstring(title) + L"/" +
                ((info.fType & MFT_SEPARATOR) ? L"-" : text + (L"=" + std::to_wstring(info.wID))));
        }
    }
    return items;
}

TEST_F(StartupResourcesTest, MenuHasFileAndHelpWithTheirCommandsInOrder) {
    auto item = [](const wchar_t* text, int id) { return std::wstring(text) + L"=" + std::to_wstring(id); };
    const std::vector<std::wstring> expected = {item(L"&File/&New", IDM_NEW_PROFILE),
                                                L"&File/-",
                                                item(L"&File/&Save Profile...", IDM_SAVE_PROFILE),
                                                item(L"&File/&Load Profile...", IDM_LOAD_PROFILE),
                                                L"&File/-",
                                                item(L"&File/&Settings...", IDM_SETTINGS),
                                                L"&File/-",
                                                item(L"&File/E&xit", IDM_EXIT),
                                                item(L"&Help/&User Guide", IDM_USER_GUIDE),
                                                item(L"&Help/&About ...", IDM_ABOUT)};
    ASSERT_NE(GetMenu(appState.mainWindow), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetMenu(appState.mainWindow)), 2);
    EXPECT_EQ(MenuItems(GetMenu(appState.mainWindow)), expected);
}

TEST_F(StartupResourcesTest, AltQuestionMarkAndAltSlashAreCharacterAcceleratorsForAbout) {
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_MAIN_CLASS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 4), 2);
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');
    for (const ACCEL& entry : {entries[0], entries[1]}) {
        EXPECT_EQ(entry.fVirt & ~FNOINVERT, FALT); // a character, not a virtual key
        EXPECT_EQ(entry.cmd, IDM_ABOUT);
    }
}

} // namespace

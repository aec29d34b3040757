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

TEST_F(StartupResourcesTest, WindowTakesTitleAndClassFromTheStringTable) {
    EXPECT_STREQ(appState.windowTitle, L"Tamblo");
    EXPECT_STREQ(appState.windowClassName, L"TAMBLO");
    EXPECT_EQ(ControlText(appState.mainWindow), L"Tamblo");
    wchar_t className[64] = {};
    GetClassNameW(appState.mainWindow, className, 64);
    EXPECT_STREQ(className, L"TAMBLO");
    EXPECT_EQ(appState.instanceHandle, GetModuleHandleW(nullptr));
    EXPECT_EQ(GetWindowLongW(appState.mainWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
}

TEST_F(StartupResourcesTest, ClassRedrawsOnResizeOverTheDarkBackgroundWithBothIcons) {
    HWND window = appState.mainWindow;
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(appState.backgroundBrush));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICONSM), 0u);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_CBCLSEXTRA), 0u);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_CBWNDEXTRA), 0u);
}

TEST_F(StartupResourcesTest, BothIconsScaleDownFromTheLargeImageWithTransparentCorners) {
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int id : {IDI_APP_ICON, IDI_APP_SMALL}) {
        for (int size : {16, 32}) {
            SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
            HICON icon = static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            RECT whole{0, 0, 32, 32};
            HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
            FillRect(dc, &whole, white);
            DeleteObject(white);
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

// Layout of an icon group resource: a header, then one 14-byte entry per image.
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD iconId;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

uint32_t BigEndian32(const BYTE* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

TEST_F(StartupResourcesTest, EachIconGroupHoldsOneRgbaPngOf1024By1024) {
    HMODULE module = GetModuleHandleW(nullptr);
    for (int id : {IDI_APP_ICON, IDI_APP_SMALL}) {
        SCOPED_TRACE(id);
        HRSRC groupInfo = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
        ASSERT_NE(groupInfo, nullptr);
        const auto* group = static_cast<const IconGroup*>(LockResource(LoadResource(module, groupInfo)));
        ASSERT_EQ(group->count, 1);
        HRSRC imageInfo =
            FindResourceW(module, MAKEINTRESOURCEW(group->entries[0].iconId), MAKEINTRESOURCEW(3));
        ASSERT_NE(imageInfo, nullptr);
        ASSERT_GE(SizeofResource(module, imageInfo), 33u);
        const auto* png = static_cast<const BYTE*>(LockResource(LoadResource(module, imageInfo)));
        EXPECT_EQ(memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
        EXPECT_EQ(memcmp(png + 12, "IHDR", 4), 0);
        EXPECT_EQ(BigEndian32(png + 16), 1024u);
        EXPECT_EQ(BigEndian32(png + 20), 1024u);
        EXPECT_EQ(png[25], 6); // colour type: truecolour with alpha
    }
}

std::wstring MenuItemText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(StartupResourcesTest, MenuHasFileAndHelpWithTheirCommandsInOrder) {
    HMENU menu = GetMenu(appState.mainWindow);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuItemText(menu, 0), L"&File");
    EXPECT_EQ(MenuItemText(menu, 1), L"&Help");

    struct Item {
        const wchar_t* text; // nullptr: separator
        UINT id;
    };
    const std::vector<Item> file = {{L"&New", IDM_NEW_PROFILE},
                                    {nullptr, 0},
                                    {L"&Save Profile...", IDM_SAVE_PROFILE},
                                    {L"&Load Profile...", IDM_LOAD_PROFILE},
                                    {nullptr, 0},
                                    {L"&Settings...", IDM_SETTINGS},
                                    {nullptr, 0},
                                    {L"E&xit", IDM_EXIT}};
    const std::vector<Item> help = {{L"&User Guide", IDM_USER_GUIDE}, {L"&About ...", IDM_ABOUT}};
    const std::vector<Item>* popups[] = {&file, &help};
    for (int p = 0; p < 2; ++p) {
        HMENU popup = GetSubMenu(menu, p);
        ASSERT_NE(popup, nullptr);
        const std::vector<Item>& items = *popups[p];
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "popup " << p << " item " << i);
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID;
            ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info));
            if (items[i].text == nullptr) {
                EXPECT_NE(info.fType & MFT_SEPARATOR, 0u);
            } else {
                EXPECT_EQ(info.fType & MFT_SEPARATOR, 0u);
                EXPECT_EQ(MenuItemText(popup, static_cast<UINT>(i)), items[i].text);
                EXPECT_EQ(info.wID, items[i].id);
            }
        }
    }
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

// The three dialog templates as the resource script builds them: extended templates with their
// styles, sizes, font and controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct TemplateItem {
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::wstring className; // or "#0x0080" style ordinals
    std::wstring title;
};

struct DialogTemplate {
    DWORD style;
    short cx, cy;
    std::wstring title;
    WORD pointSize;
    BYTE charset;
    std::wstring font;
    std::vector<TemplateItem> items;
};

const WORD* SkipString(const WORD* p, std::wstring& out) {
    if (*p == 0xFFFF) {
        out = L"#" + std::to_wstring(p[1]);
        return p + 2;
    }
    out.clear();
    while (*p) {
        out += static_cast<wchar_t>(*p++);
    }
    return p + 1;
}

const WORD* AlignDword(const WORD* p) {
    return reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR{3});
}

DWORD ReadDword(const WORD* p) {
    return p[0] | static_cast<DWORD>(p[1]) << 16;
}

DialogTemplate LoadTemplate(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceExW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id),
                                     MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_NE(resource, nullptr) << id;
    const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(module, resource)));
    DialogTemplate t{};
    EXPECT_EQ(p[0], 1);      // dlgVer
    EXPECT_EQ(p[1], 0xFFFF); // extended template
    t.style = ReadDword(p + 6);
    WORD count = p[8];
    t.cx = static_cast<short>(p[11]);
    t.cy = static_cast<short>(p[12]);
    p += 13;
    std::wstring ignored;
    p = SkipString(p, ignored); // menu
    p = SkipString(p, ignored); // class
    p = SkipString(p, t.title);
    t.pointSize = p[0];
    t.charset = static_cast<BYTE>(p[2] >> 8);
    p = SkipString(p + 3, t.font);
    for (WORD i = 0; i < count; ++i) {
        p = AlignDword(p);
        TemplateItem item{};
        item.style = ReadDword(p + 4);
        item.x = static_cast<short>(p[6]);
        item.y = static_cast<short>(p[7]);
        item.cx = static_cast<short>(p[8]);
        item.cy = static_cast<short>(p[9]);
        item.id = static_cast<int>(ReadDword(p + 10));
        p = SkipString(p + 12, item.className);
        p = SkipString(p, item.title);
        WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        t.items.push_back(item);
    }
    return t;
}

// One line per item, so a table row and the resource compare as a whole.
std::wstring Describe(const TemplateItem& item) {
    wchar_t line[160] = {};
    swprintf(line, 160, L"id %d %ls \"%ls\" style 0x%08lX at %d,%d %dx%d", item.id, item.className.c_str(),
             item.title.c_str(), static_cast<unsigned long>(item.style), item.x, item.y, item.cx, item.cy);
    return line;
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kDefault = kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kCombo = kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// windres keeps a CONTROL statement's class as its name; the dialog manager reads both alike.
const std::vector<TemplateItem> kAboutItems = {
    {kChild | SS_ICON, 14, 14, 21, 20, -1, L"STATIC", L"#110"},
    {kLabel | SS_NOPREFIX, 42, 14, 164, 8, -1, L"#130", L"Tamblo, Version 1.0"},
    {kLabel, 42, 26, 164, 8, -1, L"#130", L"Made by Mara Lindqvist, 2026"},
    {kDefault, 163, 41, 50, 14, IDOK, L"#128", L"OK"}};
const std::vector<TemplateItem> kSettingsItems = {
    {kLabel, 14, 20, 80, 8, -1, L"#130", L"Start/Stop Hotkey:"},
    {kCombo, 100, 18, 120, 100, IDC_STARTSTOP_HOTKEY, L"#133", L""},
    {kLabel, 14, 50, 80, 8, -1, L"#130", L"Record Hotkey:"},
    {kCombo, 100, 48, 120, 100, IDC_RECORD_HOTKEY, L"#133", L""},
    {kLabel, 14, 80, 80, 8, -1, L"#130", L"Playback Hotkey:"},
    {kCombo, 100, 78, 120, 100, IDC_PLAYBACK_HOTKEY, L"#133", L""},
    {kDefault, 140, 150, 50, 14, IDC_SETTINGS_SAVE, L"#128", L"Save"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 194, 150, 50, 14, IDCANCEL, L"#128", L"Cancel"}};
const std::vector<TemplateItem> kGuideItems = {
    {kChild | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL, 10, 10, 380, 250, IDC_GUIDE_TEXT,
     L"#129", L""},
    {kDefault, 340, 270, 50, 18, IDOK, L"#128", L"Close"}};

TEST(DialogTemplates, HoldTheirTextsIdsStylesAndRectanglesInMsShellDlg8) {
    struct Expected {
        int id;
        DWORD style;
        short cx, cy;
        const wchar_t* title;
        const std::vector<TemplateItem>* items;
    };
    const Expected dialogs[] = {{IDD_ABOUTBOX, 0x80C800C8, 220, 62, L"About Tamblo", &kAboutItems},
                                {IDD_SETTINGS, 0x80C800C8, 250, 180, L"Settings", &kSettingsItems},
                                {IDD_USER_GUIDE, 0x80CC00C8, 400, 300, L"User Guide", &kGuideItems}};
    for (const Expected& want : dialogs) {
        SCOPED_TRACE(testing::PrintToString(want.title));
        DialogTemplate t = LoadTemplate(want.id);
        EXPECT_EQ(t.style, want.style);
        EXPECT_EQ(t.title, want.title);
        EXPECT_EQ(t.cx, want.cx);
        EXPECT_EQ(t.cy, want.cy);
        EXPECT_EQ(t.font, L"MS Shell Dlg");
        EXPECT_EQ(t.pointSize, 8);
        EXPECT_EQ(t.charset, DEFAULT_CHARSET);
        ASSERT_EQ(t.items.size(), want.items->size());
        for (size_t i = 0; i < t.items.size(); ++i) {
            EXPECT_EQ(Describe(t.items[i]), Describe((*want.items)[i]));
        }
    }
}

} // namespace

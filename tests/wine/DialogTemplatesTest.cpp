// The three dialog templates as the resource script builds them: extended templates with their
// styles, sizes, font and controls.
#include <windows.h>

#include <gtest/gtest.h>

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
    WORD pointSize, weight;
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
    t.weight = p[1];
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

void ExpectFont(const DialogTemplate& t) {
    EXPECT_EQ(t.font, L"MS Shell Dlg");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.charset, DEFAULT_CHARSET);
}

void ExpectItem(const TemplateItem& item, int id, const wchar_t* className, const wchar_t* title, DWORD style,
                short x, short y, short cx, short cy) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(title)));
    EXPECT_EQ(item.id, id);
    EXPECT_EQ(item.className, className);
    EXPECT_EQ(item.title, title);
    EXPECT_EQ(item.style, style | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(item.x, x);
    EXPECT_EQ(item.y, y);
    EXPECT_EQ(item.cx, cx);
    EXPECT_EQ(item.cy, cy);
}

constexpr wchar_t kButton[] = L"#128";
constexpr wchar_t kEdit[] = L"#129";
constexpr wchar_t kStatic[] = L"#130";
constexpr wchar_t kCombo[] = L"#133";

TEST(DialogTemplates, AboutBox) {
    DialogTemplate t = LoadTemplate(IDD_ABOUTBOX);
    EXPECT_EQ(t.style, 0x80C800C8u);
    EXPECT_EQ(t.title, L"About Tamblo");
    EXPECT_EQ(t.cx, 220);
    EXPECT_EQ(t.cy, 62);
    ExpectFont(t);
    ASSERT_EQ(t.items.size(), 4u);
    // windres keeps a CONTROL statement's class as its name; the dialog manager reads both alike.
    ExpectItem(t.items[0], -1, L"STATIC", L"#110", SS_ICON, 14, 14, 21, 20);
    ExpectItem(t.items[1], -1, kStatic, L"Tamblo, Version 1.0", SS_LEFT | SS_NOPREFIX | WS_GROUP, 42, 14, 164,
               8);
    ExpectItem(t.items[2], -1, kStatic, L"Made by Mara Lindqvist, 2026", SS_LEFT | WS_GROUP, 42, 26, 164, 8);
    ExpectItem(t.items[3], IDOK, kButton, L"OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 163, 41, 50, 14);
}

TEST(DialogTemplates, SettingsDialog) {
    DialogTemplate t = LoadTemplate(IDD_SETTINGS);
    EXPECT_EQ(t.style, 0x80C800C8u);
    EXPECT_EQ(t.title, L"Settings");
    EXPECT_EQ(t.cx, 250);
    EXPECT_EQ(t.cy, 180);
    ExpectFont(t);
    ASSERT_EQ(t.items.size(), 8u);
    const DWORD combo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    ExpectItem(t.items[0], -1, kStatic, L"Start/Stop Hotkey:", SS_LEFT | WS_GROUP, 14, 20, 80, 8);
    ExpectItem(t.items[1], IDC_STARTSTOP_HOTKEY, kCombo, L"", combo, 100, 18, 120, 100);
    ExpectItem(t.items[2], -1, kStatic, L"Record Hotkey:", SS_LEFT | WS_GROUP, 14, 50, 80, 8);
    ExpectItem(t.items[3], IDC_RECORD_HOTKEY, kCombo, L"", combo, 100, 48, 120, 100);
    ExpectItem(t.items[4], -1, kStatic, L"Playback Hotkey:", SS_LEFT | WS_GROUP, 14, 80, 80, 8);
    ExpectItem(t.items[5], IDC_PLAYBACK_HOTKEY, kCombo, L"", combo, 100, 78, 120, 100);
    ExpectItem(t.items[6], IDC_SETTINGS_SAVE, kButton, L"Save", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 140,
               150, 50, 14);
    ExpectItem(t.items[7], IDCANCEL, kButton, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 194, 150, 50, 14);
}

TEST(DialogTemplates, UserGuide) {
    DialogTemplate t = LoadTemplate(IDD_USER_GUIDE);
    EXPECT_EQ(t.style, 0x80CC00C8u);
    EXPECT_EQ(t.title, L"User Guide");
    EXPECT_EQ(t.cx, 400);
    EXPECT_EQ(t.cy, 300);
    ExpectFont(t);
    ASSERT_EQ(t.items.size(), 2u);
    ExpectItem(t.items[0], IDC_GUIDE_TEXT, kEdit, L"",
               ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL, 10, 10, 380, 250);
    ExpectItem(t.items[1], IDOK, kButton, L"Close", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 340, 270, 50,
               18);
}

} // namespace

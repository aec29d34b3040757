// The main window's answers, row by row; each picture must survive a DPI rebuild (with or without a rect).
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"
#include "ui/MainControls.h"

namespace {

// "id[text] on" per control ("*": checked, "off": disabled), then the focus and caret, boxes, clicks.
std::wstring Picture() {
    std::wstring picture;
    for (const MainControl& c : MainControlTable()) {
        if (HWND w = c.id != 0 ? appState.*c.handle : nullptr) {
            picture += std::to_wstring(c.id) + L"[" + ControlText(w) + (IsButtonChecked(w) ? L"]* " : L"] ") +
                       (IsWindowEnabled(w) ? L"on\n" : L"off\n");
        }
    }
    const LRESULT caret = SendMessageW(GetFocus(), EM_GETSEL, 0, 0);
    wchar_t line[64];
    swprintf(line, 64, L"focus %d %d-%d boxes %zu clicks %td", GetDlgCtrlID(GetFocus()), LOWORD(caret),
             HIWORD(caret), FakeState().boxes.size(),
             std::ranges::count(FakeState().injected, InjectedAction::MouseEvent, &InjectedAction::kind));
    return picture + line;
}

TEST(MainWindow, AnswersEachMessageAndKeepsWhatItShowsThroughADpiRebuild) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    SetWindowTextW(Control(IDC_HOURS), L"1");
    SetWindowTextW(Control(IDC_REPEAT_TIMES), L"7");
    SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, 2, 0);
    appState.recordedEvents = {InputEvent{MouseMove, 60000, 5, 5, 0, 0}};
    // A stray timer taken for the cursor tick would show this point.
    EditFake([](FakeData& f) { f.cursor = POINT{-1280, 300}; });
    SetForegroundWindow(appState.mainWindow);
    SetFocus(appState.millisecsEdit);
    SendMessageW(appState.millisecsEdit, EM_SETSEL, 1, 2);
    ASSERT_NE(Picture().find(L"focus 1003 1-2"), std::wstring::npos);
    // A message, its wParam (BM_CLICK: the control) and the picture's parts after it, each ended by ";".
    // clang-format off
    const std::tuple<UINT, WPARAM, std::wstring> rows[] = {
        {WM_TIMER, IDT_CLICK, L""},
        {BM_CLICK, IDC_REPEAT, L"1008[Repeat]* on;1009[Repeat until stopped] on;1010[7] on;"},
        {BM_CLICK, IDC_CURSOR_POS, L"1016[Click at position:]* on;1017[0] on;1018[0] on;"},
        {BM_CLICK, IDC_PLAYBACK_REPEAT_UNTIL_STOPPED, L"1025[Repeat until stopped]* on;1026[1] off;"},
        {WM_HOTKEY, HOTKEY_START_STOP, L"1011[Stop (F6)] on;1012[Status: Running | Clicks: 0 / 7];"},
        {WM_TIMER, IDT_CLICK, L""}, // the first click is due an hour after the start
        {WM_HOTKEY, HOTKEY_START_STOP, L"1011[Start (F6)] on;1000[1] on;1010[7] on;1017[0] on;"},
        {WM_HOTKEY, HOTKEY_PLAYBACK, L"1020[Stop Play (F9)] on;1011[Start (F6)] off;1019[Record (F8)] off;"},
        {WM_PLAYBACK_DONE, 0, L"1020[Playback (F9)] on;1011[Start (F6)] on;1019[Record (F8)] on;"},
        {WM_HOTKEY, HOTKEY_RECORD, L"1019[Stop Rec (F8)] on;1012[Recording... Events: 0] on;"},
        {WM_HOTKEY, HOTKEY_RECORD, L"1019[Record (F8)] on;1020[Playback (F9)] off;"},
        {WM_HOTKEY, HOTKEY_PLAYBACK, L"1020[Playback (F9)] off;boxes 1;"},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::wstring before = Picture();
        const auto& [message, wParam, shows] = rows[i];
        SendMessageW(message == BM_CLICK ? Control(int(wParam)) : appState.mainWindow, message, wParam, 0);
        const std::wstring after = Picture();
        for (size_t at = 0, end; (end = shows.find(L';', at)) != std::wstring::npos; at = end + 1) {
            EXPECT_NE(after.find(shows.substr(at, end - at)), std::wstring::npos)
                << "row " << i << " lacks part " << at;
        }
        EXPECT_TRUE(!shows.empty() || after == before) << "row " << i << " changed the window";
        RECT place{};
        GetWindowRect(appState.mainWindow, &place);
        InflateRect(&place, 4, 3); // the new monitor's suggestion, given to every other row
        SendMessageW(appState.mainWindow, WM_DPICHANGED, 0, i % 2 ? reinterpret_cast<LPARAM>(&place) : 0);
        EXPECT_EQ(Picture(), after) << "row " << i << " rebuilt";
        RECT moved{};
        GetWindowRect(appState.mainWindow, &moved);
        EXPECT_TRUE(i % 2 == 0 || EqualRect(&moved, &place)) << "row " << i << " not at the suggestion";
    }
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_RECORD, 0);
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    ASSERT_TRUE(appState.isClicking && appState.isRecording);
    DestroyWindow(appState.mainWindow);
    EXPECT_EQ(DispatchWaiting(), 0);
    EXPECT_FALSE(appState.isClicking || appState.isRecording);
    EXPECT_EQ(FakeUnhookLeftHooks(), 0);
}

// Each child's height (an up-down keeps its width) and font, then the white pixels of Start's caption.
std::vector<int> Geometry() {
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

// The window follows the DPI that WM_DPICHANGED brings. Under Wine every DPI query keeps answering
// the prefix's 96, as LOGPIXELSX does on every monitor, so only the message's own DPI shows a change.
TEST(MainWindow, IsRebuiltForTheDpiTheMessageBringsAndBackExactly) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const std::vector<int> picture96 = Geometry();
    SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    const std::vector<int> picture144 = Geometry();
    for (size_t i = 0; i < picture96.size(); ++i) { // give or take a combo box's font and ink rounding
        EXPECT_NEAR(picture144[i], picture96[i] * 1.5, picture96[i] * 0.3) << i;
    }
    SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
    EXPECT_EQ(Geometry(), picture96);
    DestroyTestMainWindow();
}

} // namespace

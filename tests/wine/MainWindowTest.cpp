// The main window's answers, row by row: a message and what the window then shows. Every picture
// must come back unchanged from a rebuild for another DPI, with or without a suggested rectangle.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"
#include "ui/MainControls.h"

namespace {

// "id[text] on" for each control with an id ("*" after the text when checked, "off" when
// disabled), then the focused control with its caret, the boxes the window owns and the clicks made.
std::wstring Picture() {
    std::wstring picture;
    for (const MainControl& c : MainControlTable()) {
        if (HWND w = c.id != 0 ? appState.*c.handle : nullptr) {
            picture += std::to_wstring(c.id) + L"[" + ControlText(w) + (IsButtonChecked(w) ? L"]* " : L"] ") +
                       (IsWindowEnabled(w) ? L"on\n" : L"off\n");
        }
    }
    DWORD from = 0, to = 0;
    SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    wchar_t line[64];
    const std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
    const std::vector<InjectedAction> injected = FakeInjected();
    swprintf(
        line, 64, L"focus %d %lu-%lu boxes %zd clicks %zd", GetDlgCtrlID(GetFocus()), from, to,
        std::count_if(boxes.begin(), boxes.end(), [](auto& b) { return b.owner == appState.mainWindow; }),
        std::count_if(injected.begin(), injected.end(), [](auto& a) { return a.kind == a.MouseEvent; }));
    return picture + line;
}

struct Row {
    HWND AppState::*target; // null: the main window
    UINT message;
    WPARAM wParam;
    std::vector<const wchar_t*> shows; // none: nothing changes
};

TEST(MainWindow, AnswersEachMessageAndKeepsWhatItShowsThroughADpiRebuild) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    SetControlText(IDC_HOURS, L"1");
    SetControlText(IDC_REPEAT_TIMES, L"7");
    SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, 2, 0);
    appState.recordedEvents = {InputEvent{MouseMove, 60000, 5, 5, 0, 0}};
    SetFakeCursorPos(POINT{-1280, 300}); // a stray timer taken for the cursor tick would show it
    SetForegroundWindow(appState.mainWindow);
    SetFocus(appState.millisecsEdit);
    SendMessageW(appState.millisecsEdit, EM_SETSEL, 1, 2);
    ASSERT_NE(Picture().find(L"focus 1003 1-2"), std::wstring::npos);
    using A = AppState;
    // clang-format off
    const Row rows[] = {
        {nullptr, WM_TIMER, IDT_CLICK, {}}, {nullptr, WM_TIMER, 3, {}}, {nullptr, WM_HOTKEY, 103, {}},
        {nullptr, WM_PLAYBACK_DONE, 0, {}},
        {&A::repeatRadio, BM_CLICK, 0, {L"1008[Repeat]* on", L"1009[Repeat until stopped] on", L"1010[7] on"}},
        {&A::cursorPosCheck, BM_CLICK, 0, {L"1016[Click at position:]* on", L"1017[0] on", L"1018[0] on"}},
        {&A::playbackRepeatUntilStoppedRadio, BM_CLICK, 0, {L"1025[Repeat until stopped]* on", L"1026[1] off"}},
        {nullptr, WM_HOTKEY, HOTKEY_START_STOP, {L"1011[Stop (F6)] on", L"1012[Status: Running | Clicks: 0 / 7]",
            L"1000[1] off", L"1006[Middle] off", L"1010[7] off", L"1017[0] off", L"1019[Record (F8)] on"}},
        {nullptr, WM_TIMER, IDT_CLICK, {}}, // the first click is due an hour after the start
        {nullptr, WM_HOTKEY, HOTKEY_START_STOP, {L"1011[Start (F6)] on", L"1000[1] on", L"1010[7] on", L"1017[0] on"}},
        {nullptr, WM_TIMER, IDT_CLICK, {}},
        {nullptr, WM_HOTKEY, HOTKEY_PLAYBACK, {L"1020[Stop Play (F9)] on", L"1011[Start (F6)] off", L"1019[Record (F8)] off"}},
        {nullptr, WM_PLAYBACK_DONE, 0, {L"1020[Playback (F9)] on", L"1011[Start (F6)] on", L"1019[Record (F8)] on"}},
        {nullptr, WM_HOTKEY, HOTKEY_RECORD, {L"1019[Stop Rec (F8)] on", L"1012[Recording... Events: 0] on"}},
        {nullptr, WM_HOTKEY, HOTKEY_RECORD, {L"1019[Record (F8)] on", L"1020[Playback (F9)] off"}},
        {nullptr, WM_HOTKEY, HOTKEY_PLAYBACK, {L"1020[Playback (F9)] off", L"boxes 1"}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::wstring before = Picture();
        SendMessageW(rows[i].target ? appState.*rows[i].target : appState.mainWindow, rows[i].message,
                     rows[i].wParam, 0);
        const std::wstring after = Picture();
        for (const wchar_t* part : rows[i].shows) {
            EXPECT_NE(after.find(part), std::wstring::npos)
                << "row " << i << " lacks " << testing::PrintToString(part);
        }
        EXPECT_TRUE(!rows[i].shows.empty() || after == before) << "row " << i << " changed the window";
        RECT place{}, moved{};
        GetWindowRect(appState.mainWindow, &place);
        // The new monitor's suggestion.
        place = {place.left + 3, place.top + 2, place.right + 9, place.bottom + 7};
        for (const RECT* suggested : {static_cast<const RECT*>(&place), static_cast<const RECT*>(nullptr)}) {
            HWND hours = appState.hoursEdit;
            HFONT font = reinterpret_cast<HFONT>(SendMessageW(hours, WM_GETFONT, 0, 0));
            SendMessageW(appState.mainWindow, WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(suggested));
            EXPECT_FALSE(IsWindow(hours) || GetObjectType(font) != 0)
                << "row " << i << ": old control or font left";
            EXPECT_EQ(Picture(), after)
                << "row " << i << (suggested ? " rebuilt at the suggestion" : " rebuilt, no rectangle");
            GetWindowRect(appState.mainWindow, &moved);
            EXPECT_TRUE(EqualRect(&moved, &place)) << "row " << i << " not at the suggested rectangle";
        }
    }
    DestroyTestMainWindow();
}

TEST(MainWindow, DestroyedWhileRunsAreActiveStopsThemAndQuitsWithCodeZero) {
    for (int first : {HOTKEY_RECORD, HOTKEY_PLAYBACK}) {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordedEvents = {InputEvent{MouseMove, 60000, 5, 5, 0, 0}};
        SendMessageW(appState.mainWindow, WM_HOTKEY, first, 0);
        SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
        ASSERT_TRUE(appState.isClicking && (appState.isRecording || appState.isPlaying)) << first;
        DestroyWindow(appState.mainWindow);
        EXPECT_EQ(DispatchWaiting(), 0) << first;
        EXPECT_FALSE(appState.isClicking || appState.isRecording || appState.isPlaying) << first;
        EXPECT_EQ(FakeUnhookLeftHooks(), 0) << first;
    }
}

} // namespace

// The clicker in the real main window: what each action leaves on screen; what each tick injects.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "clicker/Clicker.h"
#include "res/resource.h"

namespace {

std::vector<std::pair<std::wstring, size_t>> status; // each text, and the injections before it
WNDPROC statusProc = nullptr;
LRESULT CALLBACK RecordStatus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        status.emplace_back(reinterpret_cast<const wchar_t*>(lParam), FakeInjected().size());
    }
    return CallWindowProcW(statusProc, window, message, wParam, lParam);
}

void PressStartKey() {
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
}

void ClickStart() {
    SendCommand(IDC_START);
}

void PressStartKeyWhileRecording() {
    appState.isRecording = true;
    PressStartKey();
}

// As a user sets them: SECS s MS ms, "Repeat" REPEAT times (nullptr: until stopped), at 0,0 if fixed;
// then the start.
void Choose(const wchar_t* secs, const wchar_t* ms, const wchar_t* repeat, bool fixed, void (*start)()) {
    SetControlText(IDC_SECS, secs);
    SetControlText(IDC_MILLISECS, ms);
    SetControlText(IDC_REPEAT_TIMES, repeat);
    SendMessageW(appState.repeatRadio, BM_SETCHECK, repeat != nullptr, 0);
    SendMessageW(appState.repeatUntilStoppedRadio, BM_SETCHECK, repeat == nullptr, 0);
    SendMessageW(appState.cursorPosCheck, BM_SETCHECK, fixed, 0);
    SendCommand(repeat ? IDC_REPEAT : IDC_REPEAT_UNTIL_STOPPED);
    SendCommand(IDC_CURSOR_POS);
    start();
}

// Starts or stops playback of a key held for 10 s (no recording runs, whatever a row set before).
void ClickPlayback() {
    appState.isRecording = false;
    appState.recordedEvents = {InputEvent{KeyDown, 0, 0, 0, 'A', 0}, InputEvent{KeyUp, 10000, 0, 0, 'A', 0}};
    SendCommand(IDC_PLAYBACK);
}

// Start caption | status | settings, Record, Playback enabled (id order) | box | finer timer | each
// power-throttling state asked for.
std::wstring Picture() {
    std::wstring picture = ControlText(IDC_START) + L" | " + ControlText(IDC_STATUS) + L" | ";
    for (int id : {1000, 1001, 1002, 1003, 1006, 1007, 1008, 1009, 1010, 1016, 1017, 1018, 1019, 1020}) {
        picture += IsWindowEnabled(Control(id)) ? L'1' : L'0';
    }
    picture += FakeMessageBoxes().empty() ? L"" : L" | " + FakeMessageBoxes().back().text;
    picture += appState.clickTimerPeriod ? L" | fine" : L"";
    for (const std::wstring& call : FakeTimingCalls()) {
        picture += call.starts_with(L"throttle") ? L" | " + call : L"";
    }
    return picture;
}

TEST(ClickerTest, EachActionLeavesItsPictureAndEachTickMakesTheClicksDueByThen) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const std::wstring run = L"Stop (F6) | Status: Running | Clicks: 0 | ";
    const std::wstring idle = L"Start (F6) | Status: Stopped | Clicks: 0 | ";
    const std::wstring run4 = L"Stop (F6) | Status: Running | Clicks: 0 / 4 | ";
    const std::wstring keepPeriod = L" | throttle 1 4 0"; // the timer period honoured while hidden
    const std::wstring handBack = L" | throttle 1 0 0";   // the choice left to Windows again
    const std::wstring tooLong =
        L" | Click interval must be at most 2147483647 milliseconds (about 24 days).";
    const std::pair<void (*)(), std::wstring> rows[] = {
        // clang-format off
        {[] { Choose(L"9", L"0", nullptr, false, ClickStart); }, run + L"00000000000011 | fine" + keepPeriod},
        {[] { Choose(L"0", L"0", nullptr, false, StartClicking); }, run + L"00000000000011 | fine"},
        {ClickStart, idle + L"11111111010011" + handBack},
        {[] { Choose(L"0", L"", nullptr, false, ClickStart); },
         idle + L"11111111010011 | Click interval must be at least 1 millisecond."},
        {[] { Choose(L"2147483", L"648", L"3", false, ClickStart); }, idle + L"11111111110011" + tooLong},
        {[] { Choose(L"0", L"20", L"", true, ClickStart); },
         idle + L"11111111111111 | Number of clicks must be at least 1."},
        {[] { Choose(L"9", L"0", L"4", true, PressStartKeyWhileRecording); },
         run4 + L"00000000000010 | fine" + keepPeriod},
        {PressStartKey, idle + L"11111111111110" + handBack},
        // With playback the first run to start asks, and only the last to stop hands back.
        {ClickPlayback, idle + L"11111111111101" + keepPeriod},
        {PressStartKey, run4 + L"00000000000001 | fine"},
        {PressStartKey, idle + L"11111111111101"},
        {PressStartKey, run4 + L"00000000000001 | fine"},
        {ClickPlayback, run4 + L"00000000000011 | fine"},
        {PressStartKey, idle + L"11111111111111" + handBack},
    }; // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        ResetFakeSys();
        rows[i].first();
        EXPECT_EQ(Picture(), rows[i].second) << "row " << i;
    }
    StartClicking();
    DestroyTestMainWindow();
    EXPECT_EQ(appState.clickTimerPeriod, 0u) << "closing the window ends the finer timer";
    // 1 ms runs: timers come every 10 ms at best, so a tick makes every click due by then (a double
    // click: one) after one cursor move and pause; the status line follows each tick.
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    statusProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(appState.statusLabel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordStatus)));
    for (auto [fixed, doubleClick] : {std::pair{false, false}, {true, false}, {false, true}}) {
        Choose(L"0", L"1", L"100", fixed, [] {});
        SendMessageW(appState.clickTypeCombo, CB_SETCURSEL, doubleClick, 0); // double: Right; single: Middle
        SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, doubleClick ? 1 : 2, 0);
        ResetFakeSys();
        status.clear();
        ClickStart();
        ASSERT_TRUE(PumpUntil([] { return !appState.isClicking; }, 5000));
        PumpMessages(30); // no stray tick after the last
        const std::vector<InjectedAction> injected = FakeInjected();
        std::vector<DWORD> sleeps;
        const size_t ticks = status.size() - 2;
        const size_t events = doubleClick ? 4 : 2;
        size_t clicks = 0;
        for (size_t i = 1, from = 0; i <= ticks; from = status[i++].second) {
            const size_t batch = (status[i].second - from - fixed) / events;
            clicks += batch;
            EXPECT_EQ(injected.at(from).kind == InjectedAction::CursorMove, fixed) << "tick " << i;
            EXPECT_EQ(injected.at(from + fixed).mouseEvent.flags, doubleClick ? 0x8u : 0x20u) << "tick " << i;
            EXPECT_EQ(from + fixed + batch * events, status[i].second)
                << fixed << doubleClick << " tick " << i;
            EXPECT_EQ(status[i].first, L"Status: Running | Clicks: " + std::to_wstring(clicks) + L" / 100");
            sleeps.insert(sleeps.end(), fixed, 10);
            sleeps.insert(sleeps.end(), doubleClick * batch, 50);
        }
        EXPECT_EQ(status.back(), std::pair(std::wstring(L"Status: Stopped | Clicks: 100"), injected.size()));
        EXPECT_EQ(FakeSleeps(), sleeps) << fixed << doubleClick;
        EXPECT_TRUE(doubleClick ? clicks == ticks : clicks >= 4 * ticks) << "clicks per tick";
    }
    DestroyTestMainWindow();
}

} // namespace

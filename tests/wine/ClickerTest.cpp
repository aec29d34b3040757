// The clicker in the real main window: what each action leaves on screen; what each tick injects.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <regex>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "base/InputFlags.h"
#include "res/resource.h"

namespace {

constexpr int S = IDC_START, P = IDC_PLAYBACK, K = HOTKEY_START_STOP;

// As a user sets them: SECS s MS ms, "Repeat" REPEAT times (nullptr: until stopped), at 0,0 if fixed.
void Choose(const wchar_t* secs, const wchar_t* ms, const wchar_t* repeat, bool fixed) {
    SetWindowTextW(Control(IDC_SECS), secs);
    SetWindowTextW(Control(IDC_MILLISECS), ms);
    SetWindowTextW(Control(IDC_REPEAT_TIMES), repeat);
    SendMessageW(Control(repeat ? IDC_REPEAT : IDC_REPEAT_UNTIL_STOPPED), BM_CLICK, 0, 0);
    SendMessageW(appState.cursorPosCheck, BM_SETCHECK, fixed, 0);
}

// Controls enabled, box text, fine timer, throttling asked ("1 4 0": honour the timer hidden; "1 0 0": not).
std::wstring Picture() {
    std::wstring picture;
    for (int id : {1000, 1001, 1002, 1003, 1006, 1007, 1008, 1009, 1010, 1016, 1017, 1018, 1019, 1020}) {
        picture += IsWindowEnabled(Control(id)) ? L'1' : L'0';
    }
    picture += FakeState().boxes.empty() ? L"" : L" " + FakeState().boxes.back().text.substr(0, 30);
    picture += appState.clickTimerPeriod ? L" fine" : L"";
    for (const std::wstring& call : FakeState().timing) {
        picture += call.starts_with(L"throttle") ? call.substr(8) : L"";
    }
    return picture;
}

TEST(ClickerTest, EachActionLeavesItsPictureAndEachTickMakesTheClicksDueByThen) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    // A key held 10 s. With playback the first run to start asks, and only the last to stop hands back.
    appState.recordedEvents = {InputEvent{KeyDown, 0, 0, 0, 'A', 0}, InputEvent{KeyUp, 10000, 0, 0, 'A', 0}};
    // Choose's settings (secs nullptr: as they were), then Start or Playback (S P), F6 (K), F6 recording
    // (-K).
    // clang-format off
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, int, const wchar_t*> rows[] = {
        {L"9", L"0", nullptr, 0, S, L"00000000000011 fine 1 4 0"},
        {nullptr, 0, 0, 0, S, L"11111111010011 1 0 0"},
        {L"0", L"", nullptr, 0, S, L"11111111010011 Click interval must be at leas"},
        {L"2147483", L"648", L"3", 0, S, L"11111111110011 Click interval must be at most"},
        {L"0", L"20", L"", 1, S, L"11111111110011 Number of clicks must be at le"},
        {L"9", L"0", L"4", 1, -K, L"00000000000010 fine 1 4 0"},
        {nullptr, 0, 0, 0, K, L"11111111111111 1 0 0"},
        {nullptr, 0, 0, 0, P, L"11111111111101 1 4 0"},
        {nullptr, 0, 0, 0, K, L"00000000000001 fine"},
        {nullptr, 0, 0, 0, K, L"11111111111101"},
        {nullptr, 0, 0, 0, K, L"00000000000001 fine"},
        {nullptr, 0, 0, 0, P, L"00000000000011 fine"},
        {nullptr, 0, 0, 0, K, L"11111111111111 1 0 0"},
    }; // clang-format on
    for (auto [secs, ms, repeat, fixed, act, picture] : rows) {
        ResetFakeSys();
        if (secs != nullptr) {
            Choose(secs, ms, repeat, fixed);
        }
        appState.isRecording = act == -K;
        SendMessageW(appState.mainWindow, std::abs(act) == K ? WM_HOTKEY : WM_COMMAND, std::abs(act), 0);
        EXPECT_EQ(Picture(), picture);
    }
    // Timers come every 10 ms at best: a tick makes all clicks due by then, after a move ('@') if fixed.
    for (auto [fixed, dbl, tick] :
         {std::tuple{false, false, L"(Mm)+"}, {true, false, L"@(Mm)+"}, {true, true, L"@RrRr"}}) {
        Choose(L"0", L"1", L"100", fixed);
        SendMessageW(appState.clickTypeCombo, CB_SETCURSEL, dbl, 0); // double: Right; single: Middle
        SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, dbl ? 1 : 2, 0);
        ResetFakeSys();
        SendCommand(IDC_START);
        ASSERT_TRUE(PumpUntil([] { return !appState.isClicking; }, 5000));
        PumpMessages(30); // a stray tick after the last would show
        std::wstring run;
        for (const InjectedAction& a : FakeState().injected) {
            const wchar_t* clicks = a.mouseEventInfo == kTambloInputMark ? L"----RrMm" : L"????????";
            run += a.kind == a.CursorMove ? L'@' : clicks[std::bit_width(a.mouseEventFlags)];
        }
        EXPECT_TRUE(std::regex_match(run, std::wregex(L"(" + std::wstring(tick) + L")+"))) << run;
        EXPECT_EQ(std::ranges::count_if(run, iswupper), dbl ? 200 : 100) << "each click once, none after";
        EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: 100");
        EXPECT_EQ(std::ranges::count(FakeState().sleeps, 10u), std::ranges::count(run, L'@'));
        EXPECT_EQ(std::ranges::count(FakeState().sleeps, 50u), dbl ? 100 : 0);
        EXPECT_TRUE(dbl || std::ranges::count(run, L'@') <= 25) << "fewer than 4 clicks a tick";
    }
    DestroyTestMainWindow();
}

} // namespace

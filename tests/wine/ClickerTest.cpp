// The auto-clicker in the real main window: start/stop, locked settings, refusals, the status
// line, and what each tick of the real click timer injects.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "clicker/Clicker.h"
#include "res/resource.h"

namespace {

using Log = std::vector<std::string>;

// Every WM_SETTEXT the status line receives, in order.
std::vector<std::wstring> statusTexts;
WNDPROC statusLabelProc = nullptr;

LRESULT CALLBACK RecordingStatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && lParam != 0) {
        statusTexts.push_back(reinterpret_cast<const wchar_t*>(lParam));
    }
    return CallWindowProcW(statusLabelProc, window, message, wParam, lParam);
}

// Cursor moves, mouse_event calls and sleeps in the order they happened.
Log InjectedLog() {
    const std::vector<InjectedAction> actions = FakeInjected();
    const std::vector<DWORD> sleeps = FakeSleeps();
    const std::vector<size_t> marks = FakeSleepMarks();
    Log log;
    for (size_t i = 0, s = 0; i <= actions.size(); ++i) {
        for (; s < marks.size() && marks[s] == i; ++s) {
            log.push_back("sleep " + std::to_string(sleeps[s]));
        }
        if (i == actions.size()) {
            break;
        }
        const InjectedAction& a = actions[i];
        const MouseEventCall& m = a.mouseEvent;
        if (a.kind == InjectedAction::CursorMove) {
            log.push_back("move " + std::to_string(a.cursor.x) + "," + std::to_string(a.cursor.y));
        } else if (a.kind == InjectedAction::MouseEvent && (m.dx | m.dy | m.data | m.extraInfo) == 0) {
            const std::pair<DWORD, const char*> names[] = {
                {MOUSEEVENTF_LEFTDOWN, "left down"},     {MOUSEEVENTF_LEFTUP, "left up"},
                {MOUSEEVENTF_RIGHTDOWN, "right down"},   {MOUSEEVENTF_RIGHTUP, "right up"},
                {MOUSEEVENTF_MIDDLEDOWN, "middle down"}, {MOUSEEVENTF_MIDDLEUP, "middle up"}};
            const char* name = "other flags";
            for (const auto& [flags, text] : names) {
                name = m.flags == flags ? text : name;
            }
            log.push_back(name);
        } else {
            log.push_back("unexpected injection");
        }
    }
    return log;
}

Log Repeated(int times, const Log& once) {
    Log log;
    for (int i = 0; i < times; ++i) {
        log.insert(log.end(), once.begin(), once.end());
    }
    return log;
}

std::array<HWND, 12> ClickSettings() {
    // clang-format off
    return {appState.hoursEdit, appState.minsEdit, appState.secsEdit, appState.millisecsEdit,
            appState.mouseButtonCombo, appState.clickTypeCombo, appState.cursorPosCheck, appState.cursorXEdit,
            appState.cursorYEdit, appState.repeatRadio, appState.repeatUntilStoppedRadio, appState.repeatTimesEdit};
    // clang-format on
}

void SetInterval(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds, const wchar_t* ms) {
    SetControlText(IDC_HOURS, hours);
    SetControlText(IDC_MINS, minutes);
    SetControlText(IDC_SECS, seconds);
    SetControlText(IDC_MILLISECS, ms);
}

void ChooseRepeatTimes(const wchar_t* count) {
    SendMessageW(appState.repeatRadio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(appState.repeatUntilStoppedRadio, BM_SETCHECK, BST_UNCHECKED, 0);
    SendCommand(IDC_REPEAT);
    SetControlText(IDC_REPEAT_TIMES, count);
}

void ChooseFixedPosition(const wchar_t* x, const wchar_t* y) {
    SendMessageW(appState.cursorPosCheck, BM_SETCHECK, BST_CHECKED, 0);
    SendCommand(IDC_CURSOR_POS);
    SetControlText(IDC_CURSOR_X, x);
    SetControlText(IDC_CURSOR_Y, y);
}

class ClickerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override {
        appState.isRecording = false;
        appState.isPlaying = false;
        DestroyTestMainWindow();
    }
};

TEST_F(ClickerTest, StartLocksEverySettingStopUnlocksThoseTheirBoxesAllowAndRepeatsAreIgnored) {
    for (bool positionAndCount : {false, true}) {
        SCOPED_TRACE(positionAndCount);
        SetInterval(L"0", L"0", L"10", L"0"); // long enough that no tick comes during the test
        if (positionAndCount) {
            ChooseFixedPosition(L"5", L"6");
            ChooseRepeatTimes(L"4");
        }
        SendCommand(IDC_START);
        EXPECT_TRUE(appState.isClicking);
        EXPECT_EQ(appState.clickInterval, 10000u);
        EXPECT_EQ(ControlText(IDC_START), L"Stop (F6)");
        EXPECT_EQ(ControlText(IDC_STATUS),
                  positionAndCount ? L"Status: Running | Clicks: 0 / 4" : L"Status: Running | Clicks: 0");
        for (HWND setting : ClickSettings()) {
            EXPECT_FALSE(IsWindowEnabled(setting));
        }
        EXPECT_TRUE(IsWindowEnabled(appState.recordButton));
        EXPECT_TRUE(IsWindowEnabled(appState.playbackButton));
        PumpMessages(50);
        EXPECT_TRUE(FakeMouseEvents().empty()) << "the first click waits one whole interval";
        SetInterval(L"0", L"0", L"0", L"0"); // a second start would refuse this if it read it
        appState.clickCount = 4;             // and would reset this
        StartClicking();
        EXPECT_TRUE(appState.isClicking);
        EXPECT_EQ(appState.clickInterval, 10000u);
        EXPECT_EQ(appState.clickCount, 4);

        SendCommand(IDC_START);
        EXPECT_FALSE(appState.isClicking);
        EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
        EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: 4");
        const std::array<HWND, 12> settings = ClickSettings();
        for (size_t i = 0; i < settings.size(); ++i) {
            bool dependent = i == 7 || i == 8 || i == 11; // position fields and the count
            EXPECT_EQ(IsWindowEnabled(settings[i]) != FALSE, !dependent || positionAndCount)
                << "setting " << i;
        }
        EXPECT_TRUE(FakeMessageBoxes().empty());
        SetControlText(IDC_STATUS, L"untouched");
        SetControlText(IDC_START, L"untouched");
        StopClicking(); // already stopped
        EXPECT_EQ(ControlText(IDC_STATUS), L"untouched");
        EXPECT_EQ(ControlText(IDC_START), L"untouched");
    }
}

TEST_F(ClickerTest, RefusalsWarnAndLeaveTheClickerIdleWhileTheLongestPeriodIsAccepted) {
    const wchar_t* tooShort = L"Click interval must be at least 1 millisecond.";
    const wchar_t* tooLong = L"Click interval must be at most 2147483647 milliseconds (about 24 days).";
    const wchar_t* badCount = L"Number of clicks must be at least 1.";
    const struct {
        const wchar_t *hours, *minutes, *seconds, *ms;
        const wchar_t* repeatCount; // nullptr: "Repeat until stopped"
        const wchar_t* text;
    } cases[] = {
        {L"0", L"0", L"0", L"0", nullptr, tooShort},      {L"", L"", L"", L"", nullptr, tooShort},
        {L"0", L"0", L"0", L"-5", nullptr, tooShort},     {L"1194", L"0", L"0", L"0", nullptr, tooLong},
        {L"1193", L"2", L"47", L"296", nullptr, tooLong}, {L"0", L"0", L"2147483", L"648", L"3", tooLong},
        {L"0", L"0", L"0", L"100", L"0", badCount},       {L"0", L"0", L"0", L"100", L"", badCount},
        {L"0", L"0", L"0", L"100", L"-2", badCount},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& c = cases[i];
        const bool countRefused = c.text == badCount;
        ResetFakeSys();
        SetInterval(c.hours, c.minutes, c.seconds, c.ms);
        if (c.repeatCount != nullptr) {
            ChooseRepeatTimes(c.repeatCount);
        }
        appState.clickCount = 7;
        UpdateClickStatus();

        SendCommand(IDC_START);

        ExpectOnlyMessageBox(c.text, countRefused ? L"Invalid Count" : L"Invalid Interval", MB_ICONWARNING);
        EXPECT_FALSE(appState.isClicking);
        EXPECT_EQ(appState.clickCount, countRefused ? 0 : 7);
        // Even when the count was reset, the status line keeps the old number.
        EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: 7");
        EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
        EXPECT_TRUE(IsWindowEnabled(appState.hoursEdit));
        EXPECT_TRUE(IsWindowEnabled(appState.mouseButtonCombo));
        EXPECT_EQ(IsWindowEnabled(appState.repeatTimesEdit) != FALSE, c.repeatCount != nullptr);
        if (!countRefused) {
            EXPECT_EQ(appState.clickInterval, 100u) << "refused periods are not kept";
        }
    }
    PumpMessages(30);
    EXPECT_TRUE(FakeMouseEvents().empty()) << "no timer was started";

    ResetFakeSys();
    SetInterval(L"0", L"0", L"2147483", L"647");
    SetControlText(IDC_REPEAT_TIMES, L"1");
    StartClicking();
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(appState.clickInterval, 2147483647u);
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ClickerTest, RepeatThreeClicksThreeTimesThenStopsWithThreeStatusLines) {
    SetInterval(L"0", L"0", L"0", L"1");
    ChooseRepeatTimes(L"3");
    statusTexts.clear();
    statusLabelProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        appState.statusLabel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingStatusProc)));

    SendCommand(IDC_START);
    ASSERT_TRUE(PumpUntil([] { return !appState.isClicking; }, 5000));
    PumpMessages(60); // no stray tick after the stop

    EXPECT_EQ(InjectedLog(), Repeated(3, {"left down", "left up"})) << "the cursor stays put";
    EXPECT_EQ(statusTexts, (std::vector<std::wstring>{
                               L"Status: Running | Clicks: 0 / 3", L"Status: Running | Clicks: 1 / 3",
                               L"Status: Running | Clicks: 2 / 3", L"Status: Running | Clicks: 3 / 3",
                               L"Status: Stopped | Clicks: 3"}));
    EXPECT_EQ(appState.clickCount, 3);
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
}

TEST_F(ClickerTest, DoubleClickSendsTwoPairsFiftyMillisecondsApartAndCountsOnce) {
    SetInterval(L"0", L"0", L"0", L"1");
    ChooseRepeatTimes(L"2");
    SendMessageW(appState.clickTypeCombo, CB_SETCURSEL, 1, 0);
    StartClicking();
    ASSERT_TRUE(PumpUntil([] { return !appState.isClicking; }, 5000));
    EXPECT_EQ(InjectedLog(), Repeated(2, {"left down", "left up", "sleep 50", "left down", "left up"}));
    EXPECT_EQ(appState.clickCount, 2);
}

// The button choice is read on every tick too: see the DPI rebuild test below.
TEST_F(ClickerTest, FixedPositionMovesTheCursorTenMillisecondsBeforeEachClick) {
    appState.clickRepeatCount = -1;
    const struct {
        const wchar_t *x, *y;
        const char* move;
    } positions[] = {
        {L"100", L"200", "move 100,200"}, {L"", L"", "move 0,0"}, {L"-1280", L"3", "move -1280,3"}};
    for (const auto& p : positions) {
        ResetFakeSys();
        ChooseFixedPosition(p.x, p.y);
        PerformClick();
        EXPECT_EQ(InjectedLog(), (Log{p.move, "sleep 10", "left down", "left up"}));
    }
}

TEST_F(ClickerTest, StopAndClosingTheWindowEndTheTimer) {
    SetInterval(L"0", L"0", L"0", L"1");
    StartClicking();
    ASSERT_TRUE(PumpUntil([] { return appState.clickCount >= 2; }, 3000));
    StopClicking();
    const int32_t clicks = appState.clickCount;
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: " + std::to_wstring(clicks));
    PumpMessages(40);
    EXPECT_EQ(FakeMouseEvents().size(), 2u * static_cast<size_t>(clicks));

    StartClicking();
    DestroyTestMainWindow();
    EXPECT_FALSE(appState.isClicking);
    const size_t events = FakeMouseEvents().size();
    PumpMessages(30);
    EXPECT_EQ(FakeMouseEvents().size(), events);
}

TEST_F(ClickerTest, StartStopHotkeyTogglesEvenWhileRecordingOrPlaying) {
    SetInterval(L"0", L"0", L"10", L"0");
    appState.currentHotkey = VK_F7;
    auto pressHotkey = [] { SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0); };
    pressHotkey();
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(ControlText(IDC_START), L"Stop (F7)");
    pressHotkey();
    EXPECT_FALSE(appState.isClicking);

    appState.isRecording = true;
    pressHotkey();
    EXPECT_TRUE(appState.isClicking);
    pressHotkey();
    appState.isRecording = false;
    appState.isPlaying = true;
    pressHotkey();
    EXPECT_TRUE(appState.isClicking);
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ClickerTest, RunSurvivesADpiRebuildAndTicksReadTheRebuiltControls) {
    SetInterval(L"0", L"0", L"10", L"0");
    ChooseFixedPosition(L"100", L"200");
    SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, 2, 0);
    StartClicking();
    HWND oldCombo = appState.mouseButtonCombo;
    RECT suggested{40, 30, 40 + 575, 30 + 664};
    SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_NE(appState.mouseButtonCombo, oldCombo) << "the controls were re-created";
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(ControlText(IDC_START), L"Stop (F6)");
    EXPECT_FALSE(IsWindowEnabled(appState.hoursEdit));

    PerformClick();
    EXPECT_EQ(InjectedLog(), (Log{"move 100,200", "sleep 10", "middle down", "middle up"}));
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Running | Clicks: 1");
    StopClicking();
    EXPECT_TRUE(IsWindowEnabled(appState.hoursEdit));
}

} // namespace

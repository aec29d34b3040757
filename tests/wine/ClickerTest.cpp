// The auto-clicker in the real main window: start/stop, locked settings, refusals, the status
// line, and what each tick of the real click timer injects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "clicker/Clicker.h"
#include "res/resource.h"

namespace {

// Every WM_SETTEXT the status line receives, in order.
std::vector<std::wstring> statusTexts;
WNDPROC statusLabelProc = nullptr;

LRESULT CALLBACK RecordingStatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && lParam != 0) {
        statusTexts.push_back(reinterpret_cast<const wchar_t*>(lParam));
    }
    return CallWindowProcW(statusLabelProc, window, message, wParam, lParam);
}

void RecordStatusTexts() {
    statusTexts.clear();
    statusLabelProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        appState.statusLabel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingStatusProc)));
}

HWND ClickSettings(size_t index) {
    HWND settings[] = {appState.hoursEdit,
                       appState.minsEdit,
                       appState.secsEdit,
                       appState.millisecsEdit,
                       appState.mouseButtonCombo,
                       appState.clickTypeCombo,
                       appState.cursorPosCheck,
                       appState.cursorXEdit,
                       appState.cursorYEdit,
                       appState.repeatRadio,
                       appState.repeatUntilStoppedRadio,
                       appState.repeatTimesEdit};
    return settings[index];
}
constexpr size_t kClickSettingCount = 12;

void SetInterval(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds,
                 const wchar_t* milliseconds) {
    SetControlText(IDC_HOURS, hours);
    SetControlText(IDC_MINS, minutes);
    SetControlText(IDC_SECS, seconds);
    SetControlText(IDC_MILLISECS, milliseconds);
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

std::vector<DWORD> MouseEventFlags() {
    std::vector<DWORD> flags;
    for (const MouseEventCall& call : FakeMouseEvents()) {
        EXPECT_EQ(call.dx, 0u);
        EXPECT_EQ(call.dy, 0u);
        EXPECT_EQ(call.data, 0u);
        EXPECT_EQ(call.extraInfo, 0u);
        flags.push_back(call.flags);
    }
    return flags;
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

TEST_F(ClickerTest, StartLocksEverySettingAndStopUnlocksAllButTheDependentFields) {
    SetInterval(L"0", L"0", L"10", L"0"); // long enough that no tick comes during the test
    SendCommand(IDC_START);

    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(appState.clickInterval, 10000u);
    EXPECT_EQ(appState.clickRepeatCount, -1);
    EXPECT_EQ(ControlText(IDC_START), L"Stop (F6)");
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Running | Clicks: 0");
    for (size_t i = 0; i < kClickSettingCount; ++i) {
        EXPECT_FALSE(IsWindowEnabled(ClickSettings(i))) << "setting " << i;
    }
    EXPECT_TRUE(IsWindowEnabled(appState.recordButton));
    EXPECT_TRUE(IsWindowEnabled(appState.playbackButton));
    PumpMessages(50);
    EXPECT_TRUE(FakeMouseEvents().empty()) << "the first click waits one whole interval";

    SendCommand(IDC_START);

    EXPECT_FALSE(appState.isClicking);
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: 0");
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_TRUE(IsWindowEnabled(ClickSettings(i))) << "setting " << i;
    }
    EXPECT_FALSE(IsWindowEnabled(appState.cursorXEdit)) << "position box is unchecked";
    EXPECT_FALSE(IsWindowEnabled(appState.cursorYEdit));
    EXPECT_TRUE(IsWindowEnabled(appState.repeatRadio));
    EXPECT_TRUE(IsWindowEnabled(appState.repeatUntilStoppedRadio));
    EXPECT_FALSE(IsWindowEnabled(appState.repeatTimesEdit)) << "\"Repeat\" is not chosen";
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ClickerTest, StopReenablesPositionAndCountFieldsWhenTheirBoxesAreChecked) {
    SetInterval(L"0", L"0", L"10", L"0");
    ChooseFixedPosition(L"5", L"6");
    ChooseRepeatTimes(L"4");
    StartClicking();
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Running | Clicks: 0 / 4");
    for (size_t i = 0; i < kClickSettingCount; ++i) {
        EXPECT_FALSE(IsWindowEnabled(ClickSettings(i))) << "setting " << i;
    }

    StopClicking();

    for (size_t i = 0; i < kClickSettingCount; ++i) {
        EXPECT_TRUE(IsWindowEnabled(ClickSettings(i))) << "setting " << i;
    }
}

TEST_F(ClickerTest, SecondStartAndIdleStopChangeNothing) {
    SetInterval(L"0", L"0", L"10", L"0");
    StartClicking();
    SetInterval(L"0", L"0", L"0", L"0"); // would be refused if it were read again
    appState.clickCount = 4;
    StartClicking();
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(appState.clickInterval, 10000u);
    EXPECT_EQ(appState.clickCount, 4);
    EXPECT_TRUE(FakeMessageBoxes().empty());

    StopClicking();
    SetControlText(IDC_STATUS, L"untouched");
    SetControlText(IDC_START, L"untouched");
    StopClicking();
    EXPECT_FALSE(appState.isClicking);
    EXPECT_EQ(ControlText(IDC_STATUS), L"untouched");
    EXPECT_EQ(ControlText(IDC_START), L"untouched");
}

struct RefusalCase {
    const wchar_t* hours;
    const wchar_t* minutes;
    const wchar_t* seconds;
    const wchar_t* milliseconds;
    const wchar_t* repeatCount; // nullptr: "Repeat until stopped"
    const wchar_t* title;
    const wchar_t* text;
    bool countReset;
};

TEST_F(ClickerTest, RefusalsWarnAndLeaveTheClickerIdle) {
    const wchar_t* tooShort = L"Click interval must be at least 1 millisecond.";
    const wchar_t* tooLong = L"Click interval must be at most 2147483647 milliseconds (about 24 days).";
    const wchar_t* badCount = L"Number of clicks must be at least 1.";
    const RefusalCase cases[] = {
        {L"0", L"0", L"0", L"0", nullptr, L"Invalid Interval", tooShort, false},
        {L"", L"", L"", L"", nullptr, L"Invalid Interval", tooShort, false},
        {L"0", L"0", L"0", L"-5", nullptr, L"Invalid Interval", tooShort, false},
        {L"1194", L"0", L"0", L"0", nullptr, L"Invalid Interval", tooLong, false},
        {L"1193", L"2", L"47", L"296", nullptr, L"Invalid Interval", tooLong, false}, // 2^32 ms
        {L"0", L"0", L"2147483", L"648", L"3", L"Invalid Interval", tooLong, false},
        {L"0", L"0", L"0", L"100", L"0", L"Invalid Count", badCount, true},
        {L"0", L"0", L"0", L"100", L"", L"Invalid Count", badCount, true},
        {L"0", L"0", L"0", L"100", L"-2", L"Invalid Count", badCount, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RefusalCase& c = cases[i];
        ResetFakeSys();
        SetInterval(c.hours, c.minutes, c.seconds, c.milliseconds);
        if (c.repeatCount != nullptr) {
            ChooseRepeatTimes(c.repeatCount);
        }
        appState.clickCount = 7;
        UpdateClickStatus();

        SendCommand(IDC_START);

        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << "row " << i;
        EXPECT_EQ(boxes[0].owner, appState.mainWindow) << "row " << i;
        EXPECT_EQ(boxes[0].title, c.title) << "row " << i;
        EXPECT_EQ(boxes[0].text, c.text) << "row " << i;
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONWARNING)) << "row " << i;
        EXPECT_FALSE(appState.isClicking) << "row " << i;
        EXPECT_EQ(appState.clickCount, c.countReset ? 0 : 7) << "row " << i;
        // Even when the count was reset, the status line keeps the old number.
        EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: 7") << "row " << i;
        EXPECT_EQ(ControlText(IDC_START), L"Start (F6)") << "row " << i;
        EXPECT_TRUE(IsWindowEnabled(appState.hoursEdit)) << "row " << i;
        EXPECT_TRUE(IsWindowEnabled(appState.mouseButtonCombo)) << "row " << i;
        EXPECT_EQ(IsWindowEnabled(appState.repeatTimesEdit) != FALSE, c.repeatCount != nullptr)
            << "row " << i;
        if (!c.countReset) {
            EXPECT_EQ(appState.clickInterval, 100u) << "row " << i << ": refused periods are not kept";
        }
    }
    PumpMessages(30);
    EXPECT_TRUE(FakeMouseEvents().empty()) << "no timer was started";
}

TEST_F(ClickerTest, LongestTimerPeriodIsAccepted) {
    SetInterval(L"0", L"0", L"2147483", L"647");
    StartClicking();
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(appState.clickInterval, 2147483647u);
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ClickerTest, RepeatThreeClicksThreeTimesThenStopsWithThreeStatusLines) {
    SetInterval(L"0", L"0", L"0", L"1");
    ChooseRepeatTimes(L"3");
    RecordStatusTexts();

    SendCommand(IDC_START);
    ASSERT_TRUE(PumpUntil([] { return !appState.isClicking; }, 5000));
    PumpMessages(60); // no stray tick after the stop

    EXPECT_EQ(MouseEventFlags(),
              (std::vector<DWORD>{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                                  MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
    EXPECT_EQ(statusTexts, (std::vector<std::wstring>{
                               L"Status: Running | Clicks: 0 / 3", L"Status: Running | Clicks: 1 / 3",
                               L"Status: Running | Clicks: 2 / 3", L"Status: Running | Clicks: 3 / 3",
                               L"Status: Stopped | Clicks: 3"}));
    EXPECT_EQ(appState.clickCount, 3);
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_TRUE(FakeCursorMoves().empty()) << "without a fixed position the cursor stays put";
    EXPECT_TRUE(FakeSleeps().empty());
}

TEST_F(ClickerTest, DoubleClickSendsTwoPairsFiftyMillisecondsApartAndCountsOnce) {
    SetInterval(L"0", L"0", L"0", L"1");
    ChooseRepeatTimes(L"2");
    SendMessageW(appState.clickTypeCombo, CB_SETCURSEL, 1, 0);

    StartClicking();
    ASSERT_TRUE(PumpUntil([] { return !appState.isClicking; }, 5000));

    std::vector<DWORD> pair{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    std::vector<DWORD> expected;
    for (int i = 0; i < 4; ++i) {
        expected.insert(expected.end(), pair.begin(), pair.end());
    }
    EXPECT_EQ(MouseEventFlags(), expected);
    EXPECT_EQ(FakeSleeps(), (std::vector<DWORD>{50, 50}));
    EXPECT_EQ(FakeSleepMarks(), (std::vector<size_t>{2, 6})) << "the pause lies between the two pairs";
    EXPECT_EQ(appState.clickCount, 2);
}

TEST_F(ClickerTest, ButtonSelectionPicksTheFlagsAndFallsBackToLeft) {
    struct Row {
        WPARAM selection;
        DWORD press, release;
    };
    const Row rows[] = {
        {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
        {1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
        {2, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
        {static_cast<WPARAM>(-1), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}, // no selection
    };
    appState.clickRepeatCount = -1;
    for (const Row& row : rows) {
        ResetFakeSys();
        SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, row.selection, 0);
        PerformClick();
        EXPECT_EQ(MouseEventFlags(), (std::vector<DWORD>{row.press, row.release}))
            << "selection " << static_cast<int>(row.selection);
    }
    EXPECT_EQ(appState.clickCount, 4);
}

TEST_F(ClickerTest, FixedPositionMovesTheCursorAndWaitsBeforeEachClick) {
    struct Row {
        const wchar_t* x;
        const wchar_t* y;
        POINT expected;
    };
    const Row rows[] = {{L"100", L"200", {100, 200}}, {L"", L"", {0, 0}}, {L"-1280", L"300", {-1280, 300}}};
    appState.clickRepeatCount = -1;
    for (const Row& row : rows) {
        ResetFakeSys();
        ChooseFixedPosition(row.x, row.y);
        PerformClick();
        std::vector<InjectedAction> actions = FakeInjected();
        ASSERT_EQ(actions.size(), 3u);
        EXPECT_EQ(actions[0].kind, InjectedAction::CursorMove);
        EXPECT_EQ(actions[0].cursor.x, row.expected.x);
        EXPECT_EQ(actions[0].cursor.y, row.expected.y);
        EXPECT_EQ(actions[1].kind, InjectedAction::MouseEvent);
        EXPECT_EQ(actions[1].mouseEvent.flags, static_cast<DWORD>(MOUSEEVENTF_LEFTDOWN));
        EXPECT_EQ(actions[2].mouseEvent.flags, static_cast<DWORD>(MOUSEEVENTF_LEFTUP));
        EXPECT_EQ(FakeSleeps(), (std::vector<DWORD>{10}));
        EXPECT_EQ(FakeSleepMarks(), (std::vector<size_t>{1})) << "the pause comes after the move";
    }
}

TEST_F(ClickerTest, OneMillisecondIntervalRunsTheRealTimer) {
    SetInterval(L"0", L"0", L"0", L"1");
    StartClicking();
    EXPECT_EQ(appState.clickInterval, 1u);
    EXPECT_TRUE(PumpUntil([] { return appState.clickCount >= 3; }, 3000));
    StopClicking();
    int32_t clicks = appState.clickCount;
    EXPECT_EQ(FakeMouseEvents().size(), 2u * static_cast<size_t>(clicks));
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: " + std::to_wstring(clicks));
    PumpMessages(40);
    EXPECT_EQ(appState.clickCount, clicks) << "the timer is gone after the stop";
}

TEST_F(ClickerTest, StartStopHotkeyTogglesEvenWhileRecordingOrPlaying) {
    SetInterval(L"0", L"0", L"10", L"0");
    appState.currentHotkey = VK_F7;
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(ControlText(IDC_START), L"Stop (F7)");
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    EXPECT_FALSE(appState.isClicking);
    EXPECT_EQ(ControlText(IDC_START), L"Start (F7)");

    appState.isRecording = true;
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    EXPECT_TRUE(appState.isClicking);
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    appState.isRecording = false;

    appState.isPlaying = true;
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    EXPECT_TRUE(appState.isClicking);
    appState.isPlaying = false;
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

    // The rebuilt controls keep what they held, locks and caption included.
    EXPECT_EQ(ControlText(IDC_START), L"Stop (F6)");
    EXPECT_FALSE(IsWindowEnabled(appState.hoursEdit));
    PerformClick();
    std::vector<POINT> moves = FakeCursorMoves();
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].x, 100);
    EXPECT_EQ(moves[0].y, 200);
    EXPECT_EQ(MouseEventFlags(), (std::vector<DWORD>{MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}));
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Running | Clicks: 1");

    StopClicking();
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_TRUE(IsWindowEnabled(appState.hoursEdit));
}

TEST_F(ClickerTest, ClosingTheWindowStopsTheClicker) {
    SetInterval(L"0", L"0", L"0", L"1");
    StartClicking();
    DestroyTestMainWindow();
    EXPECT_FALSE(appState.isClicking);
    size_t events = FakeMouseEvents().size();
    PumpMessages(30);
    EXPECT_EQ(FakeMouseEvents().size(), events);
}

} // namespace

// Playback in the real window with the input seam faked: what the worker injects and in which
// order, the releases at the end, the stop hook, refusals, and stops at awkward moments.
#include <gtest/gtest.h>

#include <chrono>

#include "MacroTestSupport.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Playback.h"
#include "res/resource.h"

namespace {

using Clock = std::chrono::steady_clock;

std::wstring KeyText(uint32_t vk, bool up, bool extended) {
    wchar_t text[64];
    std::swprintf(text, 64, L"key vk=0 scan=%X flags=%X", ScanOf(vk),
                  0x8u | (up ? 0x2u : 0u) | (extended ? 1u : 0u));
    return text;
}

std::wstring ReleaseText(uint32_t vk, bool extended) {
    wchar_t text[64];
    std::swprintf(text, 64, L"key vk=%X scan=%X flags=%X", vk, ScanOf(vk), 0x2u | (extended ? 1u : 0u));
    return text;
}

std::wstring MouseText(DWORD flags, DWORD data = 0) {
    wchar_t text[64];
    std::swprintf(text, 64, L"mouse flags=%lX data=%lX dx=0 dy=0", flags, data);
    return text;
}

class PlaybackTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordStartCursor = POINT{5, 6};
    }
    void TearDown() override {
        appState.isClicking = false;
        appState.isRecording = false;
        DestroyTestMainWindow();
        EXPECT_FALSE(IsPlaybackWorkerAlive());
    }

    // Starts playback of a recording that presses A at once and releases it after a long gap.
    void StartLongPlayback() {
        appState.recordedEvents = {Key(KeyDown, 'A', 0), Mouse(LeftDown, 0), Key(KeyUp, 'A', 10000)};
        SendCommand(IDC_PLAYBACK);
        ASSERT_TRUE(appState.isPlaying);
        ASSERT_TRUE(PumpUntil([] { return FakeSentInputs().size() >= 2; }, 3000));
    }
};

TEST_F(PlaybackTest, EveryEventTypeIsInjectedInOrderWithItsFlagsAndScanCode) {
    appState.recordedEvents = {
        Mouse(MouseMove, 0, 10, 20),
        Mouse(LeftDown, 1, 99, 99),
        Mouse(LeftUp, 2),
        Mouse(RightDown, 3),
        Mouse(RightUp, 4),
        Mouse(MiddleDown, 5),
        Mouse(MiddleUp, 6),
        Mouse(MouseWheel, 7, 0, 0, -120),
        Key(KeyDown, 'A', 8),
        Key(KeyUp, 'A', 9),
        Key(KeyDown, VK_RIGHT, 10),
        Key(KeyUp, VK_RIGHT, 11),
        Key(KeyDown, VK_RCONTROL, 12),
        Key(KeyUp, VK_RCONTROL, 13),
        Key(KeyDown, VK_LCONTROL, 14),
        Key(KeyUp, VK_LCONTROL, 15),
        {static_cast<InputEventType>(12), 16, 1, 2, 3, 4},
        Mouse(MouseMove, 17, -5, 7000),
    };
    ASSERT_TRUE(PlayAndWaitUntilDone(5000));

    std::vector<std::wstring> expected = {
        L"cursor 5,6",
        L"cursor 10,20",
        MouseText(MOUSEEVENTF_LEFTDOWN),
        MouseText(MOUSEEVENTF_LEFTUP),
        MouseText(MOUSEEVENTF_RIGHTDOWN),
        MouseText(MOUSEEVENTF_RIGHTUP),
        MouseText(MOUSEEVENTF_MIDDLEDOWN),
        MouseText(MOUSEEVENTF_MIDDLEUP),
        MouseText(MOUSEEVENTF_WHEEL, 0xFFFFFF88),
        KeyText('A', false, false),
        KeyText('A', true, false),
        KeyText(VK_RIGHT, false, true),
        KeyText(VK_RIGHT, true, true),
        KeyText(VK_RCONTROL, false, true),
        KeyText(VK_RCONTROL, true, true),
        KeyText(VK_LCONTROL, false, false),
        KeyText(VK_LCONTROL, true, false),
        L"cursor -5,7000",
    };
    EXPECT_EQ(DescribeInjected(), expected);
    EXPECT_NE(ScanOf('A'), 0);
    EXPECT_EQ(appState.playbackRunsDone.load(), 1);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_START)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_RECORD)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK_REPEAT_TIMES)));
    EXPECT_EQ(appState.playbackKeyboardHook, nullptr);
}

TEST_F(PlaybackTest, WhatTheRecordingLeavesHeldIsReleasedAfterTheLastPass) {
    appState.recordedEvents = {Key(KeyDown, 'A', 0), Key(KeyDown, VK_DELETE, 1), Mouse(RightDown, 2),
                               Key(KeyDown, 300, 3), Mouse(LeftDown, 4)};
    ASSERT_TRUE(PlayAndWaitUntilDone(5000));
    std::vector<std::wstring> got = DescribeInjected();
    ASSERT_EQ(got.size(), 10u);
    // Keys in code order, then left, right, middle; the out-of-range key is not tracked.
    EXPECT_EQ(got[6], ReleaseText(VK_DELETE, true));
    EXPECT_EQ(got[7], ReleaseText('A', false));
    EXPECT_EQ(got[8], MouseText(MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(got[9], MouseText(MOUSEEVENTF_RIGHTUP));
    for (const std::atomic<bool>& held : appState.playbackKeyHeld) {
        EXPECT_FALSE(held.load());
    }
}

TEST_F(PlaybackTest, RepeatCountRunsThatManyPassesFromTheStartPoint) {
    appState.recordedEvents = {Mouse(MouseMove, 0, 1, 1), Key(KeyDown, 'B', 1), Key(KeyUp, 'B', 2)};
    SetControlText(IDC_PLAYBACK_REPEAT_TIMES, L"3");
    ASSERT_TRUE(PlayAndWaitUntilDone(5000));
    EXPECT_EQ(appState.playbackRepeatCount.load(), 3);
    EXPECT_EQ(appState.playbackRunsDone.load(), 3);
    std::vector<std::wstring> got = DescribeInjected();
    ASSERT_EQ(got.size(), 12u);
    for (size_t pass = 0; pass < 3; ++pass) {
        EXPECT_EQ(got[pass * 4], L"cursor 5,6");
        EXPECT_EQ(got[pass * 4 + 1], L"cursor 1,1");
    }
}

TEST_F(PlaybackTest, UntilStoppedRepeatsUntilTheButtonStopsIt) {
    appState.recordedEvents = {Key(KeyDown, 'B', 0), Key(KeyUp, 'B', 1)};
    SendMessageW(Control(IDC_PLAYBACK_REPEAT), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Control(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED), BM_SETCHECK, BST_CHECKED, 0);
    SendCommand(IDC_PLAYBACK);
    EXPECT_EQ(appState.playbackRepeatCount.load(), -1);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Stop Play (F9)");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED)));
    ASSERT_TRUE(PumpUntil([] { return appState.playbackRunsDone.load() >= 3; }, 5000));
    EXPECT_TRUE(appState.isPlaying);
    SendCommand(IDC_PLAYBACK);
    EXPECT_FALSE(appState.isPlaying);
    EXPECT_FALSE(IsPlaybackWorkerAlive());
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLAYBACK_REPEAT_TIMES))) << "the count field follows its radio";
    EXPECT_EQ(HeldAtEndOfLog(FakeInjected()), std::vector<std::wstring>{});
}

TEST_F(PlaybackTest, StartIsRefusedWithTheRightBoxAndNothingChanges) {
    struct Case {
        bool clicking;
        bool recording;
        bool empty;
        const wchar_t* count;
        const wchar_t* text;
        const wchar_t* title;
        UINT type;
    };
    const Case cases[] = {
        {true, true, false, L"1", L"Please stop the auto-clicker before playback.", L"Playback",
         MB_ICONINFORMATION},
        {false, true, false, L"1", L"Please stop recording before playback.", L"Playback",
         MB_ICONINFORMATION},
        {false, false, true, L"1", L"No recording available. Please record first.", L"Playback",
         MB_ICONINFORMATION},
        {false, false, false, L"0", L"Number of repeats must be at least 1.", L"Invalid Count",
         MB_ICONWARNING},
        {false, false, false, L"", L"Number of repeats must be at least 1.", L"Invalid Count",
         MB_ICONWARNING},
        {false, false, false, L"-2", L"Number of repeats must be at least 1.", L"Invalid Count",
         MB_ICONWARNING},
        {false, false, false, L"x5", L"Number of repeats must be at least 1.", L"Invalid Count",
         MB_ICONWARNING},
    };
    int row = 0;
    for (const Case& c : cases) {
        ResetFakeSys();
        appState.isClicking = c.clicking;
        appState.isRecording = c.recording;
        appState.recordedEvents.assign(c.empty ? 0 : 1, Key(KeyDown, 'A', 0));
        SetControlText(IDC_PLAYBACK_REPEAT_TIMES, c.count);
        SendCommand(IDC_PLAYBACK);
        EXPECT_FALSE(appState.isPlaying) << "row " << row;
        EXPECT_FALSE(IsPlaybackWorkerAlive()) << "row " << row;
        EXPECT_EQ(appState.playbackKeyboardHook, nullptr) << "row " << row;
        EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)") << "row " << row;
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << "row " << row;
        EXPECT_EQ(boxes[0].text, c.text) << "row " << row;
        EXPECT_EQ(boxes[0].title, c.title) << "row " << row;
        EXPECT_EQ(boxes[0].type, c.type) << "row " << row;
        ++row;
    }
    appState.isClicking = false;
    appState.isRecording = false;
    PumpMessages(150);
    EXPECT_TRUE(FakeInjected().empty());
}

TEST_F(PlaybackTest, StopHookSwallowsThePlaybackKeyPressAndPassesItsRelease) {
    StartLongPlayback();
    EXPECT_NE(appState.playbackKeyboardHook, nullptr);
    EXPECT_NE(FeedPlaybackHook(WM_KEYDOWN, 'A'), 1);
    EXPECT_NE(FeedPlaybackHook(WM_KEYUP, VK_F9), 1);
    EXPECT_TRUE(appState.isPlaying);
    EXPECT_EQ(FeedPlaybackHook(WM_SYSKEYDOWN, VK_F9), 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, appState.mainWindow, WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(HOTKEY_PLAYBACK));
    EXPECT_EQ(msg.lParam, 0);
    ASSERT_TRUE(PumpUntil([] { return !appState.isPlaying; }, 1000));
    EXPECT_EQ(appState.playbackKeyboardHook, nullptr);
    EXPECT_EQ(HeldAtEndOfLog(FakeInjected()), std::vector<std::wstring>{});
    EXPECT_NE(FeedPlaybackHook(WM_KEYDOWN, VK_F9), 1) << "after the stop the key passes";
}

TEST_F(PlaybackTest, StopDuringALongGapEndsTheWorkerAtOnceAndReleasesAfterItsLastInput) {
    StartLongPlayback();
    auto before = Clock::now();
    SendCommand(IDC_PLAYBACK);
    auto stopMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - before).count();
    EXPECT_FALSE(appState.isPlaying);
    EXPECT_FALSE(IsPlaybackWorkerAlive());
    EXPECT_LT(stopMs, 250) << "the 10 s gap must not delay the stop";
    std::vector<std::wstring> expected = {L"cursor 5,6", KeyText('A', false, false),
                                          MouseText(MOUSEEVENTF_LEFTDOWN), ReleaseText('A', false),
                                          MouseText(MOUSEEVENTF_LEFTUP)};
    EXPECT_EQ(DescribeInjected(), expected);
}

TEST_F(PlaybackTest, StartStopStartLeavesOnlyOneWorkerInjecting) {
    appState.recordedEvents = {Key(KeyDown, 'A', 0), Key(KeyUp, 'A', 250)};
    SendMessageW(Control(IDC_PLAYBACK_REPEAT), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Control(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED), BM_SETCHECK, BST_CHECKED, 0);
    SendCommand(IDC_PLAYBACK);
    ASSERT_TRUE(PumpUntil([] { return FakeSentInputs().size() >= 1; }, 3000));
    SendCommand(IDC_PLAYBACK);
    EXPECT_FALSE(IsPlaybackWorkerAlive());
    SendCommand(IDC_PLAYBACK);
    ASSERT_TRUE(appState.isPlaying);
    PumpMessages(700);
    SendCommand(IDC_PLAYBACK);
    // One worker alternates press and release; two side by side would press twice in a row.
    std::vector<std::wstring> got = DescribeInjected();
    std::wstring press = KeyText('A', false, false);
    for (size_t i = 1; i < got.size(); ++i) {
        if (got[i] == press) {
            EXPECT_NE(got[i - 1], press) << "two presses in a row at " << i;
        }
    }
    EXPECT_EQ(HeldAtEndOfLog(FakeInjected()), std::vector<std::wstring>{});
}

TEST_F(PlaybackTest, DoneMessageAfterAStopDoesNothing) {
    appState.recordedEvents = {Key(KeyDown, 'A', 0)};
    SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0);
    EXPECT_FALSE(appState.isPlaying);
    EXPECT_TRUE(FakeInjected().empty());
}

TEST_F(PlaybackTest, PlaybackHotkeyStartsAndStops) {
    appState.recordedEvents = {Key(KeyDown, 'A', 0), Key(KeyUp, 'A', 10000)};
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, 0);
    EXPECT_TRUE(appState.isPlaying);
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, 0);
    EXPECT_FALSE(appState.isPlaying);
    EXPECT_FALSE(IsPlaybackWorkerAlive());
}

TEST(PlaybackShutdownTest, DestroyingTheWindowDuringPlaybackEndsTheWorkerAndReleasesEverything) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordedEvents = {Key(KeyDown, VK_SHIFT, 0), Mouse(MiddleDown, 0),
                                   Key(KeyUp, VK_SHIFT, 10000)};
        SendCommand(IDC_PLAYBACK);
        // Round 0 destroys during the lead-in, the others during the long gap.
        if (round > 0) {
            ASSERT_TRUE(PumpUntil([] { return FakeSentInputs().size() >= 2; }, 3000));
        }
        auto before = Clock::now();
        DestroyTestMainWindow();
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - before).count();
        EXPECT_LT(ms, 1000) << "round " << round;
        EXPECT_FALSE(IsPlaybackWorkerAlive()) << "round " << round;
        EXPECT_EQ(HeldAtEndOfLog(FakeInjected()), std::vector<std::wstring>{}) << "round " << round;
    }
}

} // namespace

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

// Played keys carry only the scan code (flag 8); releases at the end also name the virtual key.
std::wstring KeyText(uint32_t vk, DWORD flags) {
    wchar_t text[64];
    std::swprintf(text, 64, L"key vk=%X scan=%X flags=%lX", (flags & KEYEVENTF_SCANCODE) ? 0 : vk, ScanOf(vk),
                  flags);
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

    void ChooseUntilStopped() {
        SendMessageW(Control(IDC_PLAYBACK_REPEAT), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageW(Control(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED), BM_SETCHECK, BST_CHECKED, 0);
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
    const DWORD sc = KEYEVENTF_SCANCODE, up = KEYEVENTF_KEYUP, ext = KEYEVENTF_EXTENDEDKEY;
    struct Row {
        InputEvent event;
        std::wstring injected; // empty: nothing
    };
    const Row rows[] = {
        {Mouse(MouseMove, 0, 10, 20), L"cursor 10,20"},
        {Mouse(LeftDown, 1, 99, 99), MouseText(MOUSEEVENTF_LEFTDOWN)},
        {Mouse(LeftUp, 2), MouseText(MOUSEEVENTF_LEFTUP)},
        {Mouse(RightDown, 3), MouseText(MOUSEEVENTF_RIGHTDOWN)},
        {Mouse(RightUp, 4), MouseText(MOUSEEVENTF_RIGHTUP)},
        {Mouse(MiddleDown, 5), MouseText(MOUSEEVENTF_MIDDLEDOWN)},
        {Mouse(MiddleUp, 6), MouseText(MOUSEEVENTF_MIDDLEUP)},
        {Mouse(MouseWheel, 7, 0, 0, -120), MouseText(MOUSEEVENTF_WHEEL, 0xFFFFFF88)},
        {Key(KeyDown, 'A', 8), KeyText('A', sc)},
        {Key(KeyUp, 'A', 9), KeyText('A', sc | up)},
        {Key(KeyDown, VK_RIGHT, 10), KeyText(VK_RIGHT, sc | ext)},
        {Key(KeyUp, VK_RIGHT, 11), KeyText(VK_RIGHT, sc | up | ext)},
        {Key(KeyDown, VK_RCONTROL, 12), KeyText(VK_RCONTROL, sc | ext)},
        {Key(KeyUp, VK_RCONTROL, 13), KeyText(VK_RCONTROL, sc | up | ext)},
        {Key(KeyDown, VK_LCONTROL, 14), KeyText(VK_LCONTROL, sc)},
        {Key(KeyUp, VK_LCONTROL, 15), KeyText(VK_LCONTROL, sc | up)},
        {{static_cast<InputEventType>(12), 16, 1, 2, 3, 4}, L""},
        {Mouse(MouseMove, 17, -5, 7000), L"cursor -5,7000"},
    };
    std::vector<std::wstring> expected = {L"cursor 5,6"}; // the start point first
    for (const Row& row : rows) {
        appState.recordedEvents.push_back(row.event);
        if (!row.injected.empty()) {
            expected.push_back(row.injected);
        }
    }
    ASSERT_TRUE(PlayAndWaitUntilDone(5000));
    EXPECT_EQ(DescribeInjected(), expected);
    EXPECT_NE(ScanOf('A'), 0);
    EXPECT_EQ(appState.playbackRunsDone.load(), 1);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_START)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_RECORD)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK_REPEAT_TIMES)));
    EXPECT_EQ(appState.playbackKeyboardHook, nullptr);
}

TEST_F(PlaybackTest, RepeatCountRunsThatManyPassesAndWhatIsLeftHeldIsReleasedAfterTheLast) {
    appState.recordedEvents = {Key(KeyDown, 'A', 0), Key(KeyDown, VK_DELETE, 1), Mouse(RightDown, 2),
                               Key(KeyDown, 300, 3), Mouse(LeftDown, 4)};
    SetControlText(IDC_PLAYBACK_REPEAT_TIMES, L"2");
    ASSERT_TRUE(PlayAndWaitUntilDone(5000));
    EXPECT_EQ(appState.playbackRepeatCount.load(), 2);
    EXPECT_EQ(appState.playbackRunsDone.load(), 2);
    std::vector<std::wstring> got = DescribeInjected();
    ASSERT_EQ(got.size(), 16u);
    EXPECT_EQ(got[0], L"cursor 5,6");
    EXPECT_EQ(got[6], L"cursor 5,6") << "each pass from the start point, no release in between";
    // Keys in code order, then left, right, middle; the out-of-range key is not tracked.
    EXPECT_EQ(got[12], KeyText(VK_DELETE, KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY));
    EXPECT_EQ(got[13], KeyText('A', KEYEVENTF_KEYUP));
    EXPECT_EQ(got[14], MouseText(MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(got[15], MouseText(MOUSEEVENTF_RIGHTUP));
    for (const std::atomic<bool>& held : appState.playbackKeyHeld) {
        EXPECT_FALSE(held.load());
    }
}

TEST_F(PlaybackTest, UntilStoppedRepeatsUntilTheButtonStopsIt) {
    appState.recordedEvents = {Key(KeyDown, 'B', 0), Key(KeyUp, 'B', 1)};
    ChooseUntilStopped();
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
    const wchar_t* badCount = L"Number of repeats must be at least 1.";
    const Case cases[] = {
        {true, true, false, L"1", L"Please stop the auto-clicker before playback.", L"Playback",
         MB_ICONINFORMATION},
        {false, true, false, L"1", L"Please stop recording before playback.", L"Playback",
         MB_ICONINFORMATION},
        {false, false, true, L"1", L"No recording available. Please record first.", L"Playback",
         MB_ICONINFORMATION},
        {false, false, false, L"0", badCount, L"Invalid Count", MB_ICONWARNING},
        {false, false, false, L"", badCount, L"Invalid Count", MB_ICONWARNING},
        {false, false, false, L"-2", badCount, L"Invalid Count", MB_ICONWARNING},
        {false, false, false, L"x5", badCount, L"Invalid Count", MB_ICONWARNING},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "clicking " << c.clicking << " recording " << c.recording
                                        << " empty " << c.empty << " count \"" << c.count << "\"");
        ResetFakeSys();
        appState.isClicking = c.clicking;
        appState.isRecording = c.recording;
        appState.recordedEvents.assign(c.empty ? 0 : 1, Key(KeyDown, 'A', 0));
        SetControlText(IDC_PLAYBACK_REPEAT_TIMES, c.count);
        SendCommand(IDC_PLAYBACK);
        EXPECT_FALSE(appState.isPlaying || IsPlaybackWorkerAlive());
        EXPECT_EQ(appState.playbackKeyboardHook, nullptr);
        EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)");
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].title, c.title);
        EXPECT_EQ(boxes[0].type, c.type);
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
    std::vector<std::wstring> expected = {L"cursor 5,6", KeyText('A', KEYEVENTF_SCANCODE),
                                          MouseText(MOUSEEVENTF_LEFTDOWN), KeyText('A', KEYEVENTF_KEYUP),
                                          MouseText(MOUSEEVENTF_LEFTUP)};
    EXPECT_EQ(DescribeInjected(), expected);
}

TEST_F(PlaybackTest, StartStopStartLeavesOnlyOneWorkerInjecting) {
    appState.recordedEvents = {Key(KeyDown, 'A', 0), Key(KeyUp, 'A', 250)};
    ChooseUntilStopped();
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
    std::wstring press = KeyText('A', KEYEVENTF_SCANCODE);
    for (size_t i = 1; i < got.size(); ++i) {
        if (got[i] == press) {
            EXPECT_NE(got[i - 1], press) << "two presses in a row at " << i;
        }
    }
    EXPECT_EQ(HeldAtEndOfLog(FakeInjected()), std::vector<std::wstring>{});
}

TEST(PlaybackShutdownTest, DestroyingTheWindowDuringPlaybackEndsTheWorkerAndReleasesEverything) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
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
        EXPECT_LT(ms, 1000);
        EXPECT_FALSE(IsPlaybackWorkerAlive());
        EXPECT_EQ(HeldAtEndOfLog(FakeInjected()), std::vector<std::wstring>{});
    }
}

} // namespace

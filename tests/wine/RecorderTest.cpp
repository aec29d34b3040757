// The recorder in the real window: start and stop, the hook procedures fed with synthetic hook
// structs, the held-key scan, refusals and the status line.
#include <gtest/gtest.h>

#include "MacroTestSupport.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Recorder.h"
#include "res/resource.h"

namespace {

class RecorderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override {
        appState.isClicking = false;
        appState.isPlaying = false;
        DestroyTestMainWindow();
    }

    void StartWithCursorAt(POINT cursor) {
        SetFakeCursorPos(cursor);
        SendCommand(IDC_RECORD);
        ASSERT_TRUE(appState.isRecording);
    }
};

TEST_F(RecorderTest, StartClearsTheRecordingAndSetsCaptionButtonsAndStatus) {
    appState.recordedEvents.assign(3, Key(KeyDown, 0x41, 0));
    StartWithCursorAt(POINT{300, 400});
    EXPECT_TRUE(appState.recordedEvents.empty());
    EXPECT_GE(appState.recordedEvents.capacity(), 10000u);
    EXPECT_EQ(appState.recordStartCursor.x, 300);
    EXPECT_EQ(appState.recordStartCursor.y, 400);
    EXPECT_TRUE(appState.mouseHook != nullptr && appState.keyboardHook != nullptr);
    EXPECT_EQ(ControlText(IDC_RECORD), L"Stop Rec (F8)");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_START)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLAYBACK)));
    EXPECT_EQ(ControlText(IDC_STATUS), L"Recording... Events: 0");

    SendCommand(IDC_RECORD);
    EXPECT_FALSE(appState.isRecording);
    EXPECT_TRUE(appState.mouseHook == nullptr && appState.keyboardHook == nullptr);
    EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F8)");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_START)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLAYBACK))) << "nothing was recorded";
    EXPECT_EQ(ControlText(IDC_STATUS), L"Status: Stopped | Clicks: 0");
}

TEST_F(RecorderTest, HookMessagesBecomeTheSpecifiedEvents) {
    StartWithCursorAt(POINT{100, 100});
    SetRecordingElapsed(0);
    // Only the distance may decide the first two moves, however slow this machine is right now.
    appState.lastMouseMoveTime = 60000;
    FeedMouseHook(WM_MOUSEMOVE, 103, 100); // 3 px right: dropped
    FeedMouseHook(WM_MOUSEMOVE, 110, 100); // 10 px: kept
    FeedMouseHook(WM_LBUTTONDOWN, 110, 100);
    FeedMouseHook(WM_LBUTTONUP, 110, 100);
    FeedMouseHook(WM_MOUSEWHEEL, 111, 101, 0xFF880000);  // one notch toward the user
    FeedMouseHook(WM_MOUSEHWHEEL, 111, 101, 0x00780000); // not recorded
    FeedKeyboardHook(WM_KEYDOWN, 'A');
    FeedKeyboardHook(WM_KEYDOWN, 'A'); // auto-repeat
    FeedKeyboardHook(WM_KEYUP, 'A');
    FeedKeyboardHook(WM_KEYDOWN, VK_F8); // the record hotkey
    FeedKeyboardHook(WM_KEYUP, VK_F8);
    FeedKeyboardHook(WM_KEYDOWN, VK_F9); // the other hotkeys are recorded
    FeedKeyboardHook(WM_SYSKEYDOWN, VK_MENU);
    FeedKeyboardHook(WM_SYSKEYUP, VK_MENU);
    SetRecordingElapsed(5000);
    FeedMouseHook(WM_MOUSEMOVE, 111, 100); // 1 px, but long after the last kept move
    FeedMouseHook(WM_RBUTTONDOWN, 1, 2);
    // Nothing is recorded for negative hook codes.
    MSLLHOOKSTRUCT mouse{};
    MouseHookProc(-1, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse));
    KBDLLHOOKSTRUCT key{};
    key.vkCode = 'B';
    KeyboardHookProc(-1, WM_KEYDOWN, reinterpret_cast<LPARAM>(&key));

    std::vector<InputEvent> expected = {Mouse(MouseMove, 0, 110, 100), Mouse(LeftDown, 0, 110, 100),
                                        Mouse(LeftUp, 0, 110, 100),    Mouse(MouseWheel, 0, 111, 101, -120),
                                        Key(KeyDown, 'A', 0),          Key(KeyUp, 'A', 0),
                                        Key(KeyDown, VK_F9, 0),        Key(KeyDown, VK_MENU, 0),
                                        Key(KeyUp, VK_MENU, 0),        Mouse(MouseMove, 5000, 111, 100),
                                        Mouse(RightDown, 5000, 1, 2)};
    std::vector<InputEvent>& got = appState.recordedEvents;
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "event " << i);
        // The hook reads the real clock: allow a busy machine some milliseconds.
        EXPECT_GE(got[i].time, expected[i].time);
        EXPECT_LT(got[i].time, expected[i].time + 200);
        got[i].time = expected[i].time;
        EXPECT_EQ(got[i], expected[i]);
    }

    SendCommand(IDC_RECORD);
    FeedMouseHook(WM_LBUTTONDOWN, 1, 1);
    FeedKeyboardHook(WM_KEYDOWN, 'C');
    EXPECT_EQ(got.size(), expected.size()) << "nothing is recorded after the stop";
}

TEST_F(RecorderTest, KeysHeldAtTheStartComeFirstAtTimeZeroExceptTheRecordHotkey) {
    SetFakeKeyState(VK_LBUTTON, static_cast<SHORT>(0x8000));
    SetFakeKeyState(VK_SHIFT, static_cast<SHORT>(0x8001));
    SetFakeKeyState(VK_F8, static_cast<SHORT>(0x8000));
    SetFakeKeyState('Q', 0x0001); // pressed since the last query, but not down now
    StartWithCursorAt(POINT{0, 0});
    SetRecordingElapsed(50);
    FeedKeyboardHook(WM_KEYDOWN, VK_SHIFT); // the held key's auto-repeat
    FeedKeyboardHook(WM_KEYUP, VK_SHIFT);

    ASSERT_EQ(appState.recordedEvents.size(), 3u);
    EXPECT_EQ(appState.recordedEvents[0], Key(KeyDown, VK_LBUTTON, 0));
    EXPECT_EQ(appState.recordedEvents[1], Key(KeyDown, VK_SHIFT, 0));
    EXPECT_EQ(appState.recordedEvents[2].type, KeyUp);
    EXPECT_EQ(appState.recordedEvents[2].vkCode, static_cast<uint32_t>(VK_SHIFT));
    EXPECT_GE(appState.recordedEvents[2].time, 50);
}

TEST_F(RecorderTest, StatusCountsInHundredsWhileRecordingAndExactlyAfterTheStop) {
    StartWithCursorAt(POINT{0, 0});
    for (int i = 0; i < 99; ++i) {
        FeedMouseHook(WM_LBUTTONDOWN, i, 0);
    }
    EXPECT_EQ(ControlText(IDC_STATUS), L"Recording... Events: 0");
    FeedKeyboardHook(WM_KEYUP, 'Z');
    EXPECT_EQ(ControlText(IDC_STATUS), L"Recording... Events: 100");
    for (int i = 0; i < 150; ++i) {
        FeedMouseHook(WM_LBUTTONUP, i, 0);
    }
    EXPECT_EQ(ControlText(IDC_STATUS), L"Recording... Events: 200");
    SendCommand(IDC_RECORD);
    EXPECT_EQ(ControlText(IDC_STATUS), L"Ready to playback | Events: 250");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK)));
}

TEST_F(RecorderTest, StartIsRefusedWhileClickingOrPlayingWithTheClickerNamedFirst) {
    struct Case {
        bool clicking;
        bool playing;
        const wchar_t* text;
    };
    const Case cases[] = {
        {true, false, L"Please stop the auto-clicker before recording."},
        {false, true, L"Please stop playback before recording."},
        {true, true, L"Please stop the auto-clicker before recording."},
    };
    appState.recordedEvents.assign(2, Key(KeyDown, 0x41, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "clicking " << c.clicking << " playing " << c.playing);
        ResetFakeSys();
        appState.isClicking = c.clicking;
        appState.isPlaying = c.playing;
        SendCommand(IDC_RECORD);
        EXPECT_FALSE(appState.isRecording);
        EXPECT_EQ(appState.recordedEvents.size(), 2u) << "the recording is kept";
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].title, L"Recording");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(boxes[0].owner, appState.mainWindow);
    }
}

} // namespace

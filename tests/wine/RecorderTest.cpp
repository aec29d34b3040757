// The recorder in the real window: a start failing on either hook, one succeeding with keys held,
// and what its recording then makes playback do.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Recorder.h"
#include "res/resource.h"

TEST(RecorderTest, AFailedStartKeepsTheRecordingAndHeldKeysAreRecordedAsTheHookNamesThem) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const std::vector<InputEvent> previous = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};
    // Held at the start: both mouse buttons, X button 1, Shift, left Shift, Ctrl, right Ctrl, F8.
    const std::vector<InputEvent> held = {{KeyDown, 0, 0, 0, VK_LSHIFT, 0},
                                          {KeyDown, 0, 0, 0, VK_RCONTROL, 0}};
    for (int failingHook : {WH_MOUSE_LL, WH_KEYBOARD_LL, 0}) {
        bool ok = failingHook == 0;
        ResetFakeSys();
        SetFakeHookFailure(failingHook);
        appState.recordedEvents = previous;
        appState.recordStartCursor = POINT{7, 8};
        EnableWindow(Control(IDC_PLAYBACK), TRUE);
        SetControlText(IDC_STATUS, L"Ready to playback | Events: 2");
        SetFakeCursorPos(POINT{300, 400});
        for (int vk :
             {VK_LBUTTON, VK_RBUTTON, VK_XBUTTON1, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_F8}) {
            SetFakeKeyState(vk, -0x8000);
        }
        SendCommand(IDC_RECORD);
        std::vector<MessageBoxCall> box = FakeMessageBoxes();
        EXPECT_EQ(box.empty() ? L"" : box[0].text, ok ? L"" : L"Failed to install hooks for recording.")
            << failingHook;
        EXPECT_EQ(appState.isRecording, ok) << failingHook;
        EXPECT_EQ(appState.recordedEvents, ok ? held : previous) << failingHook;
        EXPECT_EQ(appState.recordStartCursor.x, ok ? 300 : 7) << failingHook;
        EXPECT_EQ(ControlText(IDC_RECORD), ok ? L"Stop Rec (F8)" : L"Record (F8)") << failingHook;
        EXPECT_NE(IsWindowEnabled(Control(IDC_PLAYBACK)), ok) << failingHook;
        EXPECT_EQ(ControlText(IDC_STATUS), ok ? L"Recording... Events: 2" : L"Ready to playback | Events: 2");
        EXPECT_EQ(appState.mouseHook != nullptr || appState.keyboardHook != nullptr, ok) << failingHook;
        EXPECT_EQ(ok ? 0 : FakeUnhookLeftHooks(), 0) << failingHook << ": a hook left installed";
    }
    SendCommand(IDC_RECORD);
    EXPECT_EQ(ControlText(IDC_STATUS), L"Ready to playback | Events: 2");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK)));
    EXPECT_EQ(FakeUnhookLeftHooks(), 0) << "hooks left installed after the stop";
    // Played back, it starts where the recording started and releases the keys it found held.
    SendCommand(IDC_PLAYBACK);
    ASSERT_TRUE(PumpUntil([] { return !appState.isPlaying; }, 3000));
    const std::vector<InjectedAction> injected = FakeInjected();
    ASSERT_EQ(injected.size(), 5u);
    EXPECT_EQ(std::pair(injected[0].cursor.x, injected[0].cursor.y), std::pair(300L, 400L));
    std::vector<std::pair<WORD, DWORD>> keys;
    for (size_t i = 1; i < injected.size(); ++i) {
        keys.emplace_back(injected[i].input.ki.wScan, injected[i].input.ki.dwFlags);
    }
    const std::vector<std::pair<WORD, DWORD>> pressedThenReleased = {
        {0x2A, 8}, {0x1D, 9}, {0x2A, 10}, {0x1D, 11}};
    EXPECT_EQ(keys, pressedThenReleased);
    DestroyTestMainWindow();
}

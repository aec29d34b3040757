// The recorder in the real window: a start failing on either hook, one succeeding with keys held,
// and what such a recording then makes playback do.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

const std::vector<InputEvent> kPrevious = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};

// Over a previous recording started at 7,8, with the cursor at 300,400 and held: the left
// button, X button 1, Shift, left Shift, Ctrl, right Ctrl and F8.
static void StartRecording(int failingHook) {
    ResetFakeSys();
    SetFakeHookFailure(failingHook);
    appState.recordedEvents = kPrevious;
    appState.recordStartCursor = POINT{7, 8};
    SetFakeCursorPos(POINT{300, 400});
    for (int vk : {VK_LBUTTON, VK_XBUTTON1, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_F8}) {
        SetFakeKeyState(vk, -0x8000);
    }
    SendCommand(IDC_RECORD);
}

TEST(RecorderTest, AFailedStartLeavesTheRecordingAsItWasAndNoHookInstalled) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (int failingHook : {WH_MOUSE_LL, WH_KEYBOARD_LL}) {
        StartRecording(failingHook);
        EXPECT_EQ(FakeMessageBoxes().size(), 1u) << failingHook;
        EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F8)") << failingHook;
        EXPECT_EQ(appState.recordedEvents, kPrevious) << failingHook;
        EXPECT_EQ(appState.recordStartCursor.x, 7) << failingHook;
        EXPECT_EQ(FakeUnhookLeftHooks(), 0) << failingHook;
    }
    DestroyTestMainWindow();
}

// The held keys as the hook names them, played back from where the recording started and released
// at its end.
TEST(RecorderTest, KeysHeldAtTheStartArePlayedBackFromTheStartPointAndReleased) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    StartRecording(0);
    SendCommand(IDC_RECORD);
    const std::vector<InputEvent> held = {{KeyDown, 0, 0, 0, VK_LSHIFT, 0},
                                          {KeyDown, 0, 0, 0, VK_RCONTROL, 0}};
    EXPECT_EQ(appState.recordedEvents, held);
    EXPECT_EQ(FakeUnhookLeftHooks(), 0) << "hooks left installed after the stop";
    SendCommand(IDC_PLAYBACK);
    ASSERT_TRUE(PumpUntil([] { return !appState.isPlaying; }, 3000));
    std::vector<std::tuple<LONG, LONG, WORD, DWORD>> injected;
    for (const InjectedAction& action : FakeInjected()) {
        injected.emplace_back(action.cursor.x, action.cursor.y, action.input.ki.wScan,
                              action.input.ki.dwFlags);
    }
    const std::vector<std::tuple<LONG, LONG, WORD, DWORD>> cursorThenKeys = {
        {300, 400, 0, 0}, {0, 0, 0x2A, 8}, {0, 0, 0x1D, 9}, {0, 0, 0x2A, 10}, {0, 0, 0x1D, 11}};
    EXPECT_EQ(injected, cursorThenKeys);
    DestroyTestMainWindow();
}

// The recorder in the real window: a start failing on either hook, one succeeding with keys held,
// and what such a recording then makes playback do.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

namespace {

const std::vector<InputEvent> kPrevious = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};

// Over a previous recording started at 7,8, with the cursor at 300,400 and held: both mouse
// buttons, X button 1, Shift, left Shift, Ctrl, right Ctrl and F8.
void StartRecording(int failingHook) {
    ResetFakeSys();
    SetFakeHookFailure(failingHook);
    appState.recordedEvents = kPrevious;
    appState.recordStartCursor = POINT{7, 8};
    EnableWindow(Control(IDC_PLAYBACK), TRUE);
    SetControlText(IDC_STATUS, L"Ready to playback | Events: 2");
    SetFakeCursorPos(POINT{300, 400});
    for (int vk :
         {VK_LBUTTON, VK_RBUTTON, VK_XBUTTON1, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_F8}) {
        SetFakeKeyState(vk, -0x8000);
    }
    SendCommand(IDC_RECORD);
}

} // namespace

TEST(RecorderTest, AFailedStartLeavesTheRecordingAsItWasAndNoHookInstalled) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (int failingHook : {WH_MOUSE_LL, WH_KEYBOARD_LL}) {
        StartRecording(failingHook);
        ASSERT_EQ(FakeMessageBoxes().size(), 1u);
        EXPECT_EQ(FakeMessageBoxes()[0].text, L"Failed to install hooks for recording.");
        EXPECT_FALSE(appState.isRecording) << failingHook;
        EXPECT_EQ(appState.recordedEvents, kPrevious) << failingHook;
        EXPECT_EQ(appState.recordStartCursor.x, 7) << failingHook;
        EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F8)") << failingHook;
        EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK))) << failingHook;
        EXPECT_EQ(ControlText(IDC_STATUS), L"Ready to playback | Events: 2") << failingHook;
        EXPECT_EQ(FakeUnhookLeftHooks(), 0) << failingHook;
    }
    DestroyTestMainWindow();
}

// The held keys as the hook names them; played back from where the recording started, and
// released at its end.
TEST(RecorderTest, KeysHeldAtTheStartArePlayedBackFromTheStartPointAndReleased) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    StartRecording(0);
    EXPECT_TRUE(FakeMessageBoxes().empty());
    EXPECT_EQ(ControlText(IDC_RECORD), L"Stop Rec (F8)");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLAYBACK)));
    EXPECT_EQ(ControlText(IDC_STATUS), L"Recording... Events: 2");
    SendCommand(IDC_RECORD);
    const std::vector<InputEvent> held = {{KeyDown, 0, 0, 0, VK_LSHIFT, 0},
                                          {KeyDown, 0, 0, 0, VK_RCONTROL, 0}};
    EXPECT_EQ(appState.recordedEvents, held);
    EXPECT_EQ(ControlText(IDC_STATUS), L"Ready to playback | Events: 2");
    EXPECT_EQ(FakeUnhookLeftHooks(), 0) << "hooks left installed after the stop";
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

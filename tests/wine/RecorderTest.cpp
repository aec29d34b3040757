// The recorder in the real window: "action -> expected state" rows for failed starts, the keys
// held at the start, and the status line.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Recorder.h"
#include "res/resource.h"

TEST(RecorderTest, AFailedStartKeepsTheRecordingAndHeldKeysAreRecordedAsTheHookNamesThem) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const std::vector<InputEvent> previous = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};
    const InputEvent shift{KeyDown, 0, 0, 0, VK_LSHIFT, 0}, control{KeyDown, 0, 0, 0, VK_RCONTROL, 0};
    struct Row {
        int failingHook;
        bool recording;
        std::vector<InputEvent> events;
        const wchar_t* status;
    };
    // Held at the start: both mouse buttons, X button 1, Shift, left Shift, Ctrl, right Ctrl, F8.
    // clang-format off
    const Row rows[] = {
        {WH_MOUSE_LL, false, previous, L"Ready to playback | Events: 2"},
        {WH_KEYBOARD_LL, false, previous, L"Ready to playback | Events: 2"},
        {0, true, {shift, control}, L"Recording... Events: 2"},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        ResetFakeSys();
        SetFakeHookFailure(r.failingHook);
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
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        EXPECT_EQ(boxes.empty() ? L"" : boxes[0].text,
                  r.recording ? L"" : L"Failed to install hooks for recording.")
            << "row " << i;
        EXPECT_EQ(appState.isRecording, r.recording) << "row " << i;
        EXPECT_EQ(appState.recordedEvents, r.events) << "row " << i;
        EXPECT_EQ(appState.recordStartCursor.x, r.recording ? 300 : 7) << "row " << i;
        EXPECT_EQ(ControlText(IDC_RECORD), r.recording ? L"Stop Rec (F8)" : L"Record (F8)") << "row " << i;
        EXPECT_NE(IsWindowEnabled(Control(IDC_PLAYBACK)), r.recording) << "row " << i;
        EXPECT_EQ(ControlText(IDC_STATUS), r.status) << "row " << i;
        EXPECT_EQ(appState.mouseHook != nullptr || appState.keyboardHook != nullptr, r.recording)
            << "row " << i;
    }
    SendCommand(IDC_RECORD);
    EXPECT_EQ(ControlText(IDC_STATUS), L"Ready to playback | Events: 2");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK)));
    DestroyTestMainWindow();
}

// The recorder in the real window: "action -> expected state" rows for failed and refused starts,
// the keys held at the start, and the status line.
#include <gtest/gtest.h>

#include <functional>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Recorder.h"
#include "res/resource.h"

namespace {

TEST(RecorderTest, StartsThatFailOrAreRefusedKeepThePreviousRecordingAndWindow) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const std::vector<InputEvent> previous = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};
    auto held = [](uint32_t vk) { return InputEvent{KeyDown, 0, 0, 0, vk, 0}; };
    auto click = [] {
        MSLLHOOKSTRUCT hook{};
        MouseHookProc(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&hook));
    };
    struct Row {
        const char* action;
        std::function<void()> act;
        const wchar_t* box; // nullptr: none
        bool recording;
        std::vector<InputEvent> events;
        const wchar_t* status;
    };
    const Row rows[] = {
        {"mouse hook fails", [] { SetFakeHookFailure(WH_MOUSE_LL); },
         L"Failed to install hooks for recording.", false, previous, L"Ready to playback | Events: 2"},
        {"keyboard hook fails", [] { SetFakeHookFailure(WH_KEYBOARD_LL); },
         L"Failed to install hooks for recording.", false, previous, L"Ready to playback | Events: 2"},
        {"clicking", [] { appState.isClicking = true; }, L"Please stop the auto-clicker before recording.",
         false, previous, L"Ready to playback | Events: 2"},
        {"playing", [] { appState.isPlaying = true; }, L"Please stop playback before recording.", false,
         previous, L"Ready to playback | Events: 2"},
        // Keys held at the start are recorded as the hook names them: no generic Shift, Ctrl or
        // Alt, no mouse buttons, not the record hotkey.
        {"start with keys and buttons held",
         [] {
             for (int vk : {VK_LBUTTON, VK_XBUTTON1, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_F8}) {
                 SetFakeKeyState(vk, static_cast<SHORT>(0x8000));
             }
         },
         nullptr,
         true,
         {held(VK_LSHIFT), held(VK_RCONTROL)},
         L"Recording... Events: 2"},
        {"97 clicks: the status follows every 100 events",
         [&] {
             for (int i = 0; i < 97; ++i)
                 click();
         },
         nullptr,
         true,
         {},
         L"Recording... Events: 2"},
        {"one more click", click, nullptr, true, {}, L"Recording... Events: 100"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        ResetFakeSys();
        SetFakeHookFailure(0);
        if (!appState.isRecording) {
            appState.isClicking = false;
            appState.isPlaying = false;
            appState.recordedEvents = previous;
            appState.recordStartCursor = POINT{7, 8};
            EnableWindow(Control(IDC_PLAYBACK), TRUE);
            SetControlText(IDC_STATUS, L"Ready to playback | Events: 2");
            SetFakeCursorPos(POINT{300, 400});
        }
        r.act();
        if (!appState.isRecording) {
            SendCommand(IDC_RECORD);
        }
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        EXPECT_EQ(boxes.empty() ? L"" : boxes[0].text, r.box ? r.box : L"")
            << "row " << i << ": " << r.action;
        EXPECT_EQ(appState.isRecording, r.recording) << "row " << i;
        if (!r.events.empty()) {
            EXPECT_EQ(appState.recordedEvents, r.events) << "row " << i;
        }
        EXPECT_EQ(appState.recordStartCursor.x, r.recording ? 300 : 7) << "row " << i;
        EXPECT_EQ(ControlText(IDC_RECORD), r.recording ? L"Stop Rec (F8)" : L"Record (F8)") << "row " << i;
        EXPECT_NE(IsWindowEnabled(Control(IDC_PLAYBACK)), r.recording) << "row " << i;
        EXPECT_EQ(ControlText(IDC_STATUS), r.status) << "row " << i;
        EXPECT_EQ(appState.mouseHook != nullptr, r.recording) << "row " << i;
    }
    SendCommand(IDC_RECORD);
    EXPECT_EQ(ControlText(IDC_STATUS), L"Ready to playback | Events: 100");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLAYBACK)));
    DestroyTestMainWindow();
}

} // namespace

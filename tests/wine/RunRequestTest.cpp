// One act per gesture: a held hotkey (repeats reach the key watch's hook, then come as hotkeys).
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "app/RunRequests.h"
#include "res/resource.h"

namespace {

LRESULT hookResult = 0; // the last answer of the hook: 1 swallows the key

void FeedHook(int slot, WPARAM message) {
    KBDLLHOOKSTRUCT hook{appState.*kHotkeyKeys[slot], 0, 0, 0, 0};
    hookResult = KeyWatchProc(0, message, reinterpret_cast<LPARAM>(&hook));
    PumpMessages(30);
}

void PressHotkey(int slot) {
    EditFake([&](FakeData& f) { f.keyStates[appState.*kHotkeyKeys[slot]] = -0x8000; });
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP + slot, 0);
}

void RepeatHeldKeys() {
    for (int slot = 0; slot < 3; ++slot) {
        if (FakeState().keyStates[appState.*kHotkeyKeys[slot]] != 0) {
            FeedHook(slot, WM_KEYDOWN);
            SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP + slot, 0);
        }
    }
}

void ReleaseKeys() {
    for (int slot = 0; slot < 3; ++slot) {
        EditFake([&](FakeData& f) { f.keyStates[appState.*kHotkeyKeys[slot]] = 0; });
        FeedHook(slot, WM_KEYUP);
    }
}

// 6 8 9: a hotkey; x: held keys repeat; u: all up; d: only the hook sees F9 down; s: late stop request;
// w: wait; F: F9 is now F10; e l: short, long event; R D: (double-)click Record; f: hooks fail; b: box: u8.
void Act(const char* actions) {
    switch (*actions) {
        case 0: return;
        case 'x': RepeatHeldKeys(); break;
        case 'u': ReleaseKeys(); break;
        case 'd': FeedHook(2, WM_KEYDOWN); break;
        case 's': SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, PLAYBACK_STOP_REQUEST); break;
        case 'w': PumpMessages(150); break;
        case 'F': appState.playbackHotkey = VK_F10; break;
        case 'e': appState.recordedEvents.push_back({MouseMove, 1, 5, 5, 0, 0}); break;
        case 'l': appState.recordedEvents.push_back({MouseMove, 60000, 5, 5, 0, 0}); break;
        case 'f': EditFake([](FakeData& f) { f.failingHookId = WH_MOUSE_LL; }); break;
        case 'b': QueueMessageBoxAnswer(IDOK, [] { Act("u8"); }); break;
        case 'R': SendMessageW(appState.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_RECORD, BN_CLICKED), 0); break;
        case 'D': SendMessageW(appState.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_RECORD, BN_DBLCLK), 0); break;
        default: PressHotkey(*actions == '6' ? 0 : *actions == '8' ? 1 : 2); break;
    }
    Act(actions + 1);
}

std::string Picture() {
    std::string picture = appState.isClicking ? "clicking " : appState.isRecording ? "recording " : "";
    picture += appState.isPlaying ? "playing " : "";
    picture += appState.keyWatchHook ? "watching " : "";
    picture += hookResult ? "swallowed " : "";
    return picture + "events " + std::to_string(appState.recordedEvents.size()) + " boxes " +
           std::to_string(FakeState().boxes.size());
}

// clang-format off
const std::pair<const char*, const char*> kRows[] = {
    {"8exu8xx", "watching swallowed events 1 boxes 0"},       // the held record key acts once each time, kept
    {"u9wx", "watching swallowed events 1 boxes 0"},          // ended, its key held: no restart
    {"u6xu6xx", "watching swallowed events 1 boxes 0"},       // the start key held: acts once each time
    {"ul9xud", "watching swallowed events 2 boxes 0"},        // playing through repeats, stopped by a press
    {"d9sF9", "playing watching swallowed events 2 boxes 0"}, // a late stop request: nothing; a new key acts
    {"udwd", "watching swallowed events 2 boxes 0"},          // swallowed, its state reads up: still a repeat
    {"uRD", "recording events 1 boxes 0"},                    // a double-click on Record starts once
    {"RD", "events 1 boxes 0"},                               // and on Stop Rec stops once
    {"fb8", "watching events 1 boxes 1"},                     // the failure box does not stack
};
// clang-format on

TEST(RunRequests, EachGestureActsOnce) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (auto [actions, picture] : kRows) {
        hookResult = 0;
        Act(actions);
        EXPECT_EQ(Picture(), picture) << actions;
    }
    DestroyTestMainWindow();
}

} // namespace

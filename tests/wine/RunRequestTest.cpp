// One act per gesture: a held hotkey, a double-click on a run button and a failing start's box,
// each as the user makes them, and the runs and the recording afterwards.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "app/RunRequests.h"
#include "base/Sys.h"
#include "res/resource.h"

namespace {

constexpr UINT kKeys[] = {VK_F6, VK_F8, VK_F9};

void PressHotkey(int slot) {
    SetFakeKeyState(static_cast<int>(kKeys[slot]), -0x8000);
    SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP + slot, 0);
}

// Every key that is down repeats: the watch's hook sees the press, then the hotkey arrives.
void RepeatHeldKeys() {
    for (int slot = 0; slot < 3; ++slot) {
        if (SysGetAsyncKeyState(static_cast<int>(kKeys[slot])) != 0) {
            KBDLLHOOKSTRUCT hook{kKeys[slot], 0, 0, 0, 0};
            KeyWatchProc(0, WM_KEYDOWN, reinterpret_cast<LPARAM>(&hook));
            SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP + slot, 0);
        }
    }
}

void ReleaseKeys() {
    for (UINT key : kKeys) {
        SetFakeKeyState(static_cast<int>(key), 0);
        KBDLLHOOKSTRUCT hook{key, 0, 0, 0, 0};
        KeyWatchProc(0, WM_KEYUP, reinterpret_cast<LPARAM>(&hook));
    }
}

void DoubleClick(int id) {
    for (WORD notification : {BN_CLICKED, BN_DOUBLECLICKED}) {
        SendMessageW(appState.mainWindow, WM_COMMAND, MAKEWPARAM(id, notification),
                     reinterpret_cast<LPARAM>(Control(id)));
    }
}

// A recording start whose hooks fail, and a fresh press of the record key inside its box.
void FailRecordingStart() {
    SetFakeHookFailure(WH_MOUSE_LL);
    QueueMessageBoxAnswer(IDOK, [] {
        ReleaseKeys();
        PressHotkey(1);
    });
    PressHotkey(1);
    SetFakeHookFailure(0);
}

void Act(char action) {
    switch (action) {
        case '6': PressHotkey(0); break;
        case '8': PressHotkey(1); break;
        case '9': PressHotkey(2); break;
        case 'x': RepeatHeldKeys(); break;
        case 'u': ReleaseKeys(); break;
        case 'e': appState.recordedEvents.push_back(InputEvent{MouseMove, 60000, 5, 5, 0, 0}); break;
        case 'S': DoubleClick(IDC_START); break;
        case 'R': DoubleClick(IDC_RECORD); break;
        case 'P': DoubleClick(IDC_PLAYBACK); break;
        case 'f': FailRecordingStart(); break;
        default: break;
    }
}

std::string Picture() {
    std::string runs = appState.isClicking ? "clicking" : "";
    runs += appState.isRecording ? "recording" : "";
    runs += appState.isPlaying ? "playing" : "";
    return (runs.empty() ? "-" : runs) + " events " + std::to_string(appState.recordedEvents.size()) +
           " boxes " + std::to_string(FakeMessageBoxes().size());
}

struct Row {
    const char* actions;
    const char* picture;
};

// clang-format off
const Row kRows[] = {
    {"8", "recording events 0 boxes 0"},
    {"ex", "recording events 1 boxes 0"},  // the held record key's repeat does not stop it
    {"u8xx", "- events 1 boxes 0"},        // pressed again and held: stopped once, the recording kept
    {"u6x", "clicking events 1 boxes 0"},  // the start key held: started once
    {"u6xx", "- events 1 boxes 0"},        // and stopped once
    {"u9x", "playing events 1 boxes 0"},   // the playback key held: played once
    {"u9xx", "- events 1 boxes 0"},        // stopped once
    {"uR", "recording events 0 boxes 0"},  // a double-click on Record starts once
    {"eR", "- events 1 boxes 0"},          // and on Stop Rec stops once
    {"P", "playing events 1 boxes 0"},
    {"P", "- events 1 boxes 0"},
    {"S", "clicking events 1 boxes 0"},
    {"S", "- events 1 boxes 0"},
    {"f", "- events 1 boxes 1"},           // the failure box does not stack
};
// clang-format on

TEST(RunRequests, EachGestureActsOnce) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (size_t i = 0; i < std::size(kRows); ++i) {
        for (const char* action = kRows[i].actions; *action != 0; ++action) {
            Act(*action);
        }
        EXPECT_EQ(Picture(), kRows[i].picture) << "row " << i;
    }
    DestroyTestMainWindow();
}

} // namespace

// The recorder and the player in the real window, input seam faked: what is recorded, what is injected
// and released.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <thread>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Playback.h"
#include "res/resource.h"

namespace {

// The injected INPUTs, one line each: "key 41 1E 8" (wVk wScan dwFlags), "mouse 2 0" (dwFlags mouseData).
std::vector<std::wstring> Injected() {
    std::vector<std::wstring> lines;
    for (const INPUT& in : FakeState().sent) {
        wchar_t t[64];
        const bool key = in.type == INPUT_KEYBOARD;
        std::swprintf(t, 64, key ? L"key %lX %lX %lX" : L"mouse %lX %lX", key ? in.ki.wVk : in.mi.dwFlags,
                      key ? in.ki.wScan : in.mi.mouseData, key ? in.ki.dwFlags : 0);
        lines.push_back(t);
    }
    return lines;
}

// Wine maps media keys to scan code 0, so the records handed over are checked. Waits use a fine
// timer: a wait's own time-out comes on the system tick, which Windows may leave at 15.6 ms when hidden.
TEST(PlaybackTest, KeysAreInjectedAsThemselvesAndWhatIsHeldIsReleasedExactlyAsPressed) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    appState.recordedEvents = {{KeyDown, 0, 0, 0, VK_VOLUME_UP},
                               {KeyDown, 0, 0, 0, 'A'},
                               {KeyDown, 0, 0, 0, 0xFF},
                               {LeftDown},
                               {KeyDown, 0, 0, 0, VK_RCONTROL},
                               {KeyDown, 0, 0, 0, 0x88},
                               {RightDown},
                               {MiddleDown},
                               {MouseWheel, 0, 0, 0, 0, -120},
                               {KeyUp, 0, 0, 0, 'A'},
                               {KeyDown, 10000, 0, 0, 'B'}};
    SendCommand(IDC_PLAYBACK);
    ASSERT_TRUE(PumpUntil([] { return FakeState().injected.size() >= 10; }, 3000));
    DestroyTestMainWindow();
    EXPECT_FALSE(IsPlaybackWorkerAlive());
    // Destroyed in the long gap: keys released in code order, then the buttons.
    EXPECT_EQ(Injected(),
              std::vector<std::wstring>({L"key AF 30 9", L"key 41 1E 8", L"mouse 2 0", L"key A3 1D 9",
                                         L"key 88 0 0", L"mouse 8 0", L"mouse 20 0", L"mouse 800 FFFFFF88",
                                         L"key 41 1E A", L"key 88 0 2", L"key A3 1D B", L"key AF 30 B",
                                         L"mouse 4 0", L"mouse 10 0", L"mouse 40 0"}));
    std::vector<std::wstring> timing = FakeState().timing;
    timing.resize(3);
    EXPECT_EQ(timing, std::vector<std::wstring>({L"throttle 1 4 0", L"timer 2", L"due -1000000"}));
}

// Played back for real with the window thread busy: the sent WM_PLAYBACK_DONE goes before the queued
// click, so it lands on Record enabled again; it carries Tamblo's mark and starts nothing.
TEST(PlaybackTest, AReplayedClickOnStopRecStartsNoRecording) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    RECT button{};
    GetWindowRect(appState.recordButton, &button);
    appState.recordStartCursor = POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    appState.recordedEvents = {{LeftDown, 0}, {LeftUp, 1}};
    SetWindowPos(appState.mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EditFake([](FakeData& f) { f.realInput = true; });
    for (int pass = 0; pass < 3; ++pass) {
        SendCommand(IDC_PLAYBACK);
        Sleep(400);
        PumpMessages(200);
        EXPECT_EQ(ControlText(IDC_RECORD) + ControlText(IDC_PLAYBACK), L"Record (F8)Playback (F9)") << pass;
    }
    DestroyTestMainWindow();
}

// Another thread's Playback commands are answered inside the stop's wait too: never two presses in a row.
TEST(PlaybackTest, StopsAndStartsRacingTheWorkerLeaveOneWorkerAndNothingHeld) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    appState.recordedEvents = {{KeyDown, 0, 0, 0, 'A'}, {LeftDown}, {KeyUp, 2, 0, 0, 'A'}, {LeftUp, 3}};
    std::atomic<int> sent{0};
    std::thread other([&] {
        for (; sent < 40; ++sent, Sleep(7)) {
            SendMessageTimeoutW(appState.mainWindow, WM_COMMAND, IDC_PLAYBACK, 0, SMTO_BLOCK, 100, nullptr);
        }
    });
    for (int round = 0; round < 20 || sent < 40; ++round) {
        SendCommand(IDC_PLAYBACK);
        PumpMessages(round % 7 * 3);
    }
    other.join();
    DestroyTestMainWindow();
    EXPECT_FALSE(IsPlaybackWorkerAlive());
    std::vector<std::wstring> log = Injected();
    auto n = [&](const wchar_t* line) { return std::count(log.begin(), log.end(), line); };
    EXPECT_EQ(std::adjacent_find(log.begin(), log.end()), log.end());
    EXPECT_TRUE(n(L"key 41 1E 8") == n(L"key 41 1E A") && n(L"mouse 2 0") == n(L"mouse 4 0"));
}

// A recording start failing on either hook keeps the previous one (A pressed at 7,8) and leaves no hook;
// one with keys held records them as the hook names them, played from its start point and released.
// Per failing hook: boxes, Record's caption, hooks left, then each injected action as x,y:vk:scan:flags.
// clang-format off
const std::pair<int, const wchar_t*> kRecorderRows[] = {
    {WH_MOUSE_LL, L"2 Record (F8) 0 | 7,8:0:0:0 0,0:65:30:8 0,0:65:30:10"},
    {WH_KEYBOARD_LL, L"2 Record (F8) 0 | 7,8:0:0:0 0,0:65:30:8 0,0:65:30:10"},
    {0, L"0 Record (F8) 0 | 300,400:0:0:0 0,0:160:42:8 0,0:163:29:9 0,0:160:42:10 0,0:163:29:11"},
};
// clang-format on

TEST(RecorderTest, AFailedStartKeepsTheRecordingAndHeldKeysArePlayedFromTheStartPointAndReleased) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (const auto& [failingHook, expected] : kRecorderRows) {
        ResetFakeSys();
        EditFake([&](FakeData& f) { f.failingHookId = failingHook; });
        appState.recordedEvents = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};
        appState.recordStartCursor = POINT{7, 8};
        EditFake([](FakeData& f) { f.cursor = POINT{300, 400}; });
        for (int vk : {VK_LBUTTON, VK_XBUTTON1, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_F8}) {
            EditFake([&](FakeData& f) { f.keyStates[vk] = -0x8000; });
        }
        SendCommand(IDC_RECORD);
        SendCommand(IDC_RECORD);
        std::wostringstream picture;
        picture << FakeState().boxes.size() << L" " << ControlText(IDC_RECORD) << L" "
                << FakeUnhookLeftHooks() << L" |";
        SendCommand(IDC_PLAYBACK);
        ASSERT_TRUE(PumpUntil([] { return !appState.isPlaying; }, 3000));
        for (const InjectedAction& a : FakeState().injected) {
            const KEYBDINPUT& k = a.input.ki;
            picture << L" " << a.cursor.x << L"," << a.cursor.y << L":" << k.wVk << L":" << k.wScan << L":"
                    << k.dwFlags;
        }
        EXPECT_EQ(picture.str(), expected) << failingHook;
    }
    DestroyTestMainWindow();
}

} // namespace

// Playback in the real window with the input seam faked: "action -> expected state" rows for the
// injected input and its release, the playback key, refusals, and stops at awkward moments.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <thread>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Playback.h"
#include "res/resource.h"

namespace {

// The injected log, one line per action: "key vk=0 scan=1E flags=8", "mouse 2 FFFFFF88", "cursor 5,6".
std::vector<std::wstring> Injected() {
    std::vector<std::wstring> lines;
    for (const InjectedAction& a : FakeInjected()) {
        wchar_t text[64];
        if (a.kind == InjectedAction::CursorMove) {
            std::swprintf(text, 64, L"cursor %ld,%ld", a.cursor.x, a.cursor.y);
        } else if (a.input.type == INPUT_KEYBOARD) {
            std::swprintf(text, 64, L"key vk=%X scan=%X flags=%lX", a.input.ki.wVk, a.input.ki.wScan,
                          a.input.ki.dwFlags);
        } else {
            std::swprintf(text, 64, L"mouse %lX %lX", a.input.mi.dwFlags, a.input.mi.mouseData);
        }
        lines.push_back(text);
    }
    return lines;
}

// Keys (by virtual key, scan code and extended flag) and buttons pressed in the log and not released.
int HeldAtEnd() {
    std::map<unsigned, bool> held;
    for (const InjectedAction& a : FakeInjected()) {
        const KEYBDINPUT& ki = a.input.ki;
        if (a.kind == InjectedAction::Input && a.input.type == INPUT_KEYBOARD) {
            held[ki.wVk << 16 | ki.wScan | (ki.dwFlags & 1) << 15] = (ki.dwFlags & KEYEVENTF_KEYUP) == 0;
        }
        for (DWORD down = 2; a.kind == InjectedAction::Input && a.input.type == INPUT_MOUSE && down <= 0x20;
             down <<= 2) {
            held[down] =
                (a.input.mi.dwFlags & down) != 0 || (held[down] && (a.input.mi.dwFlags & down << 1) == 0);
        }
    }
    return static_cast<int>(
        std::count_if(held.begin(), held.end(), [](auto& entry) { return entry.second; }));
}

LRESULT FeedStopHook(WPARAM message, DWORD vk) {
    KBDLLHOOKSTRUCT hook{};
    hook.vkCode = vk;
    return PlaybackKeyboardHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&hook));
}

InputEvent Key(InputEventType type, uint32_t vk, int64_t time = 0) {
    return InputEvent{type, time, 0, 0, vk, 0};
}

class PlaybackTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordStartCursor = POINT{5, 6};
    }
    void TearDown() override {
        appState.isClicking = appState.isRecording = false;
        DestroyTestMainWindow();
        EXPECT_FALSE(IsPlaybackWorkerAlive());
    }
};

// Wine's own mapping cannot show this: it maps the media keys to scan code 0. So the records
// handed to the system are checked: each key by its own scan code, released exactly as pressed.
TEST_F(PlaybackTest, KeysAreInjectedAsThemselvesAndWhatIsHeldIsReleasedExactlyAsPressed) {
    appState.recordedEvents = {Key(KeyDown, VK_VOLUME_UP),     Key(KeyDown, 'A'),  Key(KeyDown, 0xFF),
                               Key(KeyDown, VK_RCONTROL),      Key(KeyDown, 0x88), {LeftDown, 0, 0, 0, 0, 0},
                               {MouseWheel, 0, 0, 0, 0, -120}, Key(KeyUp, 'A'),    Key(KeyDown, 'B', 10000)};
    SendCommand(IDC_PLAYBACK);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Stop Play (F9)");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_START)) || IsWindowEnabled(Control(IDC_RECORD)));
    ASSERT_TRUE(PumpUntil([] { return FakeInjected().size() >= 8; }, 3000));
    SendCommand(IDC_PLAYBACK);
    std::vector<std::wstring> expected = {
        L"cursor 5,6", L"key vk=0 scan=30 flags=9", L"key vk=0 scan=1E flags=8", L"key vk=0 scan=1D flags=9",
        L"key vk=88 scan=0 flags=0", L"mouse 2 0", L"mouse 800 FFFFFF88", L"key vk=0 scan=1E flags=A",
        // the stop: keys in code order, then the left button
        L"key vk=88 scan=0 flags=2", L"key vk=0 scan=1D flags=B", L"key vk=0 scan=30 flags=B", L"mouse 4 0"};
    EXPECT_EQ(Injected(), expected);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_START)) && IsWindowEnabled(Control(IDC_RECORD)));
}

// The playback key acts once per press; the stop hook's request only stops.
TEST_F(PlaybackTest, ThePlaybackKeyActsOncePerPressAndItsStopRequestOnlyStops) {
    auto post = [](LPARAM lParam) {
        return LRESULT(!PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, lParam));
    };
    auto hotkey = [=] { return post(MAKELPARAM(0, appState.playbackHotkey)); };
    auto down = [] { return FeedStopHook(WM_KEYDOWN, VK_F9); };
    auto up = [] { return FeedStopHook(WM_KEYUP, VK_F9); };
    struct Row {
        const char* action;
        SHORT f9State; // what GetAsyncKeyState reports for F9 meanwhile
        std::function<LRESULT()> act;
        LRESULT result; // 1: the key is swallowed
        bool playing, watching;
    };
    const Row rows[] = {
        {"F9 starts a short playback that ends while F9 is held", -0x8000,
         [&] {
             hotkey();
             PumpUntil([] { return !appState.isPlaying && appState.playbackRunsDone == 1; }, 3000);
             return LRESULT(0);
         },
         0, false, true},
        {"its auto-repeat reaches the hotkey", -0x8000, hotkey, 0, false, true},
        {"its auto-repeat reaches the hook", -0x8000, down, 1, false, true},
        {"F9 released", 0, up, 0, false, false},
        {"F9 starts a long playback", -0x8000,
         [&] {
             appState.recordedEvents.push_back(Key(KeyUp, 'A', 10000));
             return hotkey();
         },
         0, true, true},
        {"its auto-repeat reaches the hook", -0x8000, down, 1, true, true},
        {"F9 released", 0, up, 0, true, true},
        {"F9 pressed: the emergency stop", -0x8000, down, 1, false, true},
        {"its auto-repeat reaches the hook", -0x8000, down, 1, false, true},
        {"its auto-repeat reaches the hotkey", -0x8000, hotkey, 0, false, true},
        {"a stop request dispatched late", -0x8000, [=] { return post(PLAYBACK_STOP_REQUEST); }, 0, false,
         true},
        {"the playback key is changed to F10 and pressed", -0x8000,
         [&] {
             appState.playbackHotkey = VK_F10;
             return hotkey();
         },
         0, true, true},
    };
    appState.recordedEvents = {Key(KeyDown, 'A'), Key(KeyUp, 'A', 1)};
    for (size_t i = 0; i < std::size(rows); ++i) {
        SetFakeKeyState(VK_F9, rows[i].f9State);
        SetFakeKeyState(VK_F10, rows[i].f9State);
        EXPECT_EQ(rows[i].act(), rows[i].result) << "row " << i << ": " << rows[i].action;
        PumpMessages(30);
        EXPECT_EQ(appState.isPlaying.load(), rows[i].playing) << "row " << i << ": " << rows[i].action;
        EXPECT_EQ(appState.playbackKeyboardHook != nullptr, rows[i].watching)
            << "row " << i << ": " << rows[i].action;
        EXPECT_EQ(IsWindowEnabled(Control(IDC_RECORD)), !rows[i].playing) << "row " << i;
    }
}

TEST_F(PlaybackTest, StartIsRefusedWithItsBoxOrTakesTheRepeatCount) {
    struct Row {
        bool clicking, recording, empty, untilStopped;
        const wchar_t* count;
        const wchar_t* box; // nullptr: playback starts with this repeat count
        int32_t repeatCount;
    };
    const Row rows[] = {
        {true, true, false, false, L"1", L"Please stop the auto-clicker before playback.", 0},
        {false, true, false, false, L"1", L"Please stop recording before playback.", 0},
        {false, false, true, false, L"1", L"No recording available. Please record first.", 0},
        {false, false, false, false, L"x5", L"Number of repeats must be at least 1.", 0},
        {false, false, false, false, L"2", nullptr, 2},
        {false, false, false, true, L"0", nullptr, -1},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        ResetFakeSys();
        appState.isClicking = r.clicking;
        appState.isRecording = r.recording;
        appState.recordedEvents.assign(r.empty ? 0 : 1, Key(KeyDown, 'A', 10000));
        SetControlText(IDC_PLAYBACK_REPEAT_TIMES, r.count);
        SendMessageW(Control(IDC_PLAYBACK_REPEAT), BM_SETCHECK, r.untilStopped ? BST_UNCHECKED : BST_CHECKED,
                     0);
        SendCommand(IDC_PLAYBACK);
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        EXPECT_EQ(boxes.empty() ? L"" : boxes[0].text, r.box ? r.box : L"") << "row " << i;
        EXPECT_EQ(appState.isPlaying.load(), r.box == nullptr) << "row " << i;
        EXPECT_TRUE(r.box != nullptr || appState.playbackRepeatCount == r.repeatCount) << "row " << i;
        SendCommand(IDC_PLAYBACK);
        EXPECT_FALSE(IsPlaybackWorkerAlive()) << "row " << i;
    }
}

// Starts and stops from the window while another thread keeps sending the Playback command,
// which is also answered inside the stop's wait: one worker at a time, nothing left held. Then
// the window is destroyed during the lead-in and during a long gap.
TEST_F(PlaybackTest, StopsRacingTheWorkerAndTheWindowGoingAwayLeaveNothingHeld) {
    appState.recordedEvents = {
        Key(KeyDown, 'A'), {LeftDown, 0, 0, 0, 0, 0}, Key(KeyUp, 'A', 2), {LeftUp, 3, 0, 0, 0, 0}};
    std::atomic<bool> racing{true};
    std::thread other([&] {
        while (racing) {
            SendMessageTimeoutW(appState.mainWindow, WM_COMMAND, IDC_PLAYBACK, 0, SMTO_BLOCK, 100, nullptr);
            Sleep(7);
        }
    });
    for (int round = 0; round < 20; ++round) {
        SendCommand(IDC_PLAYBACK);
        PumpMessages(round % 7 * 3);
    }
    racing = false;
    other.join();
    if (appState.isPlaying) {
        SendCommand(IDC_PLAYBACK);
    }
    std::vector<std::wstring> log = Injected();
    EXPECT_EQ(std::adjacent_find(log.begin(), log.end(),
                                 [](auto& a, auto& b) { return a == b && a != L"cursor 5,6"; }),
              log.end());
    EXPECT_EQ(HeldAtEnd(), 0);
    for (int gap : {0, 1}) {
        SendCommand(IDC_PLAYBACK);
        ASSERT_TRUE(appState.isPlaying);
        PumpUntil([] { return FakeInjected().size() >= 3; }, gap * 3000);
        DestroyTestMainWindow();
        EXPECT_FALSE(IsPlaybackWorkerAlive());
        EXPECT_EQ(HeldAtEnd(), 0) << "gap " << gap;
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordedEvents = {Key(KeyDown, 'A'), {LeftDown, 0, 0, 0, 0, 0}, Key(KeyUp, 'A', 10000)};
    }
}

} // namespace

// Stops and exits at random moments during playback of a recording that holds keys and
// buttons. A program of its own (about half a minute), apart from the quick in-process suite.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "MacroTestSupport.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Playback.h"
#include "res/resource.h"

namespace {

using Clock = std::chrono::steady_clock;

// Presses overlap and some are never released, and everything is pressed again each pass.
void PrepareHoldingPlayback() {
    appState.recordedEvents = {
        Key(KeyDown, 'A', 0),       Mouse(LeftDown, 0),          Key(KeyDown, VK_RIGHT, 2),
        Mouse(RightDown, 4),        Mouse(MiddleDown, 6),        Key(KeyUp, 'A', 15),
        Mouse(LeftUp, 20),          Key(KeyDown, VK_LSHIFT, 25), Mouse(MouseMove, 30, 40, 50),
        Key(KeyDown, 'A', 35),      Mouse(RightUp, 40),          Mouse(LeftDown, 45),
        Key(KeyDown, VK_RMENU, 60),
    };
    SendMessageW(Control(IDC_PLAYBACK_REPEAT), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Control(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED), BM_SETCHECK, BST_CHECKED, 0);
}

struct StressTally {
    int leftHeld = 0;
    int hangs = 0;
    int stillAlive = 0;
    int64_t slowestStopMs = 0;
};

void Tally(StressTally& tally, int64_t stopMs) {
    tally.slowestStopMs = std::max(tally.slowestStopMs, stopMs);
    if (stopMs > 2000) {
        ++tally.hangs;
    }
    if (IsPlaybackWorkerAlive()) {
        ++tally.stillAlive;
    }
    std::vector<std::wstring> held = HeldAtEndOfLog(FakeInjected());
    tally.leftHeld += static_cast<int>(held.size());
}

TEST(PlaybackStress, HundredStopsAtRandomMomentsLeaveNothingHeld) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayMs(0, 220);
    StressTally tally;
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    PrepareHoldingPlayback();
    for (int round = 0; round < 100; ++round) {
        ResetFakeSys();
        SendCommand(IDC_PLAYBACK);
        ASSERT_TRUE(appState.isPlaying) << "round " << round;
        PumpMessages(static_cast<DWORD>(delayMs(random)));
        auto before = Clock::now();
        switch (round % 3) {
            case 0: SendCommand(IDC_PLAYBACK); break;
            case 1:
                FeedPlaybackHook(WM_KEYDOWN, VK_F9);
                PumpUntil([] { return !appState.isPlaying; }, 3000);
                break;
            case 2: DestroyTestMainWindow(); break;
        }
        Tally(tally, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - before).count());
        EXPECT_FALSE(appState.isPlaying) << "round " << round;
        if (round % 3 == 2) {
            ASSERT_NE(CreateTestMainWindow(), nullptr);
            PrepareHoldingPlayback();
        }
    }
    DestroyTestMainWindow();
    EXPECT_EQ(tally.leftHeld, 0);
    EXPECT_EQ(tally.hangs, 0);
    EXPECT_EQ(tally.stillAlive, 0);
    std::printf("100 stops: %d inputs left held, %d hangs, slowest stop %lld ms\n", tally.leftHeld,
                tally.hangs, static_cast<long long>(tally.slowestStopMs));
}

TEST(PlaybackStress, FiftyExitsDuringPlaybackNeitherCrashNorHang) {
    std::mt19937 random(61220262);
    std::uniform_int_distribution<int> delayMs(0, 220);
    StressTally tally;
    for (int round = 0; round < 50; ++round) {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        PrepareHoldingPlayback();
        SendCommand(IDC_PLAYBACK);
        PumpMessages(static_cast<DWORD>(delayMs(random)));
        auto before = Clock::now();
        // The window goes as on File > Exit; the next round's window then resets the state,
        // recording included, which would crash under a worker still reading it.
        SendCommand(IDM_EXIT);
        DestroyTestMainWindow();
        Tally(tally, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - before).count());
    }
    EXPECT_EQ(tally.leftHeld, 0);
    EXPECT_EQ(tally.hangs, 0);
    EXPECT_EQ(tally.stillAlive, 0);
    std::printf("50 exits: %d inputs left held, %d hangs, slowest exit %lld ms\n", tally.leftHeld,
                tally.hangs, static_cast<long long>(tally.slowestStopMs));
}

} // namespace

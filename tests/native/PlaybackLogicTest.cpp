// The player's key records and its schedule on a simulated clock.
#include <gtest/gtest.h>

#include "macro/PlaybackLogic.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(PlaybackLogic, EveryKeyReplaysAsItselfAndIsReleasedExactlyAsPressed) {
    struct Row {
        uint32_t vk, systemScan; // systemScan: what the system's mapping says (0: unknown)
        KeyInput press;          // vk 0 and flags 0: nothing is sent
    };
    // A, left arrow, right and left Ctrl, Volume Up (not B), Play/Pause, browser Back; keys of
    // unknown scan code by virtual key; codes outside 1..254 never injected.
    // clang-format off
    const Row rows[] = {
        {0x41, 0x1E, {0, 0x1E, 0x8}}, {0x25, 0x4B, {0, 0x4B, 0x9}}, {0xA3, 0xE01D, {0, 0x1D, 0x9}},
        {0xA2, 0x1D, {0, 0x1D, 0x8}}, {0xAF, 0x30, {0, 0x30, 0x9}}, {0xAF, 0, {0, 0x30, 0x9}},
        {0xB3, 0, {0, 0x22, 0x9}}, {0xA6, 0, {0, 0x6A, 0x9}}, {0x88, 0, {0x88, 0, 0}},
        {0x01, 0, {0x01, 0, 0}}, {0, 0x1E, {}}, {0xFF, 0x1E, {}}, {300, 0x1E, {}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        PlaybackStep down = PlanPlaybackStep({KeyDown, 0, 0, 0, r.vk, 0}, r.systemScan);
        PlaybackStep up = PlanPlaybackStep({KeyUp, 0, 0, 0, r.vk, 0}, r.systemScan);
        bool sent = r.press.flags != 0 || r.press.vk != 0;
        EXPECT_EQ(down.kind, sent ? PlaybackStepKind::Key : PlaybackStepKind::Nothing) << "row " << i;
        EXPECT_EQ(up.kind, down.kind) << "row " << i;
        if (!sent) {
            continue;
        }
        KeyInput release{r.press.vk, r.press.scan, r.press.flags | 0x2};
        EXPECT_EQ(down.key, r.press) << "row " << i;
        EXPECT_EQ(up.key, release) << "row " << i;
        EXPECT_EQ(ReleaseOfHeldKey(r.vk, down.heldKeyPress), release) << "row " << i;
        EXPECT_TRUE(down.heldKey == static_cast<int>(r.vk) && up.heldKeyPress == 0) << "row " << i;
    }
}

// Waits move the clock (and end early at stopAt, as the stop event does); yields move it 0.1 ms.
struct Simulated {
    Clock::time_point origin = Clock::time_point(1h), now = origin, stopAt = Clock::time_point::max();
    std::vector<double> sends, cursor; // ms since origin
    std::vector<std::chrono::milliseconds> waits;
    PlaybackIo Io() {
        PlaybackIo io;
        io.now = [this] { return now; };
        io.isPlaying = [this] { return now < stopAt; };
        io.wait = [this](std::chrono::milliseconds d) {
            waits.push_back(d), now = std::min(now + d, stopAt);
        };
        io.yield = [this] { now = std::min<Clock::time_point>(now + 100us, stopAt); };
        io.moveCursor = [this](int32_t, int32_t) { cursor.push_back(Ms()); };
        io.send = [this](const PlaybackStep&) {
            sends.push_back(Ms()), now += sends.size() == 1 ? 30ms : 0ms;
        };
        return io;
    }
    double Ms() const { return std::chrono::duration<double, std::milli>(now - origin).count(); }
};

std::vector<InputEvent> Taps(std::initializer_list<int64_t> times) {
    std::vector<InputEvent> events;
    for (int64_t t : times) {
        events.push_back(InputEvent{KeyDown, t, 0, 0, 0x41, 0});
    }
    return events;
}

TEST(PlaybackLogic, EventsGoOutAtTheirOffsetsLateOnesAtOnceWithoutDrift) {
    Simulated sim; // the first send costs 30 ms: 10 and 20 go backwards, 60 is late
    sim.stopAt = sim.origin + 5s;
    RunPlaybackPass(Taps({0, 10, 20, 60, 1500, INT64_MIN, INT64_MAX}), sim.now, sim.Io());
    const double due[] = {0, 30, 30, 60, 1500, 1500};
    ASSERT_EQ(sim.sends.size(), 6u); // the far-future one is waited for until the stop, not sent
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_TRUE(sim.sends[i] >= due[i] && sim.sends[i] < due[i] + 0.2) << i << ": " << sim.sends[i];
    }
    // Coarse waits to 2 ms before a due time, yields for the rest.
    EXPECT_TRUE(sim.waits.size() == 3 && sim.waits[0] == 28ms && sim.waits[1] == 1438ms);
}

TEST(PlaybackLogic, PassesPauseAsSpecifiedAndEndAtTheCountOrTheStop) {
    struct Row {
        int32_t repeatCount, runsBefore;
        std::chrono::milliseconds stopAt;
        size_t sends, cursorMoves;
        int32_t runsDone;
    };
    // 1: lead-in 100 ms, events at +0 and +20, 100 ms between passes; 2: until stopped, the cut
    // pass does not count; 3: a stop during the lead-in sends nothing; 4: runs done count.
    // clang-format off
    const Row rows[] = {
        {3, 0, 10s, 6, 3, 3}, {-1, 0, 950ms, 8, 5, 4}, {1, 0, 50ms, 0, 1, 0}, {2, 2, 10s, 0, 0, 2},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        Simulated sim;
        sim.stopAt = sim.origin + rows[i].stopAt;
        std::atomic<int32_t> runs{rows[i].runsBefore};
        auto io = sim.Io();
        io.send = [&](const PlaybackStep&) { sim.sends.push_back(sim.Ms()); };
        RunPlaybackPasses(Taps({0, 20}), 7, 9, rows[i].repeatCount, runs, io);
        EXPECT_EQ(sim.sends.size(), rows[i].sends) << "row " << i;
        EXPECT_EQ(sim.cursor.size(), rows[i].cursorMoves) << "row " << i;
        EXPECT_EQ(runs.load(), rows[i].runsDone) << "row " << i;
        if (i == 0) {
            EXPECT_EQ(sim.cursor, (std::vector<double>{0, 220, 440}));
            EXPECT_TRUE(sim.sends[3] >= 340 && sim.sends[3] < 340.2) << sim.sends[3];
            EXPECT_DOUBLE_EQ(sim.Ms(), sim.sends[5]); // no pause after the last pass
        }
    }
}

} // namespace

// The player's INPUT values, held-input bookkeeping and schedule, run against a simulated clock.
#include <gtest/gtest.h>

#include <climits>

#include "macro/PlaybackLogic.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(PlaybackLogic, ExactlySeventeenKeysAreExtended) {
    const uint32_t extended[] = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D,
                                 0x2E, 0x5B, 0x5C, 0x5D, 0x6F, 0x90, 0xA3, 0xA5};
    for (uint32_t vk = 0; vk < 256; ++vk) {
        bool expected = std::find(std::begin(extended), std::end(extended), vk) != std::end(extended);
        EXPECT_EQ(IsExtendedKey(vk), expected) << std::hex << vk;
    }
    EXPECT_FALSE(IsExtendedKey(0x121)); // only the exact codes
}

TEST(PlaybackLogic, EachEventTypeBecomesItsInputAndHeldChange) {
    struct Case {
        InputEvent event;
        PlaybackStepKind kind;
        uint32_t mouseFlags;
        uint32_t mouseData;
        uint32_t keyFlags;
        int heldKey;
        int heldButton;
        bool held;
    };
    using K = PlaybackStepKind;
    const Case cases[] = {
        {{MouseMove, 0, 10, 20, 0, 0}, K::MoveCursor, 0, 0, 0, -1, -1, false},
        {{LeftDown, 0, 10, 20, 0, 0}, K::Mouse, 0x0002, 0, 0, -1, 0, true},
        {{LeftUp, 0, 10, 20, 0, 0}, K::Mouse, 0x0004, 0, 0, -1, 0, false},
        {{RightDown, 0, 10, 20, 0, 0}, K::Mouse, 0x0008, 0, 0, -1, 1, true},
        {{RightUp, 0, 10, 20, 0, 0}, K::Mouse, 0x0010, 0, 0, -1, 1, false},
        {{MiddleDown, 0, 10, 20, 0, 0}, K::Mouse, 0x0020, 0, 0, -1, 2, true},
        {{MiddleUp, 0, 10, 20, 0, 0}, K::Mouse, 0x0040, 0, 0, -1, 2, false},
        {{MouseWheel, 0, 10, 20, 0, -120}, K::Mouse, 0x0800, 0xFFFFFF88u, 0, -1, -1, false},
        {{MouseWheel, 0, 10, 20, 0, 240}, K::Mouse, 0x0800, 240, 0, -1, -1, false},
        {{KeyDown, 0, 0, 0, 0x41, 0}, K::Key, 0, 0, 0x0008, 0x41, -1, true},
        {{KeyUp, 0, 0, 0, 0x41, 0}, K::Key, 0, 0, 0x000A, 0x41, -1, false},
        {{KeyDown, 0, 0, 0, 0x25, 0}, K::Key, 0, 0, 0x0009, 0x25, -1, true},
        {{KeyUp, 0, 0, 0, 0xA5, 0}, K::Key, 0, 0, 0x000B, 0xA5, -1, false},
        {{KeyDown, 0, 0, 0, 0xA4, 0}, K::Key, 0, 0, 0x0008, 0xA4, -1, true},
        {{KeyDown, 0, 0, 0, 300, 0}, K::Key, 0, 0, 0x0008, -1, -1, true}, // sent, never marked held
        {{KeyUp, 0, 0, 0, 300, 0}, K::Key, 0, 0, 0x000A, -1, -1, false},
        {{static_cast<InputEventType>(12), 0, 1, 2, 3, 4}, K::Nothing, 0, 0, 0, -1, -1, false},
        {{static_cast<InputEventType>(-1), 0, 1, 2, 3, 4}, K::Nothing, 0, 0, 0, -1, -1, false},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << row++);
        PlaybackStep step = PlanPlaybackStep(c.event);
        EXPECT_EQ(step.kind, c.kind);
        EXPECT_EQ(step.mouseFlags, c.mouseFlags);
        EXPECT_EQ(step.mouseData, c.mouseData);
        EXPECT_EQ(step.keyFlags, c.keyFlags);
        EXPECT_EQ(step.heldKey, c.heldKey);
        EXPECT_EQ(step.heldButton, c.heldButton);
        if (c.heldKey >= 0 || c.heldButton >= 0) {
            EXPECT_EQ(step.held, c.held);
        }
    }
}

// A simulated clock and system: waits move the clock, yields move it by 0.1 ms, and playback
// stops when the clock reaches stopAt (also in the middle of a wait, as the real stop event does)
// or after stopAfterSends sends.
struct SimulatedPlayer {
    Clock::time_point now = Clock::time_point(1h);
    Clock::time_point origin = now;
    Clock::time_point stopAt = Clock::time_point::max();
    size_t stopAfterSends = SIZE_MAX;
    bool playing = true;
    std::vector<std::chrono::milliseconds> waits;
    std::vector<std::pair<double, PlaybackStep>> sends; // ms since origin
    std::vector<std::pair<double, std::pair<int32_t, int32_t>>> cursorMoves;

    double Ms(Clock::time_point t) const {
        return std::chrono::duration<double, std::milli>(t - origin).count();
    }
    void Advance(Clock::duration d) {
        bool stops = stopAt - now <= d;
        now = stops ? stopAt : now + d;
        playing = playing && !stops;
    }
    PlaybackIo Io() {
        PlaybackIo io;
        io.now = [this] { return now; };
        io.isPlaying = [this] { return playing; };
        io.wait = [this](std::chrono::milliseconds d) {
            waits.push_back(d);
            Advance(d);
        };
        io.yield = [this] { Advance(100us); };
        io.moveCursor = [this](int32_t x, int32_t y) { cursorMoves.push_back({Ms(now), {x, y}}); };
        io.send = [this](const PlaybackStep& step) {
            sends.push_back({Ms(now), step});
            playing = playing && sends.size() < stopAfterSends;
        };
        return io;
    }
};

std::vector<InputEvent> KeyTaps(std::initializer_list<int64_t> times) {
    std::vector<InputEvent> events;
    for (int64_t t : times) {
        events.push_back(InputEvent{KeyDown, t, 0, 0, 0x41, 0});
    }
    return events;
}

TEST(PlaybackLogic, EventsGoOutAtTheirOffsetsFromThePassStartUnknownTypesIncluded) {
    SimulatedPlayer sim;
    std::vector<InputEvent> events = KeyTaps({0, 5, 6, 1500});
    events[3].type = static_cast<InputEventType>(12); // unknown: waited for, but nothing to send
    RunPlaybackPass(events, sim.now, sim.Io());
    ASSERT_EQ(sim.sends.size(), 4u);
    EXPECT_EQ(sim.sends[2].second.kind, PlaybackStepKind::Key);
    EXPECT_EQ(sim.sends[3].second.kind, PlaybackStepKind::Nothing);
    const double due[] = {0, 5, 6, 1500};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_GE(sim.sends[i].first, due[i]) << i;
        EXPECT_LT(sim.sends[i].first, due[i] + 0.2) << i;
    }
    // Coarse waits to 2 ms before each due time; a 1 ms step is reached by yielding alone.
    EXPECT_EQ(sim.waits, (std::vector<std::chrono::milliseconds>{3ms, 1492ms}));
}

TEST(PlaybackLogic, LateEventsAndBackwardTimesAreSentAtOnceWithoutDrift) {
    SimulatedPlayer sim;
    auto io = sim.Io();
    // Sending the first event costs 30 ms: the next due times still count from the pass start.
    io.send = [&](const PlaybackStep& step) {
        sim.sends.push_back({sim.Ms(sim.now), step});
        if (sim.sends.size() == 1) {
            sim.now += 30ms;
        }
    };
    RunPlaybackPass(KeyTaps({50, 10, 20, 60, 1000}), sim.now, io);
    ASSERT_EQ(sim.sends.size(), 5u);
    EXPECT_LT(sim.sends[0].first, 50.2);
    for (size_t i : {1, 2, 3}) { // 10 and 20 go backwards, 60 is already late
        EXPECT_DOUBLE_EQ(sim.sends[i].first, 80.0) << i;
    }
    EXPECT_GE(sim.sends[4].first, 1000.0);
    EXPECT_LT(sim.sends[4].first, 1000.2);
}

TEST(PlaybackLogic, StopDuringALongGapEndsThePassWithoutSendingMore) {
    SimulatedPlayer sim;
    sim.stopAt = sim.now + 2500ms;
    RunPlaybackPass(KeyTaps({0, 10'000, 20'000}), sim.now, sim.Io());
    EXPECT_EQ(sim.sends.size(), 1u);
    EXPECT_DOUBLE_EQ(sim.Ms(sim.now), 2500.0); // nothing after the stop, not even a yield
}

TEST(PlaybackLogic, ExtremeEventTimesNeitherOverflowNorSendEarly) {
    SimulatedPlayer sim;
    sim.stopAt = sim.now + 5s;
    RunPlaybackPass(KeyTaps({INT64_MIN, INT64_MAX, 0}), sim.now, sim.Io());
    ASSERT_EQ(sim.sends.size(), 1u); // the far-past event at once, the far-future one never
    EXPECT_DOUBLE_EQ(sim.sends[0].first, 0.0);
}

TEST(PlaybackLogic, CountedPassesPlaceTheCursorAndPauseAsSpecified) {
    SimulatedPlayer sim;
    std::atomic<int32_t> runsDone{0};
    RunPlaybackPasses(KeyTaps({0, 20}), 7, 9, 3, runsDone, sim.Io());
    EXPECT_EQ(runsDone.load(), 3);
    ASSERT_EQ(sim.cursorMoves.size(), 3u);
    ASSERT_EQ(sim.sends.size(), 6u);
    for (const auto& move : sim.cursorMoves) {
        EXPECT_EQ(move.second, (std::pair<int32_t, int32_t>{7, 9}));
    }
    // Pass k: cursor placed, 100 ms lead-in, events at +0 and +20, then 100 ms before the next pass.
    EXPECT_DOUBLE_EQ(sim.cursorMoves[0].first, 0.0);
    EXPECT_DOUBLE_EQ(sim.sends[0].first, 100.0);
    EXPECT_NEAR(sim.sends[1].first, 120.0, 0.2);
    EXPECT_NEAR(sim.cursorMoves[1].first, 220.0, 0.2);
    EXPECT_NEAR(sim.sends[2].first, 320.0, 0.2);
    // No gap after the last pass.
    EXPECT_EQ(sim.waits,
              (std::vector<std::chrono::milliseconds>{100ms, 18ms, 100ms, 100ms, 18ms, 100ms, 100ms, 18ms}));
}

TEST(PlaybackLogic, PassesEndAtTheRepeatCountOrAtTheStop) {
    struct Case {
        const char* name;
        int32_t repeatCount;
        int32_t runsBefore;
        std::chrono::milliseconds stopAt; // 0: no timed stop
        size_t stopAfterSends;
        size_t sends;
        size_t cursorMoves;
        int32_t runsDone;
    };
    const Case cases[] = {
        {"until stopped: the fifth pass is cut short and does not count", -1, 0, 0ms, 9, 9, 5, 4},
        {"stop during the lead-in sends nothing", 1, 0, 50ms, SIZE_MAX, 0, 1, 0},
        {"runs already done count toward the repeat count", 2, 2, 0ms, SIZE_MAX, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedPlayer sim;
        sim.stopAfterSends = c.stopAfterSends;
        if (c.stopAt > 0ms) {
            sim.stopAt = sim.now + c.stopAt;
        }
        std::atomic<int32_t> runsDone{c.runsBefore};
        RunPlaybackPasses(KeyTaps({0, 5}), 0, 0, c.repeatCount, runsDone, sim.Io());
        EXPECT_EQ(sim.sends.size(), c.sends);
        EXPECT_EQ(sim.cursorMoves.size(), c.cursorMoves);
        EXPECT_EQ(runsDone.load(), c.runsDone);
    }
}

} // namespace

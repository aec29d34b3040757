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
    // A, left arrow, right and left Ctrl, Volume Up (not B), Play/Pause, browser Back, each with its
    // virtual key beside the scan code (Wine keys on it); keys of unknown scan code by virtual key
    // alone; codes outside 1..254 never injected.
    // clang-format off
    const Row rows[] = {
        {0x41, 0x1E, {0x41, 0x1E, 0x8}}, {0x25, 0x4B, {0x25, 0x4B, 0x9}}, {0xA3, 0xE01D, {0xA3, 0x1D, 0x9}},
        {0xA2, 0x1D, {0xA2, 0x1D, 0x8}}, {0xAF, 0x30, {0xAF, 0x30, 0x9}}, {0xAF, 0, {0xAF, 0x30, 0x9}},
        {0xB3, 0, {0xB3, 0x22, 0x9}}, {0xA6, 0, {0xA6, 0x6A, 0x9}}, {0x88, 0, {0x88, 0, 0}},
        {0x01, 0, {0x01, 0, 0}}, {0, 0x1E, {}}, {0xFF, 0x1E, {}}, {300, 0x1E, {}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        PlaybackStep down = PlanPlaybackStep({KeyDown, 0, 0, 0, r.vk, 0}, r.systemScan);
        PlaybackStep up = PlanPlaybackStep({KeyUp, 0, 0, 0, r.vk, 0}, r.systemScan);
        bool sent = r.press.flags != 0 || r.press.vk != 0;
        KeyInput release = sent ? KeyInput{r.press.vk, r.press.scan, r.press.flags | 0x2} : KeyInput{};
        EXPECT_EQ(down.kind, sent ? PlaybackStepKind::Key : PlaybackStepKind::Nothing) << "row " << i;
        EXPECT_EQ(down.key, r.press) << "row " << i;
        EXPECT_EQ(up.key, release) << "row " << i;
        EXPECT_EQ(sent ? ReleaseOfHeldKey(r.vk, down.heldKeyPress) : release, release) << "row " << i;
    }
}

// Waits move a simulated clock (ending early at stopAt, as the stop event does), yields 0.1 ms.
TEST(PlaybackLogic, EventsGoOutAtTheirOffsetsLateOnesAtOnceAndPassesEndAtTheCountOrTheStop) {
    struct Row {
        std::vector<int64_t> times;
        int32_t repeatCount, runsBefore, runsDone;
        std::chrono::milliseconds stopAt;
        std::vector<double> sends, cursor;
    };
    // 1: 100 ms lead-in, 100 ms between passes, none after the last; 2: backward times go at once
    // and the next is still on time, the far future is never sent; 3: until stopped, the cut pass
    // does not count; 4: a stop in the lead-in sends nothing; 5: passes already run count.
    // clang-format off
    const Row rows[] = {
        {{0, 20}, 3, 0, 3, 10s, {100, 120, 320, 340, 540, 560}, {0, 220, 440}},
        {{0, 50, 10, 60, 1500, INT64_MIN, INT64_MAX}, 1, 0, 0, 5s, {100, 150, 150, 160, 1600, 1600}, {0}},
        {{0, 20}, -1, 0, 4, 950ms, {100, 120, 320, 340, 540, 560, 760, 780}, {0, 220, 440, 660, 880}},
        {{0, 20}, 1, 0, 0, 50ms, {}, {0}},
        {{0, 20}, 2, 2, 2, 10s, {}, {}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        Clock::time_point origin = Clock::time_point(1h), now = origin, stopAt = origin + r.stopAt;
        auto ms = [&] { return std::chrono::duration<double, std::milli>(now - origin).count(); };
        std::vector<double> sends, cursor;
        PlaybackIo io;
        io.now = [&] { return now; };
        io.isPlaying = [&] { return now < stopAt; };
        io.wait = [&](std::chrono::milliseconds d) { now = std::min(now + d, stopAt); };
        io.yield = [&] { now = std::min<Clock::time_point>(now + 100us, stopAt); };
        io.moveCursor = [&](int32_t, int32_t) { cursor.push_back(ms()); };
        io.send = [&](const PlaybackStep&) { sends.push_back(ms()); };
        std::vector<InputEvent> events(r.times.size());
        std::transform(r.times.begin(), r.times.end(), events.begin(), [](int64_t t) {
            return InputEvent{KeyDown, t};
        });
        std::atomic<int32_t> runs{r.runsBefore};
        RunPlaybackPasses(events, 7, 9, r.repeatCount, runs, io);
        EXPECT_EQ(sends, r.sends) << "row " << i;
        EXPECT_EQ(cursor, r.cursor) << "row " << i;
        EXPECT_EQ(runs.load(), r.runsDone) << "row " << i;
    }
}

} // namespace

// What the recorder keeps of hook messages, the keys the player sends and its simulated schedule.
#include <gtest/gtest.h>

#include "macro/PlaybackLogic.h"
#include "macro/RecordLogic.h"

TEST(RecordLogic, MovesAreThinnedKeysAutoRepeatAndTheRecordHotkeyAreDropped) {
    namespace M = HookMessage;
    // Moves kept beyond 5 px or 16 ms from the last kept one (0, 0 at 0 ms first); keys by the low byte, F8
    // ignored. Then: 0 nothing, 1 a dropped repeat, 2 recorded; its type and x, key or wheel delta.
    // clang-format off
    const std::tuple<uint32_t, uint32_t, int32_t, int32_t, int64_t, const char*> rows[] = {
        {M::MouseMove, 0, 6, 0, 8, "2 0 6"},
        {M::MouseMove, 0, 11, 5, 24, "0 0 0"},
        {M::MouseMove, 0, 11, 5, 25, "2 0 11"},
        {M::MouseMove, 0, 5, 5, 26, "2 0 5"},
        {M::MouseMove, 0, 5, 11, 40, "2 0 5"},
        {M::MouseWheel, 0xFF880000u, 0, 0, 50, "2 7 -120"},
        {M::MouseHorizontalWheel, 0x00780000u, 0, 0, 50, "0 0 0"},
        {M::KeyDown, 0x141, 0, 0, 0, "2 8 65"},
        {M::KeyDown, 0x41, 0, 0, 0, "1 0 0"},
        {M::KeyUp, 0x41, 0, 0, 0, "2 9 65"},
        {M::KeyDown, 0x41, 0, 0, 0, "2 8 65"},
        {M::SysKeyDown, 0xA4, 0, 0, 0, "2 8 164"},
        {M::SysKeyUp, 0x42, 0, 0, 0, "2 9 66"},
        {M::KeyDown, 0x77, 0, 0, 0, "0 0 0"},
        {M::KeyUp, 0x77, 0, 0, 0, "0 0 0"},
        {M::KeyDown, 0x177, 0, 0, 0, "2 8 119"},
    };
    // clang-format on
    LastMouseMove last{0, 0, 0};
    bool keyDown[256] = {};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [message, data, x, y, elapsed, expected] = rows[i];
        InputEvent event;
        int kept = static_cast<int>(RecordKeyMessage({message, data, 0}, 0x77, keyDown, event));
        if (message >= M::MouseMove) {
            std::optional<InputEvent> mouse = RecordMouseMessage({message, x, y, data, elapsed}, last);
            kept = mouse ? 2 : 0;
            event = mouse.value_or(InputEvent{});
        }
        const int32_t v = event.x + static_cast<int32_t>(event.vkCode) + event.wheelDelta;
        auto got = std::to_string(kept) + " " + std::to_string(event.type) + " " + std::to_string(v);
        EXPECT_EQ(got, expected) << "row " << i;
    }
}

TEST(PlaybackLogic, EveryKeyReplaysAsItselfAndIsReleasedExactlyAsPressed) {
    // A key, the system's scan code (0: unknown), the press: Volume Up (not B), Play/Pause and browser Back
    // extended; a virtual key always (Wine keys on it), alone if the scan is unknown; never 0 or 0xFF.
    // clang-format off
    const std::tuple<uint32_t, uint32_t, KeyInput> rows[] = {
        {0x41, 0x1E, {0x41, 0x1E, 0x8}},
        {0xAF, 0x30, {0xAF, 0x30, 0x9}},
        {0xB3, 0, {0xB3, 0x22, 0x9}},
        {0xA6, 0, {0xA6, 0x6A, 0x9}},
        {0x88, 0, {0x88, 0, 0}},
        {0, 0x1E, {}},
        {0xFF, 0x1E, {}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [vk, systemScan, press] = rows[i];
        using enum PlaybackStepKind;
        const PlaybackStep down = PlanPlaybackStep({KeyDown, 0, 0, 0, vk, 0}, systemScan);
        const PlaybackStep up = PlanPlaybackStep({KeyUp, 0, 0, 0, vk, 0}, systemScan);
        const KeyInput release = press.vk ? KeyInput{press.vk, press.scan, press.flags | 0x2} : KeyInput{};
        const KeyInput held = down.kind == Key ? ReleaseOfHeldKey(vk, down.heldKeyPress) : KeyInput{};
        EXPECT_EQ(std::tuple(down.key, up.key, held), std::tuple(press, release, release)) << "row " << i;
    }
}

TEST(PlaybackLogic, EventsGoOutAtTheirOffsetsLateOnesAtOnceAndPassesEndAtTheCountOrTheStop) {
    using namespace std::chrono_literals;
    using Clock = std::chrono::steady_clock;
    using Ms = std::vector<double>;
    // Waits move a simulated clock (ending early at the stop), yields 0.1 ms. 100 ms lead-in and gap;
    // backward times go at once, the next on time, the far future never; a pass cut short does not count.
    // clang-format off
    const std::tuple<std::vector<int64_t>, int32_t, int32_t, Clock::duration, Ms, Ms> rows[] = {
        {{0, 20}, 3, 3, 10s, {100, 120, 320, 340, 540, 560}, {0, 220, 440}},
        {{0, 50, 10, 60, 1500, INT64_MIN, INT64_MAX}, 1, 0, 5s, {100, 150, 150, 160, 1600, 1600}, {0}},
        {{0, 20}, -1, 4, 950ms, {100, 120, 320, 340, 540, 560, 760, 780}, {0, 220, 440, 660, 880}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [times, repeatCount, runsDone, stopAfter, sent, placed] = rows[i];
        Clock::time_point origin = Clock::time_point(1h), now = origin, stopAt = origin + stopAfter;
        auto ms = [&] { return std::chrono::duration<double, std::milli>(now - origin).count(); };
        Ms sends, cursor;
        PlaybackIo io;
        io.now = [&] { return now; };
        io.isPlaying = [&] { return now < stopAt; };
        io.wait = [&](std::chrono::milliseconds d) { now = std::min(now + d, stopAt); };
        io.yield = [&] { now = std::min<Clock::time_point>(now + 100us, stopAt); };
        io.moveCursor = [&](int32_t, int32_t) { cursor.push_back(ms()); };
        io.send = [&](const PlaybackStep&) { sends.push_back(ms()); };
        std::vector<InputEvent> events;
        for (int64_t t : times) {
            events.push_back({KeyDown, t});
        }
        std::atomic<int32_t> runs{0};
        RunPlaybackPasses(events, 7, 9, repeatCount, runs, io);
        EXPECT_EQ(std::tuple(sends, cursor, runs.load()), std::tuple(sent, placed, runsDone)) << "row " << i;
    }
}

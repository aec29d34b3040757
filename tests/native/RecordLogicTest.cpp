// What the recorder keeps of hook messages: move thinning, wheel sign, auto-repeat, record hotkey.
#include <gtest/gtest.h>

#include "macro/RecordLogic.h"

namespace {

TEST(RecordLogic, MovesAreThinnedKeysAutoRepeatAndTheRecordHotkeyAreDropped) {
    namespace M = HookMessage;
    struct Row {
        uint32_t message, data, x, elapsed; // data: mouseData, or the key's code
        int kept;                           // 0 nothing, 1 dropped key repeat, 2 recorded
        int32_t wheel;
    };
    // Moves from a kept one at (0, 0), time 0: kept beyond 5 px or 16 ms from the last kept move
    // (a dropped move must not become the reference). Keys: a repeat, a release without a press,
    // F8, WM_CHAR, 0x143 kept as 0x43 (so 0x43 is its repeat), the hotkey compared on the full code.
    // clang-format off
    const Row rows[] = {
        {M::MouseMove, 0, 3, 4, 0, 0}, {M::MouseMove, 0, 6, 8, 2, 0}, {M::MouseMove, 0, 9, 12, 0, 0},
        {M::MouseMove, 0, 11, 24, 0, 0}, {M::MouseMove, 0, 11, 25, 2, 0}, {M::MouseMove, 0, 6, 26, 0, 0},
        {M::MouseWheel, 0xFF880000u, 0, 30, 2, -120}, {M::MouseWheel, 0x80000000u, 0, 30, 2, -32768},
        {M::MouseHorizontalWheel, 0x00780000u, 0, 30, 0, 0}, {M::XButtonDown, 0x10000u, 0, 30, 0, 0},
        {M::KeyDown, 0x41, 0, 0, 2, 0}, {M::KeyDown, 0x41, 0, 0, 1, 0}, {M::KeyUp, 0x41, 0, 0, 2, 0},
        {M::KeyDown, 0x41, 0, 0, 2, 0}, {M::SysKeyDown, 0xA4, 0, 0, 2, 0}, {M::SysKeyDown, 0xA4, 0, 0, 1, 0},
        {M::KeyUp, 0x42, 0, 0, 2, 0}, {M::KeyDown, 0x77, 0, 0, 0, 0}, {M::KeyUp, 0x77, 0, 0, 0, 0},
        {0x0102, 0x43, 0, 0, 0, 0}, {M::KeyDown, 0x143, 0, 0, 2, 0}, {M::KeyDown, 0x43, 0, 0, 1, 0},
        {M::KeyDown, 0x177, 0, 0, 2, 0},
    };
    // clang-format on
    LastMouseMove last{0, 0, 0};
    bool keyDown[256] = {};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        InputEvent event;
        int kept = static_cast<int>(RecordKeyMessage({r.message, r.data, 0}, 0x77, keyDown, event));
        if (r.message >= M::MouseMove) {
            std::optional<InputEvent> mouse =
                RecordMouseMessage({r.message, int32_t(r.x), 0, r.data, r.elapsed}, last);
            kept = mouse ? 2 : 0;
            event = mouse.value_or(InputEvent{});
        }
        EXPECT_EQ(kept, r.kept) << "row " << i;
        EXPECT_EQ(event.wheelDelta, r.wheel) << "row " << i;
        EXPECT_TRUE(kept != 2 || r.message >= M::MouseMove || event.vkCode == (r.data & 0xFF)) << "row " << i;
    }
    EXPECT_EQ(last.x, 11);
}

} // namespace

// What the recorder keeps of hook messages: move thinning, the wheel's sign, auto-repeat and the
// record hotkey.
#include <gtest/gtest.h>

#include "macro/RecordLogic.h"

namespace {

TEST(RecordLogic, MovesAreKeptBeyondFivePixelsOrSixteenMillisecondsFromTheLastKeptOne) {
    namespace M = HookMessage;
    struct Row {
        uint32_t message, mouseData, x, elapsed, kept;
        int32_t wheel;
    };
    // One sequence from a kept move at (0, 0), time 0: a dropped move must not become the reference.
    // clang-format off
    const Row rows[] = {
        {M::MouseMove, 0, 3, 4, 0, 0}, {M::MouseMove, 0, 6, 8, 1, 0},
        {M::MouseMove, 0, 9, 12, 0, 0}, {M::MouseMove, 0, 11, 24, 0, 0},
        {M::MouseMove, 0, 11, 25, 1, 0}, {M::MouseMove, 0, 6, 26, 0, 0},
        {M::MouseWheel, 0xFF880000u, 0, 30, 1, -120}, {M::MouseWheel, 0x80000000u, 0, 30, 1, -32768},
        {M::MouseHorizontalWheel, 0x00780000u, 0, 30, 0, 0},
        {M::XButtonDown, 0x10000u, 0, 30, 0, 0},
    };
    // clang-format on
    LastMouseMove last{0, 0, 0};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        auto event = RecordMouseMessage({r.message, int32_t(r.x), 0, r.mouseData, r.elapsed}, last);
        EXPECT_EQ(event.has_value(), r.kept != 0) << "row " << i;
        EXPECT_EQ(event ? event->wheelDelta : 0, r.wheel) << "row " << i;
    }
    EXPECT_EQ(last.x, 11);
}

TEST(RecordLogic, KeysRecordFirstPressAndEveryReleaseButNeverTheRecordHotkey) {
    using A = KeyRecordAction;
    namespace M = HookMessage;
    struct Row {
        uint32_t message, vk;
        A action;
    };
    // An auto-repeat, a release without a press, F8 (the record hotkey), WM_CHAR, 0x143 kept as 0x43
    // (so 0x43 is its repeat), the hotkey compared on the full code.
    // clang-format off
    const Row rows[] = {
        {M::KeyDown, 0x41, A::Append}, {M::KeyDown, 0x41, A::Drop}, {M::KeyUp, 0x41, A::Append},
        {M::KeyDown, 0x41, A::Append}, {M::SysKeyDown, 0xA4, A::Append}, {M::SysKeyDown, 0xA4, A::Drop},
        {M::KeyUp, 0x42, A::Append}, {M::KeyDown, 0x77, A::Ignore}, {M::KeyUp, 0x77, A::Ignore},
        {0x0102, 0x43, A::Ignore}, {M::KeyDown, 0x143, A::Append}, {M::KeyDown, 0x43, A::Drop},
        {M::KeyDown, 0x177, A::Append},
    };
    // clang-format on
    bool keyDown[256] = {};
    for (size_t i = 0; i < std::size(rows); ++i) {
        InputEvent event;
        EXPECT_EQ(RecordKeyMessage({rows[i].message, rows[i].vk, 7}, 0x77, keyDown, event), rows[i].action)
            << "row " << i;
        EXPECT_TRUE(rows[i].action != A::Append || event.vkCode == (rows[i].vk & 0xFF)) << "row " << i;
    }
}

} // namespace

// What the recorder keeps of hook messages: thinning, button and wheel events, auto-repeat,
// the record hotkey, and the status line.
#include <gtest/gtest.h>

#include <tuple>

#include "macro/RecordLogic.h"

namespace {

TEST(RecordLogic, MovesAreKeptOnlyBeyondFivePixelsOrSixteenMilliseconds) {
    struct Case {
        const char* name;
        int32_t x, y;
        int64_t elapsed;
        bool recorded;
    };
    // The last kept move is at (100, 200) at time 0, as when recording has just started there.
    const Case cases[] = {
        {"3 px at 5 ms", 103, 200, 5, false},        {"3 px at 17 ms", 103, 200, 17, true},
        {"6 px at 1 ms", 106, 200, 1, true},         {"6 px up at 1 ms", 100, 194, 1, true},
        {"5 px both at 16 ms", 105, 195, 16, false}, {"5 px left at 0 ms", 95, 200, 0, false},
        {"same place at 17 ms", 100, 200, 17, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LastMouseMove last{100, 200, 0};
        std::optional<InputEvent> event =
            RecordMouseMessage(MouseHookMessage{HookMessage::MouseMove, c.x, c.y, 0, c.elapsed}, last);
        ASSERT_EQ(event.has_value(), c.recorded);
        EXPECT_EQ(std::make_tuple(last.x, last.y, last.time),
                  c.recorded ? std::make_tuple(c.x, c.y, c.elapsed) : std::make_tuple(100, 200, int64_t{0}));
        if (event) {
            EXPECT_EQ(*event, (InputEvent{MouseMove, c.elapsed, c.x, c.y, 0, 0}));
        }
    }
}

TEST(RecordLogic, DroppedMovesDoNotMoveTheReferencePoint) {
    LastMouseMove last{0, 0, 0};
    // Creeping 3 px at a time: each step is measured from the last kept move, not the last seen.
    EXPECT_FALSE(RecordMouseMessage({HookMessage::MouseMove, 3, 0, 0, 4}, last));
    EXPECT_TRUE(RecordMouseMessage({HookMessage::MouseMove, 6, 0, 0, 8}, last));
    EXPECT_FALSE(RecordMouseMessage({HookMessage::MouseMove, 9, 0, 0, 12}, last));
    EXPECT_FALSE(RecordMouseMessage({HookMessage::MouseMove, 11, 0, 0, 24}, last));
    EXPECT_TRUE(RecordMouseMessage({HookMessage::MouseMove, 11, 0, 0, 25}, last));
}

TEST(RecordLogic, ButtonsAndTheWheelAreRecordedWithTheirPositionOtherMessagesAreNot) {
    namespace M = HookMessage;
    struct Case {
        uint32_t message;
        uint32_t mouseData;
        std::optional<InputEventType> type;
        int32_t wheel;
    };
    const Case cases[] = {
        {M::LeftButtonDown, 0, LeftDown, 0},
        {M::LeftButtonUp, 0, LeftUp, 0},
        {M::RightButtonDown, 0, RightDown, 0},
        {M::RightButtonUp, 0, RightUp, 0},
        {M::MiddleButtonDown, 0, MiddleDown, 0},
        {M::MiddleButtonUp, 0, MiddleUp, 0},
        {M::LeftButtonDoubleClick, 0, {}, 0},
        {M::RightButtonDoubleClick, 0, {}, 0},
        {M::MiddleButtonDoubleClick, 0, {}, 0},
        {M::XButtonDown, 0x00010000u, {}, 0},
        {M::MouseHorizontalWheel, 0x00780000u, {}, 0},
        // The wheel delta is the signed high word: -120, not 65,416.
        {M::MouseWheel, 0x00780000u, MouseWheel, 120},
        {M::MouseWheel, 0xFF880000u, MouseWheel, -120},
        {M::MouseWheel, 0xFF10FFFFu, MouseWheel, -240},
        {M::MouseWheel, 0x80000000u, MouseWheel, -32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.mouseData);
        LastMouseMove last{0, 0, 0};
        std::optional<InputEvent> event = RecordMouseMessage({c.message, 40, 50, c.mouseData, 7}, last);
        ASSERT_EQ(event.has_value(), c.type.has_value());
        if (event) {
            EXPECT_EQ(*event, (InputEvent{*c.type, 7, 40, 50, 0, c.wheel}));
        }
        EXPECT_EQ(last.x, 0) << "only moves change the reference point";
    }
}

TEST(RecordLogic, KeysRecordFirstPressAndEveryReleaseButNeverTheRecordHotkey) {
    using A = KeyRecordAction;
    namespace M = HookMessage;
    struct Step {
        uint32_t message;
        uint32_t vk;
        A action;
        InputEventType type;
    };
    const uint32_t f8 = 0x77;
    const Step steps[] = {
        {M::KeyDown, 0x41, A::Append, KeyDown},
        {M::KeyDown, 0x41, A::Drop, KeyDown}, // auto-repeat
        {M::KeyDown, 0x41, A::Drop, KeyDown},
        {M::KeyUp, 0x41, A::Append, KeyUp},
        {M::KeyDown, 0x41, A::Append, KeyDown}, // a new press after the release
        {M::SysKeyDown, 0x12, A::Append, KeyDown},
        {M::SysKeyDown, 0x12, A::Drop, KeyDown},
        {M::SysKeyUp, 0x12, A::Append, KeyUp},
        {M::KeyUp, 0x42, A::Append, KeyUp}, // a release without a recorded press
        {M::KeyDown, f8, A::Ignore, KeyDown},
        {M::KeyUp, f8, A::Ignore, KeyUp},
        {0x0102 /* WM_CHAR */, 0x43, A::Ignore, KeyDown},
        {M::KeyDown, 0x143, A::Append, KeyDown}, // tracked as 0x43...
        {M::KeyDown, 0x43, A::Drop, KeyDown},    // ...so this is its auto-repeat
        // The hotkey is compared on the full code, and its ignored press did not mark F8 held.
        {M::KeyDown, 0x177, A::Append, KeyDown},
    };
    bool keyDown[256] = {};
    int index = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index);
        InputEvent event;
        KeyRecordAction action = RecordKeyMessage({step.message, step.vk, 10 + index}, f8, keyDown, event);
        EXPECT_EQ(action, step.action);
        if (action == A::Append) {
            EXPECT_EQ(event, (InputEvent{step.type, 10 + index, 0, 0, step.vk & 0xFF, 0}));
        }
        ++index;
    }
}

TEST(RecordLogic, StatusTextFollowsRecordingClickerAndEventCount) {
    EXPECT_EQ(FormatRecordStatus(true, false, 200, 5), L"Recording... Events: 200");
    EXPECT_EQ(FormatRecordStatus(true, true, 0, 5), L"Recording... Events: 0");
    EXPECT_EQ(FormatRecordStatus(false, false, 250, 5), L"Ready to playback | Events: 250");
    EXPECT_EQ(FormatRecordStatus(false, false, 0, 42), L"Status: Stopped | Clicks: 42");
    EXPECT_EQ(FormatRecordStatus(false, true, 250, 42), std::nullopt);
    EXPECT_EQ(FormatRecordStatus(false, true, 0, 42), std::nullopt);
}

} // namespace

// What the recorder keeps of hook messages: thinning, button and wheel events, auto-repeat,
// the record hotkey, and the status line.
#include <gtest/gtest.h>

#include "macro/RecordLogic.h"

namespace {

struct MoveCase {
    const char* name;
    int32_t x;
    int32_t y;
    int64_t elapsed;
    bool recorded;
};

TEST(RecordLogic, MovesAreKeptOnlyBeyondFivePixelsOrSixteenMilliseconds) {
    // The last kept move is at (100, 200) at time 0, as when recording has just started there.
    const MoveCase cases[] = {
        {"3 px at 5 ms", 103, 200, 5, false},
        {"3 px at 17 ms", 103, 200, 17, true},
        {"6 px at 1 ms", 106, 200, 1, true},
        {"6 px up at 1 ms", 100, 194, 1, true},
        {"5 px on both axes at 16 ms", 105, 195, 16, false},
        {"5 px left at 0 ms", 95, 200, 0, false},
        {"same place at 17 ms", 100, 200, 17, true},
    };
    for (const MoveCase& c : cases) {
        LastMouseMove last{100, 200, 0};
        std::optional<InputEvent> event =
            RecordMouseMessage(MouseHookMessage{HookMessage::MouseMove, c.x, c.y, 0, c.elapsed}, last);
        EXPECT_EQ(event.has_value(), c.recorded) << c.name;
        if (c.recorded) {
            EXPECT_EQ(*event, (InputEvent{MouseMove, c.elapsed, c.x, c.y, 0, 0})) << c.name;
            EXPECT_EQ(last.x, c.x) << c.name;
            EXPECT_EQ(last.y, c.y) << c.name;
            EXPECT_EQ(last.time, c.elapsed) << c.name;
        } else {
            EXPECT_EQ(last.x, 100) << c.name;
            EXPECT_EQ(last.time, 0) << c.name;
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

TEST(RecordLogic, ButtonsAndWheelAreRecordedWithTheirPositionOthersAreNot) {
    struct Case {
        uint32_t message;
        std::optional<InputEventType> type;
    };
    const Case cases[] = {
        {HookMessage::LeftButtonDown, LeftDown},
        {HookMessage::LeftButtonUp, LeftUp},
        {HookMessage::RightButtonDown, RightDown},
        {HookMessage::RightButtonUp, RightUp},
        {HookMessage::MiddleButtonDown, MiddleDown},
        {HookMessage::MiddleButtonUp, MiddleUp},
        {HookMessage::LeftButtonDoubleClick, std::nullopt},
        {HookMessage::RightButtonDoubleClick, std::nullopt},
        {HookMessage::MiddleButtonDoubleClick, std::nullopt},
        {HookMessage::XButtonDown, std::nullopt},
        {HookMessage::MouseHorizontalWheel, std::nullopt},
    };
    for (const Case& c : cases) {
        LastMouseMove last{0, 0, 0};
        std::optional<InputEvent> event = RecordMouseMessage({c.message, 40, 50, 0x00780000, 7}, last);
        ASSERT_EQ(event.has_value(), c.type.has_value()) << std::hex << c.message;
        if (event) {
            EXPECT_EQ(*event, (InputEvent{*c.type, 7, 40, 50, 0, 0})) << std::hex << c.message;
        }
        EXPECT_EQ(last.x, 0) << "only moves change the reference point";
    }
}

TEST(RecordLogic, WheelDeltaIsTheSignedHighWord) {
    const std::pair<uint32_t, int32_t> cases[] = {{0x00780000u, 120},
                                                  {0xFF880000u, -120},
                                                  {0xFF10FFFFu, -240},
                                                  {0x7FFF0000u, 32767},
                                                  {0x80000000u, -32768}};
    for (auto [mouseData, delta] : cases) {
        LastMouseMove last;
        std::optional<InputEvent> event =
            RecordMouseMessage({HookMessage::MouseWheel, 1, 2, mouseData, 3}, last);
        ASSERT_TRUE(event);
        EXPECT_EQ(*event, (InputEvent{MouseWheel, 3, 1, 2, 0, delta})) << std::hex << mouseData;
    }
}

TEST(RecordLogic, KeysRecordFirstPressAndEveryReleaseButNeverTheRecordHotkey) {
    struct Step {
        uint32_t message;
        uint32_t vk;
        KeyRecordAction action;
        InputEventType type;
    };
    const uint32_t f8 = 0x77;
    const Step steps[] = {
        {HookMessage::KeyDown, 0x41, KeyRecordAction::Append, KeyDown},
        {HookMessage::KeyDown, 0x41, KeyRecordAction::Drop, KeyDown}, // auto-repeat
        {HookMessage::KeyDown, 0x41, KeyRecordAction::Drop, KeyDown},
        {HookMessage::KeyUp, 0x41, KeyRecordAction::Append, KeyUp},
        {HookMessage::KeyDown, 0x41, KeyRecordAction::Append, KeyDown}, // a new press after release
        {HookMessage::SysKeyDown, 0x12, KeyRecordAction::Append, KeyDown},
        {HookMessage::SysKeyDown, 0x12, KeyRecordAction::Drop, KeyDown},
        {HookMessage::SysKeyUp, 0x12, KeyRecordAction::Append, KeyUp},
        {HookMessage::KeyUp, 0x42, KeyRecordAction::Append, KeyUp}, // release without a recorded press
        {HookMessage::KeyDown, f8, KeyRecordAction::Ignore, KeyDown},
        {HookMessage::KeyUp, f8, KeyRecordAction::Ignore, KeyUp},
        {0x0102 /* WM_CHAR */, 0x43, KeyRecordAction::Ignore, KeyDown},
        {HookMessage::KeyDown, 0x143, KeyRecordAction::Append, KeyDown}, // reduced to 0x43
        {HookMessage::KeyDown, 0x43, KeyRecordAction::Drop, KeyDown},
    };
    bool keyDown[256] = {};
    int index = 0;
    for (const Step& step : steps) {
        InputEvent event;
        KeyRecordAction action = RecordKeyMessage({step.message, step.vk, 10 + index}, f8, keyDown, event);
        EXPECT_EQ(action, step.action) << "step " << index;
        if (action == KeyRecordAction::Append) {
            EXPECT_EQ(event, (InputEvent{step.type, 10 + index, 0, 0, step.vk & 0xFF, 0}))
                << "step " << index;
        }
        ++index;
    }
    EXPECT_FALSE(keyDown[0x77]);
    EXPECT_TRUE(keyDown[0x41]);
    EXPECT_TRUE(keyDown[0x43]);
}

TEST(RecordLogic, HotkeyIsComparedOnTheFullKeyCode) {
    bool keyDown[256] = {};
    InputEvent event;
    // 0x177 is not F8, though its low byte is.
    EXPECT_EQ(RecordKeyMessage({HookMessage::KeyDown, 0x177, 0}, 0x77, keyDown, event),
              KeyRecordAction::Append);
    EXPECT_EQ(event.vkCode, 0x77u);
}

TEST(RecordLogic, StatusRefreshesAtEveryHundredEvents) {
    EXPECT_TRUE(IsStatusRefreshDue(0));
    EXPECT_FALSE(IsStatusRefreshDue(1));
    EXPECT_FALSE(IsStatusRefreshDue(99));
    EXPECT_TRUE(IsStatusRefreshDue(100));
    EXPECT_FALSE(IsStatusRefreshDue(250));
    EXPECT_TRUE(IsStatusRefreshDue(300));
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

#include "macro/RecordLogic.h"

#include <cwchar>

namespace {

int64_t Distance(int32_t a, int32_t b) {
    int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    return d < 0 ? -d : d;
}

InputEvent MouseEvent(InputEventType type, const MouseHookMessage& message) {
    InputEvent event;
    event.type = type;
    event.time = message.elapsed;
    event.x = message.x;
    event.y = message.y;
    return event;
}

} // namespace

std::optional<InputEvent> RecordMouseMessage(const MouseHookMessage& message, LastMouseMove& lastMove) {
    switch (message.message) {
        case HookMessage::MouseMove: {
            bool farEnough = Distance(message.x, lastMove.x) > kMoveThresholdPixels ||
                             Distance(message.y, lastMove.y) > kMoveThresholdPixels;
            bool lateEnough = message.elapsed - lastMove.time > kMoveThresholdMs;
            if (!farEnough && !lateEnough) {
                return std::nullopt;
            }
            lastMove = LastMouseMove{message.x, message.y, message.elapsed};
            return MouseEvent(MouseMove, message);
        }
        case HookMessage::LeftButtonDown: return MouseEvent(LeftDown, message);
        case HookMessage::LeftButtonUp: return MouseEvent(LeftUp, message);
        case HookMessage::RightButtonDown: return MouseEvent(RightDown, message);
        case HookMessage::RightButtonUp: return MouseEvent(RightUp, message);
        case HookMessage::MiddleButtonDown: return MouseEvent(MiddleDown, message);
        case HookMessage::MiddleButtonUp: return MouseEvent(MiddleUp, message);
        case HookMessage::MouseWheel: {
            InputEvent event = MouseEvent(MouseWheel, message);
            // The high word is a signed count of wheel units: a notch toward the user is -120.
            event.wheelDelta = static_cast<int16_t>(static_cast<uint16_t>(message.mouseData >> 16));
            return event;
        }
        default: return std::nullopt; // double clicks, X buttons, horizontal wheel
    }
}

KeyRecordAction RecordKeyMessage(const KeyHookMessage& message, uint32_t recordHotkey, bool (&keyDown)[256],
                                 InputEvent& event) {
    if (message.vkCode == recordHotkey) {
        return KeyRecordAction::Ignore;
    }
    bool press = message.message == HookMessage::KeyDown || message.message == HookMessage::SysKeyDown;
    bool release = message.message == HookMessage::KeyUp || message.message == HookMessage::SysKeyUp;
    if (!press && !release) {
        return KeyRecordAction::Ignore;
    }
    uint32_t vk = message.vkCode & 0xFF;
    if (press && keyDown[vk]) {
        return KeyRecordAction::Drop;
    }
    keyDown[vk] = press;
    event = InputEvent{};
    event.type = press ? KeyDown : KeyUp;
    event.time = message.elapsed;
    event.vkCode = vk;
    return KeyRecordAction::Append;
}

bool IsHookKeyCode(uint32_t vkCode) {
    switch (vkCode) {
        case 0x01: // VK_LBUTTON
        case 0x02: // VK_RBUTTON
        case 0x04: // VK_MBUTTON
        case 0x05: // VK_XBUTTON1
        case 0x06: // VK_XBUTTON2
        case 0x10: // VK_SHIFT
        case 0x11: // VK_CONTROL
        case 0x12: // VK_MENU
            return false;
        default: return vkCode > 0 && vkCode < 255;
    }
}

bool IsStatusRefreshDue(size_t eventCount) {
    return eventCount % kStatusRefreshEvents == 0;
}

// One recorded mouse or keyboard event and its kind codes. Platform-free: shared by the
// recorder, the player and the profile codec.
#pragma once

#include <cstdint>

enum InputEventType : int32_t {
    MouseMove = 0,
    LeftDown = 1,
    LeftUp = 2,
    RightDown = 3,
    RightUp = 4,
    MiddleDown = 5,
    MiddleUp = 6,
    MouseWheel = 7,
    KeyDown = 8,
    KeyUp = 9,
};

struct InputEvent {
    InputEventType type = MouseMove;
    int64_t time = 0; // milliseconds since recording started
    int32_t x = 0;    // screen position of mouse events
    int32_t y = 0;
    uint32_t vkCode = 0;    // virtual-key code of key events
    int32_t wheelDelta = 0; // signed wheel rotation of MouseWheel events

    friend bool operator==(const InputEvent&, const InputEvent&) = default;
};

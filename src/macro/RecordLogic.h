// What the recorder keeps of each hook message: mouse-move thinning, auto-repeat and hotkey
// filtering, the signed wheel delta, and the status line. Platform-free: the hook procedures
// copy the hook structs into the plain messages below and append what comes back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "macro/InputEvent.h"

// Window message numbers the hooks deliver (the same values as in the Windows headers).
namespace HookMessage {
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t KeyUp = 0x0101;
constexpr uint32_t SysKeyDown = 0x0104;
constexpr uint32_t SysKeyUp = 0x0105;
constexpr uint32_t MouseMove = 0x0200;
constexpr uint32_t LeftButtonDown = 0x0201;
constexpr uint32_t LeftButtonUp = 0x0202;
constexpr uint32_t LeftButtonDoubleClick = 0x0203;
constexpr uint32_t RightButtonDown = 0x0204;
constexpr uint32_t RightButtonUp = 0x0205;
constexpr uint32_t RightButtonDoubleClick = 0x0206;
constexpr uint32_t MiddleButtonDown = 0x0207;
constexpr uint32_t MiddleButtonUp = 0x0208;
constexpr uint32_t MiddleButtonDoubleClick = 0x0209;
constexpr uint32_t MouseWheel = 0x020A;
constexpr uint32_t XButtonDown = 0x020B;
constexpr uint32_t MouseHorizontalWheel = 0x020E;
} // namespace HookMessage

// A mouse hook message: the message, the hook struct's pt and mouseData, and the whole
// milliseconds since recording started.
struct MouseHookMessage {
    uint32_t message = 0;
    int32_t x = 0;
    int32_t y = 0;
    uint32_t mouseData = 0;
    int64_t elapsed = 0;
};

// A keyboard hook message: the message, the hook struct's vkCode and the elapsed milliseconds.
struct KeyHookMessage {
    uint32_t message = 0;
    uint32_t vkCode = 0;
    int64_t elapsed = 0;
};

// The last recorded mouse move, which the next move must get away from to be recorded.
struct LastMouseMove {
    int32_t x = 0;
    int32_t y = 0;
    int64_t time = 0;
};

// Moves are kept when they are more than this many pixels away on either axis...
constexpr int32_t kMoveThresholdPixels = 5;
// ...or come more than this many milliseconds after the last kept move.
constexpr int64_t kMoveThresholdMs = 16;
// The status line follows the recording every this many events.
constexpr size_t kStatusRefreshEvents = 100;

// The event a mouse message records, if any. A kept move becomes the new last move.
std::optional<InputEvent> RecordMouseMessage(const MouseHookMessage& message, LastMouseMove& lastMove);

// What the keyboard hook does with a message.
enum class KeyRecordAction {
    Ignore, // the record hotkey or not a key message: no event and no status refresh
    Drop,   // an auto-repeat press: no event, but the status may refresh
    Append, // record the event
};

// Decides on a key message; keyDown (indexed by vkCode & 0xFF) tracks the keys held during the
// recording so that auto-repeat presses are dropped. Releases are always recorded.
KeyRecordAction RecordKeyMessage(const KeyHookMessage& message, uint32_t recordHotkey, bool (&keyDown)[256],
                                 InputEvent& event);

// True for the codes the keyboard hook reports for keys: not the mouse buttons (1, 2, 4, 5, 6)
// and not the generic Shift, Ctrl and Alt (the hook names their left or right key instead).
bool IsHookKeyCode(uint32_t vkCode);

// True when a list of this size should refresh the status line (every 100, 0 included).
bool IsStatusRefreshDue(size_t eventCount);

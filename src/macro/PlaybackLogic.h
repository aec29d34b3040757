// The player's decisions as plain numbers: which INPUT each recorded event becomes, which keys
// and buttons it leaves held, and when each event is due. Platform-free: the worker thread
// supplies the clock, the waits and the injection through PlaybackIo.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/InputFlags.h"
#include "macro/InputEvent.h"

// Mouse buttons in the order of the held-button table: left, right, middle.
constexpr int kButtonCount = 3;
constexpr uint32_t kButtonReleaseFlags[kButtonCount] = {InputFlag::MouseLeftUp, InputFlag::MouseRightUp,
                                                        InputFlag::MouseMiddleUp};

// Pauses of a pass: after placing the cursor at the start point, and between two passes.
constexpr std::chrono::milliseconds kPassLeadIn{100};
constexpr std::chrono::milliseconds kPassGap{100};
// The part of each wait covered by yielding rather than sleeping.
constexpr std::chrono::milliseconds kYieldMargin{2};
// Event times beyond this (only a hand-made profile has them) are treated as this far away,
// so that due times stay representable.
constexpr int64_t kMaxEventTimeMs = 1'000'000'000'000; // about 31 years

// One INPUT_KEYBOARD as the player sends it: by scan code whenever the key's scan code is known,
// so that the target sees the key as it was recorded; by virtual key otherwise. A scan-coded key
// carries its virtual key too: Windows ignores it then, but Wine takes it as the key's identity
// (without it the key arrives as virtual key 0 and types nothing).
struct KeyInput {
    uint16_t vk = 0;
    uint16_t scan = 0;
    uint32_t flags = 0;

    friend bool operator==(const KeyInput&, const KeyInput&) = default;
};

// The low byte of the E0-prefixed scan code of a key whose code needs the extended-key flag, or
// 0. The system's own mapping drops the prefix (and Wine maps the media keys to 0 outright), so
// Volume Up would play as B: the navigation block, arrows, Windows and Applications keys, numeric-
// pad divide, Num Lock, right Ctrl and right Alt, and the browser, volume, media and launch keys.
uint8_t ExtendedScanCode(uint32_t vkCode);

// The press or release of a key in 1..254 (the caller checks). systemScan is the system's
// VK-to-scan mapping of the key; 0 means the key's scan code is unknown.
KeyInput PlanKeyInput(uint32_t vkCode, uint32_t systemScan, bool press);

// A held key's entry packs the press that holds it, so that its release is sent exactly as the
// press was (scan or virtual key, extended or not), whatever the mapping says by then; the virtual
// key is the entry's index. 0: not held.
uint32_t PackHeldKey(const KeyInput& press);
KeyInput ReleaseOfHeldKey(uint32_t vkCode, uint32_t packed);

enum class PlaybackStepKind {
    Nothing,    // unknown event type: its time is waited for, nothing is sent
    MoveCursor, // SetCursorPos(x, y)
    Mouse,      // one INPUT_MOUSE: dx 0, dy 0, mouseData, dwFlags = mouseFlags
    Key,        // one INPUT_KEYBOARD: wVk, wScan and dwFlags from key
};

// One recorded event as the worker sends it, and the held-input entry it changes afterwards.
struct PlaybackStep {
    PlaybackStepKind kind = PlaybackStepKind::Nothing;
    int32_t x = 0;
    int32_t y = 0;
    uint32_t mouseFlags = 0;
    uint32_t mouseData = 0; // the wheel delta's two's-complement pattern
    KeyInput key;
    int heldKey = -1;          // key whose held entry changes, or -1
    uint32_t heldKeyPress = 0; // the key's new held entry (PackHeldKey of a press, 0 on release)
    int heldButton = -1;       // button (0 left, 1 right, 2 middle) whose held entry changes, or -1
    bool held = false;         // the button's new value
};

// Key codes outside 1..254 (a hand-made profile may hold them) become Nothing: never injected.
PlaybackStep PlanPlaybackStep(const InputEvent& event, uint32_t systemScan);

// The offset from the start of a pass at which an event is due.
std::chrono::steady_clock::duration DueOffset(int64_t eventTimeMs);

// What the player needs from the system. wait() sleeps for up to the given time and returns
// early when playback is stopped; isPlaying() is the stop signal, tested before every step.
struct PlaybackIo {
    std::function<std::chrono::steady_clock::time_point()> now;
    std::function<bool()> isPlaying;
    std::function<void(std::chrono::milliseconds)> wait;
    std::function<void()> yield;
    std::function<void(int32_t, int32_t)> moveCursor;
    std::function<void(const PlaybackStep&)> send;
    // The system's VK-to-scan mapping (asked on the thread that sends, for its keyboard layout).
    std::function<uint32_t(uint32_t)> scanOf = [](uint32_t) { return 0u; };
};

// One pass over the events, each sent at its offset from passStart; the list's size is read
// before every event. Late events (also those whose time goes backwards) are sent at once.
void RunPlaybackPass(const std::vector<InputEvent>& events, std::chrono::steady_clock::time_point passStart,
                     const PlaybackIo& io);

// Passes until the repeat count (-1: until stopped) is reached or playback stops. Each pass
// places the cursor at the start point and waits 100 ms first; 100 ms separate two passes.
void RunPlaybackPasses(const std::vector<InputEvent>& events, int32_t startX, int32_t startY,
                       int32_t repeatCount, std::atomic<int32_t>& runsDone, const PlaybackIo& io);

#include "macro/PlaybackLogic.h"

#include <algorithm>

namespace {

PlaybackStep MouseStep(uint32_t flags, int button, bool held) {
    PlaybackStep step;
    step.kind = PlaybackStepKind::Mouse;
    step.mouseFlags = flags;
    step.heldButton = button;
    step.held = held;
    return step;
}

PlaybackStep KeyStep(uint32_t vkCode, uint32_t systemScan, bool press) {
    PlaybackStep step;
    if (vkCode < 1 || vkCode > 254) {
        return step;
    }
    step.kind = PlaybackStepKind::Key;
    step.key = PlanKeyInput(vkCode, systemScan, press);
    step.heldKey = static_cast<int>(vkCode);
    step.heldKeyPress = press ? PackHeldKey(step.key) : 0;
    return step;
}

struct ExtendedKey {
    uint8_t vk;
    uint8_t scan;
};

constexpr ExtendedKey kExtendedKeys[] = {
    // Page Up, Page Down, End, Home, the arrows, Insert, Delete
    {0x21, 0x49},
    {0x22, 0x51},
    {0x23, 0x4F},
    {0x24, 0x47},
    {0x25, 0x4B},
    {0x26, 0x48},
    {0x27, 0x4D},
    {0x28, 0x50},
    {0x2D, 0x52},
    {0x2E, 0x53},
    // left and right Windows, Applications, numeric-pad divide, Num Lock, right Ctrl, right Alt
    {0x5B, 0x5B},
    {0x5C, 0x5C},
    {0x5D, 0x5D},
    {0x6F, 0x35},
    {0x90, 0x45},
    {0xA3, 0x1D},
    {0xA5, 0x38},
    // browser Back, Forward, Refresh, Stop, Search, Favorites, Home
    {0xA6, 0x6A},
    {0xA7, 0x69},
    {0xA8, 0x67},
    {0xA9, 0x68},
    {0xAA, 0x65},
    {0xAB, 0x66},
    {0xAC, 0x32},
    // volume Mute, Down, Up; media Next, Previous, Stop, Play/Pause; launch Mail, Media, App1, App2
    {0xAD, 0x20},
    {0xAE, 0x2E},
    {0xAF, 0x30},
    {0xB0, 0x19},
    {0xB1, 0x10},
    {0xB2, 0x24},
    {0xB3, 0x22},
    {0xB4, 0x6C},
    {0xB5, 0x6D},
    {0xB6, 0x6B},
    {0xB7, 0x21},
};

} // namespace

uint8_t ExtendedScanCode(uint32_t vkCode) {
    for (const ExtendedKey& key : kExtendedKeys) {
        if (key.vk == vkCode) {
            return key.scan;
        }
    }
    return 0;
}

KeyInput PlanKeyInput(uint32_t vkCode, uint32_t systemScan, bool press) {
    KeyInput input;
    input.vk = static_cast<uint16_t>(vkCode);
    uint32_t up = press ? 0 : InputFlag::KeyUp;
    if (uint8_t scan = ExtendedScanCode(vkCode); scan != 0) {
        input.scan = scan;
        input.flags = InputFlag::KeyScanCode | InputFlag::KeyExtended | up;
    } else if ((systemScan & 0xFF) != 0) {
        input.scan = static_cast<uint16_t>(systemScan & 0xFF);
        input.flags = InputFlag::KeyScanCode | up;
    } else {
        input.flags = up;
    }
    return input;
}

uint32_t PackHeldKey(const KeyInput& press) {
    return 0x80000000u | (press.flags & 0xFF) << 16 | press.scan;
}

KeyInput ReleaseOfHeldKey(uint32_t vkCode, uint32_t packed) {
    KeyInput release;
    release.vk = static_cast<uint16_t>(vkCode);
    release.scan = static_cast<uint16_t>(packed & 0xFFFF);
    release.flags = ((packed >> 16) & 0xFF) | InputFlag::KeyUp;
    return release;
}

PlaybackStep PlanPlaybackStep(const InputEvent& event, uint32_t systemScan) {
    switch (event.type) {
        case MouseMove: {
            PlaybackStep step;
            step.kind = PlaybackStepKind::MoveCursor;
            step.x = event.x;
            step.y = event.y;
            return step;
        }
        case LeftDown: return MouseStep(InputFlag::MouseLeftDown, 0, true);
        case LeftUp: return MouseStep(InputFlag::MouseLeftUp, 0, false);
        case RightDown: return MouseStep(InputFlag::MouseRightDown, 1, true);
        case RightUp: return MouseStep(InputFlag::MouseRightUp, 1, false);
        case MiddleDown: return MouseStep(InputFlag::MouseMiddleDown, 2, true);
        case MiddleUp: return MouseStep(InputFlag::MouseMiddleUp, 2, false);
        case MouseWheel: {
            PlaybackStep step = MouseStep(InputFlag::MouseWheel, -1, false);
            step.mouseData = static_cast<uint32_t>(event.wheelDelta);
            return step;
        }
        case KeyDown: return KeyStep(event.vkCode, systemScan, true);
        case KeyUp: return KeyStep(event.vkCode, systemScan, false);
        default: return PlaybackStep{};
    }
}

std::chrono::steady_clock::duration DueOffset(int64_t eventTimeMs) {
    int64_t clamped = std::clamp(eventTimeMs, -kMaxEventTimeMs, kMaxEventTimeMs);
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::milliseconds(clamped));
}

void RunPlaybackPass(const std::vector<InputEvent>& events, std::chrono::steady_clock::time_point passStart,
                     const PlaybackIo& io) {
    using std::chrono::milliseconds;
    for (size_t i = 0; i < events.size() && io.isPlaying(); ++i) {
        const InputEvent& event = events[i];
        auto targetTime = passStart + DueOffset(event.time);
        // Sleep coarsely to 2 ms before the due time (in more than one wait only when the
        // system cut one short), then yield the rest so the event goes out on time.
        for (;;) {
            auto now = io.now();
            if (targetTime <= now) {
                break;
            }
            auto sleepDuration = std::chrono::duration_cast<milliseconds>(targetTime - now);
            if (sleepDuration <= kYieldMargin || !io.isPlaying()) {
                break;
            }
            io.wait(sleepDuration - kYieldMargin);
        }
        while (io.now() < targetTime && io.isPlaying()) {
            io.yield();
        }
        if (!io.isPlaying()) {
            break;
        }
        bool isKey = event.type == KeyDown || event.type == KeyUp;
        io.send(PlanPlaybackStep(event, isKey ? io.scanOf(event.vkCode) : 0));
    }
}

void RunPlaybackPasses(const std::vector<InputEvent>& events, int32_t startX, int32_t startY,
                       int32_t repeatCount, std::atomic<int32_t>& runsDone, const PlaybackIo& io) {
    while (io.isPlaying()) {
        if (repeatCount >= 0 && runsDone.load() >= repeatCount) {
            break;
        }
        io.moveCursor(startX, startY);
        io.wait(kPassLeadIn);
        RunPlaybackPass(events, io.now(), io);
        if (io.isPlaying()) {
            int32_t done = runsDone.fetch_add(1) + 1;
            if (repeatCount < 0 || done < repeatCount) {
                io.wait(kPassGap);
            }
        }
    }
}

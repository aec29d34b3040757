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

PlaybackStep KeyStep(uint32_t vkCode, bool press) {
    PlaybackStep step;
    step.kind = PlaybackStepKind::Key;
    step.vkCode = vkCode;
    step.keyFlags = InputFlag::KeyScanCode | (press ? 0 : InputFlag::KeyUp) |
                    (IsExtendedKey(vkCode) ? InputFlag::KeyExtended : 0);
    // A code beyond the key table (only a hand-made profile has one) is sent but not tracked.
    step.heldKey = vkCode < 256 ? static_cast<int>(vkCode) : -1;
    step.held = press;
    return step;
}

} // namespace

bool IsExtendedKey(uint32_t vkCode) {
    switch (vkCode) {
        case 0x21: // VK_PRIOR
        case 0x22: // VK_NEXT
        case 0x23: // VK_END
        case 0x24: // VK_HOME
        case 0x25: // VK_LEFT
        case 0x26: // VK_UP
        case 0x27: // VK_RIGHT
        case 0x28: // VK_DOWN
        case 0x2D: // VK_INSERT
        case 0x2E: // VK_DELETE
        case 0x5B: // VK_LWIN
        case 0x5C: // VK_RWIN
        case 0x5D: // VK_APPS
        case 0x6F: // VK_DIVIDE
        case 0x90: // VK_NUMLOCK
        case 0xA3: // VK_RCONTROL
        case 0xA5: // VK_RMENU
            return true;
        default: return false;
    }
}

PlaybackStep PlanPlaybackStep(const InputEvent& event) {
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
        case KeyDown: return KeyStep(event.vkCode, true);
        case KeyUp: return KeyStep(event.vkCode, false);
        default: return PlaybackStep{};
    }
}

uint32_t ReleaseKeyFlags(uint32_t vkCode) {
    return InputFlag::KeyUp | (IsExtendedKey(vkCode) ? InputFlag::KeyExtended : 0);
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
        io.send(PlanPlaybackStep(event));
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

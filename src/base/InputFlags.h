// The flag values of injected mouse and keyboard input (MOUSEEVENTF_*, KEYEVENTF_*), for the
// platform-free code that plans it. The Win32 code that sends them checks them against windows.h.
#pragma once

#include <cstdint>

// dwExtraInfo of every input Tamblo injects. Low-level hooks and the message that a click or a key
// becomes carry it, so Tamblo can tell its own input from the user's. Clear of the pen and touch
// signature (0xFF5157xx) that Windows puts there.
constexpr uintptr_t kTambloInputMark = 0x54424C4F;

namespace InputFlag {
constexpr uint32_t MouseLeftDown = 0x0002;
constexpr uint32_t MouseLeftUp = 0x0004;
constexpr uint32_t MouseRightDown = 0x0008;
constexpr uint32_t MouseRightUp = 0x0010;
constexpr uint32_t MouseMiddleDown = 0x0020;
constexpr uint32_t MouseMiddleUp = 0x0040;
constexpr uint32_t MouseWheel = 0x0800;
constexpr uint32_t KeyExtended = 0x0001;
constexpr uint32_t KeyUp = 0x0002;
constexpr uint32_t KeyScanCode = 0x0008;
} // namespace InputFlag

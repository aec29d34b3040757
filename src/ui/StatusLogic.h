// The status line under the Start button: the clicker's count or the recording's size.
// Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// "Status: Running | Clicks: 4 / 10", "Status: Running | Clicks: 4" (no count asked for) or
// "Status: Stopped | Clicks: 4".
std::wstring FormatClickStatus(bool isClicking, int32_t clickCount, int32_t clickRepeatCount);

// The status line after a recording change; empty when the clicker owns the line.
std::optional<std::wstring> FormatRecordStatus(bool isRecording, bool isClicking, size_t eventCount,
                                               int32_t clickCount);

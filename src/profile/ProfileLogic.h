// The ".tmb" profile as bytes: a flat little-endian record of the main window's settings, the
// three hotkeys, the recording's start point and its events. Platform-free: the file reader and
// writer call this codec with their file, the fuzzer and the unit tests with bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/TextLogic.h"
#include "macro/InputEvent.h"
#include "ui/WindowSettings.h"

constexpr size_t kProfileHeaderSize = 89;
constexpr size_t kProfileEventSize = 28;
constexpr int32_t kProfileVersion = 1;
// Records pass between the file and the codec this many at a time, so neither direction holds a
// second copy of a large recording in memory.
constexpr size_t kProfileBlockEvents = 4096;

// Everything in the file before the events. The defaults are the values File > New restores.
struct ProfileHeader {
    WindowSettings settings;
    uint32_t currentHotkey = kDefaultStartStopHotkey;
    uint32_t recordHotkey = kDefaultRecordHotkey;
    uint32_t playbackHotkey = kDefaultPlaybackHotkey;
    int32_t startX = 0;
    int32_t startY = 0;

    friend bool operator==(const ProfileHeader&, const ProfileHeader&) = default;
};

// Takes the next `size` bytes of the file; false when they cannot be written.
using ProfileSink = std::function<bool(const uint8_t* bytes, size_t size)>;
// Fills `out` with the next `size` bytes of the file; false when they cannot be read.
using ProfileSource = std::function<bool(uint8_t* out, size_t size)>;

// Hands the 89 header bytes to `write`, then the 28-byte event records `blockEvents` at a time.
// False as soon as a write fails (or no memory is left for the block).
bool EncodeProfile(const ProfileHeader& header, std::span<const InputEvent> events, const ProfileSink& write,
                   size_t blockEvents = kProfileBlockEvents);

// Reads a file of `fileSize` bytes from `read`: the header, then exactly its eventCount records
// `blockEvents` at a time; bytes after them are never asked for. The count is trusted only as far
// as the file can hold it, and only then is room made for the events, so `read` is never asked for
// more than `fileSize` bytes in all. False for a short file, a wrong signature or version, a count
// the file cannot hold, a failed read or no memory; the outputs are then untouched.
bool DecodeProfile(uint64_t fileSize, const ProfileSource& read, ProfileHeader& header,
                   std::vector<InputEvent>& events, size_t blockEvents = kProfileBlockEvents);

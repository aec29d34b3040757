// The ".tmb" profile as bytes: a flat little-endian record of the main window's settings, the
// three hotkeys, the recording's start point and its events. Platform-free, so the codec and its
// bounds checks are tested natively and fuzzed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "macro/InputEvent.h"

constexpr size_t kProfileHeaderSize = 89;
constexpr size_t kProfileEventSize = 28;
constexpr int32_t kProfileVersion = 1;

// The thirteen settings exactly as the file stores them (control texts already converted to numbers).
struct ProfileSettings {
    int32_t hours = 0;
    int32_t mins = 0;
    int32_t secs = 0;
    int32_t millisecs = 100;
    int32_t mouseButton = 0; // combo index, -1 for none
    int32_t clickType = 0;   // combo index, -1 for none
    int32_t cursorPosChecked = 0;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    int32_t repeatMode = 0; // 1 = a number of times, 0 = until stopped
    int32_t repeatTimes = 1;
    int32_t playbackRepeatMode = 1;
    int32_t playbackRepeatTimes = 1;

    friend bool operator==(const ProfileSettings&, const ProfileSettings&) = default;
};

// Everything in the file before the events. The defaults are the values File > New restores.
struct ProfileHeader {
    ProfileSettings settings;
    uint32_t currentHotkey = 0x75;  // F6
    uint32_t recordHotkey = 0x77;   // F8
    uint32_t playbackHotkey = 0x78; // F9
    int32_t startX = 0;
    int32_t startY = 0;

    friend bool operator==(const ProfileHeader&, const ProfileHeader&) = default;
};

// The whole file: 89 + 28 * events.size() bytes.
std::vector<uint8_t> EncodeProfile(const ProfileHeader& header, std::span<const InputEvent> events);

// The 89 header bytes, for a file that will hold eventCount records.
void EncodeProfileHeader(const ProfileHeader& header, uint64_t eventCount, uint8_t* out);

// 28 bytes per event into out, which must have room for all of them.
void EncodeEventRecords(std::span<const InputEvent> events, uint8_t* out);

// Reads the first 89 bytes. False unless the signature is "TMBLO", the version is 1 and all 89
// bytes are there; on false the outputs are untouched.
bool DecodeProfileHeader(std::span<const uint8_t> bytes, ProfileHeader& header, uint64_t& eventCount);

// How many event records a file of this many bytes can hold after its header.
uint64_t ProfileEventCapacity(uint64_t fileSize);

// Reads `count` 28-byte records from the start of `bytes` into `events` (replacing its content).
// False, with `events` untouched, when the bytes are too few for the count.
bool DecodeProfileEvents(std::span<const uint8_t> bytes, uint64_t count, std::vector<InputEvent>& events);

// Fills every element of `events` from consecutive records at the start of `bytes`; false (and
// nothing read) when the bytes are too few for them all.
bool DecodeEventRecords(std::span<const uint8_t> bytes, std::span<InputEvent> events);

// A whole file in memory: header, then exactly eventCount records; bytes after them are ignored.
// False for a wrong signature or version, a short header, or a count the bytes cannot hold; the
// outputs are then untouched.
bool DecodeProfile(std::span<const uint8_t> bytes, ProfileHeader& header, std::vector<InputEvent>& events);

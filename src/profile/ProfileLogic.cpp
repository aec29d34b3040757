#include "profile/ProfileLogic.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

namespace {

constexpr uint8_t kSignature[5] = {'T', 'M', 'B', 'L', 'O'};
constexpr size_t kVersionOffset = 5;
constexpr size_t kFieldsOffset = 9;
constexpr size_t kCountOffset = 81;

// The eighteen 4-byte fields between the version and the event count, in file order.
constexpr int32_t WindowSettings::*kSettingFields[] = {&WindowSettings::hours,
                                                       &WindowSettings::mins,
                                                       &WindowSettings::secs,
                                                       &WindowSettings::millisecs,
                                                       &WindowSettings::mouseButton,
                                                       &WindowSettings::clickType,
                                                       &WindowSettings::cursorPosChecked,
                                                       &WindowSettings::cursorX,
                                                       &WindowSettings::cursorY,
                                                       &WindowSettings::repeatMode,
                                                       &WindowSettings::repeatTimes,
                                                       &WindowSettings::playbackRepeatMode,
                                                       &WindowSettings::playbackRepeatTimes};
constexpr uint32_t ProfileHeader::*kHotkeyFields[] = {
    &ProfileHeader::currentHotkey, &ProfileHeader::recordHotkey, &ProfileHeader::playbackHotkey};
constexpr int32_t ProfileHeader::*kStartFields[] = {&ProfileHeader::startX, &ProfileHeader::startY};

// The one pair of little-endian accessors: `width` bytes at p, lowest first. Two's complement
// values go through them as their unsigned bit pattern.
void StoreLe(uint8_t* p, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        p[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint64_t LoadLe(const uint8_t* p, int width) {
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | p[i];
    }
    return value;
}

int32_t LoadI32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(LoadLe(p, 4)));
}

void EncodeHeader(const ProfileHeader& header, uint64_t eventCount, uint8_t* out) {
    std::memcpy(out, kSignature, sizeof(kSignature));
    StoreLe(out + kVersionOffset, static_cast<uint32_t>(kProfileVersion), 4);
    uint8_t* field = out + kFieldsOffset;
    for (auto setting : kSettingFields) {
        StoreLe(field, static_cast<uint32_t>(header.settings.*setting), 4);
        field += 4;
    }
    for (auto hotkey : kHotkeyFields) {
        StoreLe(field, header.*hotkey, 4);
        field += 4;
    }
    for (auto start : kStartFields) {
        StoreLe(field, static_cast<uint32_t>(header.*start), 4);
        field += 4;
    }
    StoreLe(out + kCountOffset, eventCount, 8);
}

ProfileHeader DecodeHeader(const uint8_t* bytes) {
    ProfileHeader header;
    const uint8_t* field = bytes + kFieldsOffset;
    for (auto setting : kSettingFields) {
        header.settings.*setting = LoadI32(field);
        field += 4;
    }
    for (auto hotkey : kHotkeyFields) {
        header.*hotkey = static_cast<uint32_t>(LoadLe(field, 4));
        field += 4;
    }
    for (auto start : kStartFields) {
        header.*start = LoadI32(field);
        field += 4;
    }
    return header;
}

void EncodeEvent(const InputEvent& event, uint8_t* out) {
    StoreLe(out, static_cast<uint32_t>(event.type), 4);
    StoreLe(out + 4, static_cast<uint64_t>(event.time), 8);
    StoreLe(out + 12, static_cast<uint32_t>(event.x), 4);
    StoreLe(out + 16, static_cast<uint32_t>(event.y), 4);
    StoreLe(out + 20, event.vkCode, 4);
    StoreLe(out + 24, static_cast<uint32_t>(event.wheelDelta), 4);
}

InputEvent DecodeEvent(const uint8_t* in) {
    InputEvent event;
    event.type = static_cast<InputEventType>(LoadI32(in));
    event.time = static_cast<int64_t>(LoadLe(in + 4, 8));
    event.x = LoadI32(in + 12);
    event.y = LoadI32(in + 16);
    event.vkCode = static_cast<uint32_t>(LoadLe(in + 20, 4));
    event.wheelDelta = LoadI32(in + 24);
    return event;
}

} // namespace

bool EncodeProfile(const ProfileHeader& header, std::span<const InputEvent> events, const ProfileSink& write,
                   size_t blockEvents) {
    uint8_t headerBytes[kProfileHeaderSize];
    EncodeHeader(header, events.size(), headerBytes);
    if (blockEvents == 0 || !write(headerBytes, kProfileHeaderSize)) {
        return false;
    }
    try {
        std::vector<uint8_t> block(std::min(events.size(), blockEvents) * kProfileEventSize);
        for (size_t done = 0; done < events.size();) {
            const size_t count = std::min(events.size() - done, blockEvents);
            for (size_t i = 0; i < count; ++i) {
                EncodeEvent(events[done + i], block.data() + i * kProfileEventSize);
            }
            if (!write(block.data(), count * kProfileEventSize)) {
                return false;
            }
            done += count;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DecodeProfile(uint64_t fileSize, const ProfileSource& read, ProfileHeader& header,
                   std::vector<InputEvent>& events, size_t blockEvents) {
    uint8_t headerBytes[kProfileHeaderSize];
    if (blockEvents == 0 || fileSize < kProfileHeaderSize || !read(headerBytes, kProfileHeaderSize) ||
        std::memcmp(headerBytes, kSignature, sizeof(kSignature)) != 0 ||
        LoadI32(headerBytes + kVersionOffset) != kProfileVersion) {
        return false;
    }
    // Compared by division, so that a count near 2^64 cannot overflow the byte total.
    const uint64_t count = LoadLe(headerBytes + kCountOffset, 8);
    if (count > (fileSize - kProfileHeaderSize) / kProfileEventSize) {
        return false;
    }
    try {
        std::vector<InputEvent> decoded(static_cast<size_t>(count));
        std::vector<uint8_t> block(std::min(decoded.size(), blockEvents) * kProfileEventSize);
        for (size_t done = 0; done < decoded.size();) {
            const size_t n = std::min(decoded.size() - done, blockEvents);
            if (!read(block.data(), n * kProfileEventSize)) {
                return false;
            }
            for (size_t i = 0; i < n; ++i) {
                decoded[done + i] = DecodeEvent(block.data() + i * kProfileEventSize);
            }
            done += n;
        }
        header = DecodeHeader(headerBytes);
        events.swap(decoded);
        return true;
    } catch (const std::exception&) { // no memory for a count the file can hold
        return false;
    }
}

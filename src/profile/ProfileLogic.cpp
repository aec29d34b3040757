#include "profile/ProfileLogic.h"

#include <cstring>

namespace {

constexpr uint8_t kSignature[5] = {'T', 'M', 'B', 'L', 'O'};

void PutU32(uint8_t*& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        *out++ = static_cast<uint8_t>(value >> (8 * i));
    }
}

void PutI32(uint8_t*& out, int32_t value) {
    PutU32(out, static_cast<uint32_t>(value));
}

void PutU64(uint8_t*& out, uint64_t value) {
    for (int i = 0; i < 8; ++i) {
        *out++ = static_cast<uint8_t>(value >> (8 * i));
    }
}

// Fixed-offset little-endian stores and loads for the event records, whose bounds are checked once
// for the whole list; compilers turn each into a single move on little-endian machines.
void StoreU32(uint8_t* p, uint32_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
    p[2] = static_cast<uint8_t>(value >> 16);
    p[3] = static_cast<uint8_t>(value >> 24);
}

void StoreU64(uint8_t* p, uint64_t value) {
    StoreU32(p, static_cast<uint32_t>(value));
    StoreU32(p + 4, static_cast<uint32_t>(value >> 32));
}

uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t LoadU64(const uint8_t* p) {
    return static_cast<uint64_t>(LoadU32(p + 4)) << 32 | LoadU32(p);
}

// A cursor over the input that never reads past its end; every read reports whether it fit.
struct ByteReader {
    const uint8_t* data;
    size_t size;
    size_t offset = 0;

    bool Has(size_t count) const { return count <= size - offset; }
};

bool ReadU32(ByteReader& reader, uint32_t& value) {
    if (!reader.Has(4)) {
        return false;
    }
    const uint8_t* p = reader.data + reader.offset;
    value = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
            static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    reader.offset += 4;
    return true;
}

bool ReadI32(ByteReader& reader, int32_t& value) {
    uint32_t raw = 0;
    if (!ReadU32(reader, raw)) {
        return false;
    }
    value = static_cast<int32_t>(raw);
    return true;
}

bool ReadU64(ByteReader& reader, uint64_t& value) {
    uint32_t low = 0;
    uint32_t high = 0;
    if (!reader.Has(8) || !ReadU32(reader, low) || !ReadU32(reader, high)) {
        return false;
    }
    value = static_cast<uint64_t>(high) << 32 | low;
    return true;
}

} // namespace

void EncodeProfileHeader(const ProfileHeader& header, uint64_t eventCount, uint8_t* out) {
    std::memcpy(out, kSignature, sizeof(kSignature));
    out += sizeof(kSignature);
    PutI32(out, kProfileVersion);
    const ProfileSettings& s = header.settings;
    for (int32_t value :
         {s.hours, s.mins, s.secs, s.millisecs, s.mouseButton, s.clickType, s.cursorPosChecked, s.cursorX,
          s.cursorY, s.repeatMode, s.repeatTimes, s.playbackRepeatMode, s.playbackRepeatTimes}) {
        PutI32(out, value);
    }
    PutU32(out, header.currentHotkey);
    PutU32(out, header.recordHotkey);
    PutU32(out, header.playbackHotkey);
    PutI32(out, header.startX);
    PutI32(out, header.startY);
    PutU64(out, eventCount);
}

void EncodeEventRecords(std::span<const InputEvent> events, uint8_t* out) {
    for (const InputEvent& event : events) {
        StoreU32(out, static_cast<uint32_t>(event.type));
        StoreU64(out + 4, static_cast<uint64_t>(event.time));
        StoreU32(out + 12, static_cast<uint32_t>(event.x));
        StoreU32(out + 16, static_cast<uint32_t>(event.y));
        StoreU32(out + 20, event.vkCode);
        StoreU32(out + 24, static_cast<uint32_t>(event.wheelDelta));
        out += kProfileEventSize;
    }
}

std::vector<uint8_t> EncodeProfile(const ProfileHeader& header, std::span<const InputEvent> events) {
    std::vector<uint8_t> bytes(kProfileHeaderSize + kProfileEventSize * events.size());
    EncodeProfileHeader(header, events.size(), bytes.data());
    EncodeEventRecords(events, bytes.data() + kProfileHeaderSize);
    return bytes;
}

bool DecodeProfileHeader(std::span<const uint8_t> bytes, ProfileHeader& header, uint64_t& eventCount) {
    if (bytes.size() < sizeof(kSignature) || std::memcmp(bytes.data(), kSignature, sizeof(kSignature)) != 0) {
        return false;
    }
    ByteReader reader{bytes.data(), bytes.size(), sizeof(kSignature)};
    int32_t version = 0;
    if (!ReadI32(reader, version) || version != kProfileVersion || bytes.size() < kProfileHeaderSize) {
        return false;
    }
    ProfileHeader read;
    ProfileSettings& s = read.settings;
    for (int32_t* field : {&s.hours, &s.mins, &s.secs, &s.millisecs, &s.mouseButton, &s.clickType,
                           &s.cursorPosChecked, &s.cursorX, &s.cursorY, &s.repeatMode, &s.repeatTimes,
                           &s.playbackRepeatMode, &s.playbackRepeatTimes}) {
        ReadI32(reader, *field);
    }
    uint64_t count = 0;
    ReadU32(reader, read.currentHotkey);
    ReadU32(reader, read.recordHotkey);
    ReadU32(reader, read.playbackHotkey);
    ReadI32(reader, read.startX);
    ReadI32(reader, read.startY);
    ReadU64(reader, count);
    header = read;
    eventCount = count;
    return true;
}

uint64_t ProfileEventCapacity(uint64_t fileSize) {
    return fileSize < kProfileHeaderSize ? 0 : (fileSize - kProfileHeaderSize) / kProfileEventSize;
}

bool DecodeEventRecords(std::span<const uint8_t> bytes, std::span<InputEvent> events) {
    if (events.size() > bytes.size() / kProfileEventSize) {
        return false;
    }
    const uint8_t* in = bytes.data();
    for (InputEvent& event : events) {
        event.type = static_cast<InputEventType>(static_cast<int32_t>(LoadU32(in)));
        event.time = static_cast<int64_t>(LoadU64(in + 4));
        event.x = static_cast<int32_t>(LoadU32(in + 12));
        event.y = static_cast<int32_t>(LoadU32(in + 16));
        event.vkCode = LoadU32(in + 20);
        event.wheelDelta = static_cast<int32_t>(LoadU32(in + 24));
        in += kProfileEventSize;
    }
    return true;
}

bool DecodeProfileEvents(std::span<const uint8_t> bytes, uint64_t count, std::vector<InputEvent>& events) {
    // Compare by division so that a count near 2^64 cannot overflow the byte total, and before
    // anything is allocated from it.
    if (count > bytes.size() / kProfileEventSize) {
        return false;
    }
    std::vector<InputEvent> read(static_cast<size_t>(count));
    DecodeEventRecords(bytes, read);
    events.swap(read);
    return true;
}

bool DecodeProfile(std::span<const uint8_t> bytes, ProfileHeader& header, std::vector<InputEvent>& events) {
    ProfileHeader readHeader;
    uint64_t count = 0;
    if (!DecodeProfileHeader(bytes, readHeader, count)) {
        return false;
    }
    if (!DecodeProfileEvents(bytes.subspan(kProfileHeaderSize), count, events)) {
        return false;
    }
    header = readHeader;
    return true;
}

// The profile codec as File > Save and Load drive it: exact bytes, and every way a file can be cut
// short or lie, around the reader's block of 4,096 records too.
#include <gtest/gtest.h>

#include <cstring>

#include "profile/ProfileLogic.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Events = std::vector<InputEvent>;

Bytes Encode(const ProfileHeader& header, const Events& events) {
    Bytes out;
    EncodeProfile(header, events, [&](const uint8_t* p, size_t n) {
        out.insert(out.end(), p, p + n);
        return true;
    });
    return out;
}

// Feeds `bytes` as the reader feeds the file; the read numbered `failAt` fails.
bool Decode(const Bytes& bytes, ProfileHeader& header, Events& events, int failAt = -1) {
    size_t at = 0, reads = 0;
    return DecodeProfile(
        bytes.size(),
        [&](uint8_t* out, size_t n) {
            EXPECT_LE(n, bytes.size() - at) << "read past the end of the file";
            if (int(reads++) == failAt || n > bytes.size() - at) {
                return false;
            }
            std::memcpy(out, &bytes[at], n);
            at += n;
            return true;
        },
        header, events);
}

const ProfileHeader kSample{
    {1, 2, 3, -4, 2, -1, 1, -100, 2000000000, 1, 50, 0, 7}, 0x7B, ~0u, 0x70, -1920, 1080};
// 4,097 events: the last one is read in a second block.
const Events kEvents = [] {
    Events events(4097, {MouseMove, 16, -5, 700, 0, 0});
    events[1] = {MouseWheel, 0x123456789A, 10, 20, 0x41, -120};
    events[4096] = {InputEventType(42), -1, INT32_MIN, INT32_MAX, ~0u, INT32_MIN};
    return events;
}();

TEST(ProfileCodec, DefaultProfileAndOneEventRecordByteForByte) {
    Bytes fields = {'T', 'M', 'B', 'L', 'O'};
    for (uint8_t field : {1, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0x75, 0x77, 0x78, 0, 0, 0, 0}) {
        fields.insert(fields.end(), {field, 0, 0, 0}); // 4-byte fields, the count as two
    }
    EXPECT_EQ(Encode({}, {}), fields);
    const Bytes one = Encode({}, {{MouseWheel, 0x0102030405060708, -2, 3, 0x41, -120}});
    EXPECT_EQ(Bytes(one.begin() + 89, one.end()),
              (Bytes{7,    0,    0, 0, 8, 7, 6,    5, 4, 3, 2,    1,    0xFE, 0xFF,
                     0xFF, 0xFF, 3, 0, 0, 0, 0x41, 0, 0, 0, 0x88, 0xFF, 0xFF, 0xFF}));
}

TEST(ProfileCodec, AcceptedFilesComeBackWholeAndRefusedOnesLeaveTheOutputsUntouched) {
    const Bytes good = Encode(kSample, kEvents);
    const Events before = {{LeftDown, 5, 1, 2, 0, 0}};
    // Each row cuts the file to `size` bytes (or pads it with 0xAB), stores `value` in `width`
    // little-endian bytes at `offset`, and has read number `failAt` fail (0: the header).
    // clang-format off
    const struct { const char* name; size_t size, offset; uint64_t value; int width, failAt; bool accepted; } rows[] = {
        {"as written", good.size(), 0, 0, 0, -1, true},
        {"29 bytes after the records", good.size() + 29, 0, 0, 0, -1, true},
        {"four signature bytes", 4, 0, 0, 0, -1, false},
        {"fifth signature byte", good.size(), 4, 'X', 1, -1, false},
        {"version 0", good.size(), 5, 0, 4, -1, false},
        {"version 2", good.size(), 5, 2, 4, -1, false},
        {"header cut in the count", 88, 0, 0, 0, -1, false},
        {"events cut inside the last record", good.size() - 1, 0, 0, 0, -1, false},
        {"count one more than the file holds", good.size(), 81, 4098, 8, -1, false},
        {"count 2^64-1", good.size(), 81, UINT64_MAX, 8, -1, false},
        {"count whose size just passes 2^64", good.size(), 81, UINT64_MAX / 28 + 1, 8, -1, false},
        {"count whose size wraps to 28", good.size(), 81, 0x0924924924924925, 8, -1, false},
        {"the header read fails", good.size(), 0, 0, 0, 0, false},
        {"the second block's read fails", good.size(), 0, 0, 0, 2, false},
    };
    // clang-format on
    for (const auto& r : rows) {
        Bytes bytes = good;
        bytes.resize(r.size, 0xAB);
        for (int i = 0; i < r.width; ++i) {
            bytes[r.offset + i] = uint8_t(r.value >> (8 * i));
        }
        ProfileHeader header;
        Events events = before;
        EXPECT_EQ(Decode(bytes, header, events, r.failAt), r.accepted) << r.name;
        EXPECT_EQ(header, r.accepted ? kSample : ProfileHeader{}) << r.name;
        EXPECT_EQ(events, r.accepted ? kEvents : before) << r.name;
    }
}

} // namespace

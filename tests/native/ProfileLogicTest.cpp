// The profile codec: exact bytes, and the ways a file can be cut short or lie, around the 4,096-record block.
#include <gtest/gtest.h>

#include <cstring>

#include "profile/ProfileLogic.h"

using Bytes = std::vector<uint8_t>;
using Events = std::vector<InputEvent>;

static Bytes Encode(const ProfileHeader& header, const Events& events) {
    Bytes out;
    EncodeProfile(header, events, [&](const uint8_t* p, size_t n) {
        out.insert(out.end(), p, p + n);
        return true;
    });
    return out;
}

TEST(ProfileCodec, DefaultProfileAndOneEventRecordByteForByte) {
    Bytes expected = {'T', 'M', 'B', 'L', 'O'};
    for (uint8_t field : {1, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0x75, 0x77, 0x78, 0, 0, 1, 0}) {
        expected.insert(expected.end(), {field, 0, 0, 0}); // 4-byte fields, the count as two
    }
    expected.insert(expected.end(), {7,    0,    0, 0, 8, 7, 6,    5, 4, 3, 2,    1,    0xFE, 0xFF,
                                     0xFF, 0xFF, 3, 0, 0, 0, 0x41, 0, 0, 0, 0x88, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(Encode({}, {{MouseWheel, 0x0102030405060708, -2, 3, 0x41, -120}}), expected);
}

TEST(ProfileCodec, AcceptedFilesComeBackWholeAndRefusedOnesLeaveTheOutputsUntouched) {
    const ProfileHeader sample{{1, 2, 3, -4, 2, -1, 1, -10, INT32_MAX, 1, 5, 0, 7}, 0x7B, ~0u, 0x70, -19, 10};
    Events written(4097, {MouseMove, 16, -5, 700, 0, 0}); // the last one is read in a second block
    written[1] = {MouseWheel, 0x123456789A, 10, 20, 0x41, -120};
    written[4096] = {InputEventType(42), -1, INT32_MIN, INT32_MAX, ~0u, INT32_MIN};
    const Bytes good = Encode(sample, written);
    // Each row cuts the file to `size` bytes (or pads it with 0xAB), stores `value` in `width`
    // little-endian bytes at `offset`, and fails the one read across byte `readable`.
    // clang-format off
    const std::tuple<const char*, size_t, size_t, uint64_t, int, size_t, bool> rows[] = {
        {"as written", good.size(), 0, 0, 0, SIZE_MAX, true},
        {"29 bytes after the records", good.size() + 29, 0, 0, 0, SIZE_MAX, true},
        {"fifth signature byte", good.size(), 4, 'X', 1, SIZE_MAX, false},
        {"version 2", good.size(), 5, 2, 4, SIZE_MAX, false},
        {"header cut in the count", 88, 0, 0, 0, SIZE_MAX, false},
        {"count one more than the file holds", good.size(), 81, 4098, 8, SIZE_MAX, false},
        {"the header read fails", good.size(), 0, 0, 0, 88, false},
        {"the second block's read fails", good.size(), 0, 0, 0, good.size() - 1, false},
    };
    // clang-format on
    for (const auto& [name, size, offset, value, width, readable, accepted] : rows) {
        Bytes bytes = good;
        bytes.resize(size, 0xAB);
        for (int i = 0; i < width; ++i) {
            bytes[offset + i] = uint8_t(value >> (8 * i));
        }
        auto read = [&, at = size_t{0}](uint8_t* out, size_t n) mutable {
            EXPECT_LE(n, bytes.size() - at) << "read past the end of the file";
            std::memcpy(out, bytes.data() + at, std::min(n, bytes.size() - at));
            at += n;
            return at <= readable || at - n >= readable;
        };
        ProfileHeader header;
        Events events = {{LeftDown, 5, 1, 2, 0, 0}};
        const Events before = events;
        const bool ok = DecodeProfile(bytes.size(), read, header, events);
        EXPECT_EQ(std::tuple(ok, header, events),
                  accepted ? std::tuple(true, sample, written) : std::tuple(false, ProfileHeader{}, before))
            << name;
    }
}

// The profile codec: exact bytes, round trips, and every way a file can be cut short or lie.
#include <gtest/gtest.h>

#include <limits>

#include "profile/ProfileLogic.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The profile File > New leaves behind, byte for byte.
const Bytes kDefaultProfile = {
    'T',  'M', 'B', 'L', 'O',                          // signature
    0x01, 0,   0,   0,                                 // version
    0,    0,   0,   0,   0,    0, 0, 0, 0,    0, 0, 0, // hours, mins, secs
    0x64, 0,   0,   0,                                 // millisecs 100
    0,    0,   0,   0,   0,    0, 0, 0,                // mouseButton, clickType
    0,    0,   0,   0,   0,    0, 0, 0, 0,    0, 0, 0, // cursorPosChecked, cursorX, cursorY
    0,    0,   0,   0,   1,    0, 0, 0,                // repeatMode 0, repeatTimes 1
    1,    0,   0,   0,   1,    0, 0, 0,                // playbackRepeatMode 1, playbackRepeatTimes 1
    0x75, 0,   0,   0,   0x77, 0, 0, 0, 0x78, 0, 0, 0, // F6, F8, F9
    0,    0,   0,   0,   0,    0, 0, 0,                // start cursor
    0,    0,   0,   0,   0,    0, 0, 0,                // event count
};

ProfileHeader SampleHeader() {
    ProfileHeader header;
    header.settings = {1, 2, 3, -4, 2, -1, 1, -100, 2000000000, 1, 50, 0, 7};
    header.currentHotkey = 0x7B;
    header.recordHotkey = 0xFFFFFFFFu;
    header.playbackHotkey = 0x70;
    header.startX = -1920;
    header.startY = 1080;
    return header;
}

const std::vector<InputEvent> kSampleEvents = {
    {KeyDown, 0, 0, 0, 0xA0, 0},
    {MouseMove, 16, -5, 700, 0, 0},
    {MouseWheel, 0x123456789ALL, 10, 20, 0, -120},
    {static_cast<InputEventType>(42), -1, 0, 0, 0xFFFFFFFFu, 0},
};

void PutLe(Bytes& bytes, size_t offset, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

TEST(ProfileCodec, DefaultProfileIsTheExact89Bytes) {
    EXPECT_EQ(EncodeProfile(ProfileHeader{}, {}), kDefaultProfile);
}

TEST(ProfileCodec, EachHeaderFieldHasItsOwnOffsetAndEventsFollowAs28ByteRecords) {
    ProfileHeader header;
    header.settings = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    header.currentHotkey = 14;
    header.recordHotkey = 15;
    header.playbackHotkey = 16;
    header.startX = 17;
    header.startY = 18;
    const std::vector<InputEvent> events = {{MouseWheel, 0x0102030405060708LL, -2, 3, 0x41, -120}};
    Bytes bytes = EncodeProfile(header, events);
    ASSERT_EQ(bytes.size(), 89u + 28u);
    for (uint8_t field = 1; field <= 18; ++field) {
        EXPECT_EQ(Bytes(bytes.begin() + 5 + 4 * field, bytes.begin() + 9 + 4 * field),
                  (Bytes{field, 0, 0, 0}))
            << "field " << int{field};
    }
    EXPECT_EQ(Bytes(bytes.begin() + 81, bytes.begin() + 89), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    const Bytes record = {7,    0,    0,    0,                             // type
                          0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // time
                          0xFE, 0xFF, 0xFF, 0xFF, 3,    0,    0,    0,     // x, y
                          0x41, 0,    0,    0,    0x88, 0xFF, 0xFF, 0xFF}; // vk, wheel
    EXPECT_EQ(Bytes(bytes.begin() + 89, bytes.end()), record);
}

TEST(ProfileCodec, RoundTripGivesBackEveryFieldAndEventIgnoringTrailingBytes) {
    Bytes bytes = EncodeProfile(SampleHeader(), kSampleEvents);
    for (size_t trailing : {0, 29}) {
        SCOPED_TRACE(trailing);
        bytes.resize(89 + 28 * kSampleEvents.size() + trailing, 0xAB);
        ProfileHeader header;
        std::vector<InputEvent> decoded;
        ASSERT_TRUE(DecodeProfile(bytes, header, decoded));
        EXPECT_EQ(header, SampleHeader());
        EXPECT_EQ(decoded, kSampleEvents);
    }
}

TEST(ProfileCodec, RefusedFilesLeaveTheOutputsUntouched) {
    const Bytes good = EncodeProfile(SampleHeader(), kSampleEvents);
    auto cut = [&](size_t size) { return Bytes(good.begin(), good.begin() + size); };
    auto with = [&](size_t offset, uint64_t value, int width) {
        Bytes b = good;
        PutLe(b, offset, value, width);
        return b;
    };
    Bytes countWithoutRecords = cut(89);
    PutLe(countWithoutRecords, 81, 1, 8);
    const uint64_t max = std::numeric_limits<uint64_t>::max();
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"four signature bytes only", {'T', 'M', 'B', 'L'}},
        {"fifth signature byte differs", with(4, 'X', 1)},
        {"first signature byte differs", with(0, 't', 1)},
        {"version 0", with(5, 0, 4)},
        {"version 2", with(5, 2, 4)},
        {"version cut short", cut(7)},
        {"header cut in the settings", cut(40)},
        {"header cut in the count", cut(88)},
        {"events cut at a record boundary", cut(89 + 28 * 3)},
        {"events cut inside a record", cut(good.size() - 1)},
        {"count one more than the file holds", with(81, 5, 8)},
        {"count 1 with no records", countWithoutRecords},
        {"count 2^64-1", with(81, max, 8)},
        {"count whose size just passes 2^64", with(81, max / 28 + 1, 8)},
        {"count 2^63", with(81, uint64_t{1} << 63, 8)},
        {"count whose size wraps past 2^64", with(81, 0x0924924924924925, 8)},
    };
    const std::vector<InputEvent> eventsBefore = {{LeftDown, 5, 1, 2, 0, 0}};
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.name);
        ProfileHeader header = SampleHeader();
        std::vector<InputEvent> events = eventsBefore;
        EXPECT_FALSE(DecodeProfile(bad.bytes, header, events));
        EXPECT_EQ(header, SampleHeader());
        EXPECT_EQ(events, eventsBefore);
    }
}

// The file reader refuses a count larger than the file can hold before it reserves memory.
TEST(ProfileCodec, CapacityIsTheWholeRecordsAfterTheHeaderWithoutOverflow) {
    EXPECT_EQ(ProfileEventCapacity(89 + 28 * 4), 4u);
    EXPECT_EQ(ProfileEventCapacity(89 + 28 * 4 - 1), 3u);
    EXPECT_EQ(ProfileEventCapacity(10), 0u);
    EXPECT_EQ(ProfileEventCapacity(std::numeric_limits<uint64_t>::max()),
              (std::numeric_limits<uint64_t>::max() - 89) / 28);
}

} // namespace

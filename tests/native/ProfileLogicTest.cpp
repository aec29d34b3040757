// The profile codec: exact bytes, round trips, and every way a file can be cut short or lie.
#include <gtest/gtest.h>

#include <cstring>
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

std::vector<InputEvent> SampleEvents() {
    return {
        {KeyDown, 0, 0, 0, 0xA0, 0},
        {MouseMove, 16, -5, 700, 0, 0},
        {MouseWheel, 0x123456789ALL, 10, 20, 0, -120},
        {static_cast<InputEventType>(42), -1, 0, 0, 0xFFFFFFFFu, 0},
    };
}

void PutLe(Bytes& bytes, size_t offset, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

TEST(ProfileCodec, DefaultProfileIsTheExact89Bytes) {
    EXPECT_EQ(EncodeProfile(ProfileHeader{}, {}), kDefaultProfile);
}

TEST(ProfileCodec, EventsFollowTheHeaderAs28ByteLittleEndianRecords) {
    std::vector<InputEvent> events = {{MouseWheel, 0x0102030405060708LL, -2, 3, 0x41, -120}};
    Bytes bytes = EncodeProfile(ProfileHeader{}, events);
    ASSERT_EQ(bytes.size(), 89u + 28u);
    EXPECT_EQ(bytes[81], 1); // count, low byte first
    const Bytes record(bytes.begin() + 89, bytes.end());
    const Bytes expected = {7,    0,    0,    0,                             // type
                            0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // time
                            0xFE, 0xFF, 0xFF, 0xFF, 3,    0,    0,    0,     // x, y
                            0x41, 0,    0,    0,    0x88, 0xFF, 0xFF, 0xFF}; // vk, wheel
    EXPECT_EQ(record, expected);
}

TEST(ProfileCodec, SettingsLandAtTheirOffsets) {
    Bytes bytes = EncodeProfile(SampleHeader(), {});
    auto i32At = [&](size_t offset) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
        }
        return static_cast<int32_t>(v);
    };
    EXPECT_EQ(i32At(21), -4);         // millisecs
    EXPECT_EQ(i32At(29), -1);         // clickType
    EXPECT_EQ(i32At(41), 2000000000); // cursorY
    EXPECT_EQ(i32At(57), 7);          // playbackRepeatTimes
    EXPECT_EQ(i32At(61), 0x7B);       // start/stop key
    EXPECT_EQ(i32At(65), -1);         // record key 0xFFFFFFFF
    EXPECT_EQ(i32At(73), -1920);      // start x
}

TEST(ProfileCodec, RoundTripGivesBackEveryFieldAndEvent) {
    std::vector<InputEvent> events = SampleEvents();
    Bytes bytes = EncodeProfile(SampleHeader(), events);
    ASSERT_EQ(bytes.size(), 89u + 28u * events.size());
    ProfileHeader header;
    std::vector<InputEvent> decoded;
    ASSERT_TRUE(DecodeProfile(bytes, header, decoded));
    EXPECT_EQ(header, SampleHeader());
    EXPECT_EQ(decoded, events);
}

TEST(ProfileCodec, TrailingBytesAreIgnored) {
    std::vector<InputEvent> events = SampleEvents();
    Bytes bytes = EncodeProfile(SampleHeader(), events);
    bytes.insert(bytes.end(), {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                               16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29});
    ProfileHeader header;
    std::vector<InputEvent> decoded;
    ASSERT_TRUE(DecodeProfile(bytes, header, decoded));
    EXPECT_EQ(decoded, events);
}

// Every refused file leaves the outputs exactly as they were.
struct BadFile {
    const char* name;
    Bytes bytes;
};

std::vector<BadFile> BadFiles() {
    const Bytes good = EncodeProfile(SampleHeader(), SampleEvents());
    std::vector<BadFile> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"four signature bytes only", {'T', 'M', 'B', 'L'}});
    Bytes fifthWrong = good;
    fifthWrong[4] = 'X';
    cases.push_back({"fifth signature byte differs", fifthWrong});
    Bytes lowerCase = good;
    lowerCase[0] = 't';
    cases.push_back({"first signature byte differs", lowerCase});
    for (uint32_t version : {0u, 2u, 0x01000000u}) {
        Bytes b = good;
        PutLe(b, 5, version, 4);
        cases.push_back({"version not 1", b});
    }
    cases.push_back({"signature without version", Bytes(good.begin(), good.begin() + 5)});
    cases.push_back({"version cut short", Bytes(good.begin(), good.begin() + 7)});
    cases.push_back({"header cut in the settings", Bytes(good.begin(), good.begin() + 40)});
    cases.push_back({"header cut in the count", Bytes(good.begin(), good.begin() + 88)});
    cases.push_back({"events cut at a record boundary", Bytes(good.begin(), good.begin() + 89 + 28 * 3)});
    cases.push_back({"events cut inside a record", Bytes(good.begin(), good.end() - 1)});
    Bytes countTooLarge = good;
    PutLe(countTooLarge, 81, 5, 8);
    cases.push_back({"count one more than the file holds", countTooLarge});
    for (uint64_t count :
         {std::numeric_limits<uint64_t>::max(), std::numeric_limits<uint64_t>::max() / 28 + 1,
          (uint64_t{1} << 63), uint64_t{0x0924924924924925}}) {
        Bytes b = good;
        PutLe(b, 81, count, 8);
        cases.push_back({"count near 2^64", b});
    }
    Bytes headerOnlyWithCount = Bytes(good.begin(), good.begin() + 89);
    PutLe(headerOnlyWithCount, 81, 1, 8);
    cases.push_back({"count 1 with no records", headerOnlyWithCount});
    return cases;
}

TEST(ProfileCodec, RefusedFilesLeaveTheOutputsUntouched) {
    const ProfileHeader before = SampleHeader();
    const std::vector<InputEvent> eventsBefore = {{LeftDown, 5, 1, 2, 0, 0}};
    for (const BadFile& bad : BadFiles()) {
        ProfileHeader header = before;
        std::vector<InputEvent> events = eventsBefore;
        EXPECT_FALSE(DecodeProfile(bad.bytes, header, events)) << bad.name;
        EXPECT_EQ(header, before) << bad.name;
        EXPECT_EQ(events, eventsBefore) << bad.name;
    }
}

TEST(ProfileCodec, HeaderDecodesAloneAndCapacityBoundsTheCount) {
    Bytes bytes = EncodeProfile(SampleHeader(), SampleEvents());
    ProfileHeader header;
    uint64_t count = 0;
    ASSERT_TRUE(DecodeProfileHeader(std::span<const uint8_t>(bytes.data(), 89), header, count));
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(header, SampleHeader());
    EXPECT_EQ(ProfileEventCapacity(bytes.size()), 4u);
    EXPECT_EQ(ProfileEventCapacity(bytes.size() - 1), 3u);
    EXPECT_EQ(ProfileEventCapacity(89), 0u);
    EXPECT_EQ(ProfileEventCapacity(10), 0u);
    EXPECT_EQ(ProfileEventCapacity(std::numeric_limits<uint64_t>::max()),
              (std::numeric_limits<uint64_t>::max() - 89) / 28);
}

TEST(ProfileCodec, EventsDecodeReplacesTheListOnlyWhenAllRecordsAreThere) {
    Bytes bytes = EncodeProfile(ProfileHeader{}, SampleEvents());
    std::span<const uint8_t> records(bytes.data() + 89, bytes.size() - 89);
    std::vector<InputEvent> events = {{KeyUp, 1, 0, 0, 65, 0}};
    EXPECT_FALSE(DecodeProfileEvents(records, 5, events));
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(DecodeProfileEvents(records, 2, events));
    const std::vector<InputEvent> sample = SampleEvents();
    EXPECT_EQ(events, std::vector<InputEvent>(sample.begin(), sample.begin() + 2));
    EXPECT_TRUE(DecodeProfileEvents(records, 0, events));
    EXPECT_TRUE(events.empty());
}

TEST(ProfileCodec, BlockwiseEncodingMatchesTheWholeFile) {
    const std::vector<InputEvent> events = SampleEvents();
    Bytes pieces(89 + 28 * events.size());
    EncodeProfileHeader(SampleHeader(), events.size(), pieces.data());
    EncodeEventRecords(std::span<const InputEvent>(events.data(), 1), pieces.data() + 89);
    EncodeEventRecords(std::span<const InputEvent>(events.data() + 1, 3), pieces.data() + 89 + 28);
    EXPECT_EQ(pieces, EncodeProfile(SampleHeader(), events));

    std::vector<InputEvent> decoded(3);
    std::span<const uint8_t> records(pieces.data() + 89 + 28, 28 * 3);
    EXPECT_FALSE(DecodeEventRecords(records.first(28 * 3 - 1), decoded));
    EXPECT_EQ(decoded, std::vector<InputEvent>(3));
    EXPECT_TRUE(DecodeEventRecords(records, decoded));
    EXPECT_EQ(decoded, std::vector<InputEvent>(events.begin() + 1, events.end()));
}

} // namespace

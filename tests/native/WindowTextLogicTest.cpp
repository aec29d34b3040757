// Where the window's arithmetic and text rules can break: number fields read like _wtoi at the
// int32 edges, captions that name a hotkey inside and outside F1..F12, and the design grid's
// truncating scale with a content column that may start left of the client area.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "base/TextLogic.h"
#include "ui/LayoutLogic.h"

TEST(ParseIntField, ReadsLikeWtoiAndClampsAtTheInt32Edges) {
    // clang-format off
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {nullptr, 0}, {L"", 0}, {L" \t\r\n\v\f+8", 8}, {L"12abc", 12}, {L"- 3", 0}, {L"+-3", 0},
        {L"2147483647", INT_MAX}, {L"2147483648", INT_MAX}, {L"-2147483648", INT_MIN},
        {L"-2147483649", INT_MIN}, {L"99999999999999999999999", INT_MAX},
        {L"0000000000000000000000000000250", 250}}; // 31 characters: all that a field hands over
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseIntField(text), expected) << testing::PrintToString(text);
    }
}

TEST(HotkeyCaptions, NameF1ToF12AndStayReadableAndShortForAnyOtherKey) {
    using Case = std::tuple<uint32_t, bool, const wchar_t*, const wchar_t*, const wchar_t*>;
    const Case cases[] = {{0x70, false, L"Start (F1)", L"Record (F1)", L"Playback (F1)"},
                          {0x7B, true, L"Stop (F12)", L"Stop Rec (F12)", L"Stop Play (F12)"},
                          {0x6F, false, L"Start (Key 0x6F)", L"Record", L"Playback"},
                          {0xFFFFFFFF, true, L"Stop (Key 0xFFFFFFFF)", L"Stop Recording", L"Stop Playback"}};
    for (const auto& [key, running, start, record, playback] : cases) {
        EXPECT_EQ(FormatStartCaption(key, running), start);
        EXPECT_EQ(FormatRecordCaption(key, running), record) << key;
        EXPECT_EQ(FormatPlaybackCaption(key, running), playback) << key;
    }
}

TEST(DesignGrid, ScalesEachValueTruncatingTowardZeroAndCentresTheColumnSigned) {
    EXPECT_EQ(ScaleX(ScaleFromDpi(120), 35), 43); // 43.75: never rounded up
    EXPECT_EQ(ScaleX(ScaleFromDpi(120), -5), -6); // -6.25: toward zero, not down
    EXPECT_EQ(ScaleX(ScaleFromDpi(144), 117), 175);
    // Client width, DPI, left edge of the 560-unit column.
    const int32_t columns[][3] = {{559, 96, 0}, {556, 96, -2}, {697, 120, -1}, {0, 96, -280}, {843, 144, 1}};
    for (const auto& [width, dpi, left] : columns) {
        EXPECT_EQ(ContentLeft(width, ScaleFromDpi(dpi)), left) << width << " at " << dpi;
    }
}

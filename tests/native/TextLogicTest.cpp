// Number fields and button captions.
#include <gtest/gtest.h>

#include <climits>

#include "app/TextLogic.h"

namespace {

TEST(ParseIntField, ReadsNumbersTheWayWtoiDoes) {
    struct ParseCase {
        const wchar_t* text;
        int32_t expected;
    };
    // The last row: what GetWindowTextW leaves in a 32-character buffer, 31 digits and the end.
    const ParseCase cases[] = {{nullptr, 0},
                               {L"", 0},
                               {L"100", 100},
                               {L"007", 7},
                               {L"  42", 42},
                               {L"\t\r\n\v\f 5", 5},
                               {L"+8", 8},
                               {L"-15", -15},
                               {L"-0", 0},
                               {L"12abc", 12},
                               {L"3 4", 3},
                               {L"1.5", 1},
                               {L"abc", 0},
                               {L"-", 0},
                               {L"+", 0},
                               {L"+-3", 0},
                               {L"--3", 0},
                               {L"- 3", 0},
                               {L"   ", 0},
                               {L"2147483647", INT_MAX},
                               {L"-2147483648", INT_MIN},
                               {L"2147483648", INT_MAX},
                               {L"-2147483649", INT_MIN},
                               {L"99999999999999999999999", INT_MAX},
                               {L"-99999999999999999999999", INT_MIN},
                               {L"0000000000000000000000012", 12},
                               {L"0000000000000000000000000000250", 250}};
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseIntField(c.text), c.expected) << testing::PrintToString(c.text);
    }
}

TEST(HotkeyCaptions, FunctionKeysF1ToF12AreNamedByNumber) {
    struct Case {
        uint32_t key;
        bool running;
        const wchar_t *start, *record, *playback;
    };
    const Case cases[] = {{0x70, false, L"Start (F1)", L"Record (F1)", L"Playback (F1)"},
                          {0x75, true, L"Stop (F6)", L"Stop Rec (F6)", L"Stop Play (F6)"},
                          {0x77, false, L"Start (F8)", L"Record (F8)", L"Playback (F8)"},
                          {0x7B, true, L"Stop (F12)", L"Stop Rec (F12)", L"Stop Play (F12)"},
                          {0x7B, false, L"Start (F12)", L"Record (F12)", L"Playback (F12)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.start));
        EXPECT_EQ(FormatStartCaption(c.key, c.running), c.start);
        EXPECT_EQ(FormatRecordCaption(c.key, c.running), c.record);
        EXPECT_EQ(FormatPlaybackCaption(c.key, c.running), c.playback);
    }
}

TEST(HotkeyCaptions, OutsideF1ToF12RecordAndPlaybackArePlainWordsAndStartIsReadable) {
    for (uint32_t key : {0x00u, 0x41u, 0x6Fu, 0x7Cu, 0x87u, 0x88u, 0xFFu, 0x100u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(FormatRecordCaption(key, false), L"Record");
        EXPECT_EQ(FormatRecordCaption(key, true), L"Stop Recording");
        EXPECT_EQ(FormatPlaybackCaption(key, false), L"Playback");
        EXPECT_EQ(FormatPlaybackCaption(key, true), L"Stop Playback");
        std::wstring name = FormatHotkeyName(key);
        ASSERT_FALSE(name.empty());
        for (bool running : {false, true}) {
            std::wstring caption = FormatStartCaption(key, running);
            EXPECT_LE(caption.size(), 31u); // fits the caption buffer
            EXPECT_EQ(caption, (running ? L"Stop (" : L"Start (") + name + L")");
        }
        for (wchar_t c : name) { // printable only: never garbage from an unset buffer
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << static_cast<int>(c);
        }
        for (uint32_t f = 0x70; f <= 0x7B; ++f) { // never the name of a key it is not
            EXPECT_NE(name, FormatHotkeyName(f));
        }
    }
    EXPECT_EQ(FormatStartCaption(0x7C, false), L"Start (F13)");
    EXPECT_EQ(FormatStartCaption(0x87, false), L"Start (F24)");
    EXPECT_EQ(FormatStartCaption(0x00, false), L"Start (Key 0x00)");
    EXPECT_EQ(FormatStartCaption(0x6F, false), L"Start (Key 0x6F)");
    EXPECT_EQ(FormatStartCaption(0xFFFFFFFF, true), L"Stop (Key 0xFFFFFFFF)");
}

} // namespace

// Number fields and button captions.
#include <gtest/gtest.h>

#include <climits>

#include "app/TextLogic.h"

namespace {

struct ParseCase {
    const wchar_t* text;
    int32_t expected;
};

TEST(ParseIntField, ReadsNumbersTheWayWtoiDoes) {
    const ParseCase cases[] = {
        {L"", 0},
        {L"0", 0},
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
        {L"16959", 16959},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseIntField(c.text), c.expected) << "text \"" << testing::PrintToString(c.text) << "\"";
    }
}

TEST(ParseIntField, NullTextGivesZero) {
    EXPECT_EQ(ParseIntField(nullptr), 0);
}

TEST(ParseIntField, ReadsOnlyUpToTheEndOfAThirtyTwoCharacterField) {
    // What GetWindowTextW leaves in a 32-character buffer: at most 31 digits, then the end.
    EXPECT_EQ(ParseIntField(L"0000000000000000000000000000250"), 250);
}

TEST(HotkeyCaptions, FunctionKeysF1ToF12AreNamedByNumber) {
    EXPECT_EQ(FormatHotkeyName(0x70), L"F1");
    EXPECT_EQ(FormatHotkeyName(0x75), L"F6");
    EXPECT_EQ(FormatHotkeyName(0x7B), L"F12");
    EXPECT_EQ(FormatStartCaption(0x75, false), L"Start (F6)");
    EXPECT_EQ(FormatStartCaption(0x75, true), L"Stop (F6)");
    EXPECT_EQ(FormatStartCaption(0x7B, false), L"Start (F12)");
    EXPECT_EQ(FormatRecordCaption(0x77, false), L"Record (F8)");
    EXPECT_EQ(FormatRecordCaption(0x77, true), L"Stop Rec (F8)");
    EXPECT_EQ(FormatRecordCaption(0x70, false), L"Record (F1)");
    EXPECT_EQ(FormatRecordCaption(0x7B, true), L"Stop Rec (F12)");
    EXPECT_EQ(FormatPlaybackCaption(0x78, false), L"Playback (F9)");
    EXPECT_EQ(FormatPlaybackCaption(0x78, true), L"Stop Play (F9)");
    EXPECT_EQ(FormatPlaybackCaption(0x7B, false), L"Playback (F12)");
    EXPECT_EQ(FormatPlaybackCaption(0x70, true), L"Stop Play (F1)");
}

TEST(HotkeyCaptions, RecordAndPlaybackFallBackToPlainWordsOutsideF1ToF12) {
    for (uint32_t key : {0x00u, 0x41u, 0x6Fu, 0x7Cu, 0x87u, 0x100u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(FormatRecordCaption(key, false), L"Record");
        EXPECT_EQ(FormatRecordCaption(key, true), L"Stop Recording");
        EXPECT_EQ(FormatPlaybackCaption(key, false), L"Playback");
        EXPECT_EQ(FormatPlaybackCaption(key, true), L"Stop Playback");
    }
}

TEST(HotkeyCaptions, StartCaptionOutsideF1ToF12IsReadableAndFitsTheCaptionBuffer) {
    for (uint32_t key : {0x00u, 0x41u, 0x6Fu, 0x7Cu, 0x87u, 0x88u, 0xFFu, 0x100u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(key);
        std::wstring name = FormatHotkeyName(key);
        ASSERT_FALSE(name.empty());
        for (bool running : {false, true}) {
            std::wstring caption = FormatStartCaption(key, running);
            EXPECT_LE(caption.size(), 31u);
            EXPECT_EQ(caption, (running ? L"Stop (" : L"Start (") + name + L")");
        }
        // Printable text only: never garbage from an unset buffer.
        for (wchar_t c : name) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << static_cast<int>(c);
        }
        // Never the name of a key it is not.
        for (uint32_t f = 0x70; f <= 0x7B; ++f) {
            EXPECT_NE(name, FormatHotkeyName(f));
        }
    }
    EXPECT_EQ(FormatStartCaption(0x7C, false), L"Start (F13)");
    EXPECT_EQ(FormatStartCaption(0x87, false), L"Start (F24)");
    EXPECT_EQ(FormatStartCaption(0x00, false), L"Start (Key 0x00)");
    EXPECT_EQ(FormatStartCaption(0xFFFFFFFF, true), L"Stop (Key 0xFFFFFFFF)");
    EXPECT_EQ(FormatStartCaption(0x6F, false), L"Start (Key 0x6F)");
}

} // namespace

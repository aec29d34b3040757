// The clicker's numbers and texts, the design grid, and the clicks due on a simulated Windows clock.
#include <gtest/gtest.h>

#include "base/TextLogic.h"
#include "clicker/ClickLogic.h"
#include "ui/LayoutLogic.h"

TEST(ClickLogic, FieldsReadLikeWtoiAndTheIntervalIsSummedIn64BitsAndChecked) {
    using enum ClickIntervalCheck;
    // Hours, minutes, seconds and milliseconds as typed (31 characters: all that a field hands over).
    // clang-format off
    const std::tuple<std::array<const wchar_t*, 4>, int64_t, ClickIntervalCheck> rows[] = {
        {{L" \t\r\n\v\f+8", L"- 3", L"", L"12abc"}, 28800012, Valid},
        {{L"+-3", L"0", L"0", L"0000000000000000000000000000001"}, 1, Valid},
        {{L"-1", L"60", L"0", L"0"}, 0, TooShort},
        {{L"596", L"31", L"23", L"647"}, 2147483647, Valid},
        {{L"596", L"31", L"23", L"648"}, 2147483648, TooLong},
        {{L"2147483647", L"2147483648", L"-2147483648", L"-2147483649"}, 7857640516888352, TooLong},
        {{L"-99999999999999999999999", L"0", L"0", L"0"}, -7730941132800000, TooShort},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [f, sum, check] = rows[i];
        const int64_t total = SumClickInterval(ParseIntField(f[0]), ParseIntField(f[1]), ParseIntField(f[2]),
                                               ParseIntField(f[3]));
        EXPECT_EQ(std::pair(total, CheckClickInterval(total)), std::pair(sum, check)) << "row " << i;
    }
}

TEST(ClickLogic, CaptionsNameF1ToF12AndStayShortForAnyOtherKey) {
    // clang-format off
    const std::tuple<uint32_t, bool, const wchar_t*> rows[] = {
        {0x70, true, L"Stop (F1) Stop Rec (F1) Stop Play (F1)"},
        {0x7B, false, L"Start (F12) Record (F12) Playback (F12)"},
        {0x6F, false, L"Start (Key 0x6F) Record Playback"},
        {0x6F, true, L"Stop (Key 0x6F) Stop Recording Stop Playback"},
    };
    // clang-format on
    for (const auto& [key, running, captions] : rows) {
        EXPECT_EQ(FormatStartCaption(key, running) + L" " + FormatRecordCaption(key, running) + L" " +
                      FormatPlaybackCaption(key, running),
                  captions);
    }
}

TEST(ClickLogic, TheDesignGridTruncatesTowardZeroAndCentresTheColumnSigned) {
    // DPI, a value and its pixels (43.75 and -6.25 truncated), a client width, the column's left edge.
    // clang-format off
    const int32_t rows[][5] = {
        {120, 35, 43, 697, -1},
        {120, -5, -6, 0, -350},
        {144, 117, 175, 843, 1},
    };
    // clang-format on
    for (const auto& [dpi, value, pixels, width, left] : rows) {
        const float scale = ScaleFromDpi(dpi);
        EXPECT_EQ(std::pair(ScaleX(scale, value), ContentLeft(width, scale)), std::pair(pixels, left)) << dpi;
    }
}

// A timer set for d ms comes at the first system tick at or after max(d, 10) ms (Windows's minimum);
// the clicks of ticks up to 10 s. With stallBatch, the first tick from 1 s on comes at 3 s instead.
static int64_t RunClicker(uint32_t ms, int64_t tickUs, int32_t repeat, int32_t* stallBatch = nullptr) {
    int64_t nextDue = int64_t{ms} * 1000, now = 0, clicks = 0;
    for (uint32_t delayMs = ms; clicks != repeat; delayMs = ClickTimerDelayMs(nextDue, now)) {
        now = (now + std::max<int64_t>(delayMs, 10) * 1000 + tickUs - 1) / tickUs * tickUs;
        bool stalled = stallBatch != nullptr && now >= 1000000 && *stallBatch < 0;
        now = stalled ? 3000000 : now;
        if (now > 10000000) {
            return clicks;
        }
        int32_t batch = TakeDueClicks(nextDue, ms, now, ClickBatchLimit(false, int32_t(clicks), repeat));
        *(stalled ? stallBatch : &batch) = batch;
        clicks += batch;
    }
    return clicks;
}

TEST(ClickLogic, EveryDueClickIsMadeOnCoarseTicksButAStallNeverBecomesABurst) {
    for (int64_t tickUs : {15625, 10000, 1000}) {
        for (int32_t ms : {1, 2, 20, 25, 50, 100, 1000}) {
            SCOPED_TRACE(testing::Message() << tickUs << " us ticks, " << ms << " ms");
            EXPECT_EQ(RunClicker(ms, tickUs, -1), 10000 / ms);
            EXPECT_EQ(RunClicker(ms, tickUs, 5000 / ms + 3), 5000 / ms + 3) << "Repeat N";
            int32_t stallBatch = -1; // the tick at 3 s makes up only the clicks due after 2.95 s
            EXPECT_LT(RunClicker(ms, tickUs, -1, &stallBatch), 10000 / ms);
            EXPECT_EQ(stallBatch, 3000 / ms - 2950 / ms);
        }
    }
    int64_t nextDue = 1000000; // 1 s apart; due at 1 s and 2 s, the tick comes at 2.5 s: one click
    EXPECT_EQ(TakeDueClicks(nextDue, 1000, 2500000, INT32_MAX) + nextDue, 1 + 3500000) << "on from now";
}

// The click interval and its limits, the status line, and the flags a tick sends.
#include <gtest/gtest.h>

#include <climits>
#include <iterator>

#include "clicker/ClickLogic.h"

namespace {

struct IntervalCase {
    int32_t hours, minutes, seconds, milliseconds;
    int64_t total;
    ClickIntervalCheck check;
};

TEST(ClickLogic, IntervalIsSummedIn64BitsAndCheckedAgainstTimerLimits) {
    const IntervalCase cases[] = {
        {0, 0, 0, 100, 100, ClickIntervalCheck::Valid}, // the defaults
        {0, 0, 0, 1, 1, ClickIntervalCheck::Valid},
        {1, 30, 0, 0, 5400000, ClickIntervalCheck::Valid},
        {0, 0, 75, 0, 75000, ClickIntervalCheck::Valid}, // fields are not normalised
        {0, 0, 0, 0, 0, ClickIntervalCheck::TooShort},   // all empty reads as all zero
        // 1194 h wraps to 3,432,704 ms in 32 bits; here it stays 4,298,400,000 and is refused.
        {1194, 0, 0, 0, 4298400000LL, ClickIntervalCheck::TooLong},
        // 1193 h 2 min 47 s 295 ms wraps to exactly 0 in 32 bits.
        {1193, 2, 47, 296, 4294967296LL, ClickIntervalCheck::TooLong},
        {0, 0, 0, INT_MAX, 2147483647, ClickIntervalCheck::Valid}, // the longest timer period
        {0, 0, 2147483, 647, 2147483647, ClickIntervalCheck::Valid},
        {0, 0, 2147483, 648, 2147483648LL, ClickIntervalCheck::TooLong},
        {596, 31, 23, 648, 2147483648LL, ClickIntervalCheck::TooLong},
        {0, 0, 0, -5, -5, ClickIntervalCheck::TooShort},
        {1, -30, 0, 0, 1800000, ClickIntervalCheck::Valid}, // a negative field may still add up
        {0, 0, -1, 999, -1, ClickIntervalCheck::TooShort},
        {INT_MIN, 0, 0, 0, int64_t{INT_MIN} * 3600000, ClickIntervalCheck::TooShort},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN, -7861939782811648LL, ClickIntervalCheck::TooShort},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 7861939779150647LL, ClickIntervalCheck::TooLong},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const IntervalCase& c = cases[i];
        int64_t total = SumClickInterval(c.hours, c.minutes, c.seconds, c.milliseconds);
        EXPECT_EQ(total, c.total) << "row " << i;
        EXPECT_EQ(CheckClickInterval(total), c.check) << "row " << i;
    }
}

TEST(ClickLogic, StatusLineNamesTheStateAndTheCounts) {
    EXPECT_EQ(FormatClickStatus(true, 2, 3), L"Status: Running | Clicks: 2 / 3");
    EXPECT_EQ(FormatClickStatus(true, 0, 1), L"Status: Running | Clicks: 0 / 1");
    EXPECT_EQ(FormatClickStatus(true, 17, -1), L"Status: Running | Clicks: 17");
    EXPECT_EQ(FormatClickStatus(true, 5, 0), L"Status: Running | Clicks: 5");
    EXPECT_EQ(FormatClickStatus(false, 3, 3), L"Status: Stopped | Clicks: 3");
    EXPECT_EQ(FormatClickStatus(false, 0, -1), L"Status: Stopped | Clicks: 0");
    EXPECT_EQ(FormatClickStatus(true, INT_MAX, INT_MAX),
              L"Status: Running | Clicks: 2147483647 / 2147483647");
}

TEST(ClickLogic, ButtonSelectionPicksPressAndReleaseFlagsWithLeftAsFallback) {
    struct Row {
        int64_t selection;
        uint32_t press, release;
    };
    const Row rows[] = {{0, 0x0002, 0x0004}, {1, 0x0008, 0x0010},  {2, 0x0020, 0x0040},
                        {3, 0x0002, 0x0004}, {-1, 0x0002, 0x0004}, {0x100000002LL, 0x0002, 0x0004}};
    for (const Row& row : rows) {
        ClickButtonFlags flags = ChooseClickButtonFlags(row.selection);
        EXPECT_EQ(flags.press, row.press) << "selection " << row.selection;
        EXPECT_EQ(flags.release, row.release) << "selection " << row.selection;
    }
}

TEST(ClickLogic, OnlySingleSelectionIsASingleClick) {
    EXPECT_FALSE(IsDoubleClickSelection(0));
    EXPECT_TRUE(IsDoubleClickSelection(1));
    EXPECT_TRUE(IsDoubleClickSelection(-1));
}

TEST(ClickLogic, CountedRunEndsAtItsCountAndOpenRunNever) {
    EXPECT_FALSE(IsClickRunComplete(2, 3));
    EXPECT_TRUE(IsClickRunComplete(3, 3));
    EXPECT_TRUE(IsClickRunComplete(4, 3));
    EXPECT_FALSE(IsClickRunComplete(1000000, -1));
    EXPECT_FALSE(IsClickRunComplete(0, 0));
}

} // namespace

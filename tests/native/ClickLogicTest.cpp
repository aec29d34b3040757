// The click interval and its limits, the status line, and the flags a tick sends.
#include <gtest/gtest.h>

#include <climits>
#include <iterator>

#include "clicker/ClickLogic.h"

namespace {

TEST(ClickLogic, IntervalIsSummedIn64BitsAndCheckedAgainstTimerLimits) {
    using enum ClickIntervalCheck;
    const struct {
        int32_t hours, minutes, seconds, milliseconds;
        int64_t total;
        ClickIntervalCheck check;
    } cases[] = {
        {0, 0, 0, 100, 100, Valid},
        {1, 30, 0, 0, 5400000, Valid},
        {0, 0, 75, 0, 75000, Valid}, // fields are not normalised
        {0, 0, 0, 0, 0, TooShort},   // all empty reads as all zero
        // 1194 h wraps to 3,432,704 ms in 32 bits; here it stays 4,298,400,000 and is refused.
        {1194, 0, 0, 0, 4298400000LL, TooLong},
        {1193, 2, 47, 296, 4294967296LL, TooLong}, // exactly 0 in 32 bits
        {0, 0, 2147483, 647, 2147483647, Valid},   // the longest timer period
        {0, 0, 2147483, 648, 2147483648LL, TooLong},
        {0, 0, 0, -5, -5, TooShort},
        {1, -30, 0, 0, 1800000, Valid}, // a negative field may still add up
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN, -7861939782811648LL, TooShort},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 7861939779150647LL, TooLong},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& c = cases[i];
        int64_t total = SumClickInterval(c.hours, c.minutes, c.seconds, c.milliseconds);
        EXPECT_EQ(total, c.total);
        EXPECT_EQ(CheckClickInterval(total), c.check);
    }
}

TEST(ClickLogic, StatusLineShowsTheTargetOnlyWhileACountedRunIsRunning) {
    EXPECT_EQ(FormatClickStatus(true, 2, 3), L"Status: Running | Clicks: 2 / 3");
    EXPECT_EQ(FormatClickStatus(true, 17, -1), L"Status: Running | Clicks: 17");
    EXPECT_EQ(FormatClickStatus(true, 5, 0), L"Status: Running | Clicks: 5");
    EXPECT_EQ(FormatClickStatus(false, 3, 3), L"Status: Stopped | Clicks: 3");
    EXPECT_EQ(FormatClickStatus(true, INT_MAX, INT_MAX),
              L"Status: Running | Clicks: 2147483647 / 2147483647");
}

TEST(ClickLogic, SelectionsPickButtonFlagsClickTypeAndRunEnd) {
    const struct {
        int64_t selection;
        uint32_t press, release;
    } rows[] = {{0, 0x0002, 0x0004},  {1, 0x0008, 0x0010}, {2, 0x0020, 0x0040},
                {-1, 0x0002, 0x0004}, {3, 0x0002, 0x0004}, {0x100000002LL, 0x0002, 0x0004}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.selection);
        EXPECT_EQ(ChooseClickButtonFlags(row.selection).press, row.press);
        EXPECT_EQ(ChooseClickButtonFlags(row.selection).release, row.release);
    }
    EXPECT_FALSE(IsDoubleClickSelection(0));
    EXPECT_TRUE(IsDoubleClickSelection(1));
    EXPECT_TRUE(IsDoubleClickSelection(-1)); // only "Single" is a single click
    EXPECT_FALSE(IsClickRunComplete(2, 3));
    EXPECT_TRUE(IsClickRunComplete(3, 3));
    EXPECT_TRUE(IsClickRunComplete(4, 3));
    EXPECT_FALSE(IsClickRunComplete(1000000, -1));
    EXPECT_FALSE(IsClickRunComplete(0, 0));
}

} // namespace

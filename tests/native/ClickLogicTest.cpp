// The click interval's limits, the status line, and the due clicks on a simulated Windows clock.
#include <gtest/gtest.h>

#include <climits>

#include "clicker/ClickLogic.h"

namespace {

TEST(ClickLogic, IntervalIsSummedIn64BitsAndTheStatusLineCounts) {
    EXPECT_EQ(SumClickInterval(INT_MAX, INT_MAX, INT_MAX, INT_MAX), 7861939779150647LL);
    EXPECT_EQ(CheckClickInterval(SumClickInterval(1194, 0, 0, 0)),
              ClickIntervalCheck::TooLong); // not 3432704
    EXPECT_EQ(CheckClickInterval(SumClickInterval(0, 0, 2147483, 647)), ClickIntervalCheck::Valid);
    EXPECT_EQ(CheckClickInterval(SumClickInterval(0, 1, -60, 0)), ClickIntervalCheck::TooShort);
    EXPECT_EQ(
        FormatClickStatus(true, 2, 3) + FormatClickStatus(true, INT_MAX, -1) + FormatClickStatus(false, 3, 3),
        L"Status: Running | Clicks: 2 / 3Status: Running | Clicks: 2147483647Status: Stopped | Clicks: 3");
}

// A window timer set for d ms comes at the first system tick at or after max(d, 10) ms (Windows
// raises shorter periods to 10 ms). Returns the clicks made by ticks up to 10 s. A tick with
// clicks pauses pauseUs first (fixed position); with stallBatch, a tick due at 1 s comes at 3 s.
int64_t RunClicker(uint32_t intervalMs, int64_t systemTickUs, int32_t repeat, int64_t pauseUs,
                   int32_t* stallBatch = nullptr) {
    int64_t nextDue = int64_t{intervalMs} * 1000, now = 0, clicks = 0;
    for (uint32_t delayMs = intervalMs; clicks != repeat;) {
        now = (now + std::max<int64_t>(delayMs, 10) * 1000 + systemTickUs - 1) / systemTickUs * systemTickUs;
        bool stalled = stallBatch != nullptr && now >= 1000000 && *stallBatch < 0;
        now = stalled ? 3000000 : now;
        if (now > 10000000) {
            return clicks;
        }
        int32_t batch =
            TakeDueClicks(nextDue, intervalMs, now, ClickBatchLimit(false, int32_t(clicks), repeat));
        *(stalled ? stallBatch : &batch) = batch;
        clicks += batch, now += batch > 0 ? pauseUs : 0, delayMs = ClickTimerDelayMs(nextDue, now);
    }
    return clicks;
}

TEST(ClickLogic, EveryDueClickIsMadeOnCoarseTicksButAStallNeverBecomesABurst) {
    for (int64_t tickUs : {15625, 10000, 1000}) {
        for (int32_t interval : {1, 2, 20, 25, 50, 100, 1000}) {
            SCOPED_TRACE(testing::Message() << tickUs << " us ticks, " << interval << " ms");
            const uint32_t ms = static_cast<uint32_t>(interval);
            EXPECT_EQ(RunClicker(ms, tickUs, -1, 0), 10000 / interval);
            // At a fixed position each tick pauses 10 ms first: what fell due since waits for the next.
            EXPECT_GE(RunClicker(ms, tickUs, -1, 10000), (10000 - 26) / interval) << "fixed position";
            EXPECT_EQ(RunClicker(ms, tickUs, 5000 / interval + 3, 0), 5000 / interval + 3) << "Repeat N";
            int32_t stallBatch = -1; // the tick at 3 s makes up only the clicks due after 2.95 s
            EXPECT_LT(RunClicker(ms, tickUs, -1, 0, &stallBatch), 10000 / interval);
            EXPECT_EQ(stallBatch, 3000 / interval - 2950 / interval);
        }
    }
    int64_t nextDue = 1000000; // 1 s apart; due at 1 s and 2 s, the tick comes at 2.5 s: one click
    EXPECT_EQ(TakeDueClicks(nextDue, 1000, 2500000, INT32_MAX) + nextDue, 1 + 3500000) << "on from now";
    EXPECT_EQ(ClickTimerDelayMs(nextDue, 2500300), 999u) << "the slack covers a timer up to 1 ms early";
    EXPECT_EQ(TakeDueClicks(nextDue, 1000, 3499300, INT32_MAX), 1);
    nextDue = 0; // 10 clicks due: Repeat 100 with 95 made takes 5, a double click 1
    EXPECT_EQ(TakeDueClicks(nextDue, 1, 9000, ClickBatchLimit(false, 95, 100)), 5);
    EXPECT_EQ(TakeDueClicks(nextDue, 1, 19000, ClickBatchLimit(true, 0, -1)), 1);
}

} // namespace

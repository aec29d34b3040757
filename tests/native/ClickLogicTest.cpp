// The due clicks of the clicker on a simulated Windows clock.
#include <gtest/gtest.h>

#include "clicker/ClickLogic.h"

namespace {

// A window timer set for d ms comes at the first system tick at or after max(d, 10) ms (Windows
// raises shorter periods to 10 ms). Returns the clicks made by ticks up to 10 s. With stallBatch,
// the first tick due at or after 1 s comes at 3 s and reports its clicks there.
int64_t RunClicker(uint32_t intervalMs, int64_t systemTickUs, int32_t repeat, int32_t* stallBatch = nullptr) {
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
        clicks += batch;
        delayMs = ClickTimerDelayMs(nextDue, now);
    }
    return clicks;
}

TEST(ClickLogic, EveryDueClickIsMadeOnCoarseTicksButAStallNeverBecomesABurst) {
    for (int64_t tickUs : {15625, 10000, 1000}) {
        for (uint32_t ms : {1u, 2u, 20u, 25u, 50u, 100u, 1000u}) {
            SCOPED_TRACE(testing::Message() << tickUs << " us ticks, " << ms << " ms");
            const int32_t interval = static_cast<int32_t>(ms);
            EXPECT_EQ(RunClicker(ms, tickUs, -1), 10000 / interval);
            EXPECT_EQ(RunClicker(ms, tickUs, 5000 / interval + 3), 5000 / interval + 3) << "Repeat N";
            int32_t stallBatch = -1; // the tick at 3 s makes up only the clicks due after 2.95 s
            EXPECT_LT(RunClicker(ms, tickUs, -1, &stallBatch), 10000 / interval);
            EXPECT_EQ(stallBatch, 3000 / interval - 2950 / interval);
        }
    }
    int64_t nextDue = 1000000; // 1 s apart; due at 1 s and 2 s, the tick comes at 2.5 s: one click
    EXPECT_EQ(TakeDueClicks(nextDue, 1000, 2500000, INT32_MAX) + nextDue, 1 + 3500000) << "on from now";
}

} // namespace

// The design grid: truncating scale, row sums and the centred content column.
#include <gtest/gtest.h>

#include "ui/LayoutLogic.h"

namespace {

TEST(LayoutLogic, ScaleXTruncatesTowardZero) {
    EXPECT_EQ(ScaleX(1.25f, 35), 43); // 43.75, never rounded up
    EXPECT_EQ(ScaleX(1.25f, 18), 22);
    EXPECT_EQ(ScaleX(1.5f, 18), 27);
    EXPECT_EQ(ScaleX(1.0f, 560), 560);
    EXPECT_EQ(ScaleX(1.25f, -5), -6);
}

TEST(LayoutLogic, RowsAreSumsOfSeparatelyScaledSteps) {
    using Rows = std::array<int32_t, 9>;
    EXPECT_EQ(LayoutRows(ScaleFromDpi(96)), (Rows{20, 50, 85, 135, 285, 385, 415, 470, 530}));
    EXPECT_EQ(LayoutRows(ScaleFromDpi(120)), (Rows{25, 62, 105, 167, 354, 479, 516, 584, 659}));
    EXPECT_EQ(LayoutRows(ScaleFromDpi(144)), (Rows{30, 75, 127, 202, 427, 577, 622, 704, 794}));
    // Scaling the sum instead would put the interval row at 106.
    EXPECT_NE(LayoutRows(1.25f)[2], ScaleX(1.25f, 85));
}

TEST(LayoutLogic, ContentColumnIsCentredWithSignedTruncation) {
    EXPECT_EQ(ContentLeft(559, 1.0f), 0);
    EXPECT_EQ(ContentLeft(556, 1.0f), -2);
    EXPECT_EQ(ContentLeft(569, 1.0f), 4);
    EXPECT_EQ(ScaleX(1.25f, 560), 700);
}

TEST(LayoutLogic, OuterWindowSizeRoundsToNearest) {
    EXPECT_EQ(MulDivRound(575, 96, 96), 575);
    EXPECT_EQ(MulDivRound(664, 96, 96), 664);
    EXPECT_EQ(MulDivRound(575, 120, 96), 719);
    EXPECT_EQ(MulDivRound(664, 120, 96), 830);
    EXPECT_EQ(MulDivRound(575, 144, 96), 863);
    EXPECT_EQ(MulDivRound(664, 144, 96), 996);
}

} // namespace

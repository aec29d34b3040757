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
    EXPECT_EQ(ContentLeft(699, 1.25f), 0);
    EXPECT_EQ(ContentLeft(697, 1.25f), -1);
    EXPECT_EQ(ContentLeft(710, 1.25f), 5);
    EXPECT_EQ(ContentLeft(843, 1.5f), 1);
    EXPECT_EQ(ContentLeft(0, 1.0f), -280);
}

TEST(LayoutLogic, ScaleXOfDesignValuesAt96120And144Dpi) {
    struct Row {
        int32_t v, at96, at120, at144;
    };
    // 120 DPI: every .25/.5/.75 goes down; 144 DPI: every .5 goes down.
    const Row rows[] = {{5, 5, 6, 7},         {15, 15, 18, 22}, {25, 25, 31, 37},     {35, 35, 43, 52},
                        {45, 45, 56, 67},     {55, 55, 68, 82}, {117, 117, 146, 175}, {485, 485, 606, 727},
                        {560, 560, 700, 840}, {0, 0, 0, 0},     {1, 1, 1, 1},         {3, 3, 3, 4}};
    for (const Row& row : rows) {
        EXPECT_EQ(ScaleX(ScaleFromDpi(96), row.v), row.at96) << row.v;
        EXPECT_EQ(ScaleX(ScaleFromDpi(120), row.v), row.at120) << row.v;
        EXPECT_EQ(ScaleX(ScaleFromDpi(144), row.v), row.at144) << row.v;
    }
    EXPECT_EQ(ScaleFromDpi(96), 1.0f);
    EXPECT_EQ(ScaleFromDpi(120), 1.25f);
    EXPECT_EQ(ScaleFromDpi(144), 1.5f);
}

TEST(LayoutLogic, OffsetsAreScaledApartFromTheirRow) {
    // The check box sits at R3 + 115: 167 + 143 at 120 DPI, one pixel above ScaleX(135 + 115).
    const float scale = ScaleFromDpi(120);
    EXPECT_EQ(LayoutRows(scale)[3] + ScaleX(scale, 115), 310);
    EXPECT_EQ(ScaleX(scale, 135 + 115), 312);
    // The playback count edit sits 5 units above R7.
    EXPECT_EQ(LayoutRows(scale)[7] - ScaleX(scale, 5), 578);
}

TEST(LayoutLogic, ControlFontTruncatesWhileTheCaptionFontRounds) {
    EXPECT_EQ(ScaleX(ScaleFromDpi(96), 18), 18);
    EXPECT_EQ(ScaleX(ScaleFromDpi(120), 18), 22);
    EXPECT_EQ(ScaleX(ScaleFromDpi(144), 18), 27);
    EXPECT_EQ(MulDivRound(18, 96, 96), 18);
    EXPECT_EQ(MulDivRound(18, 120, 96), 23);
    EXPECT_EQ(MulDivRound(18, 144, 96), 27);
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

// The design grid: truncating scale, row sums, the centred content column and the outer size.
#include <gtest/gtest.h>

#include "ui/LayoutLogic.h"

namespace {

TEST(LayoutLogic, ScaleXTruncatesDesignValuesAt96120And144Dpi) {
    struct Row {
        int32_t v, at96, at120, at144;
    };
    // 120 DPI: every .25/.5/.75 goes down (35 gives 43, never 44); 144 DPI: every .5 goes down.
    const Row rows[] = {{5, 5, 6, 7},         {15, 15, 18, 22},     {18, 18, 22, 27}, {25, 25, 31, 37},
                        {35, 35, 43, 52},     {45, 45, 56, 67},     {55, 55, 68, 82}, {117, 117, 146, 175},
                        {485, 485, 606, 727}, {560, 560, 700, 840}, {0, 0, 0, 0},     {1, 1, 1, 1},
                        {3, 3, 3, 4},         {-5, -5, -6, -7}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.v);
        EXPECT_EQ(ScaleX(ScaleFromDpi(96), row.v), row.at96);
        EXPECT_EQ(ScaleX(ScaleFromDpi(120), row.v), row.at120);
        EXPECT_EQ(ScaleX(ScaleFromDpi(144), row.v), row.at144);
    }
}

TEST(LayoutLogic, RowsAreSumsOfSeparatelyScaledSteps) {
    using Rows = std::array<int32_t, 9>;
    EXPECT_EQ(LayoutRows(ScaleFromDpi(96)), (Rows{20, 50, 85, 135, 285, 385, 415, 470, 530}));
    // Scaling the sums instead would put the interval row at 106, not 105.
    EXPECT_EQ(LayoutRows(ScaleFromDpi(120)), (Rows{25, 62, 105, 167, 354, 479, 516, 584, 659}));
    EXPECT_EQ(LayoutRows(ScaleFromDpi(144)), (Rows{30, 75, 127, 202, 427, 577, 622, 704, 794}));
}

TEST(LayoutLogic, ContentColumnIsCentredWithSignedTruncation) {
    struct Row {
        int32_t clientWidth;
        float scale;
        int32_t left;
    };
    const Row rows[] = {{559, 1.0f, 0},   {556, 1.0f, -2}, {569, 1.0f, 4}, {699, 1.25f, 0},
                        {697, 1.25f, -1}, {710, 1.25f, 5}, {843, 1.5f, 1}, {0, 1.0f, -280}};
    for (const Row& row : rows) {
        EXPECT_EQ(ContentLeft(row.clientWidth, row.scale), row.left)
            << row.clientWidth << " at " << row.scale;
    }
}

TEST(LayoutLogic, OuterSizeAndCaptionFontRoundToNearest) {
    struct Row {
        int32_t dpi, width, height, captionFont;
    };
    const Row rows[] = {{96, 575, 664, 18}, {120, 719, 830, 23}, {144, 863, 996, 27}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(MulDivRound(575, row.dpi, 96), row.width);
        EXPECT_EQ(MulDivRound(664, row.dpi, 96), row.height);
        EXPECT_EQ(MulDivRound(18, row.dpi, 96), row.captionFont);
    }
}

} // namespace

// Face colours of the three owner-drawn buttons.
#include <gtest/gtest.h>

#include "ui/ThemeLogic.h"

namespace {

constexpr uint32_t kNone = 0;
constexpr uint32_t kSel = kItemSelected;
constexpr uint32_t kFoc = kItemFocus;
constexpr uint32_t kBoth = kItemSelected | kItemFocus;
// ODS_DISABLED and ODS_GRAYED never change a face.
constexpr uint32_t kDisabledGrayed = 0x0004 | 0x0002;

struct FaceCase {
    int id;
    uint32_t itemState;
    bool isRecording;
    bool isPlaying;
    uint32_t expected;
};

TEST(ButtonFace, FollowsPressFocusAndRunRules) {
    const uint32_t accent = MakeColour(0, 120, 215);
    const uint32_t pressed = MakeColour(0, 100, 180);
    const uint32_t focused = MakeColour(0, 140, 230);
    const uint32_t red = MakeColour(255, 0, 0);
    const uint32_t green = MakeColour(0, 255, 0);
    const FaceCase cases[] = {
        // Start: pressed beats focus; running flags mean nothing to it.
        {1011, kNone, false, false, accent},
        {1011, kSel, false, false, pressed},
        {1011, kFoc, false, false, focused},
        {1011, kBoth, false, false, pressed},
        {1011, kNone, true, true, accent},
        {1011, kDisabledGrayed, false, false, accent},
        {1011, kDisabledGrayed | kSel, false, false, pressed},
        // Record: recording beats focus; being pressed changes nothing.
        {1019, kNone, false, false, accent},
        {1019, kSel, false, false, accent},
        {1019, kFoc, false, false, focused},
        {1019, kBoth, false, false, focused},
        {1019, kNone, true, false, red},
        {1019, kBoth, true, false, red},
        {1019, kFoc, false, true, focused},
        {1019, kDisabledGrayed, false, false, accent},
        // Playback: playing beats focus; being pressed changes nothing.
        {1020, kNone, false, false, accent},
        {1020, kSel, false, false, accent},
        {1020, kFoc, false, false, focused},
        {1020, kBoth, false, false, focused},
        {1020, kNone, false, true, green},
        {1020, kBoth, false, true, green},
        {1020, kFoc, true, false, focused},
        {1020, kDisabledGrayed | kFoc, false, false, focused},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const FaceCase& c = cases[i];
        uint32_t face = 0xDEADBEEF;
        ASSERT_TRUE(ChooseButtonFace(c.id, c.itemState, c.isRecording, c.isPlaying, &face)) << "row " << i;
        EXPECT_EQ(face, c.expected) << "row " << i;
    }
}

TEST(ButtonFace, RefusesEveryOtherControlAndLeavesTheColourAlone) {
    for (int id : {0, 1000, 1010, 1012, 1016, 1018, 1021, 1024, 1026, -1011}) {
        uint32_t face = 0xDEADBEEF;
        EXPECT_FALSE(ChooseButtonFace(id, kBoth, true, true, &face)) << id;
        EXPECT_EQ(face, 0xDEADBEEFu) << id;
    }
}

TEST(ButtonFace, PaletteHasTheFixedColourrefValues) {
    EXPECT_EQ(kBackgroundColour, 0x202020u);
    EXPECT_EQ(kFieldColour, 0x2D2D2Du);
    EXPECT_EQ(kTextColour, 0xFFFFFFu);
    EXPECT_EQ(kDisabledTextColour, 0x828282u);
    EXPECT_EQ(kAccentColour, 0xD77800u);
    EXPECT_EQ(kAccentPressedColour, 0xB46400u);
    EXPECT_EQ(kAccentFocusedColour, 0xE68C00u);
    EXPECT_EQ(kRecordingColour, 0x0000FFu);
    EXPECT_EQ(kPlayingColour, 0x00FF00u);
}

} // namespace

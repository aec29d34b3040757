// Face colours of the three owner-drawn buttons.
#include <gtest/gtest.h>

#include "ui/ThemeLogic.h"

namespace {

constexpr uint32_t kNone = 0;
constexpr uint32_t kSel = kItemSelected;
constexpr uint32_t kFoc = kItemFocus;
constexpr uint32_t kBoth = kItemSelected | kItemFocus;
constexpr uint32_t kDisabledGrayed = 0x0004 | 0x0002; // ODS_DISABLED | ODS_GRAYED: never change a face

TEST(ButtonFace, FollowsPressFocusAndRunRules) {
    const uint32_t accent = 0xD77800, pressed = 0xB46400, focused = 0xE68C00, red = 0x0000FF,
                   green = 0x00FF00;
    struct FaceCase {
        int id;
        uint32_t itemState;
        bool isRecording, isPlaying;
        uint32_t expected;
    };
    // Start: pressed beats focus, running flags mean nothing to it. Record and Playback: recording or
    // playing beats focus, being pressed changes nothing.
    const FaceCase cases[] = {{1011, kNone, false, false, accent},
                              {1011, kSel, false, false, pressed},
                              {1011, kFoc, false, false, focused},
                              {1011, kBoth, false, false, pressed},
                              {1011, kNone, true, true, accent},
                              {1011, kDisabledGrayed, false, false, accent},
                              {1011, kDisabledGrayed | kSel, false, false, pressed},
                              {1019, kNone, false, false, accent},
                              {1019, kSel, false, false, accent},
                              {1019, kFoc, false, false, focused},
                              {1019, kBoth, false, false, focused},
                              {1019, kNone, true, false, red},
                              {1019, kBoth, true, false, red},
                              {1019, kFoc, false, true, focused},
                              {1019, kDisabledGrayed, false, false, accent},
                              {1020, kNone, false, false, accent},
                              {1020, kSel, false, false, accent},
                              {1020, kFoc, false, false, focused},
                              {1020, kBoth, false, false, focused},
                              {1020, kNone, false, true, green},
                              {1020, kBoth, false, true, green},
                              {1020, kFoc, true, false, focused},
                              {1020, kDisabledGrayed | kFoc, false, false, focused}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const FaceCase& c = cases[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        uint32_t face = 0xDEADBEEF;
        ASSERT_TRUE(ChooseButtonFace(c.id, c.itemState, c.isRecording, c.isPlaying, &face));
        EXPECT_EQ(face, c.expected);
    }
}

TEST(ButtonFace, RefusesEveryOtherControlAndLeavesTheColourAlone) {
    for (int id : {0, 1000, 1010, 1012, 1016, 1018, 1021, 1024, 1026, -1011}) {
        uint32_t face = 0xDEADBEEF;
        EXPECT_FALSE(ChooseButtonFace(id, kBoth, true, true, &face)) << id;
        EXPECT_EQ(face, 0xDEADBEEFu) << id;
    }
}

} // namespace

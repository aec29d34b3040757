// A recording start failing on either hook keeps the previous one (A pressed at 7,8) and leaves no hook;
// one with keys held records them as the hook names them, played from its start point and released.
#include <gtest/gtest.h>

#include <sstream>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

// The failing hook; boxes, Record's caption, hooks left, then each action playback injects as
// x,y:vk:scan:flags. The previous recording is A pressed at 7,8.
// clang-format off
const std::pair<int, const wchar_t*> kRows[] = {
    {WH_MOUSE_LL, L"2 Record (F8) 0 | 7,8:0:0:0 0,0:65:30:8 0,0:65:30:10"},
    {WH_KEYBOARD_LL, L"2 Record (F8) 0 | 7,8:0:0:0 0,0:65:30:8 0,0:65:30:10"},
    {0, L"0 Record (F8) 0 | 300,400:0:0:0 0,0:160:42:8 0,0:163:29:9 0,0:160:42:10 0,0:163:29:11"},
};
// clang-format on

TEST(RecorderTest, AFailedStartKeepsTheRecordingAndHeldKeysArePlayedFromTheStartPointAndReleased) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (const auto& [failingHook, expected] : kRows) {
        ResetFakeSys();
        EditFake([&](FakeData& f) { f.failingHookId = failingHook; });
        appState.recordedEvents = {{KeyDown, 0, 0, 0, 'A', 0}, {KeyUp, 9, 0, 0, 'A', 0}};
        appState.recordStartCursor = POINT{7, 8};
        EditFake([](FakeData& f) { f.cursor = POINT{300, 400}; });
        for (int vk : {VK_LBUTTON, VK_XBUTTON1, VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_F8}) {
            EditFake([&](FakeData& f) { f.keyStates[vk] = -0x8000; });
        }
        SendCommand(IDC_RECORD);
        SendCommand(IDC_RECORD);
        std::wostringstream picture;
        picture << FakeState().boxes.size() << L" " << ControlText(IDC_RECORD) << L" "
                << FakeUnhookLeftHooks() << L" |";
        SendCommand(IDC_PLAYBACK);
        ASSERT_TRUE(PumpUntil([] { return !appState.isPlaying; }, 3000));
        for (const InjectedAction& a : FakeState().injected) {
            const KEYBDINPUT& k = a.input.ki;
            picture << L" " << a.cursor.x << L"," << a.cursor.y << L":" << k.wVk << L":" << k.wScan << L":"
                    << k.dwFlags;
        }
        EXPECT_EQ(picture.str(), expected) << failingHook;
    }
    DestroyTestMainWindow();
}

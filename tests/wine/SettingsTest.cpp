// Settings applies the chosen keys in order on Save. A refused key is settled before its box opens,
// and the box is the dialog's, so nothing under it can be pressed meanwhile.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

TEST(Settings, SaveSettlesEachKeyBeforeItsBox) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    std::map<UINT, int> inBox;
    std::wstring owner;
    QueueMessageBoxAnswer(IDOK, [&] {
        inBox = fakeHotkeys;
        owner = ControlText(FakeState().boxes.back().owner) + L" " + std::to_wstring(appState.playbackHotkey);
    });
    ASSERT_TRUE(RunWithDialog(
        L"Settings", [] { SendCommand(IDM_SETTINGS); },
        [](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_STARTSTOP_HOTKEY, CB_SETCURSEL, 2, 0); // F3
            SendDlgItemMessageW(dialog, IDC_RECORD_HOTKEY, CB_SETCURSEL, 3, 0);    // F4
            SendDlgItemMessageW(dialog, IDC_PLAYBACK_HOTKEY, CB_SETCURSEL, 3, 0);  // F4, just taken
            SendMessageW(dialog, WM_COMMAND, IDC_SETTINGS_SAVE, 0);
        }));
    EXPECT_EQ(ControlText(IDC_START) + L" " + ControlText(IDC_RECORD) + L" " + ControlText(IDC_PLAYBACK) +
                  L" " + owner,
              L"Start (F3) Record (F4) Playback (F9) Settings 120");
    const std::map<UINT, int> keys = {{VK_F3, 100}, {VK_F4, 101}, {VK_F9, 102}};
    EXPECT_EQ(fakeHotkeys, keys);
    EXPECT_EQ(inBox, keys);
    DestroyTestMainWindow();
}

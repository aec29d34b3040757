// Settings applies the three chosen keys in order on Save, each falling back to its default when
// the key is taken, and Cancel changes nothing.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

TEST(Settings, SaveAppliesEachKeyOrItsDefaultAndCancelChangesNothing) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    SetFakeHotkeyTaken(VK_F2); // F2 is taken by someone else
    for (int button : {IDCANCEL, IDC_SETTINGS_SAVE}) {
        ASSERT_TRUE(RunWithDialog(
            L"Settings", [] { SendCommand(IDM_SETTINGS); },
            [&](HWND dialog) {
                const int choices[][2] = {
                    {IDC_STARTSTOP_HOTKEY, 1}, {IDC_RECORD_HOTKEY, 2}, {IDC_PLAYBACK_HOTKEY, 3}};
                for (const auto& [id, index] : choices) { // F2 (taken), F3, F4
                    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
                }
                SendMessageW(dialog, WM_COMMAND, button, 0);
            }));
        const bool saved = button == IDC_SETTINGS_SAVE;
        EXPECT_EQ(ControlText(IDC_START) + ControlText(IDC_RECORD) + ControlText(IDC_PLAYBACK),
                  saved ? L"Start (F6)Record (F3)Playback (F4)" : L"Start (F6)Record (F8)Playback (F9)");
        EXPECT_EQ(FakeMessageBoxes().size(), saved ? 1u : 0u);
        EXPECT_EQ(appState.recordHotkey + appState.playbackHotkey, saved ? VK_F3 + VK_F4 : VK_F8 + VK_F9);
    }
    DestroyTestMainWindow();
}

// Settings applies the three chosen keys in order on Save and Cancel changes nothing. A refused
// key is settled before its box opens: the box is the dialog's, so nothing under it can be
// pressed, and inside it the stop key is the one the caption shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "app/RunRequests.h"
#include "base/Sys.h"
#include "res/resource.h"

TEST(Settings, SaveSettlesEachKeyBeforeItsBoxAndCancelChangesNothing) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    appState.recordedEvents = {InputEvent{MouseMove, 60000, 5, 5, 0, 0}};
    for (int button : {IDCANCEL, IDC_SETTINGS_SAVE}) {
        SysRegisterHotKey(nullptr, 0, 0, VK_F2); // another program's
        SendCommand(IDC_PLAYBACK);
        // Inside the box the user presses the playback key, as the stop key's hook sees it.
        std::map<UINT, int> inBox;
        QueueMessageBoxAnswer(IDOK, [&] {
            inBox = FakeHotkeys();
            KBDLLHOOKSTRUCT hook{VK_F9, 0, 0, 0, 0};
            KeyWatchProc(0, WM_KEYDOWN, reinterpret_cast<LPARAM>(&hook));
        });
        HWND shown = nullptr;
        ASSERT_TRUE(RunWithDialog(
            L"Settings", [] { SendCommand(IDM_SETTINGS); },
            [&](HWND dialog) {
                shown = dialog;
                SendDlgItemMessageW(dialog, IDC_STARTSTOP_HOTKEY, CB_SETCURSEL, 2, 0); // F3
                SendDlgItemMessageW(dialog, IDC_RECORD_HOTKEY, CB_SETCURSEL, 3, 0);    // F4
                SendDlgItemMessageW(dialog, IDC_PLAYBACK_HOTKEY, CB_SETCURSEL, 1, 0);  // F2, taken
                SendMessageW(dialog, WM_COMMAND, button, 0);
            }));
        PumpMessages(30);
        const bool saved = button == IDC_SETTINGS_SAVE;
        EXPECT_EQ(ControlText(IDC_START) + L" " + ControlText(IDC_RECORD) + L" " + ControlText(IDC_PLAYBACK),
                  saved ? L"Start (F3) Record (F4) Playback (F9)" : L"Start (F6) Record (F8) Stop Play (F9)");
        const std::map<UINT, int> keys = {
            {VK_F2, 0}, {saved ? VK_F3 : VK_F6, 100}, {saved ? VK_F4 : VK_F8, 101}, {VK_F9, 102}};
        EXPECT_EQ(FakeHotkeys(), keys);
        EXPECT_EQ(inBox, (saved ? keys : std::map<UINT, int>{}));
        EXPECT_EQ(std::ranges::count(FakeMessageBoxes(), shown, &MessageBoxCall::owner), saved ? 1 : 0);
        SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0);
        ResetFakeSys();
    }
    DestroyTestMainWindow();
}

// Settings applies the three chosen keys in order on Save and Cancel changes nothing. A refused
// key is settled before its box opens: the box is the dialog's, so nothing under it can be
// pressed, and inside it the stop key is the one the caption shows.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "app/RunRequests.h"
#include "res/resource.h"

namespace {

// The user's press of the playback key, as the stop key's hook sees it.
void PressStopKey() {
    KBDLLHOOKSTRUCT hook{VK_F9, 0, 0, 0, 0};
    KeyWatchProc(0, WM_KEYDOWN, reinterpret_cast<LPARAM>(&hook));
}

std::wstring Captions() {
    return ControlText(IDC_START) + L" " + ControlText(IDC_RECORD) + L" " + ControlText(IDC_PLAYBACK);
}

// The keys registered under each id; Windows keeps a second key beside the first under one id.
std::vector<UINT> RegisteredKeys() {
    std::vector<UINT> keys;
    for (int id : {HOTKEY_START_STOP, HOTKEY_RECORD, HOTKEY_PLAYBACK}) {
        std::vector<UINT> ofId = FakeHotkeys(id);
        keys.insert(keys.end(), ofId.begin(), ofId.end());
    }
    return keys;
}

TEST(Settings, SaveSettlesEachKeyBeforeItsBoxAndCancelChangesNothing) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    appState.recordedEvents = {InputEvent{MouseMove, 60000, 5, 5, 0, 0}};
    for (int button : {IDCANCEL, IDC_SETTINGS_SAVE}) {
        SetFakeHotkeyTaken(VK_F2);
        SendCommand(IDC_PLAYBACK);
        QueueMessageBoxAnswer(IDOK, PressStopKey);
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
        std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
        EXPECT_EQ(Captions(),
                  saved ? L"Start (F3) Record (F4) Playback (F9)" : L"Start (F6) Record (F8) Stop Play (F9)");
        const std::vector<UINT> keys =
            saved ? std::vector<UINT>{VK_F3, VK_F4, VK_F9} : std::vector<UINT>{VK_F6, VK_F8, VK_F9};
        EXPECT_EQ(RegisteredKeys(), keys);
        ASSERT_EQ(boxes.size(), saved ? 1u : 0u);
        if (saved) {
            EXPECT_EQ(boxes[0].owner, shown);
        }
        SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0);
        ResetFakeSys();
    }
    DestroyTestMainWindow();
}

} // namespace

// A message box's modal loop keeps serving the hotkeys. Each row, in a fresh window with two events:
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/ProfileCommands.h"
#include "profile/ProfileLogic.h"
#include "res/resource.h"

namespace {

constexpr int F6 = HOTKEY_START_STOP, F8 = HOTKEY_RECORD, F9 = HOTKEY_PLAYBACK, kLoadKeys = 1;
constexpr int kNew = IDM_NEW_PROFILE, kLoad = IDM_LOAD_PROFILE;
// run, hours and ms, what opens a box, the hotkey inside it (boxes answered Yes); box types 36 ? 48 ! 64 i.
// 1-3: a run starts in New's question: Yes is refused. 4: Load refused before its dialog. 5: Enter, Space,
// A as hotkeys: each box gives a default, F9 works in the first. 6-8: a refusal box ignores its run's key.
// clang-format off
const std::tuple<int, const wchar_t*, int, int, const wchar_t*> kRows[] = {
    {0, L"5", kNew, F9, L"playing events=2 hours=5 New 36|New 48|"},
    {0, L"5", kNew, F8, L"recording events=0 hours=5 New 36|New 48|"},
    {0, L"5", kNew, 0, L"events=0 hours=0 New 36|New 64|"},
    {F6, L"5", kLoad, 0, L"clicking events=2 hours=5 Load 48|"},
    {0, L"5", kLoadKeys, F9, L"playing events=2 hours=0 Hotkey 48|Hotkey 48|Hotkey 48|Load 64|"},
    {0, L"0", F6, F6, L"events=2 hours=0 Invalid 48|"},
    {F6, L"5", F8, F8, L"clicking events=2 hours=5 Recording 64|"},
    {F6, L"5", F9, F9, L"clicking events=2 hours=5 Playback 64|"},
};
// clang-format on

TEST(ModalLoop, WhatArrivesWhileABoxIsOpenCannotUndoItsRefusal) {
    const std::vector<InputEvent> events = {{MouseMove, 0, 10, 10, 0, 0}, {MouseMove, 60000, 20, 20, 0, 0}};
    const std::filesystem::path keysFile = std::filesystem::temp_directory_path() / "tamblo-keys.tmb";
    std::ofstream keys(keysFile, std::ios::binary);
    EncodeProfile({{}, 0x0D, 0x20, 0x41}, events, [&](const uint8_t* p, size_t n) {
        return keys.write(reinterpret_cast<const char*>(p), static_cast<std::streamsize>(n)).good();
    });
    keys.close();
    for (auto [running, hours, open, inside, expected] : kRows) {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordedEvents = events;
        EnableWindow(Control(IDC_PLAYBACK), TRUE);
        SetWindowTextW(Control(IDC_HOURS), hours);
        SetWindowTextW(Control(IDC_MILLISECS), hours);
        SendMessageW(appState.mainWindow, WM_HOTKEY, running, 0);
        ResetFakeSys();
        QueueMessageBoxAnswer(IDYES, [&] { PostMessageW(appState.mainWindow, WM_HOTKEY, inside, 0); });
        const bool dialog = RunWithDialog(
            L"Load Profile",
            [&] {
                open == kLoadKeys
                    ? LoadProfileAtPath(keysFile.c_str())
                    : (void)SendMessageW(appState.mainWindow, open <= F9 ? WM_HOTKEY : WM_COMMAND, open, 0);
            },
            [](HWND d) { EndDialog(d, IDCANCEL); });
        std::wstring picture = appState.isClicking ? L"clicking " : L"";
        picture += appState.isRecording ? L"recording " : L"";
        picture += appState.isPlaying ? L"playing " : L"";
        picture += L"events=" + std::to_wstring(appState.recordedEvents.size()) + L" hours=" +
                   ControlText(IDC_HOURS) + (dialog ? L" Open|" : L" ");
        for (const MessageBoxCall& box : FakeState().boxes) {
            picture += box.title.substr(0, box.title.find(L' ')) + L" " + std::to_wstring(box.type) + L"|";
        }
        EXPECT_EQ(picture, expected);
        DestroyTestMainWindow();
    }
    std::filesystem::remove(keysFile);
}

// Settings applies the chosen keys in order on Save. A refused key is settled before its box opens,
// and the box is the dialog's, so nothing under it can be pressed meanwhile.
TEST(ModalLoop, SettingsSaveSettlesEachKeyBeforeItsBox) {
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

} // namespace

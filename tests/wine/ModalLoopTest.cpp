// A message box's modal loop keeps serving the hotkeys. Each row: a fresh window with two events and
// hours 5, some fields set to 0, a run started; a box opened, a hotkey arriving inside it, the answer.
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
constexpr int H = IDC_HOURS, M = IDC_MILLISECS, R = IDC_PLAYBACK_REPEAT_TIMES;

struct Row {
    int running;
    std::vector<int> zeroed;
    int open, inside; // open: a command, a hotkey or kLoadKeys; every box answered Yes or OK
    const wchar_t* after;
    const wchar_t* boxes; // each box's first title word and type: 36 a question, 48 a warning, 64 information
};

// 1-4: New's question is open when a run starts; Yes then meets the same refusal, nothing is reset.
// 5-7: Load is refused before its file dialog while any run is active. 8: a file holding Enter, Space
// and A as hotkeys: each falls back to its default after its own box, and the playback key works
// inside the first one, on the recording already loaded. 9-12: a run's own refusal box is open when
// its start key arrives again: nothing more happens.
// clang-format off
const Row kRows[] = {
    {0, {}, IDM_NEW_PROFILE, F9, L"playing events=2 hours=5", L"New 36|New 48|"},
    {0, {}, IDM_NEW_PROFILE, F6, L"clicking events=2 hours=5", L"New 36|New 48|"},
    {0, {}, IDM_NEW_PROFILE, F8, L"recording events=0 hours=5", L"New 36|New 48|"},
    {0, {}, IDM_NEW_PROFILE, 0, L"events=0 hours=0", L"New 36|New 64|"},
    {F6, {}, IDM_LOAD_PROFILE, 0, L"clicking events=2 hours=5", L"Load 48|"},
    {F8, {}, IDM_LOAD_PROFILE, 0, L"recording events=0 hours=5", L"Load 48|"},
    {F9, {}, IDM_LOAD_PROFILE, 0, L"playing events=2 hours=5", L"Load 48|"},
    {0, {}, kLoadKeys, F9, L"playing events=2 hours=0", L"Hotkey 48|Hotkey 48|Hotkey 48|Load 64|"},
    {0, {H, M}, F6, F6, L"events=2 hours=0", L"Invalid 48|"},
    {F6, {}, F8, F8, L"clicking events=2 hours=5", L"Recording 64|"},
    {F6, {}, F9, F9, L"clicking events=2 hours=5", L"Playback 64|"},
    {0, {R}, F9, F9, L"events=2 hours=5", L"Invalid 48|"},
};
// clang-format on

void Open(int what, const std::filesystem::path& keysFile) {
    if (what == kLoadKeys) {
        LoadProfileAtPath(keysFile.c_str());
    } else {
        SendMessageW(appState.mainWindow, what <= F9 ? WM_HOTKEY : WM_COMMAND, what, 0);
    }
}

TEST(ModalLoop, WhatArrivesWhileABoxIsOpenCannotUndoItsRefusal) {
    const std::vector<InputEvent> events = {{MouseMove, 0, 10, 10, 0, 0}, {MouseMove, 60000, 20, 20, 0, 0}};
    const std::filesystem::path keysFile = std::filesystem::temp_directory_path() / "tamblo-keys.tmb";
    std::ofstream keys(keysFile, std::ios::binary);
    EncodeProfile({{}, 0x0D, 0x20, 0x41}, events, [&](const uint8_t* p, size_t n) {
        return keys.write(reinterpret_cast<const char*>(p), static_cast<std::streamsize>(n)).good();
    });
    keys.close();
    for (size_t row = 0; row < std::size(kRows); ++row) {
        const Row& r = kRows[row];
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordedEvents = events;
        EnableWindow(Control(IDC_PLAYBACK), TRUE);
        SetControlText(IDC_HOURS, L"5");
        for (int id : r.zeroed) {
            SetControlText(id, L"0");
        }
        SendMessageW(appState.mainWindow, WM_HOTKEY, r.running, 0);
        ResetFakeSys();
        QueueMessageBoxAnswer(IDYES, [&] { PostMessageW(appState.mainWindow, WM_HOTKEY, r.inside, 0); });
        const bool dialog = RunWithDialog(
            L"Load Profile", [&] { Open(r.open, keysFile); }, [](HWND d) { EndDialog(d, IDCANCEL); });
        std::wstring after = std::wstring(appState.isClicking ? L"clicking " : L"");
        after += appState.isRecording ? L"recording " : L"";
        after += appState.isPlaying ? L"playing " : L"";
        after += L"events=" + std::to_wstring(appState.recordedEvents.size()) + L" hours=" + ControlText(H);
        std::wstring boxes = dialog ? L"Open|" : L"";
        for (const MessageBoxCall& box : FakeMessageBoxes()) {
            boxes += box.title.substr(0, box.title.find(L' ')) + L" " + std::to_wstring(box.type) + L"|";
        }
        EXPECT_EQ(after, r.after) << "row " << row;
        EXPECT_EQ(boxes, r.boxes) << "row " << row;
        DestroyTestMainWindow();
    }
    std::filesystem::remove(keysFile);
}

} // namespace

// A message box's modal loop keeps serving the hotkeys. Each row: a fresh window with two events and
// hours 5, its fields typed, a run started; a box opened, a hotkey arriving inside it, the answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/ProfileCommands.h"
#include "profile/ProfileLogic.h"
#include "res/resource.h"

// clang-format off
// Each box as "title: text" and its type: 36 a Yes/No question, 48 a warning, 64 information.
const std::wstring kQuestion = L"New Profile: This will reset all settings and clear any recorded events. Continue? 36";
const std::wstring kNewRefused = L"New Profile: Please stop all active operations before creating a new profile. 48";
const std::wstring kLoadRefused = L"Load Profile: Please stop all active operations before loading a profile. 48";
constexpr int F6 = HOTKEY_START_STOP, F8 = HOTKEY_RECORD, F9 = HOTKEY_PLAYBACK, kLoadKeys = 1;
const std::filesystem::path kKeysFile = std::filesystem::temp_directory_path() / "tamblo-keys.tmb";
static std::wstring HotkeyError(const std::wstring& which) {
    return L"Hotkey Error: Failed to register new " + which + L"hotkey. It might be in use by another application. 48";
}

// The run started first, fields typed, the command, hotkey or kLoadKeys opening a box, the hotkey arriving inside.
struct Row { int running; std::vector<std::pair<int, const wchar_t*>> fields; int open, inside, answer;
             const wchar_t* after; std::vector<std::wstring> boxes; };

const Row kRows[] = {
    // New's question is open when a run starts; Yes then meets the same refusal, nothing is reset.
    {0, {}, IDM_NEW_PROFILE, F9, IDYES, L"playing events=2 hours=5", {kQuestion, kNewRefused}},
    {0, {}, IDM_NEW_PROFILE, F6, IDYES, L"clicking events=2 hours=5", {kQuestion, kNewRefused}},
    {0, {}, IDM_NEW_PROFILE, F8, IDYES, L"recording events=0 hours=5", {kQuestion, kNewRefused}},
    {0, {}, IDM_NEW_PROFILE, 0, IDYES, L"events=0 hours=0", {kQuestion, L"New Profile: All settings have been reset to defaults. 64"}},
    // Load is refused before its file dialog while any run is active.
    {F6, {}, IDM_LOAD_PROFILE, 0, IDOK, L"clicking events=2 hours=5", {kLoadRefused}},
    {F8, {}, IDM_LOAD_PROFILE, 0, IDOK, L"recording events=0 hours=5", {kLoadRefused}},
    {F9, {}, IDM_LOAD_PROFILE, 0, IDOK, L"playing events=2 hours=5", {kLoadRefused}},
    // A file holding Enter, Space and A as hotkeys: each falls back to its default after its own box,
    // and the playback key works inside the first one, on the recording already loaded.
    {0, {}, kLoadKeys, F9, IDOK, L"playing events=2 hours=0", {HotkeyError(L""), HotkeyError(L"Record "),
     HotkeyError(L"Playback "), L"Load Profile: Profile loaded successfully! 64"}},
    // A run's own refusal box is open when its start key arrives again: nothing more happens.
    {0, {{IDC_HOURS, L"0"}, {IDC_MILLISECS, L"0"}}, F6, F6, IDOK, L"events=2 hours=0",
     {L"Invalid Interval: Click interval must be at least 1 millisecond. 48"}},
    {F6, {}, F8, F8, IDOK, L"clicking events=2 hours=5", {L"Recording: Please stop the auto-clicker before recording. 64"}},
    {F6, {}, F9, F9, IDOK, L"clicking events=2 hours=5", {L"Playback: Please stop the auto-clicker before playback. 64"}},
    {0, {{IDC_PLAYBACK_REPEAT_TIMES, L"0"}}, F9, F9, IDOK, L"events=2 hours=5",
     {L"Invalid Count: Number of repeats must be at least 1. 48"}},
};

TEST(ModalLoop, WhatArrivesWhileABoxIsOpenCannotUndoItsRefusal) {
    const std::vector<InputEvent> events = {{MouseMove, 0, 10, 10, 0, 0}, {MouseMove, 60000, 20, 20, 0, 0}};
    std::ofstream keys(kKeysFile, std::ios::binary);
    EncodeProfile({{}, 0x0D, 0x20, 0x41}, events, [&](const uint8_t* p, size_t n) { return !!keys.write((const char*)p, n); });
    keys.close();
    for (size_t row = 0; row < std::size(kRows); ++row) {
        const Row& r = kRows[row];
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        appState.recordedEvents = events;
        EnableWindow(Control(IDC_PLAYBACK), TRUE);
        SetControlText(IDC_HOURS, L"5");
        for (const auto& [id, text] : r.fields) SetControlText(id, text);
        SendMessageW(appState.mainWindow, WM_HOTKEY, r.running, 0);
        ResetFakeSys();
        QueueMessageBoxAnswer(r.answer, [&] { PostMessageW(appState.mainWindow, WM_HOTKEY, r.inside, 0); });
        const bool dialog = RunWithDialog(L"Load Profile", [&] {
            if (r.open == kLoadKeys) LoadProfileAtPath(kKeysFile.c_str());
            else SendMessageW(appState.mainWindow, r.open <= F9 ? WM_HOTKEY : WM_COMMAND, r.open, 0);
        }, [](HWND d) { EndDialog(d, IDCANCEL); });
        std::wstring after = std::wstring(appState.isClicking ? L"clicking " : L"") + (appState.isRecording ? L"recording " : L"") +
                             (appState.isPlaying ? L"playing " : L"") + L"events=" + std::to_wstring(appState.recordedEvents.size()) +
                             L" hours=" + ControlText(IDC_HOURS) + (dialog ? L" load dialog" : L"");
        std::vector<std::wstring> boxes;
        for (const MessageBoxCall& box : FakeMessageBoxes()) boxes.push_back(box.title + L": " + box.text + L" " + std::to_wstring(box.type));
        EXPECT_EQ(after, r.after) << "row " << row;
        EXPECT_EQ(boxes, r.boxes) << "row " << row;
        DestroyTestMainWindow();
    }
    std::filesystem::remove(kKeysFile);
}
// clang-format on

// The three hotkeys: change rules, failures and fall-backs, captions, and the Settings dialog.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/Hotkeys.h"
#include "res/resource.h"

namespace {

const wchar_t kStartFailure[] = L"Failed to register new hotkey. It might be in use by another application.";
const wchar_t kRecordFailure[] =
    L"Failed to register new Record hotkey. It might be in use by another application.";
const wchar_t kPlaybackFailure[] =
    L"Failed to register new Playback hotkey. It might be in use by another application.";

class HotkeysTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        for (int id = 1; id <= 3; ++id) {
            UnregisterHotKey(other, id);
        }
        DestroyWindow(other);
        appState.isClicking = false;
        appState.isRecording = false;
        appState.isPlaying = false;
        DestroyTestMainWindow();
    }
    // True when the main window holds `key` (another window cannot take it).
    bool MainWindowHolds(UINT key) {
        if (RegisterHotKey(other, 9, 0, key)) {
            UnregisterHotKey(other, 9);
            return false;
        }
        return true;
    }
    void SaveSettingsWith(int startIndex, int recordIndex, int playbackIndex) {
        ASSERT_TRUE(RunWithDialog(
            L"Settings", [] { SendCommand(IDM_SETTINGS); },
            [&](HWND dialog) {
                SelectComboItem(dialog, IDC_STARTSTOP_HOTKEY, startIndex);
                SelectComboItem(dialog, IDC_RECORD_HOTKEY, recordIndex);
                SelectComboItem(dialog, IDC_PLAYBACK_HOTKEY, playbackIndex);
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_SAVE, BN_CLICKED), 0);
            }));
    }
    HWND other = nullptr;
};

TEST_F(HotkeysTest, ChangingToTheSameKeyTouchesNothing) {
    SetControlText(IDC_START, L"untouched");
    SetControlText(IDC_RECORD, L"untouched");
    ChangeStartStopHotkey(VK_F6);
    ChangeRecordHotkey(VK_F8);
    ChangePlaybackHotkey(VK_F9);
    EXPECT_EQ(ControlText(IDC_START), L"untouched");
    EXPECT_EQ(ControlText(IDC_RECORD), L"untouched");
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(HotkeysTest, NewKeyIsRegisteredAndNamedForTheRunningState) {
    struct Case {
        void (*change)(uint32_t);
        bool* running;
        int button;
        const wchar_t* idleCaption;
        const wchar_t* runningCaption;
        UINT parkingKey; // frees F10 for the next round
    };
    bool clicking = false;
    bool recording = false;
    const Case cases[] = {
        {ChangeStartStopHotkey, &clicking, IDC_START, L"Start (F10)", L"Stop (F10)", VK_F1},
        {ChangeRecordHotkey, &recording, IDC_RECORD, L"Record (F10)", L"Stop Rec (F10)", VK_F2},
    };
    for (const Case& c : cases) {
        for (bool running : {false, true}) {
            appState.isClicking = c.running == &clicking && running;
            appState.isRecording = c.running == &recording && running;
            c.change(VK_F10);
            EXPECT_EQ(ControlText(c.button), running ? c.runningCaption : c.idleCaption);
            EXPECT_TRUE(MainWindowHolds(VK_F10));
            c.change(c.parkingKey);
        }
    }
    appState.isClicking = false;
    appState.isRecording = false;
    ChangePlaybackHotkey(VK_F12);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F12)");
    EXPECT_EQ(appState.playbackHotkey, static_cast<uint32_t>(VK_F12));
    EXPECT_FALSE(MainWindowHolds(VK_F9)); // the old key is released
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(HotkeysTest, KeyHeldElsewhereFallsBackToTheDefaultAndItsCaption) {
    struct Case {
        void (*change)(uint32_t);
        uint32_t AppState::*field;
        UINT defaultKey;
        int button;
        const wchar_t* failure;
        const wchar_t* defaultCaption;
    };
    const Case cases[] = {
        {ChangeStartStopHotkey, &AppState::currentHotkey, VK_F6, IDC_START, kStartFailure, L"Start (F6)"},
        {ChangeRecordHotkey, &AppState::recordHotkey, VK_F8, IDC_RECORD, kRecordFailure, L"Record (F8)"},
        {ChangePlaybackHotkey, &AppState::playbackHotkey, VK_F9, IDC_PLAYBACK, kPlaybackFailure,
         L"Playback (F9)"},
    };
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F2));
    for (const Case& c : cases) {
        ResetFakeSys();
        c.change(VK_F11); // a key chosen earlier: the caption names F11 now
        ASSERT_EQ(appState.*c.field, static_cast<uint32_t>(VK_F11));
        c.change(VK_F2);
        ASSERT_EQ(FakeMessageBoxes().size(), 1u);
        EXPECT_EQ(FakeMessageBoxes()[0].text, c.failure);
        EXPECT_EQ(FakeMessageBoxes()[0].title, L"Hotkey Error");
        EXPECT_EQ(FakeMessageBoxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(FakeMessageBoxes()[0].owner, appState.mainWindow);
        EXPECT_EQ(appState.*c.field, c.defaultKey);
        EXPECT_EQ(ControlText(c.button), c.defaultCaption);
        EXPECT_TRUE(MainWindowHolds(c.defaultKey));
        EXPECT_FALSE(MainWindowHolds(VK_F11));
    }
}

TEST_F(HotkeysTest, StartKeyOutsideF1ToF12GetsAReadableCaption) {
    for (uint32_t key : {0x7Cu, 0x41u, 0xFFu}) {
        ChangeStartStopHotkey(key);
        std::wstring caption = ControlText(IDC_START);
        EXPECT_LE(caption.size(), 31u);
        EXPECT_EQ(caption.rfind(L"Start (", 0), 0u) << testing::PrintToString(caption);
        if (FakeMessageBoxes().empty()) {
            EXPECT_NE(caption, L"Start ()");
            EXPECT_EQ(caption, key == 0x7C   ? L"Start (F13)"
                               : key == 0x41 ? L"Start (Key 0x41)"
                                             : L"Start (Key 0xFF)");
        }
        ResetFakeSys();
    }
    ChangeRecordHotkey(0x7C);
    if (appState.recordHotkey == 0x7C) {
        EXPECT_EQ(ControlText(IDC_RECORD), L"Record");
    }
}

TEST_F(HotkeysTest, SettingsOpensWithTheKeysSelectedAndCancelChangesNothing) {
    ChangeRecordHotkey(VK_F12);
    ChangeStartStopHotkey(0x7C); // only a profile brings such a key: no selection
    int selections[3] = {};
    int counts[3] = {};
    wchar_t lastItem[8] = {};
    ASSERT_TRUE(RunWithDialog(
        L"Settings", [] { SendCommand(IDM_SETTINGS); },
        [&](HWND dialog) {
            const int ids[3] = {IDC_STARTSTOP_HOTKEY, IDC_RECORD_HOTKEY, IDC_PLAYBACK_HOTKEY};
            for (int i = 0; i < 3; ++i) {
                selections[i] = ComboSelection(dialog, ids[i]);
                counts[i] = static_cast<int>(SendDlgItemMessageW(dialog, ids[i], CB_GETCOUNT, 0, 0));
            }
            SendDlgItemMessageW(dialog, IDC_PLAYBACK_HOTKEY, CB_GETLBTEXT, 11,
                                reinterpret_cast<LPARAM>(lastItem));
            SelectComboItem(dialog, IDC_PLAYBACK_HOTKEY, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }));
    EXPECT_EQ(selections[0], CB_ERR);
    EXPECT_EQ(selections[1], 11);
    EXPECT_EQ(selections[2], 8);
    EXPECT_EQ(counts[0], 12);
    EXPECT_EQ(counts[2], 12);
    EXPECT_STREQ(lastItem, L"F12");
    EXPECT_EQ(appState.playbackHotkey, static_cast<uint32_t>(VK_F9));
    EXPECT_EQ(appState.currentHotkey, 0x7Cu);
}

TEST_F(HotkeysTest, SettingsSaveWithoutChangesKeepsEveryCaption) {
    SetControlText(IDC_START, L"untouched");
    SaveSettingsWith(5, 7, 8);
    EXPECT_EQ(ControlText(IDC_START), L"untouched");
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(HotkeysTest, SettingsSaveKeepsAStartKeyOutsideTheList) {
    ChangeStartStopHotkey(0x7C);
    SaveSettingsWith(-1, 9, 8);
    EXPECT_EQ(appState.currentHotkey, 0x7Cu);
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F10));
}

TEST_F(HotkeysTest, SettingsSwapOfF6AndF8FailsTwiceAndKeepsBoth) {
    SaveSettingsWith(7, 5, 8);
    auto boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, kStartFailure);
    EXPECT_EQ(boxes[1].text, kRecordFailure);
    EXPECT_EQ(appState.currentHotkey, static_cast<uint32_t>(VK_F6));
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F8));
    EXPECT_TRUE(MainWindowHolds(VK_F6));
    EXPECT_TRUE(MainWindowHolds(VK_F8));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F8)");
}

TEST_F(HotkeysTest, SettingsAppliesStartBeforeRecord) {
    // F8 is still the record key when start/stop asks for it; record then moves to F10.
    SaveSettingsWith(7, 9, 8);
    ASSERT_EQ(FakeMessageBoxes().size(), 1u);
    EXPECT_EQ(FakeMessageBoxes()[0].text, kStartFailure);
    EXPECT_EQ(appState.currentHotkey, static_cast<uint32_t>(VK_F6));
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F10));
    EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F10)");
    EXPECT_TRUE(MainWindowHolds(VK_F10));
    EXPECT_FALSE(MainWindowHolds(VK_F8));
}

} // namespace

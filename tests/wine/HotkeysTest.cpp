// The three hotkeys: change rules, failures and fall-backs, captions, and the Settings dialog.
#include <gtest/gtest.h>

#include <vector>

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
const int kComboIds[3] = {IDC_STARTSTOP_HOTKEY, IDC_RECORD_HOTKEY, IDC_PLAYBACK_HOTKEY};

class HotkeysTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        UnregisterHotKey(other, 1);
        DestroyWindow(other);
        appState.isClicking = false;
        appState.isRecording = false;
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
    const struct {
        void (*change)(uint32_t);
        bool AppState::*running;
        int button;
        const wchar_t *idleCaption, *runningCaption;
        UINT parkingKey; // frees F10 for the next round
    } cases[] = {
        {ChangeStartStopHotkey, &AppState::isClicking, IDC_START, L"Start (F10)", L"Stop (F10)", VK_F1},
        {ChangeRecordHotkey, &AppState::isRecording, IDC_RECORD, L"Record (F10)", L"Stop Rec (F10)", VK_F2},
    };
    for (const auto& c : cases) {
        for (bool running : {false, true}) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(c.idleCaption)) + (running ? " running" : ""));
            appState.*c.running = running;
            c.change(VK_F10);
            EXPECT_EQ(ControlText(c.button), running ? c.runningCaption : c.idleCaption);
            EXPECT_TRUE(MainWindowHolds(VK_F10));
            c.change(c.parkingKey);
            appState.*c.running = false;
        }
    }
    ChangePlaybackHotkey(VK_F12);
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F12)");
    EXPECT_EQ(appState.playbackHotkey, static_cast<uint32_t>(VK_F12));
    EXPECT_FALSE(MainWindowHolds(VK_F9)) << "the old key is released";
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(HotkeysTest, KeyHeldElsewhereFallsBackToTheDefaultAndItsCaption) {
    const struct {
        void (*change)(uint32_t);
        uint32_t AppState::*field;
        UINT defaultKey;
        int button;
        const wchar_t *failure, *defaultCaption;
    } cases[] = {
        {ChangeStartStopHotkey, &AppState::currentHotkey, VK_F6, IDC_START, kStartFailure, L"Start (F6)"},
        {ChangeRecordHotkey, &AppState::recordHotkey, VK_F8, IDC_RECORD, kRecordFailure, L"Record (F8)"},
        {ChangePlaybackHotkey, &AppState::playbackHotkey, VK_F9, IDC_PLAYBACK, kPlaybackFailure,
         L"Playback (F9)"},
    };
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F2));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.defaultCaption)));
        ResetFakeSys();
        c.change(VK_F11); // a key chosen earlier: the caption names F11 now
        ASSERT_EQ(appState.*c.field, static_cast<uint32_t>(VK_F11));
        c.change(VK_F2);
        ExpectOnlyMessageBox(c.failure, L"Hotkey Error", MB_OK | MB_ICONWARNING);
        EXPECT_EQ(appState.*c.field, c.defaultKey);
        EXPECT_EQ(ControlText(c.button), c.defaultCaption);
        EXPECT_TRUE(MainWindowHolds(c.defaultKey));
        EXPECT_FALSE(MainWindowHolds(VK_F11));
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
            for (int i = 0; i < 3; ++i) {
                selections[i] =
                    static_cast<int>(SendDlgItemMessageW(dialog, kComboIds[i], CB_GETCURSEL, 0, 0));
                counts[i] = static_cast<int>(SendDlgItemMessageW(dialog, kComboIds[i], CB_GETCOUNT, 0, 0));
            }
            SendDlgItemMessageW(dialog, IDC_PLAYBACK_HOTKEY, CB_GETLBTEXT, 11,
                                reinterpret_cast<LPARAM>(lastItem));
            SendDlgItemMessageW(dialog, IDC_PLAYBACK_HOTKEY, CB_SETCURSEL, 0, 0);
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

// Save applies start/stop first, then record, then playback, each against the keys held so far.
TEST_F(HotkeysTest, SettingsSaveAppliesTheKeysInOrderAndReportsEachFailure) {
    const struct {
        const char* name;
        UINT startBefore; // 0: the default F6
        int start, record, playback;
        std::vector<std::wstring> failures;
        UINT startAfter, recordAfter;
        const wchar_t *startCaption, *recordCaption;
    } cases[] = {
        // clang-format off
        {"nothing changed", 0, 5, 7, 8, {}, VK_F6, VK_F8, L"untouched", L"Record (F8)"},
        {"start key outside the list kept", 0x7C, -1, 9, 8, {}, 0x7C, VK_F10, L"Start (F13)", L"Record (F10)"},
        {"F6 and F8 swapped", 0, 7, 5, 8, {kStartFailure, kRecordFailure}, VK_F6, VK_F8, L"Start (F6)", L"Record (F8)"},
        // F8 is still the record key when start/stop asks for it; record then moves to F10.
        {"start takes record's key", 0, 7, 9, 8, {kStartFailure}, VK_F6, VK_F10, L"Start (F6)", L"Record (F10)"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DestroyTestMainWindow();
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        if (c.startBefore != 0) {
            ChangeStartStopHotkey(c.startBefore);
        } else {
            SetControlText(IDC_START, L"untouched");
        }
        const int indices[3] = {c.start, c.record, c.playback};
        ASSERT_TRUE(RunWithDialog(
            L"Settings", [] { SendCommand(IDM_SETTINGS); },
            [&](HWND dialog) {
                for (int i = 0; i < 3; ++i) {
                    SendDlgItemMessageW(dialog, kComboIds[i], CB_SETCURSEL, static_cast<WPARAM>(indices[i]),
                                        0);
                }
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_SAVE, BN_CLICKED), 0);
            }));
        std::vector<std::wstring> failures;
        for (const MessageBoxCall& box : FakeMessageBoxes()) {
            failures.push_back(box.text);
        }
        EXPECT_EQ(failures, c.failures);
        EXPECT_EQ(appState.currentHotkey, c.startAfter);
        EXPECT_EQ(appState.recordHotkey, c.recordAfter);
        EXPECT_EQ(ControlText(IDC_START), c.startCaption);
        EXPECT_EQ(ControlText(IDC_RECORD), c.recordCaption);
        EXPECT_TRUE(MainWindowHolds(c.recordAfter));
        EXPECT_EQ(MainWindowHolds(VK_F8), c.recordAfter == VK_F8);
        if (c.startAfter == VK_F6) {
            EXPECT_TRUE(MainWindowHolds(VK_F6));
        }
    }
}

} // namespace

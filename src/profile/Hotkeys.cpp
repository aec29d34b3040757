#include "profile/Hotkeys.h"

#include <string>

#include "app/AppState.h"
#include "base/Sys.h"
#include "base/TextLogic.h"
#include "res/resource.h"
#include "ui/RunDisplay.h"

static_assert(kDefaultStartStopHotkey == VK_F6 && kDefaultRecordHotkey == VK_F8 &&
              kDefaultPlaybackHotkey == VK_F9);

namespace {

// What tells the three hotkeys apart: their id, their key field, their default and their message.
struct HotkeySlot {
    int id;
    uint32_t AppState::*key;
    uint32_t defaultKey;
    const wchar_t* failureText;
};

constexpr HotkeySlot kStartStopSlot{
    HOTKEY_START_STOP, &AppState::currentHotkey, kDefaultStartStopHotkey,
    L"Failed to register new hotkey. It might be in use by another application."};
constexpr HotkeySlot kRecordSlot{
    HOTKEY_RECORD, &AppState::recordHotkey, kDefaultRecordHotkey,
    L"Failed to register new Record hotkey. It might be in use by another application."};
constexpr HotkeySlot kPlaybackSlot{
    HOTKEY_PLAYBACK, &AppState::playbackHotkey, kDefaultPlaybackHotkey,
    L"Failed to register new Playback hotkey. It might be in use by another application."};

// Only F1..F12 are ever registered, the keys Settings offers: a plain key such as Enter, Space or A
// from a shared profile, registered without modifiers, would stop reaching every other
// application. Any other key is refused like one the system will not register.
bool RegisterHotkeyKey(int id, uint32_t key) {
    return IsFunctionKey(key) && SysRegisterHotKey(appState.mainWindow, id, 0, key);
}

// The change is settled before the box about a refused key opens: its modal loop keeps serving the
// hotkeys and the playback stop key, which must then be the keys the captions show. A refused key
// falls back to the default, or, when another hotkey holds that, stays what it was. The id is
// unregistered before each registration: Windows keeps the old key beside a new one under the
// same id.
void ChangeHotkey(const HotkeySlot& slot, uint32_t newKey, HWND boxOwner) {
    uint32_t& key = appState.*slot.key;
    if (newKey == key) {
        return;
    }
    const uint32_t previous = key;
    SysUnregisterHotKey(appState.mainWindow, slot.id);
    const bool refused = !RegisterHotkeyKey(slot.id, newKey);
    if (!refused) {
        key = newKey;
    } else if (RegisterHotkeyKey(slot.id, slot.defaultKey)) {
        key = slot.defaultKey;
    } else {
        RegisterHotkeyKey(slot.id, previous);
        key = previous;
    }
    ShowRunState(StatusLine::Keep);
    if (refused) {
        SysMessageBox(boxOwner, slot.failureText, L"Hotkey Error", MB_OK | MB_ICONWARNING);
    }
}

void FillHotkeyCombo(HWND dialog, int comboId, uint32_t key) {
    HWND combo = GetDlgItem(dialog, comboId);
    for (int number = 1; number <= 12; ++number) {
        wchar_t name[8];
        swprintf(name, 8, L"F%d", number);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    uint32_t index = key - VK_F1;
    if (index < 12) {
        SendMessageW(combo, CB_SETCURSEL, index, 0);
    }
}

// A refusal's box is owned by the dialog, so that nothing under it can be pressed meanwhile.
void ApplyHotkeyCombo(HWND dialog, int comboId, void (*change)(uint32_t, HWND)) {
    LRESULT index = SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
        change(VK_F1 + static_cast<uint32_t>(index), dialog);
    }
}

} // namespace

void ChangeStartStopHotkey(uint32_t newKey, HWND boxOwner) {
    ChangeHotkey(kStartStopSlot, newKey, boxOwner);
}

void ChangeRecordHotkey(uint32_t newKey, HWND boxOwner) {
    ChangeHotkey(kRecordSlot, newKey, boxOwner);
}

void ChangePlaybackHotkey(uint32_t newKey, HWND boxOwner) {
    ChangeHotkey(kPlaybackSlot, newKey, boxOwner);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            FillHotkeyCombo(dialog, IDC_STARTSTOP_HOTKEY, appState.currentHotkey);
            FillHotkeyCombo(dialog, IDC_RECORD_HOTKEY, appState.recordHotkey);
            FillHotkeyCombo(dialog, IDC_PLAYBACK_HOTKEY, appState.playbackHotkey);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SETTINGS_SAVE) {
                ApplyHotkeyCombo(dialog, IDC_STARTSTOP_HOTKEY, ChangeStartStopHotkey);
                ApplyHotkeyCombo(dialog, IDC_RECORD_HOTKEY, ChangeRecordHotkey);
                ApplyHotkeyCombo(dialog, IDC_PLAYBACK_HOTKEY, ChangePlaybackHotkey);
                EndDialog(dialog, IDC_SETTINGS_SAVE);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

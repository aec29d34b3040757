#include "app/RunRequests.h"

#include <iterator>

#include "app/AppState.h"
#include "base/InputFlags.h"
#include "base/Sys.h"
#include "clicker/Clicker.h"
#include "macro/Playback.h"
#include "macro/Recorder.h"
#include "res/resource.h"

namespace {

// A hotkey's key from the press that acted until its release is certain. A low-level hook sees
// every press and release but carries no repeat bit, and it is installed only at the press, so
// the release of a quick tap may come before it: the key state, read once it is fresh (Wine keeps
// a per-thread copy up to about 50 ms old), settles that.
struct WatchedKey {
    uint32_t vk = 0; // 0: not watched
    ULONGLONG pressedAt = 0;
    bool pressSeen = false; // the hook saw a press of it (an auto-repeat, or the stop key's press)
};

WatchedKey watched[3]; // by hotkey id - HOTKEY_START_STOP

// The key state is trusted from this long after the press, and the watch looks again this often.
// (A second tap that quickly after a tap whose release came before the hook counts as a repeat.)
constexpr ULONGLONG kFreshKeyStateMs = 100;
constexpr UINT kKeyWatchPeriodMs = 50;

uint32_t HotkeyOf(int slot) {
    return appState.*kHotkeyKeys[slot];
}

int SlotOfKey(uint32_t vk) {
    for (int slot = 0; slot < 3; ++slot) {
        if (HotkeyOf(slot) == vk) {
            return slot;
        }
    }
    return -1;
}

bool IsWatched(int slot) {
    return watched[slot].vk != 0 && watched[slot].vk == HotkeyOf(slot);
}

bool IsKeyDown(uint32_t vk) {
    return (SysGetAsyncKeyState(static_cast<int>(vk)) & 0x8000) != 0;
}

// The hook and its timer exist exactly while playback runs or some key is watched.
void UpdateKeyWatch() {
    bool anyWatched = false;
    for (int slot = 0; slot < 3; ++slot) {
        if (!IsWatched(slot)) {
            watched[slot] = WatchedKey{};
        }
        anyWatched = anyWatched || watched[slot].vk != 0;
    }
    bool needed = appState.mainWindow != nullptr && (anyWatched || appState.isPlaying);
    if (needed && appState.keyWatchHook == nullptr) {
        appState.keyWatchHook = SysSetWindowsHookEx(WH_KEYBOARD_LL, KeyWatchProc, appState.instanceHandle, 0);
    } else if (!needed && appState.keyWatchHook != nullptr) {
        UnhookWindowsHookEx(appState.keyWatchHook);
        appState.keyWatchHook = nullptr;
    }
    if (anyWatched && appState.mainWindow != nullptr) {
        SetTimer(appState.mainWindow, IDT_KEY_WATCH, kKeyWatchPeriodMs, nullptr);
    } else if (appState.mainWindow != nullptr) {
        KillTimer(appState.mainWindow, IDT_KEY_WATCH);
    }
}

void WatchKey(int slot, bool pressSeen) {
    watched[slot] = WatchedKey{HotkeyOf(slot), GetTickCount64(), pressSeen};
}

// A start request arriving while that run's own box is open (its modal loop keeps serving the
// hotkeys and buttons) would stack a second box: it does nothing.
void ToggleClicking() {
    if (appState.isClicking) {
        StopClicking();
    } else if (!appState.clickBoxOpen) {
        StartClicking();
    }
}

void ToggleRecording() {
    if (appState.isRecording) {
        StopRecording();
    } else if (!appState.recordBoxOpen) {
        StartRecording();
    }
}

// A start arriving while a stop still waits for the worker came in through that wait.
void TogglePlayback() {
    if (appState.isPlaying) {
        StopPlayback();
    } else if (!appState.playbackBoxOpen && !IsPlaybackSettling()) {
        StartPlayback();
    }
}

void ToggleRun(int slot) {
    switch (slot) {
        case 0: ToggleClicking(); break;
        case 1: ToggleRecording(); break;
        default: TogglePlayback(); break;
    }
}

// An auto-repeat of a press that acted: the hook saw a press since, or the key reads down now.
// A hotkey for which no press was seen and whose key reads up acts.
bool IsRepeatOfActingPress(int slot) {
    return IsWatched(slot) && (watched[slot].pressSeen || IsKeyDown(watched[slot].vk));
}

} // namespace

// Tamblo's own clicks (the player's, the clicker's) carry its mark into the message the button
// turns them into; a double-click's second click sends BN_DOUBLECLICKED. Neither acts.
void RequestRunFromButton(int controlId, WORD notification) {
    if (notification != BN_CLICKED || GetMessageExtraInfo() == static_cast<LPARAM>(kTambloInputMark)) {
        return;
    }
    switch (controlId) {
        case IDC_START: ToggleClicking(); break;
        case IDC_RECORD: ToggleRecording(); break;
        case IDC_PLAYBACK: TogglePlayback(); break;
        default: break;
    }
    UpdateKeyWatch();
}

void RequestRunFromHotkey(int hotkeyId, LPARAM lParam) {
    const int slot = hotkeyId - HOTKEY_START_STOP;
    if (slot < 0 || slot >= 3) {
        return;
    }
    if (lParam == PLAYBACK_STOP_REQUEST) {
        StopPlayback(); // the stop key's press only ever stops
    } else if (!IsRepeatOfActingPress(slot)) {
        // Watched before the run acts: a box it opens keeps serving the hotkeys.
        WatchKey(slot, false);
        UpdateKeyWatch();
        ToggleRun(slot);
    }
    UpdateKeyWatch();
}

void RequestPlaybackEnd() {
    StopPlayback();
    UpdateKeyWatch();
}

void StopAllRuns() {
    StopClicking();
    StopRecording();
    StopPlayback();
    for (WatchedKey& key : watched) {
        key = WatchedKey{};
    }
    UpdateKeyWatch();
    ShutDownPlayback();
}

void CheckKeyWatch() {
    const ULONGLONG now = GetTickCount64();
    // Once the hook has seen a press it sees the release too; and a press it swallowed never
    // reaches the key state, which then reads up while the key is held.
    for (WatchedKey& key : watched) {
        if (key.vk != 0 && !key.pressSeen && now - key.pressedAt >= kFreshKeyStateMs && !IsKeyDown(key.vk)) {
            key = WatchedKey{};
        }
    }
    UpdateKeyWatch();
}

// The playback key's press during playback becomes a stop request, kept from every window; the
// auto-repeats of a watched key are swallowed until its release. Every other key, and all of
// Tamblo's own injected input, passes.
LRESULT CALLBACK KeyWatchProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto* hook = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (nCode < 0 || hook->dwExtraInfo == kTambloInputMark) {
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    const int slot = SlotOfKey(hook->vkCode);
    const bool press = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (press && slot >= 0) {
        if (IsWatched(slot)) {
            watched[slot].pressSeen = true;
            return 1;
        }
        if (slot == HOTKEY_PLAYBACK - HOTKEY_START_STOP && appState.isPlaying) {
            WatchKey(slot, true);
            PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, PLAYBACK_STOP_REQUEST);
            return 1;
        }
    }
    LRESULT result = CallNextHookEx(nullptr, nCode, wParam, lParam);
    if (!press) {
        for (WatchedKey& key : watched) {
            if (key.vk == hook->vkCode) {
                key = WatchedKey{};
            }
        }
        UpdateKeyWatch();
    }
    return result;
}

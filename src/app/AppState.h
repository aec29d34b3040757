// The one process-wide record of Tamblo's state. Every subsystem reads and writes its fields
// directly, on the window thread, except the fields shared with the playback worker, which are
// atomics so that the worker always sees the window thread's stop and held-input updates.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "base/TextLogic.h"
#include "macro/InputEvent.h"

struct AppState {
    // Run settings, captured when a run starts
    uint32_t clickInterval = 100;
    int32_t clickRepeatCount = 0;
    std::atomic<int32_t> playbackRepeatCount{1};

    // Hotkey keys (virtual-key codes, registered without modifiers)
    uint32_t currentHotkey = kDefaultStartStopHotkey;
    uint32_t recordHotkey = kDefaultRecordHotkey;
    uint32_t playbackHotkey = kDefaultPlaybackHotkey;

    // Run flags
    bool isClicking = false;
    bool isRecording = false;
    std::atomic<bool> isPlaying{false};

    // A box that a run opened (a refusal or a failure) is open. Its modal loop keeps serving the
    // hotkeys and the buttons; a start request of that run arriving meanwhile does nothing.
    bool clickBoxOpen = false;
    bool recordBoxOpen = false;
    bool playbackBoxOpen = false;

    // Whether the Playback button is offered outside a recording: at first, and afterwards when the
    // last recording or profile left events; File > New takes it away.
    bool playbackOffered = true;

    // Run counters
    int32_t clickCount = 0;
    std::atomic<int32_t> playbackRunsDone{0};

    // Recorder bookkeeping
    std::chrono::steady_clock::time_point recordStartTime{};
    POINT recordStartCursor{0, 0};
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    int64_t lastMouseMoveTime = 0;
    bool recordKeyDown[256] = {};

    // The recording
    std::vector<InputEvent> recordedEvents;

    // Inputs held down by playback: a key's entry is its packed press (PackHeldKey), 0 when up
    std::atomic<uint32_t> playbackKeyHeld[256] = {};
    std::atomic<bool> playbackButtonHeld[3] = {}; // left, right, middle

    // Hook handles: the recorder's two, and the key watch (the playback stop key, and the release of
    // a hotkey whose press acted)
    HHOOK mouseHook = nullptr;
    HHOOK keyboardHook = nullptr;
    HHOOK keyWatchHook = nullptr;

    // Application and main window
    HINSTANCE instanceHandle = nullptr;
    HWND mainWindow = nullptr;
    // The DPI of the monitor the main window is on: the controls, their font and the run buttons'
    // captions are laid out for it. (Windows' LOGPIXELSX is the system DPI, the same everywhere.)
    UINT windowDpi = USER_DEFAULT_SCREEN_DPI;
    wchar_t windowTitle[100] = {};
    wchar_t windowClassName[100] = {};

    // Child controls; the table in ui/MainControls.cpp makes them and says what each is for
    HWND hoursEdit = nullptr;
    HWND minsEdit = nullptr;
    HWND secsEdit = nullptr;
    HWND millisecsEdit = nullptr;
    HWND mouseButtonCombo = nullptr;
    HWND clickTypeCombo = nullptr;
    HWND repeatRadio = nullptr;
    HWND repeatUntilStoppedRadio = nullptr;
    HWND repeatTimesEdit = nullptr;
    HWND startButton = nullptr;
    HWND statusLabel = nullptr;
    HWND cursorLabel = nullptr;
    HWND cursorPosCheck = nullptr;
    HWND cursorXEdit = nullptr;
    HWND cursorYEdit = nullptr;
    HWND recordButton = nullptr;
    HWND playbackButton = nullptr;
    HWND playbackRepeatRadio = nullptr;
    HWND playbackRepeatUntilStoppedRadio = nullptr;
    HWND playbackRepeatTimesEdit = nullptr;
    HWND suggestionLabel = nullptr;

    // Theme brushes
    HBRUSH backgroundBrush = nullptr;
    HBRUSH controlBrush = nullptr;
    HBRUSH accentBrush = nullptr;

    // Click run: when the next click is due on the steady clock (microseconds), and the timer
    // resolution the run asked for (0: none)
    int64_t clickNextDueUs = 0;
    UINT clickTimerPeriod = 0;
};

extern AppState appState;

// True while the clicker, a recording or playback runs.
inline bool IsAnyRunActive() {
    return appState.isClicking || appState.isRecording || appState.isPlaying;
}

// Timers of the main window
constexpr UINT_PTR IDT_CLICK = 1;
constexpr UINT_PTR IDT_CURSOR = 2;
constexpr UINT_PTR IDT_KEY_WATCH = 3;

// Global hotkey ids
constexpr int HOTKEY_START_STOP = 100;
constexpr int HOTKEY_RECORD = 101;
constexpr int HOTKEY_PLAYBACK = 102;
// The three hotkeys' keys, by hotkey id - HOTKEY_START_STOP.
constexpr uint32_t AppState::*kHotkeyKeys[] = {&AppState::currentHotkey, &AppState::recordHotkey,
                                               &AppState::playbackHotkey};
// lParam of the WM_HOTKEY the playback stop hook posts: a request that can only stop playback
constexpr LPARAM PLAYBACK_STOP_REQUEST = -1;

// Sent by the playback worker when its passes have run out
constexpr UINT WM_PLAYBACK_DONE = WM_USER + 1;

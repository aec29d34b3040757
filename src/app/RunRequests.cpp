#include "app/RunRequests.h"

#include "app/AppState.h"
#include "clicker/Clicker.h"
#include "macro/Playback.h"
#include "macro/Recorder.h"
#include "res/resource.h"

namespace {

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

} // namespace

void RequestRunFromButton(int controlId, WORD) {
    switch (controlId) {
        case IDC_START: ToggleClicking(); break;
        case IDC_RECORD: ToggleRecording(); break;
        case IDC_PLAYBACK: TogglePlayback(); break;
        default: break;
    }
}

void RequestRunFromHotkey(int hotkeyId, LPARAM lParam) {
    switch (hotkeyId) {
        case HOTKEY_START_STOP: ToggleClicking(); break;
        case HOTKEY_RECORD: ToggleRecording(); break;
        case HOTKEY_PLAYBACK:
            // The stop hook's request can only stop; an auto-repeat of the held key does nothing.
            if (lParam == PLAYBACK_STOP_REQUEST) {
                StopPlayback();
            } else if (TakePlaybackKeyPress()) {
                TogglePlayback();
            }
            break;
        default: break;
    }
}

void RequestPlaybackEnd() {
    StopPlayback();
}

void StopAllRuns() {
    StopClicking();
    StopRecording();
    ShutDownPlayback();
}

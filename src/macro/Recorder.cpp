#include "macro/Recorder.h"

#include "app/AppState.h"
#include "base/RunSupport.h"
#include "base/Sys.h"
#include "macro/RecordLogic.h"
#include "ui/RunDisplay.h"

// The platform-free recording rules name the hook messages by these numbers.
static_assert(HookMessage::KeyDown == WM_KEYDOWN && HookMessage::KeyUp == WM_KEYUP);
static_assert(HookMessage::SysKeyDown == WM_SYSKEYDOWN && HookMessage::SysKeyUp == WM_SYSKEYUP);
static_assert(HookMessage::MouseMove == WM_MOUSEMOVE && HookMessage::MouseWheel == WM_MOUSEWHEEL);
static_assert(HookMessage::LeftButtonDown == WM_LBUTTONDOWN && HookMessage::LeftButtonUp == WM_LBUTTONUP);
static_assert(HookMessage::RightButtonDown == WM_RBUTTONDOWN && HookMessage::RightButtonUp == WM_RBUTTONUP);
static_assert(HookMessage::MiddleButtonDown == WM_MBUTTONDOWN && HookMessage::MiddleButtonUp == WM_MBUTTONUP);

namespace {

constexpr size_t kInitialRecordingRoom = 10000;

int64_t ElapsedRecordingMs() {
    auto elapsed = std::chrono::steady_clock::now() - appState.recordStartTime;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void RemoveRecordingHooks() {
    if (appState.mouseHook != nullptr) {
        UnhookWindowsHookEx(appState.mouseHook);
        appState.mouseHook = nullptr;
    }
    if (appState.keyboardHook != nullptr) {
        UnhookWindowsHookEx(appState.keyboardHook);
        appState.keyboardHook = nullptr;
    }
}

// Keys already down when recording starts open the recording as presses at time 0, so that
// their releases make sense on playback. The scan records them as the keyboard hook reports
// them (IsHookKeyCode): the record hotkey, down right now when the recording was started with
// it, is never part of a recording.
void RecordHeldKeys() {
    for (uint32_t vk = 0; vk < 256; ++vk) {
        if (vk == appState.recordHotkey || !IsHookKeyCode(vk) ||
            (SysGetAsyncKeyState(static_cast<int>(vk)) & 0x8000) == 0) {
            continue;
        }
        appState.recordKeyDown[vk] = true;
        InputEvent ev;
        ev.type = KeyDown;
        ev.time = 0;
        ev.vkCode = vk;
        appState.recordedEvents.push_back(ev);
    }
}

void RefreshStatusWhenDue() {
    if (IsStatusRefreshDue(appState.recordedEvents.size())) {
        ShowRunState(StatusLine::Record);
    }
}

void ShowRecordBox(const wchar_t* text, const wchar_t* title, UINT type) {
    ShowRunBox(appState.mainWindow, appState.recordBoxOpen, text, title, type);
}

} // namespace

void StartRecording() {
    if (IsAnyRunActive()) {
        if (appState.isClicking) {
            ShowRecordBox(L"Please stop the auto-clicker before recording.", L"Recording",
                          MB_ICONINFORMATION);
        } else if (appState.isPlaying) {
            ShowRecordBox(L"Please stop playback before recording.", L"Recording", MB_ICONINFORMATION);
        }
        return;
    }

    // The hooks first: a start that fails leaves the previous recording and its start point.
    // They record nothing until isRecording is set below.
    appState.mouseHook = SysSetWindowsHookEx(WH_MOUSE_LL, MouseHookProc, appState.instanceHandle, 0);
    appState.keyboardHook = SysSetWindowsHookEx(WH_KEYBOARD_LL, KeyboardHookProc, appState.instanceHandle, 0);
    if (appState.mouseHook == nullptr || appState.keyboardHook == nullptr) {
        RemoveRecordingHooks();
        ShowRecordBox(L"Failed to install hooks for recording.", L"Error", MB_ICONERROR);
        return;
    }

    appState.recordedEvents.clear();
    appState.recordedEvents.reserve(kInitialRecordingRoom);
    SysGetCursorPos(&appState.recordStartCursor);
    appState.lastMouseX = appState.recordStartCursor.x;
    appState.lastMouseY = appState.recordStartCursor.y;
    appState.lastMouseMoveTime = 0;
    for (bool& down : appState.recordKeyDown) {
        down = false;
    }

    appState.recordStartTime = std::chrono::steady_clock::now();
    RecordHeldKeys();
    appState.isRecording = true;
    ShowRunState(StatusLine::Record);
}

void StopRecording() {
    if (!appState.isRecording) {
        return;
    }
    RemoveRecordingHooks();
    appState.isRecording = false;
    appState.playbackOffered = !appState.recordedEvents.empty();
    ShowRunState(StatusLine::Record);
}

// Runs on the window thread for every mouse message in the system: it only copies the message,
// lets the recording rules decide, and passes the message on.
LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0 && appState.isRecording) {
        const auto* hook = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        MouseHookMessage message;
        message.message = static_cast<uint32_t>(wParam);
        message.x = hook->pt.x;
        message.y = hook->pt.y;
        message.mouseData = hook->mouseData;
        message.elapsed = ElapsedRecordingMs();

        LastMouseMove lastMove{appState.lastMouseX, appState.lastMouseY, appState.lastMouseMoveTime};
        if (std::optional<InputEvent> event = RecordMouseMessage(message, lastMove)) {
            appState.recordedEvents.push_back(*event);
            appState.lastMouseX = lastMove.x;
            appState.lastMouseY = lastMove.y;
            appState.lastMouseMoveTime = lastMove.time;
        }
        RefreshStatusWhenDue();
    }
    return CallNextHookEx(appState.mouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0 && appState.isRecording) {
        const auto* hook = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        KeyHookMessage message;
        message.message = static_cast<uint32_t>(wParam);
        message.vkCode = hook->vkCode;
        message.elapsed = ElapsedRecordingMs();

        InputEvent event;
        KeyRecordAction action =
            RecordKeyMessage(message, appState.recordHotkey, appState.recordKeyDown, event);
        if (action == KeyRecordAction::Append) {
            appState.recordedEvents.push_back(event);
        }
        if (action != KeyRecordAction::Ignore) {
            RefreshStatusWhenDue();
        }
    }
    return CallNextHookEx(appState.keyboardHook, nCode, wParam, lParam);
}

#include "macro/Playback.h"

#include <algorithm>
#include <thread>

#include "app/AppState.h"
#include "app/RunSupport.h"
#include "app/Sys.h"
#include "app/TextLogic.h"
#include "macro/PlaybackLogic.h"
#include "ui/MainControls.h"

// The MinGW headers lack it (Windows 10 1803 and later).
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

// The playback worker's life. Only the window thread moves it between these states:
//   NoWorker  no thread: a start may create one.
//   Running   the thread injects. Setting stopEvent cuts its waits short; it sets quietEvent once
//             it will inject nothing more, just before it reports back with WM_PLAYBACK_DONE.
//   Waiting   the window thread waits for the thread (to be quiet, or to end) while answering the
//             messages sent to it, which the thread's report and its injections' hook calls
//             need; a start request arriving through that wait is refused.
//   Quiet     the thread injects nothing more but may not have ended: the next start and the
//             shutdown wait for its end, so no two workers inject side by side and none still
//             reads the recording when the program ends.
enum class WorkerState { NoWorker, Running, Waiting, Quiet };

struct PlaybackWorker {
    WorkerState state = WorkerState::NoWorker;
    HANDLE thread = nullptr;
    HANDLE stopEvent = nullptr;  // manual reset; created once, reset at each start
    HANDLE quietEvent = nullptr; // manual reset; created once, reset at each start
};

PlaybackWorker worker;
// The start point of every pass, copied before the worker starts.
POINT passStartPoint{0, 0};

// NoWorker -> Running; false (still NoWorker) when the thread cannot be created.
bool StartWorker() {
    if (worker.stopEvent == nullptr) {
        worker.stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        worker.quietEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ResetEvent(worker.stopEvent);
    ResetEvent(worker.quietEvent);
    worker.thread = CreateThread(nullptr, 0, PlaybackThreadProc, nullptr, 0, nullptr);
    worker.state = worker.thread != nullptr ? WorkerState::Running : WorkerState::NoWorker;
    return worker.thread != nullptr;
}

// Running or Quiet -> Waiting -> Quiet, or NoWorker once the thread has ended. untilEnded waits
// for the end even from Quiet. Does nothing in NoWorker or while a wait is already under way.
void WaitForWorker(bool untilEnded) {
    if (worker.state == WorkerState::NoWorker || worker.state == WorkerState::Waiting ||
        (worker.state == WorkerState::Quiet && !untilEnded)) {
        return;
    }
    worker.state = WorkerState::Waiting;
    HANDLE handles[2] = {worker.thread, worker.quietEvent};
    DWORD count = untilEnded ? 1 : 2;
    DWORD result;
    for (;;) {
        result = MsgWaitForMultipleObjects(count, handles, FALSE, 10, QS_SENDMESSAGE);
        if (result < WAIT_OBJECT_0 + count || result == WAIT_FAILED) {
            break;
        }
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (untilEnded || result == WAIT_OBJECT_0) {
        CloseHandle(worker.thread);
        worker.thread = nullptr;
        worker.state = WorkerState::NoWorker;
    } else {
        worker.state = WorkerState::Quiet;
    }
}

// The playback key acts once per press. A press that acted marks the key down until a low-level
// hook sees its release (such hooks carry no repeat bit: a press with no release since the last
// one is an auto-repeat), and its auto-repeats are swallowed meanwhile. So one hook watches the
// key while playback runs (the press there is the emergency stop) and after, while it is down.
bool IsPlaybackKeyDown() {
    return appState.playbackKeyDown != 0 && appState.playbackKeyDown == appState.playbackHotkey;
}

void InstallPlaybackKeyHook() {
    if (appState.playbackKeyboardHook == nullptr) {
        appState.playbackKeyboardHook =
            SysSetWindowsHookEx(WH_KEYBOARD_LL, PlaybackKeyboardHookProc, appState.instanceHandle, 0);
    }
}

void RemovePlaybackKeyHook() {
    if (appState.playbackKeyboardHook != nullptr) {
        UnhookWindowsHookEx(appState.playbackKeyboardHook);
        appState.playbackKeyboardHook = nullptr;
    }
}

void SetPlaybackCaption(bool playing) {
    std::wstring caption = FormatPlaybackCaption(appState.playbackHotkey, playing);
    SetWindowTextW(appState.playbackButton, caption.c_str());
}

// Set while the player's refusal box is open.
bool playbackRefusalOpen = false;

void ShowPlaybackRefusal(const wchar_t* text, const wchar_t* title, UINT type) {
    ShowRunRefusal(playbackRefusalOpen, text, title, type);
}

// Reads the repeat count into playbackRepeatCount; false (after telling the user) when it is
// below 1.
bool ReadPlaybackRepeatCount() {
    if (!IsButtonChecked(appState.playbackRepeatRadio)) {
        appState.playbackRepeatCount = -1;
        return true;
    }
    appState.playbackRepeatCount = ReadNumberField(appState.playbackRepeatTimesEdit);
    if (appState.playbackRepeatCount < 1) {
        ShowPlaybackRefusal(L"Number of repeats must be at least 1.", L"Invalid Count", MB_ICONWARNING);
        return false;
    }
    return true;
}

void SendKeyInput(const KeyInput& key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.vk;
    input.ki.wScan = key.scan;
    input.ki.dwFlags = key.flags;
    SysSendInput(1, &input, sizeof(INPUT));
}

void SendPlaybackStep(const PlaybackStep& step) {
    INPUT input{};
    switch (step.kind) {
        case PlaybackStepKind::Nothing: return;
        case PlaybackStepKind::MoveCursor: SysSetCursorPos(step.x, step.y); return;
        case PlaybackStepKind::Mouse:
            input.type = INPUT_MOUSE;
            input.mi.mouseData = step.mouseData;
            input.mi.dwFlags = step.mouseFlags;
            SysSendInput(1, &input, sizeof(INPUT));
            break;
        case PlaybackStepKind::Key: SendKeyInput(step.key); break;
    }
    if (step.heldKey >= 0) {
        appState.playbackKeyHeld[step.heldKey] = step.heldKeyPress;
    }
    if (step.heldButton >= 0) {
        appState.playbackButtonHeld[step.heldButton] = step.held;
    }
}

// Waits for the duration or until playback is stopped. The high-resolution timer (null where it
// could not be created) keeps its time whatever the system tick; a wait's own time-out comes on
// the tick, 15.6 ms apart when Windows ignores the process's timer period.
void WaitForStopOrTime(HANDLE timer, std::chrono::milliseconds duration) {
    auto ms = std::clamp<int64_t>(duration.count(), 0, 0x7FFFFFFE);
    if (timer != nullptr && SysSetWaitableTimer(timer, -ms * 10'000)) {
        HANDLE handles[2] = {worker.stopEvent, timer};
        WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    } else {
        WaitForSingleObject(worker.stopEvent, static_cast<DWORD>(ms));
    }
}

PlaybackIo WorkerIo(HANDLE timer) {
    PlaybackIo io;
    io.now = [] { return std::chrono::steady_clock::now(); };
    io.isPlaying = [] { return appState.isPlaying.load(); };
    io.wait = [timer](std::chrono::milliseconds duration) { WaitForStopOrTime(timer, duration); };
    io.yield = [] { std::this_thread::yield(); };
    io.moveCursor = [](int32_t x, int32_t y) { SysSetCursorPos(x, y); };
    io.send = SendPlaybackStep;
    io.scanOf = [](uint32_t vk) { return static_cast<uint32_t>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)); };
    return io;
}

} // namespace

void StartPlayback() {
    if (worker.state == WorkerState::Waiting || playbackRefusalOpen) {
        return; // a stop is still settling, or a refusal box is open; the request came in through it
    }
    if (IsAnyRunActive()) {
        if (appState.isClicking) {
            ShowPlaybackRefusal(L"Please stop the auto-clicker before playback.", L"Playback",
                                MB_ICONINFORMATION);
        } else if (appState.isRecording) {
            ShowPlaybackRefusal(L"Please stop recording before playback.", L"Playback", MB_ICONINFORMATION);
        }
        return;
    }
    if (appState.recordedEvents.empty()) {
        ShowPlaybackRefusal(L"No recording available. Please record first.", L"Playback", MB_ICONINFORMATION);
        return;
    }
    if (!ReadPlaybackRepeatCount()) {
        return;
    }

    // The previous worker has made its last injection already; let it finish before the next.
    EndPlaybackWorker();
    if (worker.state != WorkerState::NoWorker) {
        return;
    }

    appState.playbackRunsDone = 0;
    for (std::atomic<uint32_t>& held : appState.playbackKeyHeld) {
        held = 0;
    }
    for (std::atomic<bool>& held : appState.playbackButtonHeld) {
        held = false;
    }
    passStartPoint = appState.recordStartCursor;
    appState.isPlaying = true;
    UpdateTimerResolutionHold();
    InstallPlaybackKeyHook();

    SetPlaybackCaption(true);
    EnableWindow(appState.startButton, FALSE);
    EnableWindow(appState.recordButton, FALSE);
    EnableWindow(appState.playbackRepeatRadio, FALSE);
    EnableWindow(appState.playbackRepeatUntilStoppedRadio, FALSE);
    EnableWindow(appState.playbackRepeatTimesEdit, FALSE);
    InvalidateRect(appState.playbackButton, nullptr, TRUE);

    if (!StartWorker()) {
        SysMessageBox(appState.mainWindow, L"Failed to start playback thread.", L"Error", MB_ICONERROR);
        StopPlayback();
    }
}

void StopPlayback() {
    if (!appState.isPlaying) {
        return;
    }
    appState.isPlaying = false;
    SetEvent(worker.stopEvent);
    if (!IsPlaybackKeyDown()) {
        RemovePlaybackKeyHook();
    }
    WaitForWorker(false);
    ReleaseHeldInputs();

    SetPlaybackCaption(false);
    EnableWindow(appState.startButton, TRUE);
    EnableWindow(appState.recordButton, TRUE);
    EnableWindow(appState.playbackRepeatRadio, TRUE);
    EnableWindow(appState.playbackRepeatUntilStoppedRadio, TRUE);
    EnableWindow(appState.playbackRepeatTimesEdit,
                 IsButtonChecked(appState.playbackRepeatRadio) ? TRUE : FALSE);
    InvalidateRect(appState.playbackButton, nullptr, TRUE);
    UpdateTimerResolutionHold();
}

bool TakePlaybackKeyPress() {
    if (IsPlaybackKeyDown()) {
        return false;
    }
    // The hook first: a release after the key state below is read is then seen by the hook.
    InstallPlaybackKeyHook();
    if ((SysGetAsyncKeyState(static_cast<int>(appState.playbackHotkey)) & 0x8000) != 0) {
        appState.playbackKeyDown = appState.playbackHotkey;
    } else if (!appState.isPlaying) {
        RemovePlaybackKeyHook();
    }
    return true;
}

void ReleaseHeldInputs() {
    for (uint32_t vk = 0; vk < 256; ++vk) {
        if (uint32_t press = appState.playbackKeyHeld[vk].exchange(0); press != 0) {
            SendKeyInput(ReleaseOfHeldKey(vk, press));
        }
    }
    for (int button = 0; button < kButtonCount; ++button) {
        if (!appState.playbackButtonHeld[button].exchange(false)) {
            continue;
        }
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = kButtonReleaseFlags[button];
        SysSendInput(1, &input, sizeof(INPUT));
    }
}

DWORD WINAPI PlaybackThreadProc(LPVOID) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    UINT period = BeginFinestTimerPeriod();
    HANDLE timer = SysCreateWaitableTimerEx(CREATE_WAITABLE_TIMER_HIGH_RESOLUTION);

    // The first key translation loads the keyboard layout (about 10 ms under Wine): do it now,
    // not when the first key is due.
    MapVirtualKeyW(0x41, MAPVK_VK_TO_VSC);

    RunPlaybackPasses(appState.recordedEvents, passStartPoint.x, passStartPoint.y,
                      appState.playbackRepeatCount, appState.playbackRunsDone, WorkerIo(timer));

    if (timer != nullptr) {
        CloseHandle(timer);
    }
    EndFinestTimerPeriod(period);
    if (appState.isPlaying) {
        // Nothing more will be injected: a stop arriving now need not wait for this send.
        SetEvent(worker.quietEvent);
        SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0);
    }
    return 0;
}

// Runs on the window thread for every key while playback runs or the playback key is down. The
// playback key's press during playback becomes a stop request, kept from every window; its
// auto-repeats are swallowed until its release. Every other key passes.
LRESULT CALLBACK PlaybackKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode < 0) {
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    const auto* hook = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    bool press = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (press && hook->vkCode == appState.playbackHotkey) {
        if (IsPlaybackKeyDown()) {
            return 1;
        }
        if (appState.isPlaying) {
            appState.playbackKeyDown = hook->vkCode;
            PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, PLAYBACK_STOP_REQUEST);
            return 1;
        }
    }
    LRESULT result = CallNextHookEx(nullptr, nCode, wParam, lParam);
    if (!press && hook->vkCode == appState.playbackKeyDown) {
        appState.playbackKeyDown = 0;
        if (!appState.isPlaying) {
            RemovePlaybackKeyHook();
        }
    }
    return result;
}

void EndPlaybackWorker() {
    WaitForWorker(true);
}

bool IsPlaybackWorkerAlive() {
    return worker.thread != nullptr && WaitForSingleObject(worker.thread, 0) == WAIT_TIMEOUT;
}

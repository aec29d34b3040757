#include "macro/Playback.h"

#include <algorithm>
#include <iterator>
#include <thread>

#include "app/AppState.h"
#include "base/InputFlags.h"
#include "base/RunSupport.h"
#include "base/Scoped.h"
#include "base/Sys.h"
#include "base/TextLogic.h"
#include "macro/PlaybackLogic.h"
#include "ui/MainControls.h"
#include "ui/RunDisplay.h"

// The platform-free planner's flags are the system's.
static_assert(InputFlag::MouseLeftDown == MOUSEEVENTF_LEFTDOWN &&
              InputFlag::MouseLeftUp == MOUSEEVENTF_LEFTUP);
static_assert(InputFlag::MouseRightDown == MOUSEEVENTF_RIGHTDOWN &&
              InputFlag::MouseRightUp == MOUSEEVENTF_RIGHTUP);
static_assert(InputFlag::MouseMiddleDown == MOUSEEVENTF_MIDDLEDOWN &&
              InputFlag::MouseMiddleUp == MOUSEEVENTF_MIDDLEUP);
static_assert(InputFlag::MouseWheel == MOUSEEVENTF_WHEEL && InputFlag::KeyExtended == KEYEVENTF_EXTENDEDKEY);
static_assert(InputFlag::KeyUp == KEYEVENTF_KEYUP && InputFlag::KeyScanCode == KEYEVENTF_SCANCODE);

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
    ScopedHandle stopEvent;  // manual reset; created once, reset at each start
    ScopedHandle quietEvent; // manual reset; created once, reset at each start
};

PlaybackWorker worker;
// The start point of every pass and the hotkeys, copied before the worker starts.
POINT passStartPoint{0, 0};
uint32_t hotkeysAtStart[std::size(kHotkeyKeys)] = {};

// NoWorker -> Running; false (still NoWorker) when the events or the thread cannot be created.
bool StartWorker() {
    for (ScopedHandle* event : {&worker.stopEvent, &worker.quietEvent}) {
        if (!*event) {
            event->reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        }
        if (!*event) {
            return false;
        }
        ResetEvent(event->get());
    }
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
    HANDLE handles[2] = {worker.thread, worker.quietEvent.get()};
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

void ShowPlaybackBox(const wchar_t* text, const wchar_t* title, UINT type) {
    ShowRunBox(appState.mainWindow, appState.playbackBoxOpen, text, title, type);
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
        ShowPlaybackBox(L"Number of repeats must be at least 1.", L"Invalid Count", MB_ICONWARNING);
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
    input.ki.dwExtraInfo = kTambloInputMark;
    SysSendInput(1, &input, sizeof(INPUT));
}

// A registered hotkey takes its key before any window sees it, so a replayed press of one could
// only ever reach Tamblo itself: the three keys as they were at the start are not replayed.
bool IsHotkeyAtStart(int vk) {
    return std::find(std::begin(hotkeysAtStart), std::end(hotkeysAtStart), static_cast<uint32_t>(vk)) !=
           std::end(hotkeysAtStart);
}

void SendPlaybackStep(const PlaybackStep& step) {
    if (step.kind == PlaybackStepKind::Key && IsHotkeyAtStart(step.heldKey)) {
        return;
    }
    INPUT input{};
    switch (step.kind) {
        case PlaybackStepKind::Nothing: return;
        case PlaybackStepKind::MoveCursor: SysSetCursorPos(step.x, step.y); return;
        case PlaybackStepKind::Mouse:
            input.type = INPUT_MOUSE;
            input.mi.mouseData = step.mouseData;
            input.mi.dwFlags = step.mouseFlags;
            input.mi.dwExtraInfo = kTambloInputMark;
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
        HANDLE handles[2] = {worker.stopEvent.get(), timer};
        WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    } else {
        WaitForSingleObject(worker.stopEvent.get(), static_cast<DWORD>(ms));
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
    if (IsAnyRunActive()) {
        if (appState.isClicking) {
            ShowPlaybackBox(L"Please stop the auto-clicker before playback.", L"Playback",
                            MB_ICONINFORMATION);
        } else if (appState.isRecording) {
            ShowPlaybackBox(L"Please stop recording before playback.", L"Playback", MB_ICONINFORMATION);
        }
        return;
    }
    if (appState.recordedEvents.empty()) {
        ShowPlaybackBox(L"No recording available. Please record first.", L"Playback", MB_ICONINFORMATION);
        return;
    }
    if (!ReadPlaybackRepeatCount()) {
        return;
    }

    // The previous worker has made its last injection already; let it finish before the next.
    WaitForWorker(true);
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
    for (size_t i = 0; i < std::size(hotkeysAtStart); ++i) {
        hotkeysAtStart[i] = appState.*kHotkeyKeys[i];
    }
    appState.isPlaying = true;
    HoldTimerResolution(true);

    ShowRunState(StatusLine::Keep);

    if (!StartWorker()) {
        ShowPlaybackBox(L"Failed to start playback thread.", L"Error", MB_ICONERROR);
        StopPlayback();
    }
}

void StopPlayback() {
    if (!appState.isPlaying) {
        return;
    }
    appState.isPlaying = false;
    if (worker.stopEvent) {
        SetEvent(worker.stopEvent.get());
    }
    WaitForWorker(false);
    ReleaseHeldInputs();
    ShowRunState(StatusLine::Keep);
    HoldTimerResolution(appState.isClicking);
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
        input.mi.dwExtraInfo = kTambloInputMark;
        SysSendInput(1, &input, sizeof(INPUT));
    }
}

DWORD WINAPI PlaybackThreadProc(LPVOID) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    UINT period = BeginFinestTimerPeriod();
    ScopedHandle timer(SysCreateWaitableTimerEx(CREATE_WAITABLE_TIMER_HIGH_RESOLUTION));

    // The first key translation loads the keyboard layout (about 10 ms under Wine): do it now,
    // not when the first key is due.
    MapVirtualKeyW(0x41, MAPVK_VK_TO_VSC);

    RunPlaybackPasses(appState.recordedEvents, passStartPoint.x, passStartPoint.y,
                      appState.playbackRepeatCount, appState.playbackRunsDone, WorkerIo(timer.get()));
    timer.reset();
    EndFinestTimerPeriod(period);
    if (appState.isPlaying) {
        // Nothing more will be injected: a stop arriving now need not wait for this send.
        SetEvent(worker.quietEvent.get());
        SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0);
    }
    return 0;
}

void ShutDownPlayback() {
    StopPlayback();
    // No playback worker may outlive the window: the recording it reads goes with the program.
    WaitForWorker(true);
}

bool IsPlaybackSettling() {
    return worker.state == WorkerState::Waiting;
}

bool IsPlaybackWorkerAlive() {
    return worker.thread != nullptr && WaitForSingleObject(worker.thread, 0) == WAIT_TIMEOUT;
}

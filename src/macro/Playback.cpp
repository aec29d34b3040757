#include "macro/Playback.h"

#include <mmsystem.h>

#include <algorithm>
#include <thread>

#include "app/AppState.h"
#include "app/Sys.h"
#include "app/TextLogic.h"
#include "macro/PlaybackLogic.h"
#include "ui/MainControls.h"

namespace {

// The worker of the current (or last) playback. It is kept, not closed at once, so that a new
// playback and the shutdown can wait for it: never two workers injecting side by side, and no
// worker still reading the recording when the program ends.
HANDLE workerThread = nullptr;
// Set by StopPlayback: cuts every wait of the worker short, so a stop takes effect at once even
// in the middle of a long gap between two events.
HANDLE stopEvent = nullptr;
// Set by the worker after its last injection, just before it reports back. StopPlayback waits
// for it or the thread's end before releasing held inputs, so no press can follow the release;
// it must not wait for the thread itself then, since the thread waits for the window thread.
HANDLE workerQuietEvent = nullptr;
// True while the window thread waits for the worker. The wait answers sent messages, and one of
// them (a command sent by another program) could try to start playback again meanwhile.
bool waitingForWorker = false;
// The start point of every pass, copied before the worker starts.
POINT passStartPoint{0, 0};

void CreatePlaybackEvents() {
    if (stopEvent == nullptr) {
        stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    if (workerQuietEvent == nullptr) {
        workerQuietEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
}

// Waits for one of the handles while answering messages sent to this thread: the worker's
// WM_PLAYBACK_DONE and the low-level hook calls its injections cause both need the window
// thread, so a plain wait could deadlock. Returns the index of the signalled handle.
DWORD WaitAnsweringSentMessages(DWORD count, const HANDLE* handles) {
    waitingForWorker = true;
    DWORD result;
    for (;;) {
        result = MsgWaitForMultipleObjects(count, handles, FALSE, 10, QS_SENDMESSAGE);
        if (result < WAIT_OBJECT_0 + count || result == WAIT_FAILED) {
            break;
        }
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    waitingForWorker = false;
    return result - WAIT_OBJECT_0;
}

void CloseWorkerHandle() {
    CloseHandle(workerThread);
    workerThread = nullptr;
}

// Returns once the worker will inject nothing more: it has ended, or it is reporting back.
void WaitForQuietWorker() {
    if (workerThread == nullptr || waitingForWorker) {
        return;
    }
    HANDLE handles[2] = {workerThread, workerQuietEvent};
    if (WaitAnsweringSentMessages(2, handles) == 0) {
        CloseWorkerHandle();
    }
}

void SetPlaybackCaption(bool playing) {
    std::wstring caption = FormatPlaybackCaption(appState.playbackHotkey, playing);
    SetWindowTextW(appState.playbackButton, caption.c_str());
}

// A refusal box runs a modal loop that keeps serving the hotkeys: a start request arriving while
// one is open is dropped instead of opening a second box.
bool playbackRefusalOpen = false;

void ShowPlaybackRefusal(const wchar_t* text, const wchar_t* title, UINT type) {
    playbackRefusalOpen = true;
    SysMessageBox(appState.mainWindow, text, title, type);
    playbackRefusalOpen = false;
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

void SendPlaybackStep(const PlaybackStep& step) {
    INPUT input{};
    switch (step.kind) {
        case PlaybackStepKind::Nothing: return;
        case PlaybackStepKind::MoveCursor: SysSetCursorPos(step.x, step.y); return;
        case PlaybackStepKind::Mouse:
            input.type = INPUT_MOUSE;
            input.mi.mouseData = step.mouseData;
            input.mi.dwFlags = step.mouseFlags;
            break;
        case PlaybackStepKind::Key:
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(step.vkCode, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = step.keyFlags;
            break;
    }
    SysSendInput(1, &input, sizeof(INPUT));
    if (step.heldKey >= 0) {
        appState.playbackKeyHeld[step.heldKey] = step.held;
    }
    if (step.heldButton >= 0) {
        appState.playbackButtonHeld[step.heldButton] = step.held;
    }
}

PlaybackIo WorkerIo() {
    PlaybackIo io;
    io.now = [] { return std::chrono::steady_clock::now(); };
    io.isPlaying = [] { return appState.isPlaying.load(); };
    io.wait = [](std::chrono::milliseconds duration) {
        auto ms = std::clamp<int64_t>(duration.count(), 0, 0x7FFFFFFE);
        WaitForSingleObject(stopEvent, static_cast<DWORD>(ms));
    };
    io.yield = [] { std::this_thread::yield(); };
    io.moveCursor = [](int32_t x, int32_t y) { SysSetCursorPos(x, y); };
    io.send = SendPlaybackStep;
    return io;
}

} // namespace

void StartPlayback() {
    if (waitingForWorker || playbackRefusalOpen) {
        return; // a stop is still settling, or a refusal box is open; the request came in through it
    }
    if (appState.isPlaying || appState.isRecording || appState.isClicking) {
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
    if (waitingForWorker || workerThread != nullptr) {
        return;
    }
    CreatePlaybackEvents();
    ResetEvent(stopEvent);
    ResetEvent(workerQuietEvent);

    appState.playbackRunsDone = 0;
    for (std::atomic<bool>& held : appState.playbackKeyHeld) {
        held = false;
    }
    for (std::atomic<bool>& held : appState.playbackButtonHeld) {
        held = false;
    }
    passStartPoint = appState.recordStartCursor;
    appState.isPlaying = true;
    appState.playbackKeyboardHook =
        SetWindowsHookExW(WH_KEYBOARD_LL, PlaybackKeyboardHookProc, appState.instanceHandle, 0);

    SetPlaybackCaption(true);
    EnableWindow(appState.startButton, FALSE);
    EnableWindow(appState.recordButton, FALSE);
    EnableWindow(appState.playbackRepeatRadio, FALSE);
    EnableWindow(appState.playbackRepeatUntilStoppedRadio, FALSE);
    EnableWindow(appState.playbackRepeatTimesEdit, FALSE);
    InvalidateRect(appState.playbackButton, nullptr, TRUE);

    workerThread = CreateThread(nullptr, 0, PlaybackThreadProc, nullptr, 0, nullptr);
    if (workerThread == nullptr) {
        SysMessageBox(appState.mainWindow, L"Failed to start playback thread.", L"Error", MB_ICONERROR);
        StopPlayback();
    }
}

void StopPlayback() {
    if (!appState.isPlaying) {
        return;
    }
    appState.isPlaying = false;
    SetEvent(stopEvent);
    if (appState.playbackKeyboardHook != nullptr) {
        UnhookWindowsHookEx(appState.playbackKeyboardHook);
        appState.playbackKeyboardHook = nullptr;
    }
    WaitForQuietWorker();
    ReleaseHeldInputs();

    SetPlaybackCaption(false);
    EnableWindow(appState.startButton, TRUE);
    EnableWindow(appState.recordButton, TRUE);
    EnableWindow(appState.playbackRepeatRadio, TRUE);
    EnableWindow(appState.playbackRepeatUntilStoppedRadio, TRUE);
    EnableWindow(appState.playbackRepeatTimesEdit,
                 IsButtonChecked(appState.playbackRepeatRadio) ? TRUE : FALSE);
    InvalidateRect(appState.playbackButton, nullptr, TRUE);
}

void ReleaseHeldInputs() {
    for (uint32_t vk = 0; vk < 256; ++vk) {
        if (!appState.playbackKeyHeld[vk].exchange(false)) {
            continue;
        }
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = ReleaseKeyFlags(vk);
        SysSendInput(1, &input, sizeof(INPUT));
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
    UINT period = 0;
    TIMECAPS tc{};
    if (timeGetDevCaps(&tc, sizeof(TIMECAPS)) == TIMERR_NOERROR) {
        period = std::min(std::max<UINT>(tc.wPeriodMin, 1), tc.wPeriodMax);
        timeBeginPeriod(period);
    }

    // The first key translation loads the keyboard layout (about 10 ms under Wine): do it now,
    // not when the first key is due.
    MapVirtualKeyW(0x41, MAPVK_VK_TO_VSC);

    RunPlaybackPasses(appState.recordedEvents, passStartPoint.x, passStartPoint.y,
                      appState.playbackRepeatCount, appState.playbackRunsDone, WorkerIo());

    if (period > 0) {
        timeEndPeriod(period);
    }
    if (appState.isPlaying) {
        // Nothing more will be injected: a stop arriving now need not wait for this send.
        SetEvent(workerQuietEvent);
        SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0);
    }
    return 0;
}

// Runs on the window thread for every key while playback runs: the playback hotkey's press is
// turned into a stop request and kept from every window; everything else passes.
LRESULT CALLBACK PlaybackKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0 && appState.isPlaying && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
        const auto* hook = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (hook->vkCode == appState.playbackHotkey) {
            PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_PLAYBACK, 0);
            return 1;
        }
    }
    return CallNextHookEx(appState.playbackKeyboardHook, nCode, wParam, lParam);
}

void EndPlaybackWorker() {
    if (workerThread == nullptr || waitingForWorker) {
        return;
    }
    HANDLE handles[1] = {workerThread};
    WaitAnsweringSentMessages(1, handles);
    CloseWorkerHandle();
}

bool IsPlaybackWorkerAlive() {
    return workerThread != nullptr && WaitForSingleObject(workerThread, 0) == WAIT_TIMEOUT;
}

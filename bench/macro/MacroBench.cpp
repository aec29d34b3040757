// Figures for recording and playback, measured in-process against the real main window and the
// real playback worker, with injection replaced by timestamps (BenchSys.cpp):
//   1. playback timing: lateness of each event against its due time over a 10 s recording of
//      1,000 events, and the player thread's CPU time from the first event to the last, beside a
//      naive player that sleeps for each gap;
//   2. stop latency: from the stop request to the worker's last injection and to the release;
//   3. recorder: cost of one hook procedure call.
// Prints figures only; never fails.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "BenchSys.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "macro/Playback.h"
#include "macro/RecordLogic.h"
#include "macro/Recorder.h"
#include "res/resource.h"
#include "ui/Theme.h"

namespace {

FILE* out = stdout;

template <typename Predicate> void PumpUntil(Predicate done) {
    while (!done()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= milliseconds; });
}

void Command(int id) {
    SendMessageW(appState.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

struct Summary {
    double median;
    double p99;
    double max;
};

Summary Summarise(std::vector<double> values) {
    if (values.empty()) {
        return Summary{0, 0, 0};
    }
    std::sort(values.begin(), values.end());
    auto at = [&](double q) {
        return values[static_cast<size_t>(q * static_cast<double>(values.size() - 1))];
    };
    return Summary{at(0.5), at(0.99), values.back()};
}

// ---- 1. playback timing -------------------------------------------------------------------

// 1,000 events with gaps of 1 to 19 ms (10 ms on average): moves, keys, buttons and the wheel.
std::vector<InputEvent> TimingRecording() {
    std::mt19937 random(1000);
    std::uniform_int_distribution<int> gap(1, 19);
    const InputEventType cycle[] = {MouseMove, KeyDown, KeyUp, LeftDown, LeftUp, MouseWheel};
    std::vector<InputEvent> events;
    int64_t time = 0;
    for (int i = 0; i < 1000; ++i) {
        InputEvent event;
        event.type = cycle[i % 6];
        event.time = time;
        event.vkCode = event.type == KeyDown || event.type == KeyUp ? 'A' : 0;
        event.wheelDelta = event.type == MouseWheel ? -120 : 0;
        events.push_back(event);
        time += gap(random);
    }
    return events;
}

struct Timing {
    Summary lateness;
    double driftMs;
    double cpuMs; // the player thread's, from the first event to the last
};

// The moments the events were sent, and the sending thread's CPU time at each.
struct Sent {
    std::vector<int64_t> ticks;
    std::vector<int64_t> cpu;
};

// Lateness of each event (observed − due) from the moments they were sent. The first event is
// due at the start of the pass, so its moment stands for the start.
Timing MeasureLateness(const std::vector<InputEvent>& events, const Sent& sent) {
    std::vector<double> lateness;
    for (size_t i = 0; i < events.size() && i < sent.ticks.size(); ++i) {
        double observed = BenchMicroseconds(sent.ticks[i] - sent.ticks[0]) / 1000.0;
        lateness.push_back(observed - static_cast<double>(events[i].time));
    }
    double cpuMs = sent.cpu.empty() ? 0.0 : static_cast<double>(sent.cpu.back() - sent.cpu.front()) / 1e4;
    return Timing{Summarise(lateness), lateness.empty() ? 0.0 : lateness.back() - lateness.front(), cpuMs};
}

Sent WorkerMoments(DWORD windowThread) {
    Sent sent;
    bool first = true;
    for (const BenchStamp& stamp : TakeBenchStamps()) {
        if (stamp.thread == windowThread) {
            continue; // releases at the stop
        }
        if (first && stamp.kind == BenchStamp::Cursor) {
            first = false; // the cursor placed at the start point before the pass
            continue;
        }
        sent.ticks.push_back(stamp.ticks);
        sent.cpu.push_back(stamp.cpu);
    }
    return sent;
}

Timing TimeTamblo(const std::vector<InputEvent>& events) {
    appState.recordedEvents = events;
    TakeBenchStamps();
    Command(IDC_PLAYBACK);
    PumpUntil([] { return !appState.isPlaying; });
    ShutDownPlayback();
    return MeasureLateness(events, WorkerMoments(GetCurrentThreadId()));
}

struct NaiveRun {
    const std::vector<InputEvent>* events;
    Sent sent;
};

// The obvious player: sleep for the gap to the next event, send it, repeat. Same priority and
// timer period as the worker, so only the way of waiting differs.
DWORD WINAPI NaivePlayerProc(LPVOID parameter) {
    auto* run = static_cast<NaiveRun*>(parameter);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    timeBeginPeriod(1);
    int64_t previous = 0;
    for (const InputEvent& event : *run->events) {
        if (event.time > previous) {
            Sleep(static_cast<DWORD>(event.time - previous));
        }
        previous = event.time;
        run->sent.ticks.push_back(BenchNowTicks());
        run->sent.cpu.push_back(BenchThreadCpu());
    }
    timeEndPeriod(1);
    return 0;
}

Timing TimeNaive(const std::vector<InputEvent>& events) {
    NaiveRun run{&events, {}};
    HANDLE thread = CreateThread(nullptr, 0, NaivePlayerProc, &run, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return MeasureLateness(events, run.sent);
}

void PrintTimingRow(const char* name, const Timing& timing) {
    std::fprintf(out, "  %-26s %8.3f %8.3f %8.3f %10.3f %8.0f\n", name, timing.lateness.median,
                 timing.lateness.p99, timing.lateness.max, timing.driftMs, timing.cpuMs);
}

void BenchPlaybackTiming() {
    std::vector<InputEvent> events = TimingRecording();
    Timing tamblo = TimeTamblo(events);
    Timing naive = TimeNaive(events);
    std::fprintf(out,
                 "Playback timing: %zu events over %.2f s; lateness = sent - due, ms; CPU: the player "
                 "thread's from the first event to the last (10 ms steps under Wine)\n",
                 events.size(), static_cast<double>(events.back().time) / 1000.0);
    std::fprintf(out, "  %-26s %8s %8s %8s %10s %8s\n", "player", "median", "p99", "max", "drift", "CPU ms");
    PrintTimingRow("Tamblo worker", tamblo);
    PrintTimingRow("naive Sleep(delta) player", naive);
}

// ---- 2. stop latency ----------------------------------------------------------------------

struct StopFigures {
    std::vector<double> lastInjectionMs; // request -> last worker injection after it (0: none)
    std::vector<double> releaseMs;       // request -> first release sent by the stop
    std::vector<double> stopCallMs;      // duration of the whole stop
};

void MeasureStops(const char* name, const std::vector<InputEvent>& events, int trials) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> delay(120, 400);
    StopFigures figures;
    DWORD windowThread = GetCurrentThreadId();
    appState.recordedEvents = events;
    for (int trial = 0; trial < trials; ++trial) {
        TakeBenchStamps();
        Command(IDC_PLAYBACK);
        PumpFor(static_cast<DWORD>(delay(random)));
        int64_t request = BenchNowTicks();
        Command(IDC_PLAYBACK);
        int64_t returned = BenchNowTicks();
        int64_t lastWorker = request;
        int64_t firstRelease = returned;
        bool released = false;
        for (const BenchStamp& stamp : TakeBenchStamps()) {
            if (stamp.thread != windowThread && stamp.ticks > lastWorker) {
                lastWorker = stamp.ticks;
            }
            if (stamp.thread == windowThread && !released) {
                firstRelease = stamp.ticks;
                released = true;
            }
        }
        figures.lastInjectionMs.push_back(BenchMicroseconds(lastWorker - request) / 1000.0);
        figures.releaseMs.push_back(BenchMicroseconds(firstRelease - request) / 1000.0);
        figures.stopCallMs.push_back(BenchMicroseconds(returned - request) / 1000.0);
    }
    Summary last = Summarise(figures.lastInjectionMs);
    Summary release = Summarise(figures.releaseMs);
    Summary call = Summarise(figures.stopCallMs);
    std::fprintf(out, "  %-34s %7.3f / %7.3f   %7.3f / %7.3f   %7.3f / %7.3f\n", name, last.median, last.max,
                 release.median, release.max, call.median, call.max);
}

void BenchStopLatency() {
    SendMessageW(appState.playbackRepeatRadio, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(appState.playbackRepeatUntilStoppedRadio, BM_SETCHECK, BST_CHECKED, 0);
    std::vector<InputEvent> dense;
    for (int i = 0; i < 2000; ++i) {
        dense.push_back(InputEvent{i % 2 == 0 ? KeyDown : KeyUp, i / 2, 0, 0, 'A', 0});
    }
    std::vector<InputEvent> sparse = {InputEvent{KeyDown, 0, 0, 0, 'A', 0},
                                      InputEvent{LeftDown, 0, 0, 0, 0, 0},
                                      InputEvent{KeyUp, 10000, 0, 0, 'A', 0}};
    std::fprintf(out, "Stop latency, 25 stops each at random moments; median / max, ms\n");
    std::fprintf(out, "  %-34s %17s   %17s   %17s\n", "recording", "to last injection", "to first release",
                 "whole stop");
    MeasureStops("dense: a key event every 0.5 ms", dense, 25);
    MeasureStops("sparse: key and button held 10 s", sparse, 25);
    SendMessageW(appState.playbackRepeatRadio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(appState.playbackRepeatUntilStoppedRadio, BM_SETCHECK, BST_UNCHECKED, 0);
}

// ---- 3. recorder hook cost ----------------------------------------------------------------

template <typename Feed> double MicrosecondsPerCall(int calls, Feed feed) {
    int64_t start = BenchNowTicks();
    for (int i = 0; i < calls; ++i) {
        feed(i);
    }
    return BenchMicroseconds(BenchNowTicks() - start) / calls;
}

void BenchRecorderHooks() {
    Command(IDC_RECORD);
    const int calls = 100000;
    MSLLHOOKSTRUCT mouse{};
    KBDLLHOOKSTRUCT key{};
    auto feedMouse = [&](int x, WPARAM message) {
        mouse.pt = POINT{x, 100};
        MouseHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&mouse));
    };
    appState.lastMouseMoveTime = INT64_MAX / 2; // only distance decides, so small moves are dropped
    // While the list's size sits on a multiple of 100 (0 at the start), every message refreshes
    // the status line, dropped moves included; one event more and they cost only the thinning.
    double droppedAtHundred = MicrosecondsPerCall(calls, [&](int i) { feedMouse(i % 2, WM_MOUSEMOVE); });
    feedMouse(0, WM_LBUTTONDOWN);
    double dropped = MicrosecondsPerCall(calls, [&](int i) { feedMouse(i % 2, WM_MOUSEMOVE); });
    double kept = MicrosecondsPerCall(calls, [&](int i) { feedMouse((i % 2) * 50, WM_MOUSEMOVE); });
    double buttons =
        MicrosecondsPerCall(calls, [&](int i) { feedMouse(0, i % 2 ? WM_LBUTTONUP : WM_LBUTTONDOWN); });
    double keys = MicrosecondsPerCall(calls, [&](int i) {
        key.vkCode = 'A' + (i % 20);
        KeyboardHookProc(HC_ACTION, i % 40 < 20 ? WM_KEYDOWN : WM_KEYUP, reinterpret_cast<LPARAM>(&key));
    });
    double passOn = MicrosecondsPerCall(calls, [&](int) {
        CallNextHookEx(appState.mouseHook, HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse));
    });
    // The program's own share: the recording rules and the append, without the system's calls.
    std::vector<InputEvent> list;
    list.reserve(10000);
    LastMouseMove last{0, 0, INT64_MAX / 2};
    double rules = MicrosecondsPerCall(calls, [&](int i) {
        MouseHookMessage message{WM_MOUSEMOVE, (i % 2) * 50, 100, 0, i};
        if (std::optional<InputEvent> event = RecordMouseMessage(message, last)) {
            list.push_back(*event);
        }
    });
    size_t recorded = appState.recordedEvents.size();
    Command(IDC_RECORD);
    std::fprintf(
        out, "Recorder: one hook procedure call, %d calls each (status line refreshed every 100 events)\n",
        calls);
    std::fprintf(out, "  mouse move dropped by thinning   %7.3f us\n", dropped);
    std::fprintf(out, "  the same, event count at 0       %7.3f us (status line set on every message)\n",
                 droppedAtHundred);
    std::fprintf(out, "  mouse move recorded              %7.3f us\n", kept);
    std::fprintf(out, "  button press or release          %7.3f us\n", buttons);
    std::fprintf(out, "  key press or release             %7.3f us\n", keys);
    std::fprintf(out, "  CallNextHookEx alone (included)  %7.3f us (a wineserver round trip under Wine)\n",
                 passOn);
    std::fprintf(out, "  recording rules and append alone %7.3f us (no system call)\n", rules);
    std::fprintf(out, "  (%zu events recorded in all)\n", recorded);
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
    CreateThemeBrushes();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    LoadStringW(instance, IDS_APP_TITLE, appState.windowTitle, 100);
    LoadStringW(instance, IDC_MAIN_CLASS, appState.windowClassName, 100);
    RegisterMainWindowClass(instance);
    if (!CreateMainWindow(instance, SW_SHOWNOACTIVATE)) {
        std::fprintf(out, "cannot create the main window\n");
        return 0;
    }
    PumpFor(100);

    BenchPlaybackTiming();
    BenchStopLatency();
    BenchRecorderHooks();
    std::fflush(out);

    DestroyWindow(appState.mainWindow);
    DeleteThemeBrushes();
    return 0;
}

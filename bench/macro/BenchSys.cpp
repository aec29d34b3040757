// The benchmark's side of the input seam: nothing is injected; every injection is stamped with
// the performance counter and the calling thread, so that due times can be compared with the
// moments the player actually sent each event. Hooks, hotkeys, files and timers are the real ones.
#include "BenchSys.h"

#include <mutex>

#include "base/Sys.h"

namespace {

std::mutex stampsMutex;
std::vector<BenchStamp> stamps;

void Stamp(BenchStamp::Kind kind, DWORD flags) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    int64_t cpu = BenchThreadCpu();
    std::lock_guard<std::mutex> lock(stampsMutex);
    stamps.push_back(BenchStamp{kind, now.QuadPart, GetCurrentThreadId(), flags, cpu});
}

} // namespace

int64_t BenchThreadCpu() {
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user)) {
        return 0;
    }
    auto ticks = [](FILETIME t) { return int64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime; };
    return ticks(kernel) + ticks(user);
}

double BenchMicroseconds(int64_t ticks) {
    static const double ticksPerMicrosecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1e6;
    }();
    return static_cast<double>(ticks) / ticksPerMicrosecond;
}

int64_t BenchNowTicks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void BenchRecordInput(DWORD flags) {
    Stamp(BenchStamp::Input, flags);
}

std::vector<BenchStamp> TakeBenchStamps() {
    std::lock_guard<std::mutex> lock(stampsMutex);
    std::vector<BenchStamp> taken;
    taken.swap(stamps);
    return taken;
}

UINT SysSendInput(UINT count, INPUT* inputs, int) {
    for (UINT i = 0; i < count; ++i) {
        Stamp(BenchStamp::Input,
              inputs[i].type == INPUT_KEYBOARD ? inputs[i].ki.dwFlags : inputs[i].mi.dwFlags);
    }
    return count;
}

void SysMouseEvent(DWORD flags, DWORD, DWORD, DWORD, ULONG_PTR) {
    Stamp(BenchStamp::Input, flags);
}

BOOL SysSetCursorPos(int, int) {
    Stamp(BenchStamp::Cursor, 0);
    return TRUE;
}

BOOL SysGetCursorPos(POINT* point) {
    *point = POINT{0, 0};
    return TRUE;
}

SHORT SysGetAsyncKeyState(int) {
    return 0;
}

int SysMessageBox(HWND, const wchar_t* text, const wchar_t*, UINT) {
    std::printf("message box: %ls\n", text);
    return IDOK;
}

void SysSleep(DWORD milliseconds) {
    Sleep(milliseconds);
}

// Timestamped stand-ins for the injection calls, for the playback and recorder benchmarks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

struct BenchStamp {
    enum Kind { Input, Cursor } kind;
    int64_t ticks; // performance counter
    DWORD thread;
    DWORD flags;
    int64_t cpu; // the stamping thread's CPU time (user and kernel) so far, 100 ns units
};

// The calling thread's CPU time (user and kernel) so far, 100 ns units; steps of the system's clock
// tick (10 ms under Wine, which reads it from Linux).
int64_t BenchThreadCpu();

double BenchMicroseconds(int64_t ticks);
int64_t BenchNowTicks();
// What a player outside the program uses to note one sent event.
void BenchRecordInput(DWORD flags);
std::vector<BenchStamp> TakeBenchStamps();

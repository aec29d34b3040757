// The auto-clicker: run control (start, stop, status line) and the click on each timer tick.
#pragma once

#include <cstdint>

// Sum of the four interval fields in milliseconds, in 64 bits (may lie outside what a timer
// takes; StartClicking refuses those).
int64_t ReadClickInterval();
void StartClicking();
void StopClicking();
void PerformClick();

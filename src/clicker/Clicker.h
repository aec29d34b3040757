// The auto-clicker: run control (start, stop, status line) and the click on each timer tick.
#pragma once

#include <cstdint>

int32_t ReadClickInterval();
void StartClicking();
void StopClicking();
void UpdateClickStatus();
void PerformClick();

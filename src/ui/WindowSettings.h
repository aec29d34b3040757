// The settings the main window's fields hold, as numbers: what a profile stores, what File > New
// restores and what the fields show when the window is made. Platform-free, so the profile codec
// and its tests can use the record.
#pragma once

#include <cstdint>

// Field texts already converted to numbers. The initial values are the defaults.
struct WindowSettings {
    int32_t hours = 0;
    int32_t mins = 0;
    int32_t secs = 0;
    int32_t millisecs = 100;
    int32_t mouseButton = 0; // combo index, -1 for none
    int32_t clickType = 0;   // combo index, -1 for none
    int32_t cursorPosChecked = 0;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    int32_t repeatMode = 0; // 1 = a number of times, 0 = until stopped
    int32_t repeatTimes = 1;
    int32_t playbackRepeatMode = 1;
    int32_t playbackRepeatTimes = 1;

    friend bool operator==(const WindowSettings&, const WindowSettings&) = default;
};

// The settings as the main window's fields hold them now.
WindowSettings ReadWindowSettings();

// Puts the settings into the fields, with the enabled states that follow from them.
void ApplyWindowSettings(const WindowSettings& settings);

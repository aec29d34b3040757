// The fixed dark palette and the face colour rules of the owner-drawn buttons.
#pragma once

#include <cstdint>

// Colours as 0x00BBGGRR, the layout GDI's COLORREF uses.
constexpr uint32_t MakeColour(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

constexpr uint32_t kBackgroundColour = MakeColour(32, 32, 32);
constexpr uint32_t kFieldColour = MakeColour(45, 45, 45);
constexpr uint32_t kTextColour = MakeColour(255, 255, 255);
constexpr uint32_t kDisabledTextColour = MakeColour(130, 130, 130);
constexpr uint32_t kAccentColour = MakeColour(0, 120, 215);
constexpr uint32_t kAccentPressedColour = MakeColour(0, 100, 180);
constexpr uint32_t kAccentFocusedColour = MakeColour(0, 140, 230);
constexpr uint32_t kRecordingColour = MakeColour(255, 0, 0);
constexpr uint32_t kPlayingColour = MakeColour(0, 255, 0);

constexpr uint32_t kItemSelected = 0x0001; // ODS_SELECTED
constexpr uint32_t kItemFocus = 0x0010;    // ODS_FOCUS

// Face colour of an owner-drawn button (Start, Record, Playback), or false for any other id.
bool ChooseButtonFace(int ctlId, uint32_t itemState, bool isRecording, bool isPlaying, uint32_t* face);

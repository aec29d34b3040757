// Number fields, hotkeys and button captions: platform-free rules shared by every subsystem.
#pragma once

#include <cstdint>
#include <string>

// Reads a number field the way _wtoi does: leading blanks skipped, an optional sign, decimal
// digits up to the first other character; no digits gives 0; values beyond the int32 range
// clamp to INT_MAX or INT_MIN.
int32_t ParseIntField(const wchar_t* text);

// F1..F12, the only keys Tamblo registers as hotkeys.
bool IsFunctionKey(uint32_t key);

// The keys the three hotkeys start with and File > New restores: F6, F8 and F9.
constexpr uint32_t kDefaultStartStopHotkey = 0x75;
constexpr uint32_t kDefaultRecordHotkey = 0x77;
constexpr uint32_t kDefaultPlaybackHotkey = 0x78;

// "Start (F6)" / "Stop (F6)"; a key outside F1..F12 would get a readable name that still fits the
// caption: "F13".."F24", otherwise "Key 0x7C".
std::wstring FormatStartCaption(uint32_t key, bool running);
// "Record (F8)" / "Stop Rec (F8)"; "Record" / "Stop Recording" outside F1..F12
std::wstring FormatRecordCaption(uint32_t key, bool running);
// "Playback (F9)" / "Stop Play (F9)"; "Playback" / "Stop Playback" outside F1..F12
std::wstring FormatPlaybackCaption(uint32_t key, bool running);

// Writing the window's settings, the hotkeys and the recording to a ".tmb" file and back.
#pragma once

#include "profile/ProfileLogic.h"

// Writes the whole profile to a new temporary file beside `path` and puts it in place only when
// every byte has been written, so a failed save leaves the file that was there byte for byte as it
// was, and no other file is touched; only when Windows stops the replace midway and the old file
// cannot even be moved back do both copies stay beside it under their own names. False when the
// new profile is not in place; nothing in the window or the state changes either way.
bool SaveProfileToFile(const wchar_t* path);

// Reads and checks the whole file first; only a complete, valid profile is applied. False (with
// nothing changed) when the file cannot be read, is not a version 1 profile, ends early, or
// while a run is active: the clicker reads the settings on every tick, the recorder appends to the
// recording and the playback worker reads it without a lock.
bool LoadProfileFromFile(const wchar_t* path);

// Puts a profile into the window and the state: the settings, the recording and its start point,
// then the hotkeys. No run may be active.
void ApplyProfile(const ProfileHeader& header, std::vector<InputEvent> events);

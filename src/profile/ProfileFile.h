// Writing the window's settings, the hotkeys and the recording to a ".tmb" file and back.
#pragma once

#include "profile/ProfileLogic.h"

// Writes the whole profile to a temporary file beside `path` and puts it in place only when
// every byte has been written, so a failed save never destroys the file that was there. False
// when anything fails; nothing in the window or the state changes either way.
bool SaveProfileToFile(const wchar_t* path);

// Reads and checks the whole file first; only a complete, valid profile is applied. False (with
// nothing changed) when the file cannot be read, is not a version 1 profile, ends early, or
// while playback runs, whose worker reads the recording without a lock.
bool LoadProfileFromFile(const wchar_t* path);

// The thirteen settings as the main window's controls hold them now.
ProfileSettings ReadSettingsFromControls();

// Puts the settings into the controls, with the enabled states that follow from them.
void ApplySettingsToControls(const ProfileSettings& settings);

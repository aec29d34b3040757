// File > New, Save Profile... and Load Profile...
#pragma once

void NewProfileCommand();
void SaveProfileCommand();
void LoadProfileCommand();

// Everything File > Load does once the file dialog has returned `path`: refuses while a run is
// active, loads the file and reports the result in a message box.
void LoadProfileAtPath(const wchar_t* path);

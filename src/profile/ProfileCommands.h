// File > New, Save Profile... and Load Profile...
#pragma once

void NewProfileCommand();
void SaveProfileCommand();
void LoadProfileCommand();

// What Load Profile... does once a file is chosen: refuses while playback runs, else loads the file
// and reports success or failure in a message box.
void LoadProfileAtPath(const wchar_t* path);

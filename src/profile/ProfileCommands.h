// File > New, Save Profile... and Load Profile...
#pragma once

void NewProfileCommand();
void SaveProfileCommand();
void LoadProfileCommand();

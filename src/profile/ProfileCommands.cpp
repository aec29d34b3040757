#include "profile/ProfileCommands.h"

#include "app/AppState.h"

void NewProfileCommand() {}

void SaveProfileCommand() {}

void LoadProfileCommand() {}

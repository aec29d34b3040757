#include "profile/ProfileCommands.h"

#include <windows.h>
#include <commdlg.h>

#include "app/AppState.h"
#include "base/Sys.h"
#include "profile/ProfileFile.h"

namespace {

constexpr wchar_t kProfileFilter[] = L"Tamblo Profile (*.tmb)\0*.tmb\0All Files (*.*)\0*.*\0";
constexpr wchar_t kLoadTitle[] = L"Load Profile";
constexpr wchar_t kSaveTitle[] = L"Save Profile";
constexpr wchar_t kNewTitle[] = L"New Profile";

OPENFILENAMEW ProfileDialogRecord(wchar_t* path, const wchar_t* title, DWORD flags) {
    OPENFILENAMEW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = appState.mainWindow;
    record.lpstrFile = path;
    record.nMaxFile = MAX_PATH;
    record.lpstrFilter = kProfileFilter;
    record.nFilterIndex = 1;
    record.lpstrTitle = title;
    record.Flags = flags;
    return record;
}

// New and Load replace what every run reads or writes: the settings the clicker reads on each
// tick, the fields a run locked, the recording the recorder appends to and the worker plays.
bool RefuseWhileRunning(const wchar_t* text, const wchar_t* title) {
    if (!IsAnyRunActive()) {
        return false;
    }
    SysMessageBox(appState.mainWindow, text, title, MB_OK | MB_ICONWARNING);
    return true;
}

bool RefuseNewWhileRunning() {
    return RefuseWhileRunning(L"Please stop all active operations before creating a new profile.", kNewTitle);
}

bool RefuseLoadWhileRunning() {
    return RefuseWhileRunning(L"Please stop all active operations before loading a profile.", kLoadTitle);
}

} // namespace

void NewProfileCommand() {
    if (RefuseNewWhileRunning()) {
        return;
    }
    if (SysMessageBox(appState.mainWindow,
                      L"This will reset all settings and clear any recorded events. Continue?", kNewTitle,
                      MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    // The question's modal loop serves the hotkeys: a run may have started while it was open.
    if (RefuseNewWhileRunning()) {
        return;
    }
    // The defaults are an empty profile; the click count starts again too.
    appState.clickCount = 0;
    ApplyProfile(ProfileHeader{}, {});
    SysMessageBox(appState.mainWindow, L"All settings have been reset to defaults.", kNewTitle,
                  MB_OK | MB_ICONINFORMATION);
}

void SaveProfileCommand() {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW record = ProfileDialogRecord(path, kSaveTitle, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    record.lpstrDefExt = L"tmb";
    if (!GetSaveFileNameW(&record)) {
        return;
    }
    if (SaveProfileToFile(path)) {
        SysMessageBox(appState.mainWindow, L"Profile saved successfully!", kSaveTitle,
                      MB_OK | MB_ICONINFORMATION);
    } else {
        SysMessageBox(appState.mainWindow, L"Failed to save profile.", kSaveTitle, MB_OK | MB_ICONERROR);
    }
}

void LoadProfileCommand() {
    if (RefuseLoadWhileRunning()) {
        return;
    }
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW record = ProfileDialogRecord(path, kLoadTitle, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&record)) {
        return;
    }
    LoadProfileAtPath(path);
}

void LoadProfileAtPath(const wchar_t* path) {
    // The hotkeys keep working while the file dialog is open: a run may have started meanwhile.
    if (RefuseLoadWhileRunning()) {
        return;
    }
    if (LoadProfileFromFile(path)) {
        SysMessageBox(appState.mainWindow, L"Profile loaded successfully!", kLoadTitle,
                      MB_OK | MB_ICONINFORMATION);
    } else {
        SysMessageBox(appState.mainWindow,
                      L"Failed to load profile. The file may be corrupted or incompatible.", kLoadTitle,
                      MB_OK | MB_ICONERROR);
    }
}

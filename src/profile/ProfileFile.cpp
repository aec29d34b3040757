#include "profile/ProfileFile.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AppState.h"
#include "base/Scoped.h"
#include "base/Sys.h"
#include "profile/Hotkeys.h"
#include "ui/RunDisplay.h"
#include "ui/WindowSettings.h"

namespace {

using FileHandle = ScopedHandle;

FileHandle OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE handle = CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// WriteFile and ReadFile take 32-bit lengths; large buffers go in slices.
constexpr size_t kIoSlice = size_t{1} << 30;

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(size < kIoSlice ? size : kIoSlice);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) {
            return false;
        }
        data += chunk;
        size -= chunk;
    }
    return true;
}

bool ReadAll(HANDLE file, uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(size < kIoSlice ? size : kIoSlice);
        DWORD read = 0;
        if (!ReadFile(file, data, chunk, &read, nullptr) || read != chunk) {
            return false;
        }
        data += chunk;
        size -= chunk;
    }
    return true;
}

ProfileHeader ReadHeaderFromWindow() {
    ProfileHeader header;
    header.settings = ReadWindowSettings();
    header.currentHotkey = appState.currentHotkey;
    header.recordHotkey = appState.recordHotkey;
    header.playbackHotkey = appState.playbackHotkey;
    header.startX = appState.recordStartCursor.x;
    header.startY = appState.recordStartCursor.y;
    return header;
}

// The whole file, checked, or false; nothing is applied here.
bool ReadProfileFile(const wchar_t* path, ProfileHeader& header, std::vector<InputEvent>& events) {
    FileHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        return false;
    }
    return DecodeProfile(
        static_cast<uint64_t>(size.QuadPart),
        [&](uint8_t* out, size_t count) { return ReadAll(file.get(), out, count); }, header, events);
}

// Creates a file that did not exist before in the target's folder. Its name is never longer than
// the target's own file name, so its path never passes a limit the target's path is within, and
// CREATE_NEW never opens a file that was already there.
FileHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
    const size_t nameStart = target.find_last_of(L"\\/") + 1; // 0 when there is no folder part
    const size_t nameLength = std::min<size_t>(target.size() - nameStart, 13);
    uint64_t seed = GetTickCount64() ^ (uint64_t{GetCurrentProcessId()} << 32);
    for (int attempt = 0; attempt < 64; ++attempt) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        std::wstring name = L"~";
        for (uint64_t bits = seed >> 4; name.size() < 13; bits /= 36) {
            name += L"0123456789abcdefghijklmnopqrstuvwxyz"[bits % 36];
        }
        temporary = target.substr(0, nameStart) + name.substr(13 - nameLength);
        if (CompareStringOrdinal(temporary.c_str(), -1, target.c_str(), -1, TRUE) == CSTR_EQUAL) {
            continue;
        }
        HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return FileHandle(handle);
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    temporary.clear();
    return nullptr;
}

bool WriteProfileFile(HANDLE file, const ProfileHeader& header, const std::vector<InputEvent>& events) {
    return EncodeProfile(
               header, events,
               [file](const uint8_t* bytes, size_t count) { return WriteAll(file, bytes, count); }) &&
           FlushFileBuffers(file) != FALSE;
}

// ReplaceFileW keeps the target's security and attributes and refuses, leaving it whole, where it
// cannot replace it. Without a backup name, Windows documents replaces that stop midway with the
// old profile gone or under a name nobody knows; with one, ERROR_UNABLE_TO_REMOVE_REPLACED and
// ERROR_UNABLE_TO_MOVE_REPLACEMENT rename nothing, and ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 leaves
// the old profile under the backup name and nothing at the target, so it is moved back. The backup
// name is a new empty file of ours, which the replace writes over. A copy is deleted only while the
// target holds the other one: when the old profile cannot go back, both stay under their names.
bool ReplaceKeepingOneCopy(const std::wstring& target, const std::wstring& temporary) {
    std::wstring backup;
    if (!CreateTemporaryBeside(target, backup)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    const bool replaced = SysReplaceFile(target.c_str(), temporary.c_str(), backup.c_str(),
                                         REPLACEFILE_IGNORE_MERGE_ERRORS) != FALSE;
    if (!replaced && GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
        !SysMoveFile(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    if (!replaced) {
        DeleteFileW(temporary.c_str());
    }
    DeleteFileW(backup.c_str());
    return replaced;
}

} // namespace

bool SaveProfileToFile(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') {
        return false;
    }
    // A target that cannot be replaced (held open without sharing, read-only) is refused before a
    // profile, which may hold millions of events, is written beside it only to be deleted.
    const bool targetExists = GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    if (targetExists && !OpenFile(path, GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING)) {
        return false;
    }
    const std::wstring target = path;
    std::wstring temporary;
    FileHandle file = CreateTemporaryBeside(target, temporary);
    if (!file) {
        return false;
    }
    bool written = WriteProfileFile(file.get(), ReadHeaderFromWindow(), appState.recordedEvents);
    written = CloseHandle(file.release()) && written;
    if (written && targetExists) {
        return ReplaceKeepingOneCopy(target, temporary);
    }
    // A new target is moved into place, never over a file that came into being meanwhile.
    written = written && SysMoveFile(temporary.c_str(), path, MOVEFILE_WRITE_THROUGH);
    if (!written) {
        DeleteFileW(temporary.c_str());
    }
    return written;
}

bool LoadProfileFromFile(const wchar_t* path) {
    if (IsAnyRunActive() || path == nullptr) {
        return false;
    }
    ProfileHeader header;
    std::vector<InputEvent> events;
    if (!ReadProfileFile(path, header, events)) {
        return false;
    }
    ApplyProfile(header, std::move(events));
    return true;
}

void ApplyProfile(const ProfileHeader& header, std::vector<InputEvent> events) {
    ApplyWindowSettings(header.settings);
    // The recording goes in before the hotkeys: a "Hotkey Error" box runs a modal loop in which
    // the playback hotkey still works, and a playback started there must already see the list
    // it will keep reading.
    appState.recordStartCursor = POINT{header.startX, header.startY};
    appState.recordedEvents.swap(events);
    appState.playbackOffered = !appState.recordedEvents.empty();
    ShowRunState(StatusLine::Record);
    ChangeStartStopHotkey(header.currentHotkey, appState.mainWindow);
    ChangeRecordHotkey(header.recordHotkey, appState.mainWindow);
    ChangePlaybackHotkey(header.playbackHotkey, appState.mainWindow);
}

#include "profile/ProfileFile.h"

#include <cwchar>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/TextLogic.h"
#include "macro/Recorder.h"
#include "profile/Hotkeys.h"
#include "ui/MainControls.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

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

void SetNumberField(HWND edit, int32_t value) {
    wchar_t text[32];
    swprintf(text, 32, L"%d", value);
    SetWindowTextW(edit, text);
}

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int32_t ComboSelection(HWND combo) {
    return static_cast<int32_t>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// An index outside the list leaves the combo box with no selection. Windows clears it for any
// such index, Wine only for -1, so an outside index is sent as -1.
void SelectComboIndex(HWND combo, int32_t index) {
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    WPARAM item = index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
    SendMessageW(combo, CB_SETCURSEL, item, 0);
}

// A number field's number, a combo box's selection, or a check.
int32_t ReadSavedValue(const MainControl& control) {
    HWND window = appState.*control.handle;
    switch (control.kind) {
        case ControlKind::NumberEdit: return ReadNumberField(window);
        case ControlKind::Combo: return ComboSelection(window);
        default: return IsButtonChecked(window) ? 1 : 0;
    }
}

// The second button of a radio pair is checked when the first is not.
void WriteSavedValue(const MainControl& control, int32_t value) {
    HWND window = appState.*control.handle;
    switch (control.kind) {
        case ControlKind::NumberEdit: SetNumberField(window, value); break;
        case ControlKind::Combo: SelectComboIndex(window, value); break;
        case ControlKind::SecondRadio: SetChecked(window, value == 0); break;
        default: SetChecked(window, value != 0); break;
    }
}

ProfileHeader ReadHeaderFromWindow() {
    ProfileHeader header;
    header.settings = ReadSettingsFromControls();
    header.currentHotkey = appState.currentHotkey;
    header.recordHotkey = appState.recordHotkey;
    header.playbackHotkey = appState.playbackHotkey;
    header.startX = appState.recordStartCursor.x;
    header.startY = appState.recordStartCursor.y;
    return header;
}

// Records go through the file in blocks of this many, so neither direction holds a second copy
// of a large recording in memory.
constexpr size_t kBlockEvents = 4096;

// The whole file, checked, or false. The count is trusted only up to what the file can hold, and
// only then is room made for the events.
bool ReadProfileFile(const wchar_t* path, ProfileHeader& header, std::vector<InputEvent>& events) {
    FileHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        return false;
    }
    const uint64_t fileSize = static_cast<uint64_t>(size.QuadPart);
    uint8_t headerBytes[kProfileHeaderSize];
    const size_t headerRead =
        fileSize < kProfileHeaderSize ? static_cast<size_t>(fileSize) : kProfileHeaderSize;
    uint64_t count = 0;
    if (!ReadAll(file.get(), headerBytes, headerRead) ||
        !DecodeProfileHeader(std::span<const uint8_t>(headerBytes, headerRead), header, count) ||
        count > ProfileEventCapacity(fileSize)) {
        return false;
    }
    try {
        std::vector<InputEvent> read(static_cast<size_t>(count));
        std::vector<uint8_t> block(kBlockEvents * kProfileEventSize);
        for (size_t done = 0; done < read.size();) {
            const size_t n = read.size() - done < kBlockEvents ? read.size() - done : kBlockEvents;
            if (!ReadAll(file.get(), block.data(), n * kProfileEventSize) ||
                !DecodeEventRecords(block, std::span<InputEvent>(read.data() + done, n))) {
                return false;
            }
            done += n;
        }
        events.swap(read);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool WriteProfileFile(HANDLE file, const ProfileHeader& header, const std::vector<InputEvent>& events) {
    uint8_t headerBytes[kProfileHeaderSize];
    EncodeProfileHeader(header, events.size(), headerBytes);
    if (!WriteAll(file, headerBytes, kProfileHeaderSize)) {
        return false;
    }
    std::vector<uint8_t> block(kBlockEvents * kProfileEventSize);
    for (size_t done = 0; done < events.size();) {
        const size_t n = events.size() - done < kBlockEvents ? events.size() - done : kBlockEvents;
        EncodeEventRecords(std::span<const InputEvent>(events.data() + done, n), block.data());
        if (!WriteAll(file, block.data(), n * kProfileEventSize)) {
            return false;
        }
        done += n;
    }
    return FlushFileBuffers(file) != FALSE;
}

} // namespace

ProfileSettings ReadSettingsFromControls() {
    ProfileSettings s;
    for (const MainControl& control : MainControlTable()) {
        if (control.use.saved != nullptr && control.kind != ControlKind::SecondRadio) {
            s.*control.use.saved = ReadSavedValue(control);
        }
    }
    return s;
}

// The fields that a check box or radio button enables follow the checks just set.
void ApplySettingsToControls(const ProfileSettings& s) {
    for (const MainControl& control : MainControlTable()) {
        if (control.use.saved != nullptr) {
            WriteSavedValue(control, s.*control.use.saved);
        }
    }
    for (const MainControl& control : MainControlTable()) {
        if (control.use.enabledBy != nullptr) {
            EnableWindow(appState.*control.handle, IsButtonChecked(appState.*control.use.enabledBy));
        }
    }
}

bool SaveProfileToFile(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') {
        return false;
    }
    const std::wstring temporary = std::wstring(path) + L".saving";
    bool written = false;
    {
        FileHandle file = OpenFile(temporary.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (!file) {
            return false;
        }
        try {
            written = WriteProfileFile(file.get(), ReadHeaderFromWindow(), appState.recordedEvents);
        } catch (const std::bad_alloc&) {
            written = false;
        }
        written = CloseHandle(file.release()) && written;
    }
    if (!written ||
        !MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool LoadProfileFromFile(const wchar_t* path) {
    if (appState.isPlaying || path == nullptr) {
        return false;
    }
    ProfileHeader header;
    std::vector<InputEvent> events;
    if (!ReadProfileFile(path, header, events)) {
        return false;
    }
    ApplySettingsToControls(header.settings);
    // The recording goes in before the hotkeys: a "Hotkey Error" box runs a modal loop in which
    // the playback hotkey still works, and a playback started there must already see the list
    // it will keep reading.
    appState.recordStartCursor = POINT{header.startX, header.startY};
    appState.recordedEvents.swap(events);
    EnableWindow(appState.playbackButton, !appState.recordedEvents.empty());
    UpdateRecordStatus();
    ChangeStartStopHotkey(header.currentHotkey);
    ChangeRecordHotkey(header.recordHotkey);
    ChangePlaybackHotkey(header.playbackHotkey);
    return true;
}

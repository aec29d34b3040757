// Save and load of a 1,000,000-event profile through SaveProfileToFile/LoadProfileFromFile, beside
// a plain write and read of the same number of bytes in the same run. Prints figures, never fails.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLogic.h"

namespace {

constexpr size_t kEvents = 1000000;
constexpr int kRounds = 3;

double BestMs(const std::function<bool()>& run) {
    double best = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (!run()) {
            std::printf("bench.profile: a run failed\n");
            return -1;
        }
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = took.count() < best ? took.count() : best;
    }
    return best;
}

bool PlainWrite(const std::wstring& path, const std::vector<uint8_t>& bytes, bool flush) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && (!flush || FlushFileBuffers(file));
    return CloseHandle(file) && ok;
}

bool PlainRead(const std::wstring& path, std::vector<uint8_t>& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD read = 0;
    bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size();
    return CloseHandle(file) && ok;
}

} // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring profilePath = std::wstring(temp) + L"tamblo-bench.tmb";
    const std::wstring plainPath = std::wstring(temp) + L"tamblo-bench.bin";

    // No window: the settings read from absent controls are zeros; only the events matter here.
    appState.recordedEvents.resize(kEvents);
    for (size_t i = 0; i < kEvents; ++i) {
        appState.recordedEvents[i] = {static_cast<InputEventType>(i % 10), static_cast<int64_t>(i),
                                      static_cast<int32_t>(i % 1920),      static_cast<int32_t>(i % 1080),
                                      static_cast<uint32_t>(i % 256),      (i % 10 == 7) ? -120 : 0};
    }
    const std::vector<InputEvent> original = appState.recordedEvents;
    const std::vector<uint8_t> bytes(kProfileHeaderSize + kProfileEventSize * kEvents, 0x5A);
    std::vector<uint8_t> readBack(bytes.size());

    const double save = BestMs([&] { return SaveProfileToFile(profilePath.c_str()); });
    const double write = BestMs([&] { return PlainWrite(plainPath, bytes, false); });
    const double writeFlush = BestMs([&] { return PlainWrite(plainPath, bytes, true); });
    const double load = BestMs([&] { return LoadProfileFromFile(profilePath.c_str()); });
    const double read = BestMs([&] { return PlainRead(plainPath, readBack); });
    const bool same = appState.recordedEvents == original;

    std::printf("profile bench: %zu events, %zu bytes, best of %d\n", kEvents, bytes.size(), kRounds);
    std::printf(
        "  SaveProfileToFile   %8.1f ms   plain write %8.1f ms (with flush %8.1f ms)   ratio %.2f (%.2f)\n",
        save, write, writeFlush, save / write, save / writeFlush);
    std::printf("  LoadProfileFromFile %8.1f ms   plain read  %8.1f ms                         ratio %.2f\n",
                load, read, load / read);
    std::printf("  events after load %s the saved ones\n", same ? "equal" : "DIFFER from");
    DeleteFileW(profilePath.c_str());
    DeleteFileW(plainPath.c_str());
    return 0;
}

// What a save leaves in the target's folder, file by file. Wine's ReplaceFileW is a plain rename, so
// the fake seam stops it midway where Windows documents it may (1175, 1176, 1177), leaving the files
// as documented for each.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "FakeSys.h"
#include "TestSupport.h"
#include "profile/ProfileFile.h"

namespace fs = std::filesystem;
// Name -> bytes: "new" for the saved profile, "stray" for a name that was not there before.
using Folder = std::multiset<std::pair<std::wstring, std::string>>;
// The longest name a folder holds: no temporary or backup name can be made by adding to it.
const std::wstring kLong = std::wstring(251, L'n') + L".tmb";
const Folder kOld = {{L"p.tmb", "old"}, {L"p.tmb.bak", "mine"}};

// clang-format off
const struct { Folder before; std::wstring target; bool held; /* open elsewhere, unshared */ DWORD replaceError; bool moveFails; bool saved; Folder after; } kRows[] = {
    {{}, kLong, false, 0, false, true, {{kLong, "new"}}},
    {{{kLong, "old"}}, kLong, false, 0, false, true, {{kLong, "new"}}},
    {{{L"p.tmb", "old"}, {L"~", "x"}, {L"p", "y"}}, L"p.tmb", false, 0, false, true, {{L"p.tmb", "new"}, {L"~", "x"}, {L"p", "y"}}},
    {kOld, L"p.tmb", true, 0, false, false, kOld},
    {kOld, L"p.tmb", false, ERROR_UNABLE_TO_REMOVE_REPLACED, false, false, kOld},
    {kOld, L"p.tmb", false, ERROR_UNABLE_TO_MOVE_REPLACEMENT, false, false, kOld},
    {kOld, L"p.tmb", false, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, false, false, kOld},
    {kOld, L"p.tmb", false, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, true, false, {{L"stray", "old"}, {L"stray", "new"}, {L"p.tmb.bak", "mine"}}},
};
// clang-format on

TEST(ProfileSave, LeavesTheOldOrTheNewProfileAndEveryOtherFileAsItWas) {
    const fs::path dir = fs::temp_directory_path() / "tamblo-save-test";
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (size_t row = 0; row < std::size(kRows); ++row) {
        const auto& r = kRows[row];
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& [name, bytes] : r.before) {
            std::ofstream(dir / name, std::ios::binary) << bytes;
        }
        SetFakeReplaceFailure(r.replaceError, r.moveFails);
        const DWORD hold = r.held ? OPEN_EXISTING : 0;
        HANDLE holder = CreateFileW((dir / r.target).c_str(), GENERIC_READ, 0, nullptr, hold, 0, nullptr);
        EXPECT_EQ(SaveProfileToFile((dir / r.target).c_str()), r.saved) << "row " << row;
        CloseHandle(holder);
        Folder after;
        for (const auto& file : fs::directory_iterator(dir)) {
            std::ifstream in(file.path(), std::ios::binary);
            std::string bytes(std::istreambuf_iterator<char>(in), {});
            const std::wstring name = file.path().filename();
            const bool known =
                name == r.target || std::ranges::any_of(r.before, [&](auto& f) { return f.first == name; });
            after.emplace(known ? name : L"stray",
                          bytes.size() == 89 && bytes.starts_with("TMBLO") ? "new" : bytes);
        }
        EXPECT_EQ(after, r.after) << "row " << row;
    }
    DestroyTestMainWindow();
    fs::remove_all(dir);
}

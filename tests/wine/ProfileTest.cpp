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
// Name and bytes: "new" for the saved profile, "?" for a name not expected.
using Folder = std::multiset<std::pair<std::wstring, std::string>>;
// The longest name a folder holds: no temporary or backup name can be made by adding to it.
const std::wstring kLong = std::wstring(251, L'n') + L".tmb";
const Folder kOld = {{L"p.tmb", "old"}, {L"p.tmb.bak", "mine"}};

// Before; target; held open elsewhere, unshared; replace error; restore fails; saved; after.
// clang-format off
const std::tuple<Folder, std::wstring, bool, DWORD, bool, bool, Folder> kRows[] = {
    {{}, kLong, false, 0, false, true, {{kLong, "new"}}},
    {{{kLong, "old"}}, kLong, false, 0, false, true, {{kLong, "new"}}},
    {kOld, L"p.tmb", false, 0, false, true, {{L"p.tmb", "new"}, {L"p.tmb.bak", "mine"}}},
    {kOld, L"p.tmb", true, 0, false, false, kOld},
    {kOld, L"p.tmb", false, 1175, false, false, kOld},
    {kOld, L"p.tmb", false, 1176, false, false, kOld},
    {kOld, L"p.tmb", false, 1177, false, false, kOld},
    {kOld, L"p.tmb", false, 1177, true, false, {{L"?", "old"}, {L"?", "new"}, {L"p.tmb.bak", "mine"}}},
};
// clang-format on

TEST(ProfileSave, LeavesTheOldOrTheNewProfileAndEveryOtherFileAsItWas) {
    const fs::path dir = fs::temp_directory_path() / "tamblo-save-test";
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (size_t row = 0; row < std::size(kRows); ++row) {
        const auto& [before, target, held, error, restoreFails, saved, expected] = kRows[row];
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& [name, bytes] : before) {
            std::ofstream(dir / name, std::ios::binary) << bytes;
        }
        SetFakeReplaceFailure(error, restoreFails);
        const fs::path path = dir / target;
        HANDLE holder =
            CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, held ? OPEN_EXISTING : 0, 0, nullptr);
        EXPECT_EQ(SaveProfileToFile(path.c_str()), saved) << "row " << row;
        CloseHandle(holder);
        Folder after;
        for (const auto& file : fs::directory_iterator(dir)) {
            std::ifstream in(file.path(), std::ios::binary);
            std::string bytes(std::istreambuf_iterator<char>(in), {});
            const std::wstring name = file.path().filename();
            const bool known = std::ranges::any_of(expected, [&](auto& f) { return f.first == name; });
            after.emplace(known ? name : L"?", bytes.starts_with("TMBLO") ? "new" : bytes);
        }
        EXPECT_EQ(after, expected) << "row " << row;
    }
    DestroyTestMainWindow();
    fs::remove_all(dir);
}

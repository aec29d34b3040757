// What a save leaves in the folder. Wine's ReplaceFileW is a plain rename, so the fake stops it midway as
// Windows documents it may.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "FakeSys.h"
#include "TestSupport.h"
#include "profile/ProfileFile.h"

namespace fs = std::filesystem;
// Name and bytes: "new" for the saved profile, "~" for a temporary or backup name.
using Folder = std::multiset<std::pair<std::wstring, std::string>>;
const std::wstring kLong = std::wstring(251, L'n') + L".tmb"; // no temporary name can add to it
const Folder kOld = {{kLong, "old"}, {L"mine", "mine"}};

// Before; replace error (1176: nothing renamed, 1177: the old one under the backup name); restore fails.
// clang-format off
const std::tuple<Folder, DWORD, bool, Folder> kRows[] = {
    {{}, 0, false, {{kLong, "new"}}},
    {kOld, 0, false, {{kLong, "new"}, {L"mine", "mine"}}},
    {kOld, 1176, false, kOld},
    {kOld, 1177, false, kOld},
    {kOld, 1177, true, {{L"~", "old"}, {L"~", "new"}, {L"mine", "mine"}}},
};
// clang-format on

TEST(ProfileSave, LeavesTheOldOrTheNewProfileAndEveryOtherFileAsItWas) {
    const fs::path dir = fs::temp_directory_path() / "tamblo-save-test";
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (const auto& [before, error, restoreFails, expected] : kRows) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& [name, bytes] : before) {
            std::ofstream(dir / name, std::ios::binary) << bytes;
        }
        EditFake([&](FakeData& f) { f.replaceFailure = {error, restoreFails}; });
        EXPECT_EQ(SaveProfileToFile((dir / kLong).c_str()), error == 0) << error;
        Folder after;
        for (const auto& file : fs::directory_iterator(dir)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes(std::istreambuf_iterator<char>(in), {});
            const std::wstring name = file.path().filename();
            after.emplace(name.starts_with(L'~') ? L"~" : name, bytes.starts_with("TMBLO") ? "new" : bytes);
        }
        EXPECT_EQ(after, expected) << error;
    }
    DestroyTestMainWindow();
    fs::remove_all(dir);
}

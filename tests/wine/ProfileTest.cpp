// What a save leaves in the target's folder: every file that was there is the target, replaced
// whole, or byte for byte as it was, and no other file is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "TestSupport.h"
#include "profile/ProfileFile.h"

namespace fs = std::filesystem;
using Folder = std::map<std::wstring, std::string>;           // file name -> bytes
const std::wstring kLong = std::wstring(246, L'n') + L".tmb"; // 250 characters, 257 with ".saving"

// clang-format off
const struct { Folder before; std::wstring target; bool held; /* open elsewhere, unshared */ } kRows[] = {
    {{}, kLong, false},
    {{{kLong, "old"}}, kLong, false},
    {{{L"p.tmb", "old"}, {L"p.tmb.saving", "mine"}, {L"~", "x"}, {L"p", "y"}}, L"p.tmb", false},
    {{{L"p.tmb", "old"}, {L"p.tmb.saving", "mine"}}, L"p.tmb", true},
};

TEST(ProfileSave, ReplacesOnlyTheTargetWholeOrNothingAtAll) {
    const fs::path dir = fs::temp_directory_path() / "tamblo-save-test";
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    for (size_t row = 0; row < std::size(kRows); ++row) {
        const auto& r = kRows[row];
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& [name, bytes] : r.before) std::ofstream(dir / name, std::ios::binary) << bytes;
        HANDLE holder = CreateFileW((dir / r.target).c_str(), GENERIC_READ, 0, nullptr, r.held ? OPEN_EXISTING : 0, 0, nullptr);
        EXPECT_EQ(SaveProfileToFile((dir / r.target).c_str()), !r.held) << "row " << row;
        CloseHandle(holder);
        Folder after, expected = r.before;
        for (const auto& file : fs::directory_iterator(dir)) {
            after[file.path().filename()] = {std::istreambuf_iterator<char>(std::ifstream(file.path(), std::ios::binary).rdbuf()), {}};
        }
        expected[r.target] = r.held ? "old" : after[r.target];
        EXPECT_TRUE(after == expected) << "row " << row << ": " << after.size() << " files";
        EXPECT_EQ(after[r.target].substr(0, 5) + std::to_string(after[r.target].size()), r.held ? "old3" : "TMBLO89") << row;
    }
    DestroyTestMainWindow();
    fs::remove_all(dir);
}
// clang-format on

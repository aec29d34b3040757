// Profiles in the real window: what a load applies, what a save writes, File > New, and the
// refusals and failures that must leave everything as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/ProfileCommands.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLogic.h"
#include "res/resource.h"

namespace {

using Bytes = std::vector<uint8_t>;

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Checked(int id) {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool Enabled(int id) {
    return IsWindowEnabled(Control(id)) != FALSE;
}
int Selection(int id) {
    return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
}

// Everything a load or New may change, to compare before and after a refusal.
struct Snapshot {
    std::vector<std::wstring> texts;
    std::vector<int64_t> numbers;
    std::vector<InputEvent> events;
    bool operator==(const Snapshot&) const = default;
};

Snapshot TakeSnapshot() {
    Snapshot s;
    for (int id : {IDC_HOURS, IDC_MINS, IDC_SECS, IDC_MILLISECS, IDC_CURSOR_X, IDC_CURSOR_Y, IDC_REPEAT_TIMES,
                   IDC_PLAYBACK_REPEAT_TIMES, IDC_START, IDC_RECORD, IDC_PLAYBACK, IDC_STATUS}) {
        s.texts.push_back(ControlText(id));
        s.numbers.push_back(Enabled(id));
    }
    for (int id : {IDC_CURSOR_POS, IDC_REPEAT, IDC_REPEAT_UNTIL_STOPPED, IDC_PLAYBACK_REPEAT,
                   IDC_PLAYBACK_REPEAT_UNTIL_STOPPED}) {
        s.numbers.push_back(Checked(id));
    }
    s.numbers.insert(s.numbers.end(),
                     {Selection(IDC_MOUSE_BUTTON), Selection(IDC_CLICK_TYPE), appState.currentHotkey,
                      appState.recordHotkey, appState.playbackHotkey, appState.recordStartCursor.x,
                      appState.recordStartCursor.y, appState.clickCount});
    s.events = appState.recordedEvents;
    return s;
}

ProfileHeader SampleHeader() {
    ProfileHeader header;
    header.settings = {1, 2, 3, 4, 1, 1, 2, 640, -480, 1, 25, 0, 9}; // cursorPosChecked 2
    header.currentHotkey = VK_F2;
    header.recordHotkey = VK_F3;
    header.playbackHotkey = VK_F4;
    header.startX = 321;
    header.startY = -12;
    return header;
}

const std::vector<InputEvent> kEvents = {
    {KeyDown, 0, 0, 0, 0x41, 0},
    {MouseMove, 15, 300, 400, 0, 0},
    {MouseWheel, 40, 300, 400, 0, -120},
    {KeyUp, 55, 0, 0, 0x41, 0},
};

class ProfileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        dir = (std::filesystem::temp_directory_path() / "tamblo-profile-test").wstring();
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        appState.isClicking = false;
        appState.isRecording = false;
        appState.isPlaying = false;
        DestroyTestMainWindow();
        std::filesystem::remove_all(dir);
    }
    std::wstring PathFor(const wchar_t* name, const Bytes* contents = nullptr) {
        std::wstring path = dir + L"\\" + name;
        if (contents != nullptr) {
            WriteBytes(path, *contents);
        }
        return path;
    }
    // A state unlike the defaults; the bytes after the events must be ignored.
    void LoadSample(ProfileHeader header = SampleHeader()) {
        Bytes bytes = EncodeProfile(header, kEvents);
        bytes.insert(bytes.end(), 100, 0xAB);
        ASSERT_TRUE(LoadProfileFromFile(PathFor(L"sample.tmb", &bytes).c_str()));
        ResetFakeSys();
    }
    std::wstring dir;
};

TEST_F(ProfileTest, LoadAppliesEveryControlEnabledStateHotkeyAndTheRecording) {
    LoadSample();
    // clang-format off
    const std::pair<int, const wchar_t*> texts[] = {
        {IDC_HOURS, L"1"}, {IDC_MINS, L"2"}, {IDC_SECS, L"3"}, {IDC_MILLISECS, L"4"}, {IDC_CURSOR_X, L"640"},
        {IDC_CURSOR_Y, L"-480"}, {IDC_REPEAT_TIMES, L"25"}, {IDC_PLAYBACK_REPEAT_TIMES, L"9"},
        {IDC_START, L"Start (F2)"}, {IDC_RECORD, L"Record (F3)"}, {IDC_PLAYBACK, L"Playback (F4)"}};
    // clang-format on
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(ControlText(id), text) << "control " << id;
    }
    EXPECT_EQ(Selection(IDC_MOUSE_BUTTON), 1);
    EXPECT_EQ(Selection(IDC_CLICK_TYPE), 1);
    for (int id : {IDC_CURSOR_POS, IDC_REPEAT, IDC_PLAYBACK_REPEAT_UNTIL_STOPPED}) {
        EXPECT_TRUE(Checked(id)) << "control " << id;
    }
    for (int id : {IDC_REPEAT_UNTIL_STOPPED, IDC_PLAYBACK_REPEAT}) {
        EXPECT_FALSE(Checked(id)) << "control " << id;
    }
    for (int id : {IDC_CURSOR_X, IDC_CURSOR_Y, IDC_REPEAT_TIMES, IDC_PLAYBACK}) {
        EXPECT_TRUE(Enabled(id)) << "control " << id;
    }
    EXPECT_FALSE(Enabled(IDC_PLAYBACK_REPEAT_TIMES));
    EXPECT_EQ(appState.currentHotkey, static_cast<uint32_t>(VK_F2));
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F3));
    EXPECT_EQ(appState.playbackHotkey, static_cast<uint32_t>(VK_F4));
    EXPECT_EQ(appState.recordStartCursor.x, 321);
    EXPECT_EQ(appState.recordStartCursor.y, -12);
    EXPECT_EQ(appState.recordedEvents, kEvents);
}

TEST_F(ProfileTest, SaveWritesTheControlsBackNormalisingCheckAndSelection) {
    ProfileHeader header = SampleHeader();
    header.settings.mouseButton = 5;
    LoadSample(header);
    EXPECT_EQ(Selection(IDC_MOUSE_BUTTON), CB_ERR);
    SetControlText(IDC_HOURS, L"007");
    SetControlText(IDC_MINS, L"");
    std::wstring path = PathFor(L"saved.tmb");
    ASSERT_TRUE(SaveProfileToFile(path.c_str()));
    Bytes bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 89u + 28u * kEvents.size());
    std::vector<InputEvent> events;
    ASSERT_TRUE(DecodeProfile(bytes, header, events));
    ProfileHeader expected = SampleHeader();
    expected.settings.hours = 7;
    expected.settings.mins = 0;
    expected.settings.mouseButton = -1;
    expected.settings.cursorPosChecked = 1;
    EXPECT_EQ(header, expected);
    EXPECT_EQ(events, kEvents);
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ProfileTest, RefusedFilesAndLoadsDuringPlaybackChangeNothing) {
    LoadSample();
    const Snapshot before = TakeSnapshot();
    const std::vector<InputEvent> two = {{LeftDown, 1, 2, 3, 0, 0}, {LeftUp, 2, 2, 3, 0, 0}};
    const Bytes good = EncodeProfile(ProfileHeader{}, two);
    auto with = [&](size_t from, size_t to, uint8_t value) {
        Bytes b = good;
        std::fill(b.begin() + from, b.begin() + to, value);
        return b;
    };
    const struct {
        const wchar_t* name;
        Bytes bytes;
    } cases[] = {
        {L"bad-signature.tmb", with(4, 5, 'X')},
        {L"version2.tmb", with(5, 6, 2)},
        {L"short.tmb", Bytes(good.begin(), good.begin() + 4)},
        {L"truncated-header.tmb", Bytes(good.begin(), good.begin() + 60)},
        {L"truncated-events.tmb", Bytes(good.begin(), good.end() - 10)},
        {L"count-too-large.tmb", with(81, 82, 3)},
        {L"count-huge.tmb", with(81, 89, 0xFF)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        EXPECT_FALSE(LoadProfileFromFile(PathFor(c.name, &c.bytes).c_str()));
        EXPECT_TRUE(TakeSnapshot() == before);
    }
    EXPECT_FALSE(LoadProfileFromFile((dir + L"\\no-such-file.tmb").c_str()));
    EXPECT_TRUE(TakeSnapshot() == before);
    EXPECT_TRUE(FakeMessageBoxes().empty());

    // During playback even a good file is refused, and the command says so before any dialog.
    appState.isPlaying = true; // no worker: only the flag the command looks at
    EXPECT_FALSE(LoadProfileFromFile(PathFor(L"good.tmb", &good).c_str()));
    LoadProfileCommand();
    appState.isPlaying = false;
    ExpectOnlyMessageBox(L"Please stop playback before loading a profile.", L"Load Profile",
                         MB_OK | MB_ICONWARNING);
    EXPECT_TRUE(TakeSnapshot() == before);
}

TEST_F(ProfileTest, LoadLeavesUnchangedHotkeysAloneAndFallsBackFromATakenOne) {
    SetControlText(IDC_START, L"untouched");
    const Bytes defaults = EncodeProfile(ProfileHeader{}, {});
    ASSERT_TRUE(LoadProfileFromFile(PathFor(L"same-keys.tmb", &defaults).c_str()));
    EXPECT_EQ(ControlText(IDC_START), L"untouched");

    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F2));
    const Bytes sample = EncodeProfile(SampleHeader(), kEvents);
    const bool loaded = LoadProfileFromFile(PathFor(L"taken.tmb", &sample).c_str());
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
    EXPECT_TRUE(loaded);
    ExpectOnlyMessageBox(L"Failed to register new hotkey. It might be in use by another application.",
                         L"Hotkey Error", MB_OK | MB_ICONWARNING);
    EXPECT_EQ(appState.currentHotkey, static_cast<uint32_t>(VK_F6));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F3));
    EXPECT_EQ(appState.recordedEvents, kEvents);
}

TEST_F(ProfileTest, FailedSaveReportsFalseAndKeepsThePreviousFile) {
    EXPECT_FALSE(SaveProfileToFile((dir + L"\\missing-folder\\x.tmb").c_str()));
    EXPECT_EQ(GetFileAttributesW((dir + L"\\missing-folder").c_str()), INVALID_FILE_ATTRIBUTES);

    // A target the save cannot replace (held open without sharing) keeps its old bytes.
    const Bytes old = {'o', 'l', 'd'};
    std::wstring path = PathFor(L"held.tmb", &old);
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveProfileToFile(path.c_str()));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(GetFileAttributesW((path + L".saving").c_str()), INVALID_FILE_ATTRIBUTES);

    // Once free, the same target is replaced whole, here by the default window's 89 bytes.
    EXPECT_TRUE(SaveProfileToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), EncodeProfile(ProfileHeader{}, {}));
}

TEST_F(ProfileTest, NewAsksFirstAndNoOrARunningOperationChangesNothing) {
    LoadSample();
    const Snapshot before = TakeSnapshot();
    QueueMessageBoxAnswer(IDNO);
    NewProfileCommand();
    ExpectOnlyMessageBox(L"This will reset all settings and clear any recorded events. Continue?",
                         L"New Profile", MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(TakeSnapshot() == before);

    for (int running = 0; running < 3; ++running) {
        SCOPED_TRACE(running);
        appState.isClicking = running == 0;
        appState.isRecording = running == 1;
        appState.isPlaying = running == 2;
        ResetFakeSys();
        QueueMessageBoxAnswer(IDYES);
        NewProfileCommand();
        appState.isClicking = appState.isRecording = appState.isPlaying = false;
        ExpectOnlyMessageBox(L"Please stop all active operations before creating a new profile.",
                             L"New Profile", MB_OK | MB_ICONWARNING);
        EXPECT_TRUE(TakeSnapshot() == before);
    }
}

TEST_F(ProfileTest, NewAnsweredYesRestoresEveryDefault) {
    LoadSample();
    appState.clickCount = 12;
    QueueMessageBoxAnswer(IDYES);
    NewProfileCommand();
    auto boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"All settings have been reset to defaults.");
    EXPECT_EQ(boxes[1].title, L"New Profile");
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    std::wstring path = PathFor(L"after-new.tmb");
    ASSERT_TRUE(SaveProfileToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), EncodeProfile(ProfileHeader{}, {})) << "the window saves the default profile";
    for (int id : {IDC_CURSOR_X, IDC_CURSOR_Y, IDC_REPEAT_TIMES, IDC_PLAYBACK}) {
        EXPECT_FALSE(Enabled(id)) << "control " << id;
    }
    EXPECT_TRUE(Enabled(IDC_PLAYBACK_REPEAT_TIMES));
    EXPECT_TRUE(Checked(IDC_REPEAT_UNTIL_STOPPED));
    EXPECT_FALSE(Checked(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F8)");
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)");
    EXPECT_EQ(appState.clickCount, 0);
    EXPECT_TRUE(appState.recordedEvents.empty());
}

} // namespace

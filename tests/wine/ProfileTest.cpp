// Profiles in the real window: what a load applies, what a save writes, File > New, and the
// refusals and failures that must leave everything as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/ProfileCommands.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLogic.h"
#include "res/resource.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::wstring TestDirectory() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"tamblo-profile-test";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

Bytes ReadBytes(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    Bytes bytes(1 << 16);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
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
struct WindowSnapshot {
    std::vector<std::wstring> texts;
    std::vector<int> states;
    uint32_t hotkeys[3];
    POINT start;
    std::vector<InputEvent> events;
    int32_t clickCount;

    bool operator==(const WindowSnapshot& o) const {
        return texts == o.texts && states == o.states && hotkeys[0] == o.hotkeys[0] &&
               hotkeys[1] == o.hotkeys[1] && hotkeys[2] == o.hotkeys[2] && start.x == o.start.x &&
               start.y == o.start.y && events == o.events && clickCount == o.clickCount;
    }
};

WindowSnapshot TakeSnapshot() {
    WindowSnapshot s;
    for (int id : {IDC_HOURS, IDC_MINS, IDC_SECS, IDC_MILLISECS, IDC_CURSOR_X, IDC_CURSOR_Y, IDC_REPEAT_TIMES,
                   IDC_PLAYBACK_REPEAT_TIMES, IDC_START, IDC_RECORD, IDC_PLAYBACK, IDC_STATUS}) {
        s.texts.push_back(ControlText(id));
    }
    for (int id : {IDC_MOUSE_BUTTON, IDC_CLICK_TYPE}) {
        s.states.push_back(Selection(id));
    }
    for (int id : {IDC_CURSOR_POS, IDC_REPEAT, IDC_REPEAT_UNTIL_STOPPED, IDC_PLAYBACK_REPEAT,
                   IDC_PLAYBACK_REPEAT_UNTIL_STOPPED}) {
        s.states.push_back(Checked(id));
    }
    for (int id : {IDC_CURSOR_X, IDC_CURSOR_Y, IDC_REPEAT_TIMES, IDC_PLAYBACK_REPEAT_TIMES, IDC_PLAYBACK}) {
        s.states.push_back(Enabled(id));
    }
    s.hotkeys[0] = appState.currentHotkey;
    s.hotkeys[1] = appState.recordHotkey;
    s.hotkeys[2] = appState.playbackHotkey;
    s.start = appState.recordStartCursor;
    s.events = appState.recordedEvents;
    s.clickCount = appState.clickCount;
    return s;
}

ProfileHeader LoadedHeader() {
    ProfileHeader header;
    header.settings = {1, 2, 3, 4, 1, 1, 2, 640, -480, 1, 25, 0, 9};
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
        dir = TestDirectory();
    }
    void TearDown() override {
        appState.isClicking = false;
        appState.isRecording = false;
        appState.isPlaying = false;
        DestroyTestMainWindow();
        for (const std::wstring& path : created) {
            DeleteFileW(path.c_str());
        }
    }
    std::wstring PathFor(const wchar_t* name) {
        created.push_back(dir + L"\\" + name);
        return created.back();
    }
    // A state unlike the defaults: a loaded profile with events.
    void LoadSampleProfile() {
        std::wstring path = PathFor(L"sample.tmb");
        WriteBytes(path, EncodeProfile(LoadedHeader(), kEvents));
        ASSERT_TRUE(LoadProfileFromFile(path.c_str()));
        ResetFakeSys();
    }
    std::wstring dir;
    std::vector<std::wstring> created;
};

TEST_F(ProfileTest, LoadAppliesEveryControlEnabledStateHotkeyAndTheRecording) {
    LoadSampleProfile();
    EXPECT_EQ(ControlText(IDC_HOURS), L"1");
    EXPECT_EQ(ControlText(IDC_MINS), L"2");
    EXPECT_EQ(ControlText(IDC_SECS), L"3");
    EXPECT_EQ(ControlText(IDC_MILLISECS), L"4");
    EXPECT_EQ(Selection(IDC_MOUSE_BUTTON), 1);
    EXPECT_EQ(Selection(IDC_CLICK_TYPE), 1);
    EXPECT_TRUE(Checked(IDC_CURSOR_POS)); // stored as 2
    EXPECT_TRUE(Enabled(IDC_CURSOR_X));
    EXPECT_TRUE(Enabled(IDC_CURSOR_Y));
    EXPECT_EQ(ControlText(IDC_CURSOR_X), L"640");
    EXPECT_EQ(ControlText(IDC_CURSOR_Y), L"-480");
    EXPECT_TRUE(Checked(IDC_REPEAT));
    EXPECT_FALSE(Checked(IDC_REPEAT_UNTIL_STOPPED));
    EXPECT_TRUE(Enabled(IDC_REPEAT_TIMES));
    EXPECT_EQ(ControlText(IDC_REPEAT_TIMES), L"25");
    EXPECT_FALSE(Checked(IDC_PLAYBACK_REPEAT));
    EXPECT_TRUE(Checked(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED));
    EXPECT_FALSE(Enabled(IDC_PLAYBACK_REPEAT_TIMES));
    EXPECT_EQ(ControlText(IDC_PLAYBACK_REPEAT_TIMES), L"9");
    EXPECT_EQ(appState.currentHotkey, static_cast<uint32_t>(VK_F2));
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F3));
    EXPECT_EQ(appState.playbackHotkey, static_cast<uint32_t>(VK_F4));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F2)");
    EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F3)");
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F4)");
    EXPECT_EQ(appState.recordStartCursor.x, 321);
    EXPECT_EQ(appState.recordStartCursor.y, -12);
    EXPECT_EQ(appState.recordedEvents, kEvents);
    EXPECT_TRUE(Enabled(IDC_PLAYBACK));
}

TEST_F(ProfileTest, SaveWritesTheControlsBackNormalisingCheckAndSelection) {
    LoadSampleProfile();
    SendMessageW(Control(IDC_MOUSE_BUTTON), CB_SETCURSEL, static_cast<WPARAM>(-1),
                 0); // as mouseButton 5 leaves it
    SetControlText(IDC_HOURS, L"007");
    SetControlText(IDC_MINS, L"");
    std::wstring path = PathFor(L"saved.tmb");
    ASSERT_TRUE(SaveProfileToFile(path.c_str()));
    Bytes bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 89u + 28u * kEvents.size());
    ProfileHeader header;
    std::vector<InputEvent> events;
    ASSERT_TRUE(DecodeProfile(bytes, header, events));
    ProfileHeader expected = LoadedHeader();
    expected.settings.hours = 7;
    expected.settings.mins = 0;
    expected.settings.mouseButton = -1;
    expected.settings.cursorPosChecked = 1;
    EXPECT_EQ(header, expected);
    EXPECT_EQ(events, kEvents);
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ProfileTest, MouseButtonOutsideTheListLoadsWithNoSelection) {
    ProfileHeader header;
    header.settings.mouseButton = 5;
    std::wstring path = PathFor(L"button5.tmb");
    WriteBytes(path, EncodeProfile(header, {}));
    ASSERT_TRUE(LoadProfileFromFile(path.c_str()));
    EXPECT_EQ(Selection(IDC_MOUSE_BUTTON), CB_ERR);
    EXPECT_FALSE(Enabled(IDC_PLAYBACK));
    EXPECT_TRUE(appState.recordedEvents.empty());
}

TEST_F(ProfileTest, DefaultWindowSavesTheDefault89Bytes) {
    std::wstring path = PathFor(L"default.tmb");
    ASSERT_TRUE(SaveProfileToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), EncodeProfile(ProfileHeader{}, {}));
}

TEST_F(ProfileTest, RefusedFilesChangeNothing) {
    LoadSampleProfile();
    const WindowSnapshot before = TakeSnapshot();
    const std::vector<InputEvent> two = {{LeftDown, 1, 2, 3, 0, 0}, {LeftUp, 2, 2, 3, 0, 0}};
    Bytes good = EncodeProfile(ProfileHeader{}, two);
    Bytes wrongSignature = good;
    wrongSignature[4] = 'X';
    Bytes version2 = good;
    version2[5] = 2;
    Bytes countTooLarge = good;
    countTooLarge[81] = 3;
    Bytes countHuge = good;
    for (int i = 81; i < 89; ++i) {
        countHuge[i] = 0xFF;
    }
    const struct {
        const wchar_t* name;
        Bytes bytes;
    } cases[] = {
        {L"bad-signature.tmb", wrongSignature},
        {L"version2.tmb", version2},
        {L"short.tmb", Bytes(good.begin(), good.begin() + 4)},
        {L"truncated-header.tmb", Bytes(good.begin(), good.begin() + 60)},
        {L"truncated-events.tmb", Bytes(good.begin(), good.end() - 10)},
        {L"count-too-large.tmb", countTooLarge},
        {L"count-huge.tmb", countHuge},
    };
    for (const auto& c : cases) {
        std::wstring path = PathFor(c.name);
        WriteBytes(path, c.bytes);
        EXPECT_FALSE(LoadProfileFromFile(path.c_str()));
        EXPECT_TRUE(TakeSnapshot() == before) << testing::PrintToString(std::wstring(c.name));
    }
    EXPECT_FALSE(LoadProfileFromFile((dir + L"\\no-such-file.tmb").c_str()));
    EXPECT_TRUE(TakeSnapshot() == before);
    EXPECT_TRUE(FakeMessageBoxes().empty());
}

TEST_F(ProfileTest, HotkeysEqualToTheCurrentOnesAreLeftAlone) {
    SetControlText(IDC_START, L"untouched");
    std::wstring path = PathFor(L"same-keys.tmb");
    WriteBytes(path, EncodeProfile(ProfileHeader{}, {}));
    ASSERT_TRUE(LoadProfileFromFile(path.c_str()));
    EXPECT_EQ(ControlText(IDC_START), L"untouched");
}

TEST_F(ProfileTest, KeyTakenElsewhereFallsBackButTheLoadSucceeds) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F2));
    std::wstring path = PathFor(L"taken.tmb");
    WriteBytes(path, EncodeProfile(LoadedHeader(), kEvents));
    const bool loaded = LoadProfileFromFile(path.c_str());
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
    EXPECT_TRUE(loaded);
    auto boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Failed to register new hotkey. It might be in use by another application.");
    EXPECT_EQ(appState.currentHotkey, static_cast<uint32_t>(VK_F6));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(appState.recordHotkey, static_cast<uint32_t>(VK_F3));
    EXPECT_EQ(appState.recordedEvents, kEvents);
}

TEST_F(ProfileTest, TrailingBytesAfterTheEventsAreIgnored) {
    Bytes bytes = EncodeProfile(LoadedHeader(), kEvents);
    bytes.insert(bytes.end(), 100, 0xAB);
    std::wstring path = PathFor(L"trailing.tmb");
    WriteBytes(path, bytes);
    ASSERT_TRUE(LoadProfileFromFile(path.c_str()));
    EXPECT_EQ(appState.recordedEvents, kEvents);
}

TEST_F(ProfileTest, FailedSaveReportsFalseAndKeepsThePreviousFile) {
    EXPECT_FALSE(SaveProfileToFile((dir + L"\\missing-folder\\x.tmb").c_str()));
    EXPECT_EQ(GetFileAttributesW((dir + L"\\missing-folder").c_str()), INVALID_FILE_ATTRIBUTES);

    // A target the save cannot replace (held open without sharing) keeps its old bytes.
    std::wstring path = PathFor(L"held.tmb");
    const Bytes old = {'o', 'l', 'd'};
    WriteBytes(path, old);
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveProfileToFile(path.c_str()));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(GetFileAttributesW((path + L".saving").c_str()), INVALID_FILE_ATTRIBUTES);

    // Once free, the same target is replaced whole.
    EXPECT_TRUE(SaveProfileToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path).size(), 89u);
}

TEST_F(ProfileTest, LoadWhilePlaybackRunsIsRefusedBeforeAnyDialog) {
    LoadSampleProfile();
    const WindowSnapshot before = TakeSnapshot();
    appState.isPlaying = true; // no worker: only the flag the command looks at
    std::wstring path = PathFor(L"other.tmb");
    WriteBytes(path, EncodeProfile(ProfileHeader{}, {}));
    EXPECT_FALSE(LoadProfileFromFile(path.c_str()));
    LoadProfileCommand();
    appState.isPlaying = false;
    auto boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Please stop playback before loading a profile.");
    EXPECT_EQ(boxes[0].title, L"Load Profile");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_TRUE(TakeSnapshot() == before);
}

TEST_F(ProfileTest, NewAnsweredNoChangesNothingAndShowsNothingMore) {
    LoadSampleProfile();
    const WindowSnapshot before = TakeSnapshot();
    QueueMessageBoxAnswer(IDNO);
    NewProfileCommand();
    auto boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"This will reset all settings and clear any recorded events. Continue?");
    EXPECT_EQ(boxes[0].title, L"New Profile");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(TakeSnapshot() == before);
}

TEST_F(ProfileTest, NewAnsweredYesRestoresEveryDefault) {
    LoadSampleProfile();
    appState.clickCount = 12;
    QueueMessageBoxAnswer(IDYES);
    NewProfileCommand();
    auto boxes = FakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"All settings have been reset to defaults.");
    EXPECT_EQ(boxes[1].title, L"New Profile");
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    // The window now saves exactly the default profile.
    std::wstring path = PathFor(L"after-new.tmb");
    ASSERT_TRUE(SaveProfileToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), EncodeProfile(ProfileHeader{}, {}));
    EXPECT_FALSE(Enabled(IDC_CURSOR_X));
    EXPECT_FALSE(Enabled(IDC_CURSOR_Y));
    EXPECT_FALSE(Enabled(IDC_REPEAT_TIMES));
    EXPECT_TRUE(Checked(IDC_REPEAT_UNTIL_STOPPED));
    EXPECT_TRUE(Enabled(IDC_PLAYBACK_REPEAT_TIMES));
    EXPECT_FALSE(Checked(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED));
    EXPECT_FALSE(Enabled(IDC_PLAYBACK));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(ControlText(IDC_RECORD), L"Record (F8)");
    EXPECT_EQ(ControlText(IDC_PLAYBACK), L"Playback (F9)");
    EXPECT_EQ(appState.clickCount, 0);
    EXPECT_TRUE(appState.recordedEvents.empty());
}

TEST_F(ProfileTest, NewIsRefusedWhileAnythingRuns) {
    LoadSampleProfile();
    const WindowSnapshot before = TakeSnapshot();
    for (int running = 0; running < 3; ++running) {
        appState.isClicking = running == 0;
        appState.isRecording = running == 1;
        appState.isPlaying = running == 2;
        ResetFakeSys();
        QueueMessageBoxAnswer(IDYES);
        NewProfileCommand();
        appState.isClicking = appState.isRecording = appState.isPlaying = false;
        auto boxes = FakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << running;
        EXPECT_EQ(boxes[0].text, L"Please stop all active operations before creating a new profile.");
        EXPECT_EQ(boxes[0].title, L"New Profile");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_TRUE(TakeSnapshot() == before) << running;
    }
}

} // namespace

// Moving the window to a monitor with another DPI rebuilds every control; what the user typed,
// chose and started must look and behave exactly as before the move.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

namespace {

// What one control shows and how it reacts, apart from its handle.
struct ControlPicture {
    std::wstring className;
    int id;
    std::wstring text;
    LRESULT check;
    LRESULT selection;
    BOOL enabled;
    LONG style;
    RECT place; // client coordinates, relative to the content column's left edge

    bool operator==(const ControlPicture& other) const {
        return className == other.className && id == other.id && text == other.text && check == other.check &&
               selection == other.selection && enabled == other.enabled && style == other.style &&
               EqualRect(&place, &other.place);
    }
};

void PrintTo(const ControlPicture& p, std::ostream* os) {
    *os << testing::PrintToString(p.className) << " id " << p.id << " " << testing::PrintToString(p.text)
        << " check " << p.check << " sel " << p.selection << " enabled " << p.enabled << " style " << std::hex
        << p.style << std::dec << " at " << p.place.left << "," << p.place.top << " "
        << p.place.right - p.place.left << "x" << p.place.bottom - p.place.top;
}

std::vector<ControlPicture> PictureOfWindow(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    int contentLeft = (client.right - 560) / 2;
    std::vector<ControlPicture> picture;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(c, className, 64);
        bool isCombo = lstrcmpiW(className, L"ComboBox") == 0;
        bool isButton = lstrcmpiW(className, L"Button") == 0;
        RECT place{};
        GetWindowRect(c, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        OffsetRect(&place, -contentLeft, 0);
        picture.push_back(ControlPicture{className, GetDlgCtrlID(c), ControlText(c),
                                         isButton ? SendMessageW(c, BM_GETCHECK, 0, 0) : -1,
                                         isCombo ? SendMessageW(c, CB_GETCURSEL, 0, 0) : -1,
                                         IsWindowEnabled(c), GetWindowLongW(c, GWL_STYLE), place});
    }
    return picture;
}

// Every control handle AppState keeps, with the id it must belong to (0: no id).
struct KeptHandle {
    HWND AppState::*handle;
    int id;
};
const KeptHandle kKeptHandles[] = {
    {&AppState::hoursEdit, IDC_HOURS},
    {&AppState::minsEdit, IDC_MINS},
    {&AppState::secsEdit, IDC_SECS},
    {&AppState::millisecsEdit, IDC_MILLISECS},
    {&AppState::mouseButtonCombo, IDC_MOUSE_BUTTON},
    {&AppState::clickTypeCombo, IDC_CLICK_TYPE},
    {&AppState::repeatRadio, IDC_REPEAT},
    {&AppState::repeatUntilStoppedRadio, IDC_REPEAT_UNTIL_STOPPED},
    {&AppState::repeatTimesEdit, IDC_REPEAT_TIMES},
    {&AppState::startButton, IDC_START},
    {&AppState::statusLabel, IDC_STATUS},
    {&AppState::cursorLabel, IDC_CURSOR_LABEL},
    {&AppState::cursorPosCheck, IDC_CURSOR_POS},
    {&AppState::cursorXEdit, IDC_CURSOR_X},
    {&AppState::cursorYEdit, IDC_CURSOR_Y},
    {&AppState::recordButton, IDC_RECORD},
    {&AppState::playbackButton, IDC_PLAYBACK},
    {&AppState::playbackRepeatRadio, IDC_PLAYBACK_REPEAT},
    {&AppState::playbackRepeatUntilStoppedRadio, IDC_PLAYBACK_REPEAT_UNTIL_STOPPED},
    {&AppState::playbackRepeatTimesEdit, IDC_PLAYBACK_REPEAT_TIMES},
    {&AppState::suggestionLabel, 0},
};

HFONT ControlFont() {
    return reinterpret_cast<HFONT>(SendMessageW(appState.hoursEdit, WM_GETFONT, 0, 0));
}

void Click(int id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
}

void PressUp(HWND edit) {
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 0x00480001);
    SendMessageW(edit, WM_KEYUP, VK_UP, 0xC0480001);
}

// The message the system sends when the window moves to a monitor with another DPI.
LRESULT SendDpiChanged(RECT suggested) {
    return SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96),
                        reinterpret_cast<LPARAM>(&suggested));
}

HWND UpDownOf(HWND edit) {
    HWND upDown = GetWindow(edit, GW_HWNDNEXT);
    wchar_t className[64] = {};
    GetClassNameW(upDown, className, 64);
    return lstrcmpiW(className, UPDOWN_CLASSW) == 0 ? upDown : nullptr;
}

// A window in the middle of use: settings typed and chosen, a clicker run under way.
void FillInTheWindow() {
    SetControlText(IDC_HOURS, L"1");
    SetControlText(IDC_MINS, L"2");
    SetControlText(IDC_SECS, L"03");
    SetControlText(IDC_MILLISECS, L"450");
    SendMessageW(appState.mouseButtonCombo, CB_SETCURSEL, 2, 0);
    SendMessageW(appState.clickTypeCombo, CB_SETCURSEL, 1, 0);
    Click(IDC_REPEAT);
    SetControlText(IDC_REPEAT_TIMES, L"250");
    Click(IDC_CURSOR_POS);
    SetControlText(IDC_CURSOR_X, L"640");
    SetControlText(IDC_CURSOR_Y, L"480");
    SetControlText(IDC_PLAYBACK_REPEAT_TIMES, L"7");
    SetControlText(IDC_START, L"Stop (F6)");
    SetControlText(IDC_STATUS, L"Status: Running | Clicks: 12");
    // A run locks its settings.
    for (int id : {IDC_HOURS, IDC_MILLISECS, IDC_MOUSE_BUTTON, IDC_REPEAT_UNTIL_STOPPED, IDC_RECORD}) {
        EnableWindow(Control(id), FALSE);
    }
}

class DpiRebuildTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override { DestroyTestMainWindow(); }
};

TEST_F(DpiRebuildTest, EveryControlComesBackWithWhatItHeldAndTheWindowTakesTheSuggestedRectangle) {
    FillInTheWindow();
    std::vector<ControlPicture> before = PictureOfWindow(appState.mainWindow);
    ASSERT_EQ(before.size(), 38u);
    ASSERT_EQ(ControlText(IDC_REPEAT_TIMES), L"250");
    ASSERT_EQ(SendMessageW(appState.mouseButtonCombo, CB_GETCURSEL, 0, 0), 2);

    std::vector<HWND> oldHandles;
    for (const KeptHandle& kept : kKeptHandles) {
        oldHandles.push_back(appState.*kept.handle);
    }
    HFONT oldFont = ControlFont();
    ASSERT_EQ(GetObjectType(oldFont), static_cast<DWORD>(OBJ_FONT));

    const RECT suggested{37, 41, 37 + 600, 41 + 680};
    EXPECT_EQ(SendDpiChanged(suggested), 0);

    RECT windowRect{};
    GetWindowRect(appState.mainWindow, &windowRect);
    EXPECT_TRUE(EqualRect(&windowRect, &suggested))
        << windowRect.left << "," << windowRect.top << "," << windowRect.right << "," << windowRect.bottom;

    std::vector<ControlPicture> after = PictureOfWindow(appState.mainWindow);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i], before[i]) << "control #" << i + 1;
    }

    for (size_t i = 0; i < std::size(kKeptHandles); ++i) {
        HWND handle = appState.*kKeptHandles[i].handle;
        SCOPED_TRACE(testing::Message() << "kept handle " << i << " id " << kKeptHandles[i].id);
        EXPECT_NE(handle, oldHandles[i]);
        EXPECT_FALSE(IsWindow(oldHandles[i]));
        EXPECT_EQ(GetParent(handle), appState.mainWindow);
        if (kKeptHandles[i].id != 0) {
            EXPECT_EQ(handle, Control(kKeptHandles[i].id));
        }
    }

    HFONT newFont = ControlFont();
    EXPECT_NE(newFont, oldFont);
    EXPECT_EQ(GetObjectType(oldFont), 0u);
    EXPECT_EQ(GetObjectType(newFont), static_cast<DWORD>(OBJ_FONT));
    for (HWND c = GetWindow(appState.mainWindow, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (UpDownOf(c) == nullptr && GetDlgCtrlID(c) != 0) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), newFont) << GetDlgCtrlID(c);
        }
    }
}

TEST_F(DpiRebuildTest, RadioGroupsStillWorkAfterTheRebuild) {
    Click(IDC_REPEAT);
    const RECT suggested{10, 10, 10 + 575, 10 + 664};
    SendDpiChanged(suggested);
    ASSERT_EQ(SendMessageW(appState.repeatRadio, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_EQ(SendMessageW(appState.repeatUntilStoppedRadio, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    Click(IDC_REPEAT_UNTIL_STOPPED);
    EXPECT_EQ(SendMessageW(appState.repeatRadio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(appState.repeatUntilStoppedRadio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(appState.repeatTimesEdit));
    // The other pair is a group of its own.
    EXPECT_EQ(SendMessageW(appState.playbackRepeatRadio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(appState.playbackRepeatTimesEdit));

    Click(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED);
    EXPECT_EQ(SendMessageW(appState.playbackRepeatRadio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(appState.playbackRepeatUntilStoppedRadio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(appState.playbackRepeatTimesEdit));
    EXPECT_EQ(SendMessageW(appState.repeatUntilStoppedRadio, BM_GETCHECK, 0, 0), BST_CHECKED);

    Click(IDC_CURSOR_POS);
    EXPECT_TRUE(IsWindowEnabled(appState.cursorXEdit));
    EXPECT_TRUE(IsWindowEnabled(appState.cursorYEdit));
}

TEST_F(DpiRebuildTest, CountArrowsContinueFromTheRestoredCount) {
    Click(IDC_REPEAT);
    SetControlText(IDC_REPEAT_TIMES, L"250");
    SetControlText(IDC_PLAYBACK_REPEAT_TIMES, L"16959");
    const RECT suggested{0, 0, 575, 664};
    SendDpiChanged(suggested);

    struct Case {
        HWND edit;
        int position;
        const wchar_t* afterUp;
    };
    const Case cases[] = {{appState.repeatTimesEdit, 250, L"251"},
                          {appState.playbackRepeatTimesEdit, 16959, L"16959"}};
    for (const Case& c : cases) {
        HWND upDown = UpDownOf(c.edit);
        ASSERT_NE(upDown, nullptr);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), c.edit);
        EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, 0), c.position);
        PressUp(c.edit);
        EXPECT_EQ(ControlText(c.edit), c.afterUp);
    }
}

TEST_F(DpiRebuildTest, RepeatedRebuildsReleaseEveryEarlierFont) {
    std::vector<HFONT> fonts{ControlFont()};
    for (int i = 0; i < 3; ++i) {
        const RECT suggested{i, i, i + 575, i + 664};
        SendDpiChanged(suggested);
        fonts.push_back(ControlFont());
    }
    for (size_t i = 0; i + 1 < fonts.size(); ++i) {
        EXPECT_EQ(GetObjectType(fonts[i]), 0u) << i;
    }
    EXPECT_EQ(GetObjectType(fonts.back()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
    EXPECT_EQ(ControlText(IDC_MILLISECS), L"100");
}

TEST_F(DpiRebuildTest, CursorReadoutWritesToTheRebuiltLabel) {
    const RECT suggested{0, 0, 575, 664};
    SendDpiChanged(suggested);
    SetFakeCursorPos(POINT{-1280, 300});
    SendMessageW(appState.mainWindow, WM_TIMER, IDT_CURSOR, 0);
    EXPECT_EQ(ControlText(appState.cursorLabel), L"Cursor: (-1280, 300)");
}

TEST_F(DpiRebuildTest, TypingGoesOnInTheFieldThatHadTheFocus) {
    SetForegroundWindow(appState.mainWindow);
    SetFocus(appState.millisecsEdit);
    ASSERT_EQ(GetFocus(), appState.millisecsEdit);
    SendMessageW(appState.millisecsEdit, EM_SETSEL, 1, 1); // caret after the "1" of "100"
    const RECT suggested{0, 0, 575, 664};
    SendDpiChanged(suggested);

    EXPECT_EQ(GetFocus(), appState.millisecsEdit);
    DWORD start = 0, end = 0;
    SendMessageW(appState.millisecsEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 1u);
    SendMessageW(GetFocus(), WM_CHAR, L'5', 0);
    EXPECT_EQ(ControlText(IDC_MILLISECS), L"1500");
}

TEST_F(DpiRebuildTest, MessageWithoutASuggestedRectangleRebuildsInPlace) {
    SetControlText(IDC_HOURS, L"5");
    RECT before{};
    GetWindowRect(appState.mainWindow, &before);
    HWND oldHours = appState.hoursEdit;
    EXPECT_EQ(SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96), 0), 0);
    RECT after{};
    GetWindowRect(appState.mainWindow, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_NE(appState.hoursEdit, oldHours);
    EXPECT_EQ(ControlText(IDC_HOURS), L"5");
}

} // namespace

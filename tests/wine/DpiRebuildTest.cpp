// Moving the window to a monitor with another DPI rebuilds every control; what the user typed,
// chose and started must look and behave exactly as before the move.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

namespace {

// What every control shows and how it reacts, apart from its handle: class, id, text, check, selection,
// enabled state, style and place relative to the content column's left edge.
std::vector<std::wstring> PictureOfWindow(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    int contentLeft = (client.right - 560) / 2;
    std::vector<std::wstring> picture;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(c, className, 64);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        wchar_t line[256] = {};
        swprintf(
            line, 256, L"%ls id %d \"%ls\" check %d sel %d enabled %d style %08lX at %ld,%ld %ldx%ld",
            className, GetDlgCtrlID(c), ControlText(c).c_str(),
            lstrcmpiW(className, L"Button") == 0 ? static_cast<int>(SendMessageW(c, BM_GETCHECK, 0, 0)) : -1,
            lstrcmpiW(className, L"ComboBox") == 0 ? static_cast<int>(SendMessageW(c, CB_GETCURSEL, 0, 0))
                                                   : -1,
            IsWindowEnabled(c), static_cast<unsigned long>(GetWindowLongW(c, GWL_STYLE)),
            r.left - contentLeft, r.top, r.right - r.left, r.bottom - r.top);
        picture.push_back(line);
    }
    return picture;
}

// Every control handle AppState keeps.
HWND AppState::*const kKeptHandles[] = {&AppState::hoursEdit,
                                        &AppState::minsEdit,
                                        &AppState::secsEdit,
                                        &AppState::millisecsEdit,
                                        &AppState::mouseButtonCombo,
                                        &AppState::clickTypeCombo,
                                        &AppState::repeatRadio,
                                        &AppState::repeatUntilStoppedRadio,
                                        &AppState::repeatTimesEdit,
                                        &AppState::startButton,
                                        &AppState::statusLabel,
                                        &AppState::cursorLabel,
                                        &AppState::cursorPosCheck,
                                        &AppState::cursorXEdit,
                                        &AppState::cursorYEdit,
                                        &AppState::recordButton,
                                        &AppState::playbackButton,
                                        &AppState::playbackRepeatRadio,
                                        &AppState::playbackRepeatUntilStoppedRadio,
                                        &AppState::playbackRepeatTimesEdit,
                                        &AppState::suggestionLabel};

// Where a control stands in the main window's creation order (-1: not a child of it).
int PlaceInWindow(HWND control) {
    int place = 0;
    for (HWND c = GetWindow(appState.mainWindow, GW_CHILD); c != nullptr;
         c = GetWindow(c, GW_HWNDNEXT), ++place) {
        if (c == control) {
            return place;
        }
    }
    return -1;
}

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
    std::vector<std::wstring> before = PictureOfWindow(appState.mainWindow);
    ASSERT_EQ(before.size(), 38u);
    ASSERT_EQ(ControlText(IDC_REPEAT_TIMES), L"250");
    ASSERT_EQ(SendMessageW(appState.mouseButtonCombo, CB_GETCURSEL, 0, 0), 2);

    std::vector<HWND> oldHandles;
    std::vector<int> oldPlaces;
    for (HWND AppState::*kept : kKeptHandles) {
        oldHandles.push_back(appState.*kept);
        oldPlaces.push_back(PlaceInWindow(appState.*kept));
    }
    HFONT oldFont = ControlFont();
    ASSERT_EQ(GetObjectType(oldFont), static_cast<DWORD>(OBJ_FONT));

    const RECT suggested{37, 41, 37 + 600, 41 + 680};
    EXPECT_EQ(SendDpiChanged(suggested), 0);

    RECT windowRect{};
    GetWindowRect(appState.mainWindow, &windowRect);
    EXPECT_TRUE(EqualRect(&windowRect, &suggested))
        << windowRect.left << "," << windowRect.top << "," << windowRect.right << "," << windowRect.bottom;

    std::vector<std::wstring> after = PictureOfWindow(appState.mainWindow);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i], before[i]) << "control #" << i + 1;
    }

    // AppState holds the new handle of the same control.
    for (size_t i = 0; i < std::size(kKeptHandles); ++i) {
        SCOPED_TRACE(testing::Message() << "kept handle " << i);
        EXPECT_NE(appState.*kKeptHandles[i], oldHandles[i]);
        EXPECT_FALSE(IsWindow(oldHandles[i]));
        EXPECT_NE(oldPlaces[i], -1);
        EXPECT_EQ(PlaceInWindow(appState.*kKeptHandles[i]), oldPlaces[i]);
    }

    HFONT newFont = ControlFont();
    EXPECT_NE(newFont, oldFont);
    EXPECT_EQ(GetObjectType(oldFont), 0u); // released
    EXPECT_EQ(GetObjectType(newFont), static_cast<DWORD>(OBJ_FONT));
    for (HWND c = GetWindow(appState.mainWindow, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (UpDownOf(c) == nullptr && GetDlgCtrlID(c) != 0) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), newFont) << GetDlgCtrlID(c);
        }
    }
}

TEST_F(DpiRebuildTest, FocusRadioGroupsArrowsAndCursorReadoutWorkOnAsBefore) {
    Click(IDC_REPEAT);
    SetControlText(IDC_REPEAT_TIMES, L"250");
    SetControlText(IDC_PLAYBACK_REPEAT_TIMES, L"16959");
    SetForegroundWindow(appState.mainWindow);
    SetFocus(appState.millisecsEdit);
    ASSERT_EQ(GetFocus(), appState.millisecsEdit);
    SendMessageW(appState.millisecsEdit, EM_SETSEL, 1, 1); // caret after the "1" of "100"
    SendDpiChanged(RECT{10, 10, 10 + 575, 10 + 664});

    // Typing goes on in the field that had the focus, at the caret.
    EXPECT_EQ(GetFocus(), appState.millisecsEdit);
    EXPECT_EQ(SendMessageW(appState.millisecsEdit, EM_GETSEL, 0, 0), MAKELRESULT(1, 1));
    SendMessageW(GetFocus(), WM_CHAR, L'5', 0);
    EXPECT_EQ(ControlText(IDC_MILLISECS), L"1500");
    auto checked = [](HWND radio) { return SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    ASSERT_TRUE(checked(appState.repeatRadio));
    ASSERT_FALSE(checked(appState.repeatUntilStoppedRadio));

    // The count arrows go on from the restored counts.
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

    // Each radio pair is still a group of its own, and still enables its count.
    Click(IDC_REPEAT_UNTIL_STOPPED);
    EXPECT_FALSE(checked(appState.repeatRadio));
    EXPECT_TRUE(checked(appState.repeatUntilStoppedRadio));
    EXPECT_FALSE(IsWindowEnabled(appState.repeatTimesEdit));
    EXPECT_TRUE(checked(appState.playbackRepeatRadio));
    EXPECT_TRUE(IsWindowEnabled(appState.playbackRepeatTimesEdit));
    Click(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED);
    EXPECT_FALSE(checked(appState.playbackRepeatRadio));
    EXPECT_TRUE(checked(appState.playbackRepeatUntilStoppedRadio));
    EXPECT_FALSE(IsWindowEnabled(appState.playbackRepeatTimesEdit));
    EXPECT_TRUE(checked(appState.repeatUntilStoppedRadio));
    Click(IDC_CURSOR_POS);
    EXPECT_TRUE(IsWindowEnabled(appState.cursorXEdit));
    EXPECT_TRUE(IsWindowEnabled(appState.cursorYEdit));

    // The cursor readout writes to the new label.
    SetFakeCursorPos(POINT{-1280, 300});
    SendMessageW(appState.mainWindow, WM_TIMER, IDT_CURSOR, 0);
    EXPECT_EQ(ControlText(appState.cursorLabel), L"Cursor: (-1280, 300)");
}

TEST_F(DpiRebuildTest, MessagesWithoutASuggestedRectangleRebuildInPlaceAndReleaseEachEarlierFont) {
    SetControlText(IDC_HOURS, L"5");
    RECT before{};
    GetWindowRect(appState.mainWindow, &before);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        HWND oldHours = appState.hoursEdit;
        HFONT oldFont = ControlFont();
        EXPECT_EQ(SendMessageW(appState.mainWindow, WM_DPICHANGED, MAKEWPARAM(96, 96), 0), 0);
        RECT after{};
        GetWindowRect(appState.mainWindow, &after);
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_NE(appState.hoursEdit, oldHours);
        EXPECT_EQ(ControlText(IDC_HOURS), L"5");
        EXPECT_EQ(ControlText(IDC_START), L"Start (F6)");
        EXPECT_EQ(GetObjectType(oldFont), 0u);
        EXPECT_EQ(GetObjectType(ControlFont()), static_cast<DWORD>(OBJ_FONT));
    }
}

} // namespace

// The main window's 38 controls on the design grid at the prefix's DPI (96 unless set otherwise): what the
// program asks for when it creates them, what the window then holds, the count fields' arrows, the control
// font, the dependent enabling of the count and position fields, and the live cursor readout.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"
#include "ui/MainControls.h"

namespace {

constexpr DWORD kGroupBox = 0x50000007;
constexpr DWORD kLabel = 0x50000000;
constexpr DWORD kCentred = 0x50000001;
constexpr DWORD kSuggestion = 0x50000081;
constexpr DWORD kNumberEdit = 0x50802001;
constexpr DWORD kCombo = 0x50200003;
constexpr DWORD kCheck = 0x50000003;
constexpr DWORD kFirstRadio = 0x50020009;
constexpr DWORD kSecondRadio = 0x50000009;
constexpr DWORD kOwnerDrawn = 0x5000000B;
constexpr DWORD kUpDown =
    WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

// The nine rows of the design grid; a control's top is its row plus its own scaled offset.
enum Row { kNoRow = -1, R0, R1, R2, R3, R4, R5, R6, R7, R8 };
constexpr int kRowSteps[] = {20, 30, 35, 50, 150, 100, 30, 55, 60};

constexpr int kNoCheck = -1;

struct ControlRow {
    const wchar_t* className;
    const wchar_t* text; // nullptr: created without text
    DWORD style;
    int id;
    int x;   // from the content column's left edge (the up-downs: absolute)
    int row; // R0..R8, or none for the up-downs
    int yOffset;
    int width;
    int height;
    HWND AppState::*handle;
    bool enabled;
    int check;
};

const wchar_t kStartCaption[] = L"Start (F6)";

const ControlRow kControls[] = {
    {L"Button", L"Tamblo", kGroupBox, 0, 0, R0, 0, 560, 320, nullptr, true, kNoCheck},
    {L"Static", L"Interval", kLabel, 0, 10, R1, 0, 150, 25, nullptr, true, kNoCheck},
    {L"Edit", L"0", kNumberEdit, 1000, 20, R2, 0, 60, 30, &AppState::hoursEdit, true, kNoCheck},
    {L"Static", L"hours", kLabel, 0, 85, R2, 5, 45, 25, nullptr, true, kNoCheck},
    {L"Edit", L"0", kNumberEdit, 1001, 135, R2, 0, 60, 30, &AppState::minsEdit, true, kNoCheck},
    {L"Static", L"mins", kLabel, 0, 200, R2, 5, 35, 25, nullptr, true, kNoCheck},
    {L"Edit", L"0", kNumberEdit, 1002, 240, R2, 0, 60, 30, &AppState::secsEdit, true, kNoCheck},
    {L"Static", L"secs", kLabel, 0, 305, R2, 5, 35, 25, nullptr, true, kNoCheck},
    {L"Edit", L"100", kNumberEdit, 1003, 345, R2, 0, 60, 30, &AppState::millisecsEdit, true, kNoCheck},
    {L"Static", L"milliseconds", kLabel, 0, 410, R2, 5, 90, 25, nullptr, true, kNoCheck},
    {L"Static", L"Options", kLabel, 0, 10, R3, 0, 150, 25, nullptr, true, kNoCheck},
    {L"Static", L"Mouse button:", kLabel, 0, 25, R3, 35, 100, 25, nullptr, true, kNoCheck},
    {L"ComboBox", nullptr, kCombo, 1006, 130, R3, 30, 150, 200, &AppState::mouseButtonCombo, true, kNoCheck},
    {L"Static", L"Click type:", kLabel, 0, 25, R3, 75, 100, 25, nullptr, true, kNoCheck},
    {L"ComboBox", nullptr, kCombo, 1007, 130, R3, 70, 150, 200, &AppState::clickTypeCombo, true, kNoCheck},
    {L"Button", L"Click at position:", kCheck, 1016, 25, R3, 115, 140, 25, &AppState::cursorPosCheck, true,
     BST_UNCHECKED},
    {L"Static", L"X:", kLabel, 0, 170, R3, 117, 15, 25, nullptr, true, kNoCheck},
    {L"Edit", L"0", kNumberEdit, 1017, 190, R3, 115, 60, 25, &AppState::cursorXEdit, false, kNoCheck},
    {L"Static", L"Y:", kLabel, 0, 260, R3, 117, 15, 25, nullptr, true, kNoCheck},
    {L"Edit", L"0", kNumberEdit, 1018, 280, R3, 115, 60, 25, &AppState::cursorYEdit, false, kNoCheck},
    {L"Static", L"Cursor: (0, 0)", kLabel, 1015, 355, R3, 117, 150, 25, &AppState::cursorLabel, true,
     kNoCheck},
    {L"Static", L"Repeat", kLabel, 0, 300, R3, 0, 150, 25, nullptr, true, kNoCheck},
    {L"Button", L"Repeat", kFirstRadio, 1008, 315, R3, 35, 80, 25, &AppState::repeatRadio, true,
     BST_UNCHECKED},
    {L"Edit", L"1", kNumberEdit, 1010, 400, R3, 30, 80, 30, &AppState::repeatTimesEdit, false, kNoCheck},
    {L"msctls_updown32", nullptr, kUpDown, 0, 0, kNoRow, 0, 0, 0, nullptr, true, kNoCheck},
    {L"Static", L"times", kLabel, 0, 485, R3, 35, 50, 25, nullptr, true, kNoCheck},
    {L"Button", L"Repeat until stopped", kSecondRadio, 1009, 315, R3, 75, 180, 25,
     &AppState::repeatUntilStoppedRadio, true, BST_CHECKED},
    {L"Button", kStartCaption, kOwnerDrawn, 1011, 10, R4, 0, 120, 35, &AppState::startButton, true, kNoCheck},
    {L"Static", L"Status: Stopped | Clicks: 0", kCentred, 1012, 0, R4, 60, 560, 25, &AppState::statusLabel,
     true, kNoCheck},
    {L"Button", L"Record Mouse and Keyboard", kGroupBox, 0, 0, R5, 0, 560, 120, nullptr, true, kNoCheck},
    {L"Button", L"Record (F8)", kOwnerDrawn, 1019, 10, R6, 0, 120, 35, &AppState::recordButton, true,
     kNoCheck},
    {L"Button", L"Playback (F9)", kOwnerDrawn, 1020, 140, R6, 0, 120, 35, &AppState::playbackButton, true,
     kNoCheck},
    {L"Button", L"Repeat", kFirstRadio, 1024, 10, R7, 0, 80, 25, &AppState::playbackRepeatRadio, true,
     BST_CHECKED},
    {L"Edit", L"1", kNumberEdit, 1026, 95, R7, -5, 60, 30, &AppState::playbackRepeatTimesEdit, true,
     kNoCheck},
    {L"msctls_updown32", nullptr, kUpDown, 0, 0, kNoRow, 0, 0, 0, nullptr, true, kNoCheck},
    {L"Static", L"times", kLabel, 0, 160, R7, 0, 50, 25, nullptr, true, kNoCheck},
    {L"Button", L"Repeat until stopped", kSecondRadio, 1025, 220, R7, 0, 180, 25,
     &AppState::playbackRepeatUntilStoppedRadio, true, BST_UNCHECKED},
    {L"Static", kSuggestionText, kSuggestion, 0, 0, R8, 0, 560, 40, &AppState::suggestionLabel, true,
     kNoCheck},
};
constexpr size_t kControlCount = std::size(kControls);
static_assert(kControlCount == 38);

bool IsUpDown(const ControlRow& row) {
    return lstrcmpiW(row.className, L"msctls_updown32") == 0;
}

bool IsClass(const wchar_t* actual, const ControlRow& row) {
    return lstrcmpiW(actual, row.className) == 0;
}

// What the program passed to CreateWindowExW for one child of the main window.
struct CreateRequest {
    HWND window;
    std::wstring className;
    bool hasText;
    std::wstring text;
    DWORD style;
    DWORD exStyle;
    HMENU menu;
    int x, y, width, height;
};

// A WM_SETFONT that reached a control.
struct FontMessage {
    HWND window;
    HFONT font;
    LPARAM redraw;
};

std::vector<CreateRequest> recordedRequests;
std::vector<FontMessage> recordedFontMessages;
HHOOK cbtHook = nullptr;
HHOOK callHook = nullptr;

bool IsMainWindow(HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return window != nullptr && lstrcmpW(className, appState.windowClassName) == 0;
}

LRESULT CALLBACK RecordCreateRequests(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (IsMainWindow(cs->hwndParent)) {
            HWND window = reinterpret_cast<HWND>(wParam);
            wchar_t className[64] = {};
            GetClassNameW(window, className, 64);
            CreateRequest request{};
            request.window = window;
            request.className = className;
            request.hasText = cs->lpszName != nullptr;
            request.style = static_cast<DWORD>(cs->style);
            request.exStyle = cs->dwExStyle;
            request.menu = cs->hMenu;
            request.x = cs->x;
            request.y = cs->y;
            request.width = cs->cx;
            request.height = cs->cy;
            if (request.hasText) {
                request.text = cs->lpszName;
            }
            recordedRequests.push_back(request);
        }
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

LRESULT CALLBACK RecordFontMessages(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETFONT) {
        recordedFontMessages.push_back(
            FontMessage{call->hwnd, reinterpret_cast<HFONT>(call->wParam), call->lParam});
    }
    return CallNextHookEx(callHook, code, wParam, lParam);
}

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenInZOrder(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::wstring ClassOf(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return name;
}

class MainControlsTest : public testing::Test {
protected:
    void SetUp() override {
        recordedRequests.clear();
        recordedFontMessages.clear();
        cbtHook = SetWindowsHookExW(WH_CBT, RecordCreateRequests, nullptr, GetCurrentThreadId());
        callHook = SetWindowsHookExW(WH_CALLWNDPROC, RecordFontMessages, nullptr, GetCurrentThreadId());
        ASSERT_NE(cbtHook, nullptr);
        ASSERT_NE(callHook, nullptr);
        HWND window = CreateTestMainWindow();
        UnhookWindowsHookEx(cbtHook);
        UnhookWindowsHookEx(callHook);
        cbtHook = nullptr;
        callHook = nullptr;
        ASSERT_NE(window, nullptr);
        HDC dc = GetDC(window);
        scale = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSX)) / 96.0f;
        ReleaseDC(window, dc);
        RECT client{};
        GetClientRect(window, &client);
        contentLeft = (client.right - client.left - Scaled(560)) / 2;
        int rowY = 0;
        for (int r = R0; r <= R8; ++r) {
            rowY += Scaled(kRowSteps[r]);
            rowTops[r] = rowY;
        }
    }

    // Design units to pixels at the window's DPI, truncated like the layout does.
    int Scaled(int v) const { return static_cast<int>(static_cast<float>(v) * scale); }
    int Left(const ControlRow& row) const { return IsUpDown(row) ? 0 : contentLeft + Scaled(row.x); }
    int Top(const ControlRow& row) const {
        return row.row == kNoRow ? 0 : rowTops[row.row] + Scaled(row.yOffset);
    }
    void TearDown() override { DestroyTestMainWindow(); }

    float scale = 1.0f;
    int contentLeft = 0;
    int rowTops[9] = {};
};

TEST_F(MainControlsTest, ControlsAreRequestedInTableOrderWithClassTextStyleIdAndRectangle) {
    if (scale == 1.0f) {
        const int at96[9] = {20, 50, 85, 135, 285, 385, 415, 470, 530};
        EXPECT_TRUE(std::equal(std::begin(at96), std::end(at96), std::begin(rowTops)));
    }
    ASSERT_EQ(recordedRequests.size(), kControlCount);
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControls[i];
        const CreateRequest& request = recordedRequests[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1);
        EXPECT_TRUE(IsClass(request.className.c_str(), row))
            << "class " << testing::PrintToString(request.className);
        EXPECT_EQ(request.hasText, row.text != nullptr);
        if (row.text != nullptr) {
            EXPECT_EQ(request.text, row.text);
        }
        EXPECT_EQ(request.style, row.style) << std::hex << request.style;
        EXPECT_EQ(request.exStyle, 0u);
        EXPECT_EQ(reinterpret_cast<INT_PTR>(request.menu), row.id);
        EXPECT_EQ(request.x, Left(row));
        EXPECT_EQ(request.y, Top(row));
        EXPECT_EQ(request.width, Scaled(row.width));
        EXPECT_EQ(request.height, Scaled(row.height));
    }
}

TEST_F(MainControlsTest, WindowHoldsTheControlsInCreationOrderWithTheirPlacesAndInitialState) {
    std::vector<HWND> children = ChildrenInZOrder(appState.mainWindow);
    ASSERT_EQ(children.size(), kControlCount);
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControls[i];
        HWND control = children[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1);
        EXPECT_EQ(control, recordedRequests.at(i).window);
        EXPECT_TRUE(IsClass(ClassOf(control).c_str(), row)) << testing::PrintToString(ClassOf(control));
        EXPECT_EQ(GetDlgCtrlID(control), row.id);
        if (row.handle != nullptr) {
            EXPECT_EQ(appState.*row.handle, control);
        }
        // The platform may strip a border it draws itself, hand a list its scroll bar and give a
        // checked radio button the tab stop; every other bit stays as requested.
        DWORD platformBits = WS_BORDER | WS_VSCROLL | WS_TABSTOP;
        DWORD expectedStyle = row.style | (row.enabled ? 0 : WS_DISABLED);
        DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        EXPECT_EQ(style & ~platformBits, expectedStyle & ~platformBits) << std::hex << style;
        if (row.style != kFirstRadio && row.style != kSecondRadio) {
            EXPECT_EQ(style & WS_TABSTOP, 0u);
        }
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, row.enabled);
        EXPECT_TRUE(IsWindowVisible(control));
        if (row.text != nullptr) {
            EXPECT_EQ(ControlText(control), row.text);
        }
        if (row.check != kNoCheck) {
            EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), row.check);
        }
        if (IsUpDown(row)) {
            continue; // placed against its edit; see the up-down test
        }
        RECT rect = ClientRectOf(control);
        EXPECT_EQ(rect.left, Left(row));
        EXPECT_EQ(rect.top, Top(row));
        bool hasUpDown = row.id == IDC_REPEAT_TIMES || row.id == IDC_PLAYBACK_REPEAT_TIMES;
        if (!hasUpDown) {
            EXPECT_EQ(rect.right - rect.left, Scaled(row.width));
        }
        // A closed drop-down list is as high as its edit part; 200 covers the open list.
        if (row.style != kCombo) {
            EXPECT_EQ(rect.bottom - rect.top, Scaled(row.height));
        }
    }
}

TEST_F(MainControlsTest, ComboBoxesHoldTheirItemsWithTheFirstSelected) {
    struct ComboCase {
        int id;
        std::vector<std::wstring> items;
    };
    const ComboCase cases[] = {{IDC_MOUSE_BUTTON, {L"Left", L"Right", L"Middle"}},
                               {IDC_CLICK_TYPE, {L"Single", L"Double"}}};
    for (const ComboCase& c : cases) {
        HWND combo = Control(c.id);
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(c.items.size())) << c.id;
        for (size_t i = 0; i < c.items.size(); ++i) {
            wchar_t item[32] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            EXPECT_EQ(item, c.items[i]) << c.id;
        }
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0) << c.id;
    }
}

TEST_F(MainControlsTest, CountFieldsHaveArrowsFrom1To16959AtPosition1AgainstTheirRightEdge) {
    std::vector<HWND> children = ChildrenInZOrder(appState.mainWindow);
    ASSERT_EQ(children.size(), kControlCount);
    struct UpDownCase {
        size_t index; // of the up-down in creation order
        HWND buddy;
        int right; // the edit's right edge as created
    };
    const UpDownCase cases[] = {
        {24, appState.repeatTimesEdit, contentLeft + Scaled(400) + Scaled(80)},
        {34, appState.playbackRepeatTimesEdit, contentLeft + Scaled(95) + Scaled(60)}};
    for (const UpDownCase& c : cases) {
        SCOPED_TRACE(c.index + 1);
        HWND upDown = children[c.index];
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), c.buddy);
        int low = 0, high = 0;
        SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 16959);
        BOOL failed = TRUE;
        EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)), 1);
        EXPECT_FALSE(failed);
        EXPECT_EQ(ControlText(c.buddy), L"1");
        // Placed against the right edge of the edit, which gives up the up-down's width.
        RECT arrows = ClientRectOf(upDown);
        RECT edit = ClientRectOf(c.buddy);
        EXPECT_GT(arrows.right - arrows.left, 0);
        EXPECT_EQ(arrows.top, edit.top);
        EXPECT_EQ(arrows.bottom, edit.bottom);
        EXPECT_LE(arrows.right, c.right);
        EXPECT_GE(arrows.right, c.right - 2);
        EXPECT_LE(edit.right, arrows.left + 2);
        EXPECT_EQ(edit.right - edit.left, c.right - edit.left - (arrows.right - arrows.left));
    }
}

// One press of the Up key in a count field, as the arrows' keyboard interface sees it.
void PressUp(HWND edit) {
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 0x00480001);
    SendMessageW(edit, WM_KEYUP, VK_UP, 0xC0480001);
}

void PressDown(HWND edit) {
    SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0x00500001);
    SendMessageW(edit, WM_KEYUP, VK_DOWN, 0xC0500001);
}

TEST_F(MainControlsTest, ArrowsStepWithinTheRangeAndWriteDigitsOnly) {
    HWND edit = appState.playbackRepeatTimesEdit;
    SetWindowTextW(edit, L"999");
    PressUp(edit);
    EXPECT_EQ(ControlText(edit), L"1000");
    SetWindowTextW(edit, L"16959");
    PressUp(edit);
    EXPECT_EQ(ControlText(edit), L"16959");
    SetWindowTextW(edit, L"1");
    PressDown(edit);
    EXPECT_EQ(ControlText(edit), L"1");
    SetWindowTextW(edit, L"12345");
    PressDown(edit);
    EXPECT_EQ(ControlText(edit), L"12344");
}

TEST_F(MainControlsTest, EveryControlUsesTheOneSegoeUiFont18UnitsHigh) {
    std::vector<HWND> children = ChildrenInZOrder(appState.mainWindow);
    ASSERT_EQ(children.size(), kControlCount);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(children[0], WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "control #" << i + 1);
        // Every child is sent the font with redraw on, the up-downs too, although they keep no
        // font to report back.
        int sent = 0;
        for (const FontMessage& message : recordedFontMessages) {
            if (message.window == children[i]) {
                ++sent;
                EXPECT_EQ(message.font, font);
                EXPECT_EQ(message.redraw, TRUE);
            }
        }
        EXPECT_EQ(sent, 1);
        if (!IsUpDown(kControls[i])) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(children[i], WM_GETFONT, 0, 0)), font);
        }
    }
    LOGFONTW logFont{};
    ASSERT_EQ(GetObjectW(font, sizeof(logFont), &logFont), static_cast<int>(sizeof(logFont)));
    EXPECT_EQ(logFont.lfHeight, Scaled(18));
    EXPECT_EQ(logFont.lfWidth, 0);
    EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
    EXPECT_FALSE(logFont.lfItalic);
    EXPECT_FALSE(logFont.lfUnderline);
    EXPECT_FALSE(logFont.lfStrikeOut);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(logFont.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_STREQ(logFont.lfFaceName, L"Segoe UI");
}

TEST_F(MainControlsTest, SuggestionLabelIsTwoSentencesWithAnAddressThatFitInItsBox) {
    std::wstring text = ControlText(appState.suggestionLabel);
    EXPECT_NE(text.find(L"suggestion"), std::wstring::npos);
    EXPECT_NE(text.find(L'@'), std::wstring::npos);
    int sentences = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool endsSentence = text[i] == L'.' || text[i] == L'?' || text[i] == L'!';
        if (endsSentence && (i + 1 == text.size() || text[i + 1] == L' ')) {
            ++sentences;
        }
    }
    EXPECT_EQ(sentences, 2);
    // Wrapped at the label's width with its font, the text stays within the 40 pixels.
    HDC dc = GetDC(appState.suggestionLabel);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(appState.suggestionLabel, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, Scaled(560), 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(appState.suggestionLabel, dc);
    EXPECT_LE(needed.right, Scaled(560));
    EXPECT_LE(needed.bottom, Scaled(40));
}

// Clicks a button the way the user does; the button reports the click to the main window.
void Click(int id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
}

struct EnablingState {
    LRESULT repeat, repeatUntilStopped, playbackRepeat, playbackRepeatUntilStopped, positionCheck;
    bool repeatTimes, playbackRepeatTimes, cursorX, cursorY;
};

EnablingState ReadEnablingState() {
    auto check = [](int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0); };
    auto enabled = [](int id) { return IsWindowEnabled(Control(id)) != FALSE; };
    return EnablingState{check(IDC_REPEAT),
                         check(IDC_REPEAT_UNTIL_STOPPED),
                         check(IDC_PLAYBACK_REPEAT),
                         check(IDC_PLAYBACK_REPEAT_UNTIL_STOPPED),
                         check(IDC_CURSOR_POS),
                         enabled(IDC_REPEAT_TIMES),
                         enabled(IDC_PLAYBACK_REPEAT_TIMES),
                         enabled(IDC_CURSOR_X),
                         enabled(IDC_CURSOR_Y)};
}

void ExpectEnablingState(const EnablingState& expected, const char* step) {
    SCOPED_TRACE(step);
    EnablingState actual = ReadEnablingState();
    EXPECT_EQ(actual.repeat, expected.repeat);
    EXPECT_EQ(actual.repeatUntilStopped, expected.repeatUntilStopped);
    EXPECT_EQ(actual.playbackRepeat, expected.playbackRepeat);
    EXPECT_EQ(actual.playbackRepeatUntilStopped, expected.playbackRepeatUntilStopped);
    EXPECT_EQ(actual.positionCheck, expected.positionCheck);
    EXPECT_EQ(actual.repeatTimes, expected.repeatTimes);
    EXPECT_EQ(actual.playbackRepeatTimes, expected.playbackRepeatTimes);
    EXPECT_EQ(actual.cursorX, expected.cursorX);
    EXPECT_EQ(actual.cursorY, expected.cursorY);
}

TEST_F(MainControlsTest, RadioPairsAndPositionCheckEnableOnlyTheirOwnFields) {
    const LRESULT on = BST_CHECKED, off = BST_UNCHECKED;
    // Each row: the click, then every check and enabled state afterwards.
    struct Step {
        int click;
        const char* name;
        EnablingState after;
    };
    const Step steps[] = {
        {0, "initial", {off, on, on, off, off, false, true, false, false}},
        {IDC_REPEAT, "click Repeat", {on, off, on, off, off, true, true, false, false}},
        {IDC_PLAYBACK_REPEAT_UNTIL_STOPPED,
         "click playback Repeat until stopped",
         {on, off, off, on, off, true, false, false, false}},
        {IDC_CURSOR_POS, "check Click at position", {on, off, off, on, on, true, false, true, true}},
        {IDC_REPEAT_UNTIL_STOPPED,
         "click Repeat until stopped",
         {off, on, off, on, on, false, false, true, true}},
        {IDC_PLAYBACK_REPEAT, "click playback Repeat", {off, on, on, off, on, false, true, true, true}},
        {IDC_CURSOR_POS, "uncheck Click at position", {off, on, on, off, off, false, true, false, false}},
        {IDC_REPEAT_UNTIL_STOPPED,
         "click the checked radio again",
         {off, on, on, off, off, false, true, false, false}},
    };
    for (const Step& step : steps) {
        if (step.click != 0) {
            Click(step.click);
        }
        ExpectEnablingState(step.after, step.name);
    }
}

TEST_F(MainControlsTest, CursorLabelFollowsTheCursorOnTheTimerAndKeepsItsTextWhenTheReadFails) {
    SetFakeCursorPos(POINT{-1280, 300});
    EXPECT_TRUE(PumpUntil([] { return ControlText(IDC_CURSOR_LABEL) == L"Cursor: (-1280, 300)"; }, 3000))
        << testing::PrintToString(ControlText(IDC_CURSOR_LABEL));
    SetFakeCursorPos(POINT{640, -5});
    EXPECT_TRUE(PumpUntil([] { return ControlText(IDC_CURSOR_LABEL) == L"Cursor: (640, -5)"; }, 3000));
    SetFakeCursorPos(POINT{7, 7}, true);
    PumpMessages(200); // several 50 ms ticks
    EXPECT_EQ(ControlText(IDC_CURSOR_LABEL), L"Cursor: (640, -5)");
    SetFakeCursorPos(POINT{7, 7});
    EXPECT_TRUE(PumpUntil([] { return ControlText(IDC_CURSOR_LABEL) == L"Cursor: (7, 7)"; }, 3000));
}

TEST(MainControlsCaptions, ButtonCaptionsAreComposedFromTheHotkeysAtCreation) {
    struct Case {
        uint32_t startKey, recordKey, playbackKey;
        const wchar_t* start;
        const wchar_t* record;
        const wchar_t* playback;
    };
    const Case cases[] = {
        {VK_F7, VK_F12, VK_F1, L"Start (F7)", L"Record (F12)", L"Playback (F1)"},
        {0, 0x7C, 0x6F, L"Start (Key 0x00)", L"Record", L"Playback"},
        {0x7C, 0xFFFFFFFF, 0x7C, L"Start (F13)", L"Record", L"Playback"},
        {0xFFFFFFFF, VK_F8, 0xFFFFFFFF, L"Start (Key 0xFFFFFFFF)", L"Record (F8)", L"Playback"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.start));
        ResetAppState();
        appState.instanceHandle = GetModuleHandleW(nullptr);
        appState.currentHotkey = c.startKey;
        appState.recordHotkey = c.recordKey;
        appState.playbackHotkey = c.playbackKey;
        // Any parent will do: the pass builds in the window it is given.
        HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 575, 664, nullptr, nullptr,
                                      appState.instanceHandle, nullptr);
        ASSERT_NE(parent, nullptr);
        CreateMainControls(parent);
        EXPECT_EQ(ControlText(appState.startButton), c.start);
        EXPECT_EQ(ControlText(appState.recordButton), c.record);
        EXPECT_EQ(ControlText(appState.playbackButton), c.playback);
        EXPECT_EQ(GetParent(appState.startButton), parent);
        DestroyWindow(parent);
    }
    ResetAppState();
}

} // namespace

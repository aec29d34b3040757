// The main window's 38 controls on the design grid at the prefix's DPI (96 unless set otherwise): what the
// program asks for when it creates them, what the window then holds, the count fields' arrows, the control
// font, the dependent enabling of the count and position fields, and the live cursor readout.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"
#include "ui/MainControls.h"

namespace {
const wchar_t kSuggestionText[] = L"Have an idea for a feature you would like to see in a future release? Send your suggestions to suggestions@tamblo.example.com.";

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

// Initial state: enabled without a check, disabled, or an enabled button unchecked or checked.
enum State { kPlain, kDisabled, kUnchecked, kChecked };

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
    State state;
};

const wchar_t kStartCaption[] = L"Start (F6)";

const ControlRow kControls[] = {
    {L"Button", L"Tamblo", kGroupBox, 0, 0, R0, 0, 560, 320, nullptr, kPlain},
    {L"Static", L"Interval", kLabel, 0, 10, R1, 0, 150, 25, nullptr, kPlain},
    {L"Edit", L"0", kNumberEdit, 1000, 20, R2, 0, 60, 30, &AppState::hoursEdit, kPlain},
    {L"Static", L"hours", kLabel, 0, 85, R2, 5, 45, 25, nullptr, kPlain},
    {L"Edit", L"0", kNumberEdit, 1001, 135, R2, 0, 60, 30, &AppState::minsEdit, kPlain},
    {L"Static", L"mins", kLabel, 0, 200, R2, 5, 35, 25, nullptr, kPlain},
    {L"Edit", L"0", kNumberEdit, 1002, 240, R2, 0, 60, 30, &AppState::secsEdit, kPlain},
    {L"Static", L"secs", kLabel, 0, 305, R2, 5, 35, 25, nullptr, kPlain},
    {L"Edit", L"100", kNumberEdit, 1003, 345, R2, 0, 60, 30, &AppState::millisecsEdit, kPlain},
    {L"Static", L"milliseconds", kLabel, 0, 410, R2, 5, 90, 25, nullptr, kPlain},
    {L"Static", L"Options", kLabel, 0, 10, R3, 0, 150, 25, nullptr, kPlain},
    {L"Static", L"Mouse button:", kLabel, 0, 25, R3, 35, 100, 25, nullptr, kPlain},
    {L"ComboBox", nullptr, kCombo, 1006, 130, R3, 30, 150, 200, &AppState::mouseButtonCombo, kPlain},
    {L"Static", L"Click type:", kLabel, 0, 25, R3, 75, 100, 25, nullptr, kPlain},
    {L"ComboBox", nullptr, kCombo, 1007, 130, R3, 70, 150, 200, &AppState::clickTypeCombo, kPlain},
    {L"Button", L"Click at position:", kCheck, 1016, 25, R3, 115, 140, 25, &AppState::cursorPosCheck,
     kUnchecked},
    {L"Static", L"X:", kLabel, 0, 170, R3, 117, 15, 25, nullptr, kPlain},
    {L"Edit", L"0", kNumberEdit, 1017, 190, R3, 115, 60, 25, &AppState::cursorXEdit, kDisabled},
    {L"Static", L"Y:", kLabel, 0, 260, R3, 117, 15, 25, nullptr, kPlain},
    {L"Edit", L"0", kNumberEdit, 1018, 280, R3, 115, 60, 25, &AppState::cursorYEdit, kDisabled},
    {L"Static", L"Cursor: (0, 0)", kLabel, 1015, 355, R3, 117, 150, 25, &AppState::cursorLabel, kPlain},
    {L"Static", L"Repeat", kLabel, 0, 300, R3, 0, 150, 25, nullptr, kPlain},
    {L"Button", L"Repeat", kFirstRadio, 1008, 315, R3, 35, 80, 25, &AppState::repeatRadio, kUnchecked},
    {L"Edit", L"1", kNumberEdit, 1010, 400, R3, 30, 80, 30, &AppState::repeatTimesEdit, kDisabled},
    {L"msctls_updown32", nullptr, kUpDown, 0, 0, kNoRow, 0, 0, 0, nullptr, kPlain},
    {L"Static", L"times", kLabel, 0, 485, R3, 35, 50, 25, nullptr, kPlain},
    {L"Button", L"Repeat until stopped", kSecondRadio, 1009, 315, R3, 75, 180, 25,
     &AppState::repeatUntilStoppedRadio, kChecked},
    {L"Button", kStartCaption, kOwnerDrawn, 1011, 10, R4, 0, 120, 35, &AppState::startButton, kPlain},
    {L"Static", L"Status: Stopped | Clicks: 0", kCentred, 1012, 0, R4, 60, 560, 25, &AppState::statusLabel,
     kPlain},
    {L"Button", L"Record Mouse and Keyboard", kGroupBox, 0, 0, R5, 0, 560, 120, nullptr, kPlain},
    {L"Button", L"Record (F8)", kOwnerDrawn, 1019, 10, R6, 0, 120, 35, &AppState::recordButton, kPlain},
    {L"Button", L"Playback (F9)", kOwnerDrawn, 1020, 140, R6, 0, 120, 35, &AppState::playbackButton, kPlain},
    {L"Button", L"Repeat", kFirstRadio, 1024, 10, R7, 0, 80, 25, &AppState::playbackRepeatRadio, kChecked},
    {L"Edit", L"1", kNumberEdit, 1026, 95, R7, -5, 60, 30, &AppState::playbackRepeatTimesEdit, kPlain},
    {L"msctls_updown32", nullptr, kUpDown, 0, 0, kNoRow, 0, 0, 0, nullptr, kPlain},
    {L"Static", L"times", kLabel, 0, 160, R7, 0, 50, 25, nullptr, kPlain},
    {L"Button", L"Repeat until stopped", kSecondRadio, 1025, 220, R7, 0, 180, 25,
     &AppState::playbackRepeatUntilStoppedRadio, kUnchecked},
    {L"Static", kSuggestionText, kSuggestion, 0, 0, R8, 0, 560, 40, &AppState::suggestionLabel, kPlain},
};
constexpr size_t kControlCount = std::size(kControls);
static_assert(kControlCount == 38);

bool IsUpDown(const ControlRow& row) {
    return lstrcmpiW(row.className, UPDOWN_CLASSW) == 0;
}

// What the program passed to CreateWindowExW for one child of the main window.
struct CreateRequest {
    HWND window;
    std::wstring className, text; // text "<none>": created without text
    DWORD style, exStyle;
    INT_PTR id;
    RECT rect;
};

std::vector<CreateRequest> recordedRequests;
HHOOK cbtHook = nullptr;

LRESULT CALLBACK RecordCreateRequests(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t parentClass[64] = {}, className[64] = {};
        GetClassNameW(cs->hwndParent, parentClass, 64);
        if (cs->hwndParent != nullptr && lstrcmpW(parentClass, appState.windowClassName) == 0) {
            HWND window = reinterpret_cast<HWND>(wParam);
            GetClassNameW(window, className, 64);
            recordedRequests.push_back(CreateRequest{
                window, className, cs->lpszName ? cs->lpszName : L"<none>", static_cast<DWORD>(cs->style),
                cs->dwExStyle, reinterpret_cast<INT_PTR>(cs->hMenu),
                RECT{cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy}});
        }
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

std::array<LONG, 4> Corners(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
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

class MainControlsTest : public testing::Test {
protected:
    void SetUp() override {
        recordedRequests.clear();
        cbtHook = SetWindowsHookExW(WH_CBT, RecordCreateRequests, nullptr, GetCurrentThreadId());
        ASSERT_NE(cbtHook, nullptr);
        HWND window = CreateTestMainWindow();
        UnhookWindowsHookEx(cbtHook);
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
    void TearDown() override { DestroyTestMainWindow(); }

    // Design units to pixels at the window's DPI, truncated like the layout does.
    int Scaled(int v) const { return static_cast<int>(static_cast<float>(v) * scale); }
    // Where the table puts a control (the up-downs: created at 0,0 and placed against their edit).
    RECT Place(const ControlRow& row) const {
        int left = IsUpDown(row) ? 0 : contentLeft + Scaled(row.x);
        int top = row.row == kNoRow ? 0 : rowTops[row.row] + Scaled(row.yOffset);
        return RECT{left, top, left + Scaled(row.width), top + Scaled(row.height)};
    }

    float scale = 1.0f;
    int contentLeft = 0;
    int rowTops[9] = {};
};

TEST_F(MainControlsTest, ControlsAreCreatedInTableOrderWithClassTextStyleIdRectangleAndInitialState) {
    if (scale == 1.0f) {
        const int at96[9] = {20, 50, 85, 135, 285, 385, 415, 470, 530};
        EXPECT_TRUE(std::equal(std::begin(at96), std::end(at96), std::begin(rowTops)));
    }
    std::vector<HWND> children = ChildrenInZOrder(appState.mainWindow);
    ASSERT_EQ(recordedRequests.size(), kControlCount);
    ASSERT_EQ(children.size(), kControlCount);
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControls[i];
        const CreateRequest& request = recordedRequests[i];
        HWND control = children[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1);
        // As requested.
        EXPECT_EQ(lstrcmpiW(request.className.c_str(), row.className), 0)
            << testing::PrintToString(request.className);
        EXPECT_EQ(request.text, row.text != nullptr ? row.text : L"<none>");
        EXPECT_EQ(request.style, row.style) << std::hex << request.style;
        EXPECT_EQ(request.exStyle, 0u);
        EXPECT_EQ(request.id, row.id);
        RECT place = Place(row);
        EXPECT_EQ(Corners(request.rect), Corners(place));
        // As the window holds it.
        EXPECT_EQ(control, request.window);
        if (row.handle != nullptr) {
            EXPECT_EQ(appState.*row.handle, control);
        }
        // The platform may strip a border it draws itself, hand a list its scroll bar and give a
        // checked radio button the tab stop; every other bit stays as requested.
        DWORD platformBits = WS_BORDER | WS_VSCROLL | WS_TABSTOP;
        DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        bool enabled = row.state != kDisabled;
        EXPECT_EQ(style & ~platformBits, (row.style | (enabled ? 0 : WS_DISABLED)) & ~platformBits)
            << std::hex << style;
        if (row.style != kFirstRadio && row.style != kSecondRadio) {
            EXPECT_EQ(style & WS_TABSTOP, 0u);
        }
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, enabled);
        EXPECT_TRUE(IsWindowVisible(control));
        if (row.text != nullptr) {
            EXPECT_EQ(ControlText(control), row.text);
        }
        if (row.state == kUnchecked || row.state == kChecked) {
            EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0),
                      row.state == kChecked ? BST_CHECKED : BST_UNCHECKED);
        }
        if (IsUpDown(row)) {
            continue; // placed against its edit; see the up-down test
        }
        RECT rect = PlaceOf(control);
        EXPECT_EQ(rect.left, place.left);
        EXPECT_EQ(rect.top, place.top);
        // An edit gives up its right part to its up-down; a closed drop-down list is as high as its edit.
        if (row.id != IDC_REPEAT_TIMES && row.id != IDC_PLAYBACK_REPEAT_TIMES) {
            EXPECT_EQ(rect.right, place.right);
        }
        if (row.style != kCombo) {
            EXPECT_EQ(rect.bottom, place.bottom);
        }
    }
}

TEST_F(MainControlsTest, ComboBoxesHoldTheirItemsWithTheFirstSelected) {
    const std::pair<int, std::vector<std::wstring>> combos[] = {
        {IDC_MOUSE_BUTTON, {L"Left", L"Right", L"Middle"}}, {IDC_CLICK_TYPE, {L"Single", L"Double"}}};
    for (const auto& [id, items] : combos) {
        SCOPED_TRACE(id);
        HWND combo = Control(id);
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            wchar_t item[32] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            EXPECT_EQ(item, items[i]);
        }
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    }
}

TEST_F(MainControlsTest, CountFieldsHaveArrowsFrom1To16959AtPosition1AgainstTheirRightEdge) {
    std::vector<HWND> children = ChildrenInZOrder(appState.mainWindow);
    ASSERT_EQ(children.size(), kControlCount);
    for (size_t index : {size_t{24}, size_t{34}}) { // the up-downs in creation order, after their edits
        SCOPED_TRACE(index + 1);
        HWND upDown = children[index];
        HWND edit = children[index - 1];
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), edit);
        int low = 0, high = 0;
        SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 16959);
        BOOL failed = TRUE;
        EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)), 1);
        EXPECT_FALSE(failed);
        EXPECT_EQ(ControlText(edit), L"1");
        // Against the right edge of the edit as created, which gives up the up-down's width.
        int right = Place(kControls[index - 1]).right;
        RECT arrows = PlaceOf(upDown), field = PlaceOf(edit);
        EXPECT_GT(arrows.right - arrows.left, 0);
        EXPECT_EQ(arrows.top, field.top);
        EXPECT_EQ(arrows.bottom, field.bottom);
        EXPECT_LE(arrows.right, right);
        EXPECT_GE(arrows.right, right - 2);
        EXPECT_LE(field.right, arrows.left + 2);
        EXPECT_EQ(field.right - field.left, right - field.left - (arrows.right - arrows.left));
    }
}

TEST_F(MainControlsTest, ArrowKeysStepWithinTheRangeAndWriteDigitsOnly) {
    struct Step {
        const wchar_t* before;
        UINT key;
        const wchar_t* after;
    };
    const Step steps[] = {{L"999", VK_UP, L"1000"},
                          {L"16959", VK_UP, L"16959"},
                          {L"1", VK_DOWN, L"1"},
                          {L"12345", VK_DOWN, L"12344"}};
    HWND edit = appState.playbackRepeatTimesEdit;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::PrintToString(step.before));
        SetWindowTextW(edit, step.before);
        LPARAM scan = step.key == VK_UP ? 0x00480001 : 0x00500001;
        SendMessageW(edit, WM_KEYDOWN, step.key, scan);
        SendMessageW(edit, WM_KEYUP, step.key, scan | 0xC0000000);
        EXPECT_EQ(ControlText(edit), step.after);
    }
}

TEST_F(MainControlsTest, EveryControlUsesTheOneSegoeUiFont18UnitsHigh) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(appState.hoursEdit, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    std::vector<HWND> children = ChildrenInZOrder(appState.mainWindow);
    for (size_t i = 0; i < children.size(); ++i) {
        if (!IsUpDown(kControls[i])) { // up-downs keep no font to report back
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(children[i], WM_GETFONT, 0, 0)), font) << i + 1;
        }
    }
    LOGFONTW logFont{};
    ASSERT_EQ(GetObjectW(font, sizeof(logFont), &logFont), static_cast<int>(sizeof(logFont)));
    EXPECT_EQ(logFont.lfHeight, Scaled(18));
    EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
    EXPECT_FALSE(logFont.lfItalic);
    EXPECT_STREQ(logFont.lfFaceName, L"Segoe UI");
}

TEST_F(MainControlsTest, SuggestionLabelIsTwoSentencesWithAnAddressThatFitInItsBox) {
    std::wstring text = ControlText(appState.suggestionLabel);
    EXPECT_NE(text.find(L"suggestion"), std::wstring::npos);
    EXPECT_NE(text.find(L'@'), std::wstring::npos);
    int sentences = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool endsSentence = text[i] == L'.' || text[i] == L'?' || text[i] == L'!';
        sentences += endsSentence && (i + 1 == text.size() || text[i + 1] == L' ');
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

TEST_F(MainControlsTest, RadioPairsAndPositionCheckEnableOnlyTheirOwnFields) {
    // The checks of Repeat, Repeat until stopped, playback Repeat, playback Repeat until stopped and
    // Click at position, then whether the repeat count, playback count, X and Y fields are enabled.
    using State = std::array<LRESULT, 9>;
    auto read = [] {
        State state{};
        const int checks[] = {IDC_REPEAT, IDC_REPEAT_UNTIL_STOPPED, IDC_PLAYBACK_REPEAT,
                              IDC_PLAYBACK_REPEAT_UNTIL_STOPPED, IDC_CURSOR_POS};
        const int fields[] = {IDC_REPEAT_TIMES, IDC_PLAYBACK_REPEAT_TIMES, IDC_CURSOR_X, IDC_CURSOR_Y};
        for (size_t i = 0; i < 5; ++i) {
            state[i] = SendMessageW(Control(checks[i]), BM_GETCHECK, 0, 0);
        }
        for (size_t i = 0; i < 4; ++i) {
            state[5 + i] = IsWindowEnabled(Control(fields[i])) != FALSE;
        }
        return state;
    };
    struct Step {
        int click; // 0: none
        const char* name;
        State after;
    };
    const Step steps[] = {
        {0, "initial", {0, 1, 1, 0, 0, 0, 1, 0, 0}},
        {IDC_REPEAT, "click Repeat", {1, 0, 1, 0, 0, 1, 1, 0, 0}},
        {IDC_PLAYBACK_REPEAT_UNTIL_STOPPED,
         "click playback Repeat until stopped",
         {1, 0, 0, 1, 0, 1, 0, 0, 0}},
        {IDC_CURSOR_POS, "check Click at position", {1, 0, 0, 1, 1, 1, 0, 1, 1}},
        {IDC_REPEAT_UNTIL_STOPPED, "click Repeat until stopped", {0, 1, 0, 1, 1, 0, 0, 1, 1}},
        {IDC_PLAYBACK_REPEAT, "click playback Repeat", {0, 1, 1, 0, 1, 0, 1, 1, 1}},
        {IDC_CURSOR_POS, "uncheck Click at position", {0, 1, 1, 0, 0, 0, 1, 0, 0}},
        {IDC_REPEAT_UNTIL_STOPPED, "click the checked radio again", {0, 1, 1, 0, 0, 0, 1, 0, 0}},
    };
    for (const Step& step : steps) {
        if (step.click != 0) {
            SendMessageW(Control(step.click), BM_CLICK, 0, 0); // as the user clicks it
        }
        EXPECT_EQ(read(), step.after) << step.name;
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

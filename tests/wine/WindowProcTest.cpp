// Answers of the main window procedure: owner-drawn buttons, control colours, stray timers,
// a late playback report and commands that are not ours.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "res/resource.h"

namespace {

class WindowProcTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = 120;
        info.bmiHeader.biHeight = 35;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previousBitmap = SelectObject(dc, bitmap);
    }
    void TearDown() override {
        SelectObject(dc, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
        DestroyTestMainWindow();
    }

    // Paints the control into the test bitmap through WM_DRAWITEM; returns the answer.
    LRESULT DrawItem(int id, UINT itemState, HWND item) {
        RECT whole{0, 0, 120, 35};
        HBRUSH sentinel = CreateSolidBrush(RGB(1, 2, 3));
        FillRect(dc, &whole, sentinel);
        DeleteObject(sentinel);
        DRAWITEMSTRUCT drawItem{};
        drawItem.CtlType = ODT_BUTTON;
        drawItem.CtlID = static_cast<UINT>(id);
        drawItem.itemAction = ODA_DRAWENTIRE;
        drawItem.itemState = itemState;
        drawItem.hwndItem = item;
        drawItem.hDC = dc;
        drawItem.rcItem = whole;
        return SendMessageW(appState.mainWindow, WM_DRAWITEM, static_cast<WPARAM>(id),
                            reinterpret_cast<LPARAM>(&drawItem));
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
};

TEST_F(WindowProcTest, DrawItemPaintsTheThreeButtonsEdgeToEdgeInTheirFaceColourAndRestoresTheFont) {
    struct Case {
        int id;
        UINT itemState;
        bool recording, playing;
        COLORREF face;
    };
    const Case cases[] = {
        {IDC_START, 0, false, false, RGB(0, 120, 215)},
        {IDC_START, ODS_SELECTED | ODS_FOCUS, false, false, RGB(0, 100, 180)},
        {IDC_START, ODS_FOCUS | ODS_DISABLED, false, false, RGB(0, 140, 230)},
        {IDC_RECORD, ODS_SELECTED, false, false, RGB(0, 120, 215)},
        {IDC_RECORD, ODS_SELECTED | ODS_FOCUS, true, false, RGB(255, 0, 0)},
        {IDC_PLAYBACK, ODS_FOCUS, false, false, RGB(0, 140, 230)},
        {IDC_PLAYBACK, ODS_SELECTED | ODS_FOCUS, false, true, RGB(0, 255, 0)},
    };
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        appState.isRecording = c.recording;
        appState.isPlaying = c.playing;
        EXPECT_EQ(DrawItem(c.id, c.itemState, Control(c.id)), TRUE);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
        // Corners and edges too: no border, no 3-D edge, no rounding.
        for (POINT p :
             {POINT{0, 0}, POINT{119, 0}, POINT{0, 34}, POINT{119, 34}, POINT{60, 1}, POINT{60, 33}}) {
            EXPECT_EQ(GetPixel(dc, p.x, p.y), c.face) << p.x << "," << p.y;
        }
        bool white = false; // the caption, somewhere in the middle
        for (int x = 0; x < 120 && !white; ++x) {
            for (int y = 5; y < 30 && !white; ++y) {
                white = GetPixel(dc, x, y) == RGB(255, 255, 255);
            }
        }
        EXPECT_TRUE(white);
    }
    appState.isRecording = false;
    appState.isPlaying = false;
}

TEST_F(WindowProcTest, DrawItemRefusesOtherControlsAndPaintsNothing) {
    for (int id : {0, IDC_HOURS, IDC_REPEAT, IDC_CURSOR_POS, IDC_STATUS, 1021, IDC_PLAYBACK_REPEAT}) {
        EXPECT_EQ(DrawItem(id, ODS_SELECTED | ODS_FOCUS, Control(id)), FALSE) << id;
        EXPECT_EQ(GetPixel(dc, 60, 17), RGB(1, 2, 3)) << id;
    }
}

TEST_F(WindowProcTest, ControlColourAnswersUseTheDarkPaletteAndLeaveTheBackgroundModeAlone) {
    struct Case {
        const char* name;
        UINT message;
        HWND control;
        HBRUSH brush;
        COLORREF text, background; // RGB(9, 9, 9) and RGB(8, 8, 8): left as they were
    };
    const Case cases[] = {
        {"static", WM_CTLCOLORSTATIC, appState.statusLabel, appState.backgroundBrush, RGB(255, 255, 255),
         RGB(32, 32, 32)},
        {"enabled edit", WM_CTLCOLOREDIT, appState.hoursEdit, appState.controlBrush, RGB(255, 255, 255),
         RGB(45, 45, 45)},
        {"disabled edit", WM_CTLCOLOREDIT, appState.cursorXEdit, appState.controlBrush, RGB(130, 130, 130),
         RGB(45, 45, 45)},
        {"list", WM_CTLCOLORLISTBOX, nullptr, appState.controlBrush, RGB(255, 255, 255), RGB(45, 45, 45)},
        {"button", WM_CTLCOLORBTN, appState.startButton, appState.accentBrush, RGB(9, 9, 9), RGB(8, 8, 8)},
    };
    ASSERT_TRUE(appState.backgroundBrush && appState.controlBrush && appState.accentBrush);
    ASSERT_FALSE(IsWindowEnabled(appState.cursorXEdit));
    SetBkMode(dc, OPAQUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetTextColor(dc, RGB(9, 9, 9));
        SetBkColor(dc, RGB(8, 8, 8));
        EXPECT_EQ(SendMessageW(appState.mainWindow, c.message, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(c.control)),
                  reinterpret_cast<LRESULT>(c.brush));
        EXPECT_EQ(GetTextColor(dc), c.text);
        EXPECT_EQ(GetBkColor(dc), c.background);
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
    }
}

// Every text, check and enabled state of the window, to show that something changed nothing.
std::vector<std::wstring> WindowPicture() {
    std::vector<std::wstring> picture;
    for (HWND c = GetWindow(appState.mainWindow, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        picture.push_back(ControlText(c) + L"|" + std::to_wstring(SendMessageW(c, BM_GETCHECK, 0, 0)) + L"|" +
                          std::to_wstring(IsWindowEnabled(c)));
    }
    return picture;
}

TEST_F(WindowProcTest, TimerWithAnotherIdIsIgnored) {
    SetFakeCursorPos(POINT{123, 456});
    for (WPARAM id : {WPARAM{0}, WPARAM{3}, WPARAM{100}, WPARAM{0xFFFF}}) {
        EXPECT_EQ(SendMessageW(appState.mainWindow, WM_TIMER, id, 0), 0) << id;
    }
    EXPECT_EQ(ControlText(IDC_CURSOR_LABEL), L"Cursor: (0, 0)");
    EXPECT_TRUE(FakeInjected().empty());
    EXPECT_EQ(SendMessageW(appState.mainWindow, WM_TIMER, IDT_CURSOR, 0), 0);
    EXPECT_EQ(ControlText(IDC_CURSOR_LABEL), L"Cursor: (123, 456)");
}

TEST_F(WindowProcTest, ALatePlaybackReportAndCommandsThatAreNotOursChangeNothing) {
    // The radio and check handlers would change these if they ran.
    SendMessageW(appState.repeatRadio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(appState.cursorPosCheck, BM_SETCHECK, BST_CHECKED, 0);
    std::vector<std::wstring> before = WindowPicture();
    EXPECT_EQ(SendMessageW(appState.mainWindow, WM_PLAYBACK_DONE, 0, 0), 0);
    EXPECT_FALSE(appState.isPlaying);
    // Edit and combo notifications, ids no menu item carries, the dialog-only ids and strays.
    std::vector<int> ids = {IDC_HOURS,    IDC_MILLISECS, IDC_MOUSE_BUTTON, IDC_CLICK_TYPE,
                            IDC_CURSOR_X, IDC_CURSOR_Y,  IDC_STATUS,       IDC_REPEAT_TIMES};
    ids.insert(ids.end(), {1015, 1026, 110, 111, 112, 1013, 1014, 1021, 1022, 1200, 0, 0xFFFF});
    for (int id : ids) {
        for (WORD code : {WORD{EN_CHANGE}, WORD{CBN_SELCHANGE}, WORD{BN_CLICKED}}) {
            EXPECT_EQ(SendMessageW(appState.mainWindow, WM_COMMAND, MAKEWPARAM(id, code), 0), 0) << id;
        }
    }
    PumpMessages(20);
    EXPECT_EQ(WindowPicture(), before);
    EXPECT_TRUE(FakeMessageBoxes().empty());
    EXPECT_TRUE(FakeInjected().empty());
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr); // no dialog of ours opened
}

std::vector<CWPSTRUCT> sentCommands;
HHOOK commandHook = nullptr;

LRESULT CALLBACK RecordCommands(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == appState.mainWindow && call->message == WM_COMMAND) {
        sentCommands.push_back(*call);
    }
    return CallNextHookEx(commandHook, code, wParam, lParam);
}

TEST_F(WindowProcTest, RecordAndPlaybackHotkeysActExactlyLikeTheirButtons) {
    struct Case {
        WPARAM hotkey;
        bool playing;
        int command; // 0: no button command (a playing Playback hotkey stops playback directly)
        HWND button;
    };
    const Case cases[] = {{HOTKEY_RECORD, false, IDC_RECORD, appState.recordButton},
                          {HOTKEY_PLAYBACK, false, IDC_PLAYBACK, appState.playbackButton},
                          {HOTKEY_PLAYBACK, true, 0, nullptr},
                          {HOTKEY_START_STOP, false, 0, nullptr},
                          {103, false, 0, nullptr},
                          {0, false, 0, nullptr}};
    commandHook = SetWindowsHookExW(WH_CALLWNDPROC, RecordCommands, nullptr, GetCurrentThreadId());
    ASSERT_NE(commandHook, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hotkey " << c.hotkey << (c.playing ? " while playing" : ""));
        sentCommands.clear();
        appState.isPlaying = c.playing;
        EXPECT_EQ(SendMessageW(appState.mainWindow, WM_HOTKEY, c.hotkey, 0), 0);
        EXPECT_EQ(sentCommands.empty(), c.command == 0);
        if (c.command != 0 && !sentCommands.empty()) {
            EXPECT_EQ(sentCommands[0].wParam, MAKEWPARAM(c.command, 0));
            EXPECT_EQ(sentCommands[0].lParam, reinterpret_cast<LPARAM>(c.button));
        }
    }
    UnhookWindowsHookEx(commandHook);
    appState.isPlaying = false;
}

TEST_F(WindowProcTest, ExitAndTheCloseBoxDestroyTheWindowAndPostQuitWithCodeZero) {
    for (bool viaMenu : {true, false}) {
        SCOPED_TRACE(viaMenu ? "File > Exit" : "close box");
        if (appState.mainWindow == nullptr || !IsWindow(appState.mainWindow)) {
            ASSERT_NE(CreateTestMainWindow(), nullptr);
        }
        HWND window = appState.mainWindow;
        if (viaMenu) {
            EXPECT_EQ(SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0), 0);
        } else {
            SendMessageW(window, WM_CLOSE, 0, 0);
        }
        EXPECT_FALSE(IsWindow(window));
        MSG msg{};
        EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
        EXPECT_EQ(msg.wParam, 0u);
    }
}

} // namespace

// The auto-clicker in the real main window: what each user action leaves on screen, and what a
// run through the real click timer injects, tick by tick.
#include <gtest/gtest.h>

#include <functional>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "clicker/Clicker.h"
#include "res/resource.h"

namespace {

std::vector<std::pair<std::wstring, size_t>> statusLines; // each text, after how many injections
WNDPROC statusProc = nullptr;

LRESULT CALLBACK RecordStatus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        statusLines.emplace_back(reinterpret_cast<const wchar_t*>(lParam), FakeInjected().size());
    }
    return CallWindowProcW(statusProc, window, message, wParam, lParam);
}

// SECS s MS ms, "Repeat" REPEAT times (nullptr: until stopped), at 7,8 when fixed, as a user sets them.
void Choose(const wchar_t* secs, const wchar_t* ms, const wchar_t* repeat, bool fixed) {
    for (auto [id, text] : {std::pair{IDC_SECS, secs}, {IDC_MILLISECS, ms}, {IDC_REPEAT_TIMES, repeat}}) {
        SetControlText(id, text);
    }
    for (auto [id, on] :
         {std::pair{IDC_REPEAT, !!repeat}, {IDC_REPEAT_UNTIL_STOPPED, !repeat}, {IDC_CURSOR_POS, fixed}}) {
        SendMessageW(Control(id), BM_SETCHECK, on, 0), SendCommand(on || id == IDC_CURSOR_POS ? id : 0);
    }
    SetControlText(IDC_CURSOR_X, L"7"), SetControlText(IDC_CURSOR_Y, L"8");
}

// Start caption | status line | settings, Record and Playback enabled, in id order | message box.
std::wstring Picture() {
    std::wstring picture = ControlText(IDC_START) + L" | " + ControlText(IDC_STATUS) + L" | ";
    for (int id = IDC_HOURS; id <= IDC_PLAYBACK; ++id) {
        if (Control(id) != nullptr && (id < IDC_START || id > IDC_CURSOR_LABEL)) {
            picture += IsWindowEnabled(Control(id)) ? L'1' : L'0';
        }
    }
    std::vector<MessageBoxCall> boxes = FakeMessageBoxes();
    return picture + (boxes.empty() ? L"" : L" | " + boxes.back().text) +
           (appState.clickTimerPeriod ? L" | fine" : L"");
}

class ClickerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override { DestroyTestMainWindow(); }
};

TEST_F(ClickerTest, EachActionLeavesTheExpectedPicture) {
    auto hotkey = [] { SendMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0); };
    const std::wstring run = L"Stop (F6) | Status: Running | Clicks: 0",
                       idle = L"Start (F6) | Status: Stopped | Clicks: 0";
    const std::pair<std::function<void()>, std::wstring> rows[] = {
        // clang-format off
        {[] { Choose(L"9", L"0", nullptr, false), SendCommand(IDC_START); }, run + L" | 00000000000011 | fine"},
        {[] { Choose(L"0", L"0", nullptr, false), StartClicking(); }, run + L" | 00000000000011 | fine"},
        {[] { SendCommand(IDC_START); }, idle + L" | 11111111010011"},
        {[] { Choose(L"0", L"", nullptr, false), SendCommand(IDC_START); },
         idle + L" | 11111111010011 | Click interval must be at least 1 millisecond."},
        {[] { Choose(L"2147483", L"648", L"3", false), SendCommand(IDC_START); },
         idle + L" | 11111111110011 | Click interval must be at most 2147483647 milliseconds (about 24 days)."},
        {[] { Choose(L"0", L"20", L"", true), SendCommand(IDC_START); },
         idle + L" | 11111111111111 | Number of clicks must be at least 1."},
        {[&] { Choose(L"9", L"0", L"4", true), appState.isRecording = true, hotkey(); }, run + L" / 4 | 00000000000011 | fine"},
        {[&] { appState.isRecording = false, hotkey(); }, idle + L" | 11111111111111"},
    }; // clang-format on
    for (size_t i = 0; i < std::size(rows); ++i) {
        ResetFakeSys(), rows[i].first();
        EXPECT_EQ(Picture(), rows[i].second) << "row " << i;
    }
    Choose(L"9", L"0", nullptr, false), StartClicking(), DestroyTestMainWindow();
    EXPECT_EQ(appState.clickTimerPeriod, 0u) << "closing the window ends the finer timer";
}

// 1 ms runs: window timers come every 10 ms at best, so each tick makes every click due by then
// (a double click: one); the status line follows each tick; a run stops at exactly its count.
TEST_F(ClickerTest, EachTickMakesTheClicksDueByThenAndTheStatusLineFollows) {
    statusProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(appState.statusLabel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordStatus)));
    const struct {
        const wchar_t* repeat;
        bool fixed, doubleClick;
    } runs[] = {// nullptr: Stop after 4 ticks
                {L"100", false, false},
                {L"100", true, false},
                {L"3", false, true},
                {nullptr, false, false}};
    for (const auto& [repeat, fixed, doubleClick] : runs) {
        SCOPED_TRACE(fixed + 2 * doubleClick + 4 * !repeat);
        Choose(L"0", L"1", repeat, fixed),
            SendMessageW(appState.clickTypeCombo, CB_SETCURSEL, doubleClick, 0);
        ResetFakeSys(), statusLines.clear(), SendCommand(IDC_START);
        ASSERT_TRUE(
            PumpUntil([&] { return !appState.isClicking || (!repeat && statusLines.size() > 4); }, 5000));
        SendCommand(appState.isClicking ? IDC_START : 0), PumpMessages(30);
        const std::vector<InjectedAction> injected = FakeInjected();
        std::vector<DWORD> sleeps;
        size_t clicks = 0, ticks = statusLines.size() - 2, events = doubleClick ? 4 : 2;
        for (size_t i = 1, from = 0, batch; i <= ticks; from = statusLines[i++].second) {
            batch = (statusLines[i].second - from - fixed) / events;
            EXPECT_EQ(injected.at(from).kind == InjectedAction::CursorMove, fixed) << "tick " << i;
            EXPECT_EQ(from + fixed + batch * events, statusLines[i].second) << "tick " << i;
            EXPECT_EQ(statusLines[i].first, L"Status: Running | Clicks: " + std::to_wstring(clicks += batch) +
                                                (repeat ? L" / " + std::wstring(repeat) : L""));
            sleeps.insert(sleeps.end(), fixed, 10), sleeps.insert(sleeps.end(), doubleClick * batch, 50);
        }
        EXPECT_EQ(statusLines.back(),
                  std::pair(L"Status: Stopped | Clicks: " + std::to_wstring(clicks), injected.size()));
        EXPECT_EQ(FakeSleeps(), sleeps);
        EXPECT_EQ(clicks, repeat ? std::stoul(repeat) : clicks);
        EXPECT_GE(clicks, (doubleClick ? 1 : 4) * ticks) << "clicks per tick";
    }
}

} // namespace

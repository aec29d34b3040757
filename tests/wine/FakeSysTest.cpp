// The fake seam every window test stands on.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "base/Sys.h"

TEST(FakeSys, ABoxDisablesItsOwnerAndDispatchesWhatItsActionPostedBeforeItAnswers) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    QueueMessageBoxAnswer(IDNO, [] {
        EXPECT_FALSE(IsWindowEnabled(appState.mainWindow));
        PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0);
    });
    EXPECT_EQ(SysMessageBox(appState.mainWindow, L"text", L"title", MB_YESNO), IDNO);
    EXPECT_TRUE(appState.isClicking);
    EXPECT_TRUE(IsWindowEnabled(appState.mainWindow));
    DestroyTestMainWindow();
}

TEST(FakeSys, AFailingHookIsNotInstalledAndAnotherStaysUntilRemoved) {
    ResetFakeSys();
    EditFake([&](FakeData& f) { f.failingHookId = WH_MOUSE_LL; });
    auto pass = [](int code, WPARAM w, LPARAM l) { return CallNextHookEx(nullptr, code, w, l); };
    EXPECT_EQ(SysSetWindowsHookEx(WH_MOUSE_LL, pass, nullptr, 0), nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(SysSetWindowsHookEx(WH_KEYBOARD_LL, pass, nullptr, 0)));
    ASSERT_NE(SysSetWindowsHookEx(WH_KEYBOARD_LL, pass, nullptr, 0), nullptr);
    EXPECT_EQ(FakeUnhookLeftHooks(), 1);
}

// The fake seam every window test stands on.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "base/Sys.h"

TEST(FakeSys, ABoxDisablesItsOwnerAndDispatchesWhatItsActionPostedBeforeItAnswers) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    QueueMessageBoxAnswer(IDNO, [] { PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0); });
    QueueMessageBoxAnswer(IDYES, [] { EXPECT_FALSE(IsWindowEnabled(appState.mainWindow)); });
    EXPECT_EQ(SysMessageBox(appState.mainWindow, L"text", L"title", MB_YESNO), IDNO);
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(SysMessageBox(appState.mainWindow, L"text", L"title", MB_YESNO), IDYES);
    EXPECT_EQ(SysMessageBox(nullptr, L"text", L"title", MB_OK), IDOK);
    EXPECT_TRUE(IsWindowEnabled(appState.mainWindow));
    DestroyTestMainWindow();
}

TEST(FakeSys, AFailingHookIsNotInstalledAndTheOthersStayUntilRemoved) {
    ResetFakeSys();
    SetFakeHookFailure(WH_MOUSE_LL);
    auto pass = [](int code, WPARAM wParam, LPARAM lParam) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    };
    EXPECT_EQ(SysSetWindowsHookEx(WH_MOUSE_LL, pass, nullptr, 0), nullptr);
    ASSERT_NE(SysSetWindowsHookEx(WH_KEYBOARD_LL, pass, nullptr, 0), nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(SysSetWindowsHookEx(WH_KEYBOARD_LL, pass, nullptr, 0)));
    EXPECT_EQ(FakeUnhookLeftHooks(), 1);
    EXPECT_EQ(FakeUnhookLeftHooks(), 0);
}

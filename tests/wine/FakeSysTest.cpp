// The fake seam every window test stands on: a box's answer comes after what ran inside it, and
// a hook made to fail is never installed while the others are, until someone removes them.
#include <gtest/gtest.h>

#include "FakeSys.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "base/Sys.h"
#include "res/resource.h"

TEST(FakeSys, ABoxDispatchesWhatItsActionPostedBeforeItAnswers) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    QueueMessageBoxAnswer(IDNO, [] { PostMessageW(appState.mainWindow, WM_HOTKEY, HOTKEY_START_STOP, 0); });
    EXPECT_EQ(SysMessageBox(appState.mainWindow, L"text", L"title", MB_YESNO), IDNO);
    EXPECT_TRUE(appState.isClicking);
    EXPECT_EQ(SysMessageBox(nullptr, L"next", L"title", MB_OK), IDOK);
    ASSERT_EQ(FakeMessageBoxes().size(), 2u);
    EXPECT_EQ(FakeMessageBoxes()[0].owner, appState.mainWindow);
    EXPECT_EQ(FakeMessageBoxes()[1].text + FakeMessageBoxes()[1].title, L"nexttitle");
    DestroyTestMainWindow();
}

TEST(FakeSys, AFailingHookIsNotInstalledAndTheOthersStayUntilRemoved) {
    ResetFakeSys();
    SetFakeHookFailure(WH_MOUSE_LL);
    auto pass = [](int code, WPARAM wParam, LPARAM lParam) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    };
    EXPECT_EQ(SysSetWindowsHookEx(WH_MOUSE_LL, pass, nullptr, 0), nullptr);
    HHOOK keyboard = SysSetWindowsHookEx(WH_KEYBOARD_LL, pass, nullptr, 0);
    HHOOK removed = SysSetWindowsHookEx(WH_KEYBOARD_LL, pass, nullptr, 0);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(removed));
    EXPECT_EQ(FakeUnhookLeftHooks(), 1);
    EXPECT_EQ(FakeUnhookLeftHooks(), 0);
}

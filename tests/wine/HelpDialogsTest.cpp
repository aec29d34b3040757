// Help > About and Help > User Guide as the window procedure opens them.
#include <gtest/gtest.h>

#include <string>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/GuideLogic.h"
#include "res/resource.h"

namespace {

class HelpDialogsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CreateTestMainWindow(), nullptr); }
    void TearDown() override { DestroyTestMainWindow(); }
};

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

TEST_F(HelpDialogsTest, UserGuideShowsTheWholeReadOnlyTextAndClosesOnEsc) {
    std::wstring shown;
    LONG style = 0;
    HWND owner = nullptr;
    ASSERT_TRUE(RunWithDialog(
        L"User Guide", [] { SendCommand(IDM_USER_GUIDE); },
        [&](HWND dialog) {
            HWND edit = GetDlgItem(dialog, IDC_GUIDE_TEXT);
            shown = WindowText(edit);
            style = GetWindowLongW(edit, GWL_STYLE);
            owner = GetWindow(dialog, GW_OWNER);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        }));
    EXPECT_EQ(shown, BuildGuideText());
    EXPECT_EQ(shown.rfind(L"Tamblo - User Guide\r\n", 0), 0u);
    EXPECT_NE(style & ES_READONLY, 0);
    EXPECT_NE(style & ES_MULTILINE, 0);
    EXPECT_EQ(style & WS_HSCROLL, 0);
    EXPECT_EQ(owner, appState.mainWindow);
}

TEST_F(HelpDialogsTest, AboutNamesTheVersionAndTheMakerAndClosesOnOk) {
    std::wstring version;
    std::wstring maker;
    ASSERT_TRUE(RunWithDialog(
        L"About Tamblo", [] { SendCommand(IDM_ABOUT); },
        [&](HWND dialog) {
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                std::wstring text = WindowText(child);
                if (text.rfind(L"Tamblo, Version", 0) == 0) {
                    version = text;
                } else if (text.rfind(L"Made by", 0) == 0) {
                    maker = text;
                }
            }
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }));
    EXPECT_EQ(version, L"Tamblo, Version 1.0");
    EXPECT_EQ(maker, L"Made by Mara Lindqvist, 2026");
}

} // namespace

// Help > About and Help > User Guide as the window procedure opens them. Their templates are
// checked in DialogTemplatesTest; here they open, show the guide text, and close on Esc.
#include <gtest/gtest.h>

#include <string>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "profile/GuideLogic.h"
#include "res/resource.h"

namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

TEST(HelpDialogs, OpenOwnedByTheMainWindowShowTheGuideAndCloseOnEsc) {
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    const struct {
        const wchar_t* title;
        int command;
    } dialogs[] = {{L"About Tamblo", IDM_ABOUT}, {L"User Guide", IDM_USER_GUIDE}};
    for (const auto& d : dialogs) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(d.title)));
        HWND owner = nullptr;
        HWND dialog = nullptr;
        std::wstring guide;
        ASSERT_TRUE(RunWithDialog(
            d.title, [&] { SendCommand(d.command); },
            [&](HWND shown) {
                dialog = shown;
                owner = GetWindow(shown, GW_OWNER);
                if (HWND text = GetDlgItem(shown, IDC_GUIDE_TEXT)) {
                    guide = WindowText(text);
                }
                SendMessageW(shown, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); // what Esc sends
            }));
        EXPECT_EQ(owner, appState.mainWindow);
        EXPECT_FALSE(IsWindow(dialog)) << "the dialog closed";
        if (d.command == IDM_USER_GUIDE) {
            EXPECT_EQ(guide, BuildGuideText());
        }
    }
    DestroyTestMainWindow();
}

} // namespace

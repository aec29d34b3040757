#include "profile/GuideLogic.h"

#include <initializer_list>

namespace {

// One line per entry; BuildGuideText joins them with CR LF.
constexpr std::initializer_list<const wchar_t*> kGuideLines = {
    L"Tamblo - User Guide",
    L"",
    L"Thank you for using Tamblo! This guide will help you get started and use all the features.",
    L"",
    L"---",
    L"",
    L"1. Auto-Clicker",
    L"The auto-clicker is the core feature of the application: it clicks for you, again and again.",
    L"",
    L"Click Interval:",
    L"- Set the time between two clicks.",
    L"- Enter it in hours, minutes, seconds and milliseconds.",
    L"- The minimum interval is 1 millisecond.",
    L"",
    L"Click Options:",
    L"- Mouse Button: choose Left, Right or Middle.",
    L"- Click Type: choose 'Single' for a standard click or 'Double' for a double-click.",
    L"",
    L"Click Position:",
    L"- Current Position: by default the click happens at the mouse's current position.",
    L"- Fixed Position: to click at the same place every time:",
    L"    1. Check the \"Click at position\" box.",
    L"    2. Enter the X and Y coordinates of the point.",
    L"    3. Use the live \"Cursor: (X, Y)\" display at the bottom right to find them.",
    L"",
    L"Repeat Mode:",
    L"- Repeat until stopped: keeps clicking until you stop it by hand.",
    L"- Repeat: performs a set number of clicks, entered in the \"times\" box, then stops.",
    L"",
    L"Starting and Stopping:",
    L"- Click the \"Start\" button to begin and click it again to stop.",
    L"- The default start/stop hotkey is F6; you can change it in the Settings.",
    L"",
    L"---",
    L"",
    L"2. Record & Playback",
    L"Record a sequence of mouse and keyboard actions and play it back whenever you like.",
    L"",
    L"Recording:",
    L"1.  Click \"Record\" or press the record hotkey (default F8).",
    L"2.  Perform the mouse movements, clicks, wheel scrolls and key presses you want to record.",
    L"3.  Click \"Stop Rec\" or press the record hotkey again.",
    L"4.  The status bar shows the number of events recorded.",
    L"",
    L"Playback:",
    L"1.  With a recording present, click \"Playback\" or press the playback hotkey (default F9).",
    L"2.  The sequence is replayed with the recorded timing and cursor path.",
    L"3.  Press the playback hotkey (F9) to stop playback at once; it works as an emergency stop.",
    L"",
    L"Playback Repeat:",
    L"- Repeat: plays the recording a fixed number of times.",
    L"- Repeat until stopped: loops the recording until you stop it with the hotkey.",
    L"",
    L"Important Notes:",
    L"- The auto-clicker and playback cannot run at the same time.",
    L"- Recording is disabled while the auto-clicker or playback is active.",
    L"",
    L"---",
    L"",
    L"3. Hotkeys",
    L"- Start/Stop Auto-Clicker: F6",
    L"- Start/Stop Recording: F8",
    L"- Start/Stop Playback: F9",
    L"All three hotkeys can be customised in `File -> Settings`.",
    L"",
    L"---",
    L"",
    L"4. Profiles",
    L"Save and load your settings together with your recorded macros.",
    L"- Save Profile: `File -> Save Profile` saves the current configuration and recorded event "
    L"sequence to a `.tmb` file.",
    L"- Load Profile: `File -> Load Profile` loads a previously saved `.tmb` file.",
    L"- New: `File -> New` resets all settings to their default values.",
    L"",
    L"---",
    L"",
    L"Have an idea or found a problem? Send your suggestions by e-mail to suggestions@tamblo.example.com",
};

} // namespace

std::wstring BuildGuideText() {
    std::wstring text;
    text.reserve(3200);
    bool first = true;
    for (const wchar_t* line : kGuideLines) {
        if (!first) {
            text += L"\r\n";
        }
        text += line;
        first = false;
    }
    return text;
}

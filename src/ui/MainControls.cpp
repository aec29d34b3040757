#include "ui/MainControls.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <iterator>
#include <vector>

#include "base/Sys.h"
#include "base/TextLogic.h"
#include "res/resource.h"
#include "ui/LayoutLogic.h"

namespace {

constexpr wchar_t kSuggestionText[] =
    L"Have an idea for a feature you would like to see in a future release? "
    L"Send your suggestions to suggestions@tamblo.example.com.";

struct KindTraits {
    const wchar_t* className;
    DWORD style;
};

constexpr DWORD kBase = WS_CHILD | WS_VISIBLE;

// Indexed by ControlKind.
constexpr KindTraits kKinds[] = {
    {L"BUTTON", kBase | BS_GROUPBOX},
    {L"STATIC", kBase | SS_LEFT},
    {L"STATIC", kBase | SS_CENTER},
    {L"STATIC", kBase | SS_CENTER | SS_NOPREFIX},
    {L"EDIT", kBase | WS_BORDER | ES_NUMBER | ES_CENTER},
    {L"COMBOBOX", kBase | WS_VSCROLL | CBS_DROPDOWNLIST},
    {L"BUTTON", kBase | BS_AUTOCHECKBOX},
    {L"BUTTON", kBase | WS_GROUP | BS_AUTORADIOBUTTON},
    {L"BUTTON", kBase | BS_AUTORADIOBUTTON},
    {L"BUTTON", kBase | BS_OWNERDRAW},
    {UPDOWN_CLASSW, kBase | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS},
};
static_assert(std::size(kKinds) == static_cast<size_t>(ControlKind::UpDown) + 1);

// The font of the controls now on screen; the one before it is released after a rebuild.
HFONT currentUiFont = nullptr;

// What every field starts with: the record File > New applies.
constexpr WindowSettings kInitial{};

void AddComboItems(HWND combo, std::initializer_list<const wchar_t*> items, int32_t selection) {
    for (const wchar_t* item : items) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void SetCountRange(HWND upDown, HWND buddy) {
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(16959, 1));
    SendMessageW(upDown, UDM_SETPOS, 0, 1);
}

void AddMouseButtons(HWND, HWND combo) {
    AddComboItems(combo, {L"Left", L"Right", L"Middle"}, kInitial.mouseButton);
}

void AddClickTypes(HWND, HWND combo) {
    AddComboItems(combo, {L"Single", L"Double"}, kInitial.clickType);
}

// Checks the first or the second button of a radio pair.
void ChooseRadio(HWND first, HWND second, int32_t firstChosen) {
    SendMessageW(firstChosen != 0 ? first : second, BM_SETCHECK, BST_CHECKED, 0);
}

// The fixed position is off at first, so its fields wait.
void ChoosePositionMode(HWND, HWND) {
    if (kInitial.cursorPosChecked != 0) {
        SendMessageW(appState.cursorPosCheck, BM_SETCHECK, BST_CHECKED, 0);
    }
    EnableWindow(appState.cursorXEdit, kInitial.cursorPosChecked != 0);
    EnableWindow(appState.cursorYEdit, kInitial.cursorPosChecked != 0);
}

void SetClickCountRange(HWND, HWND upDown) {
    SetCountRange(upDown, appState.repeatTimesEdit);
}

void SetPlaybackCountRange(HWND, HWND upDown) {
    SetCountRange(upDown, appState.playbackRepeatTimesEdit);
}

// The clicker starts on "Repeat until stopped", so its count waits.
void ChooseClickRepeatMode(HWND, HWND) {
    ChooseRadio(appState.repeatRadio, appState.repeatUntilStoppedRadio, kInitial.repeatMode);
    EnableWindow(appState.repeatTimesEdit, kInitial.repeatMode != 0);
}

// Playback starts on "Repeat" once, so one press plays the recording once. Then the dark combo
// boxes and the one font for everything made so far.
void FinishPlaybackRow(HWND window, HWND) {
    ChooseRadio(appState.playbackRepeatRadio, appState.playbackRepeatUntilStoppedRadio,
                kInitial.playbackRepeatMode);
    if (kInitial.playbackRepeatMode == 0) {
        EnableWindow(appState.playbackRepeatTimesEdit, FALSE);
    }
    SetWindowTheme(appState.mouseButtonCombo, L"DarkMode_CFD", nullptr);
    SetWindowTheme(appState.clickTypeCombo, L"DarkMode_CFD", nullptr);
    EnumChildWindows(window, SetChildFontProc, reinterpret_cast<LPARAM>(currentUiFont));
}

// Made after the font went round, so it takes the font itself.
void SetOwnFont(HWND, HWND label) {
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(currentUiFont), TRUE);
}

std::wstring StartCaption() {
    return FormatStartCaption(appState.currentHotkey, appState.isClicking);
}

std::wstring RecordCaption() {
    return FormatRecordCaption(appState.recordHotkey, appState.isRecording);
}

std::wstring PlaybackCaption() {
    return FormatPlaybackCaption(appState.playbackHotkey, appState.isPlaying);
}

using K = ControlKind;
using A = AppState;
using P = WindowSettings;
constexpr uint8_t kClicking = kLockWhileClicking;
constexpr uint8_t kPlaying = kLockWhilePlaying;

// The main window, top to bottom. A second line says what else the program does with a control.
// clang-format off
constexpr MainControl kMainControls[] = {
//   kind             text                     id                      row   x    y    w    h   handle
    {K::GroupBox,     L"Tamblo",               0,                       20,   0,   0, 560, 320},
    {K::Label,        L"Interval",             0,                       30,  10,   0, 150,  25},
    {K::NumberEdit,   nullptr,                 IDC_HOURS,               35,  20,   0,  60,  30, &A::hoursEdit,
        {.lockedBy = kClicking, .saved = &P::hours}},
    {K::Label,        L"hours",                0,                        0,  85,   5,  45,  25},
    {K::NumberEdit,   nullptr,                 IDC_MINS,                 0, 135,   0,  60,  30, &A::minsEdit,
        {.lockedBy = kClicking, .saved = &P::mins}},
    {K::Label,        L"mins",                 0,                        0, 200,   5,  35,  25},
    {K::NumberEdit,   nullptr,                 IDC_SECS,                 0, 240,   0,  60,  30, &A::secsEdit,
        {.lockedBy = kClicking, .saved = &P::secs}},
    {K::Label,        L"secs",                 0,                        0, 305,   5,  35,  25},
    {K::NumberEdit,   nullptr,                 IDC_MILLISECS,            0, 345,   0,  60,  30, &A::millisecsEdit,
        {.lockedBy = kClicking, .saved = &P::millisecs}},
    {K::Label,        L"milliseconds",         0,                        0, 410,   5,  90,  25},
    {K::Label,        L"Options",              0,                       50,  10,   0, 150,  25},
    {K::Label,        L"Mouse button:",        0,                        0,  25,  35, 100,  25},
    {K::Combo,        nullptr,                 IDC_MOUSE_BUTTON,         0, 130,  30, 150, 200, &A::mouseButtonCombo,
        {.lockedBy = kClicking, .saved = &P::mouseButton, .then = AddMouseButtons}},
    {K::Label,        L"Click type:",          0,                        0,  25,  75, 100,  25},
    {K::Combo,        nullptr,                 IDC_CLICK_TYPE,           0, 130,  70, 150, 200, &A::clickTypeCombo,
        {.lockedBy = kClicking, .saved = &P::clickType, .then = AddClickTypes}},
    {K::CheckBox,     L"Click at position:",   IDC_CURSOR_POS,           0,  25, 115, 140,  25, &A::cursorPosCheck,
        {.lockedBy = kClicking, .saved = &P::cursorPosChecked}},
    {K::Label,        L"X:",                   0,                        0, 170, 117,  15,  25},
    {K::NumberEdit,   nullptr,                 IDC_CURSOR_X,             0, 190, 115,  60,  25, &A::cursorXEdit,
        {.lockedBy = kClicking, .enabledBy = &A::cursorPosCheck, .saved = &P::cursorX}},
    {K::Label,        L"Y:",                   0,                        0, 260, 117,  15,  25},
    {K::NumberEdit,   nullptr,                 IDC_CURSOR_Y,             0, 280, 115,  60,  25, &A::cursorYEdit,
        {.lockedBy = kClicking, .enabledBy = &A::cursorPosCheck, .saved = &P::cursorY}},
    {K::Label,        L"Cursor: (0, 0)",       IDC_CURSOR_LABEL,         0, 355, 117, 150,  25, &A::cursorLabel,
        {.then = ChoosePositionMode}},
    {K::Label,        L"Repeat",               0,                        0, 300,   0, 150,  25},
    {K::FirstRadio,   L"Repeat",               IDC_REPEAT,               0, 315,  35,  80,  25, &A::repeatRadio,
        {.lockedBy = kClicking, .saved = &P::repeatMode}},
    {K::NumberEdit,   nullptr,                 IDC_REPEAT_TIMES,         0, 400,  30,  80,  30, &A::repeatTimesEdit,
        {.lockedBy = kClicking, .enabledBy = &A::repeatRadio, .saved = &P::repeatTimes}},
    {K::UpDown,       nullptr,                 0,                        0,   0,   0,   0,   0, nullptr,
        {.then = SetClickCountRange}},
    {K::Label,        L"times",                0,                        0, 485,  35,  50,  25},
    {K::SecondRadio,  L"Repeat until stopped", IDC_REPEAT_UNTIL_STOPPED, 0, 315,  75, 180,  25, &A::repeatUntilStoppedRadio,
        {.lockedBy = kClicking, .saved = &P::repeatMode, .then = ChooseClickRepeatMode}},
    {K::OwnerDrawn,   nullptr,                 IDC_START,              150,  10,   0, 120,  35, &A::startButton,
        {.lockedBy = kLockWhileRecording | kPlaying, .caption = StartCaption}},
    {K::CentredLabel, L"Status: Stopped | Clicks: 0",
                                               IDC_STATUS,               0,   0,  60, 560,  25, &A::statusLabel},
    {K::GroupBox,     L"Record Mouse and Keyboard",
                                               0,                      100,   0,   0, 560, 120},
    {K::OwnerDrawn,   nullptr,                 IDC_RECORD,              30,  10,   0, 120,  35, &A::recordButton,
        {.lockedBy = kPlaying, .caption = RecordCaption}},
    {K::OwnerDrawn,   nullptr,                 IDC_PLAYBACK,             0, 140,   0, 120,  35, &A::playbackButton,
        {.lockedBy = kLockWhileRecording, .offeredBy = &A::playbackOffered, .caption = PlaybackCaption}},
    {K::FirstRadio,   L"Repeat",               IDC_PLAYBACK_REPEAT,     55,  10,   0,  80,  25, &A::playbackRepeatRadio,
        {.lockedBy = kPlaying, .saved = &P::playbackRepeatMode}},
    {K::NumberEdit,   nullptr,                 IDC_PLAYBACK_REPEAT_TIMES, 0, 95,  -5,  60,  30, &A::playbackRepeatTimesEdit,
        {.lockedBy = kPlaying, .enabledBy = &A::playbackRepeatRadio, .saved = &P::playbackRepeatTimes}},
    {K::UpDown,       nullptr,                 0,                        0,   0,   0,   0,   0, nullptr,
        {.then = SetPlaybackCountRange}},
    {K::Label,        L"times",                0,                        0, 160,   0,  50,  25},
    {K::SecondRadio,  L"Repeat until stopped", IDC_PLAYBACK_REPEAT_UNTIL_STOPPED,
                                                                         0, 220,   0, 180,  25, &A::playbackRepeatUntilStoppedRadio,
        {.lockedBy = kPlaying, .saved = &P::playbackRepeatMode, .then = FinishPlaybackRow}},
    {K::SuggestionLabel, kSuggestionText,      0,                       60,   0,   0, 560,  40, &A::suggestionLabel,
        {.then = SetOwnFont}},
};
// clang-format on

// One layout pass: the window it builds in, its scale and the left edge of the content column.
struct LayoutPass {
    HWND window;
    float scale;
    int contentLeft;
    int rowY;
};

int Scaled(const LayoutPass& pass, int v) {
    return ScaleX(pass.scale, v);
}

// Up-downs are made at 0,0 with no size: their buddy places them against its right edge.
HWND CreateMainControl(const LayoutPass& pass, const MainControl& control) {
    const KindTraits& traits = kKinds[static_cast<size_t>(control.kind)];
    std::wstring initial;
    if (control.use.caption != nullptr) {
        initial = control.use.caption();
    } else if (control.kind == ControlKind::NumberEdit) {
        initial = std::to_wstring(kInitial.*control.use.saved);
    }
    const wchar_t* text = initial.empty() ? control.text : initial.c_str();
    bool placed = control.kind != ControlKind::UpDown;
    int x = placed ? pass.contentLeft + Scaled(pass, control.x) : 0;
    int y = placed ? pass.rowY + Scaled(pass, control.y) : 0;
    return CreateWindowExW(0, traits.className, text, traits.style, x, y, Scaled(pass, control.width),
                           Scaled(pass, control.height), pass.window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), appState.instanceHandle,
                           nullptr);
}

// What one control held before a rebuild.
struct ControlSnapshot {
    const MainControl* control;
    std::wstring text;
    LRESULT check;
    LRESULT selection;
    BOOL enabled;
    DWORD editSelectionStart; // the caret, or the marked part of an edit field
    DWORD editSelectionEnd;
};

bool HoldsCheck(ControlKind kind) {
    return kind == ControlKind::CheckBox || kind == ControlKind::FirstRadio ||
           kind == ControlKind::SecondRadio;
}

std::wstring ReadWindowText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(wcslen(text.c_str()));
    return text;
}

// Every control that a user or a run can change: the ones with an id.
std::vector<ControlSnapshot> SnapshotControls() {
    std::vector<ControlSnapshot> snapshot;
    for (const MainControl& control : kMainControls) {
        HWND window = control.id != 0 ? appState.*control.handle : nullptr;
        if (window == nullptr) {
            continue;
        }
        ControlSnapshot entry{&control, ReadWindowText(window), 0, CB_ERR, IsWindowEnabled(window), 0, 0};
        if (control.kind == ControlKind::Combo) {
            entry.selection = SendMessageW(window, CB_GETCURSEL, 0, 0);
        } else if (HoldsCheck(control.kind)) {
            entry.check = SendMessageW(window, BM_GETCHECK, 0, 0);
        } else if (control.kind == ControlKind::NumberEdit) {
            SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&entry.editSelectionStart),
                         reinterpret_cast<LPARAM>(&entry.editSelectionEnd));
        }
        snapshot.push_back(std::move(entry));
    }
    return snapshot;
}

void RestoreControls(const std::vector<ControlSnapshot>& snapshot) {
    for (const ControlSnapshot& entry : snapshot) {
        HWND window = appState.*entry.control->handle;
        ControlKind kind = entry.control->kind;
        if (kind == ControlKind::Combo) {
            SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(entry.selection), 0);
        } else {
            SetWindowTextW(window, entry.text.c_str());
        }
        if (HoldsCheck(kind)) {
            SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(entry.check), 0);
        } else if (kind == ControlKind::NumberEdit) {
            SendMessageW(window, EM_SETSEL, entry.editSelectionStart, entry.editSelectionEnd);
        }
        EnableWindow(window, entry.enabled);
    }
}

} // namespace

std::span<const MainControl> MainControlTable() {
    return kMainControls;
}

void CreateMainControls(HWND window) {
    int dpi = static_cast<int>(appState.windowDpi);

    LayoutPass pass{window, ScaleFromDpi(dpi), 0, 0};
    RECT clientRect{};
    GetClientRect(window, &clientRect);
    pass.contentLeft = ContentLeft(clientRect.right - clientRect.left, pass.scale);

    currentUiFont = CreateFontW(Scaled(pass, 18), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
    for (const MainControl& control : kMainControls) {
        pass.rowY += Scaled(pass, control.rowStep);
        HWND created = CreateMainControl(pass, control);
        if (control.handle != nullptr) {
            appState.*control.handle = created;
        }
        if (control.use.then != nullptr) {
            control.use.then(window, created);
        }
    }
}

BOOL CALLBACK SetChildFontProc(HWND child, LPARAM lParam) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(lParam), TRUE);
    return TRUE;
}

BOOL CALLBACK DestroyChildProc(HWND child, LPARAM) {
    DestroyWindow(child);
    return TRUE;
}

int32_t ReadNumberField(HWND field) {
    wchar_t buffer[32] = {};
    GetWindowTextW(field, buffer, 32);
    return ParseIntField(buffer);
}

bool IsButtonChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsFieldUsable(const MainControl& control) {
    return control.use.enabledBy == nullptr || IsButtonChecked(appState.*control.use.enabledBy);
}

void EnableFieldsOf(HWND AppState::*enabler) {
    BOOL enable = IsButtonChecked(appState.*enabler);
    for (const MainControl& control : kMainControls) {
        if (control.use.enabledBy == enabler) {
            EnableWindow(appState.*control.handle, enable);
            InvalidateRect(appState.*control.handle, nullptr, TRUE);
        }
    }
}

void UpdateCursorLabel() {
    POINT cursorPos{};
    if (!SysGetCursorPos(&cursorPos)) {
        return;
    }
    wchar_t cursorText[64];
    swprintf(cursorText, 64, L"Cursor: (%d, %d)", static_cast<int>(cursorPos.x),
             static_cast<int>(cursorPos.y));
    SetWindowTextW(appState.cursorLabel, cursorText);
}

void RebuildMainControls(HWND window, const RECT* suggested) {
    std::vector<ControlSnapshot> snapshot = SnapshotControls();
    HFONT previousFont = currentUiFont;
    // Destroying the focused control hands the focus to the window; give it back to the same
    // field afterwards, so that typing goes on where it was.
    HWND focus = GetFocus();
    int focusedId = focus != nullptr && GetParent(focus) == window ? GetDlgCtrlID(focus) : 0;

    // The system always suggests a rectangle; a stray message from elsewhere may not.
    if (suggested != nullptr) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnumChildWindows(window, DestroyChildProc, 0);
    CreateMainControls(window);
    RestoreControls(snapshot);
    if (focusedId != 0 && GetDlgItem(window, focusedId) != nullptr) {
        SetFocus(GetDlgItem(window, focusedId));
    }
    if (previousFont != nullptr && previousFont != currentUiFont) {
        DeleteObject(previousFont);
    }
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

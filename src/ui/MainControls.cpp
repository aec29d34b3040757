#include "ui/MainControls.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Sys.h"
#include "app/TextLogic.h"
#include "res/resource.h"
#include "ui/LayoutLogic.h"

const wchar_t kSuggestionText[] = L"Have an idea for a feature you would like to see in a future release? "
                                  L"Send your suggestions to suggestions@tamblo.example.com.";

namespace {

constexpr DWORD kBase = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroupBox = kBase | BS_GROUPBOX;
constexpr DWORD kLabel = kBase | SS_LEFT;
constexpr DWORD kCentredLabel = kBase | SS_CENTER;
constexpr DWORD kSuggestionLabel = kBase | SS_CENTER | SS_NOPREFIX;
constexpr DWORD kNumberEdit = kBase | WS_BORDER | ES_NUMBER | ES_CENTER;
constexpr DWORD kCombo = kBase | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCheckBox = kBase | BS_AUTOCHECKBOX;
constexpr DWORD kFirstRadio = kBase | WS_GROUP | BS_AUTORADIOBUTTON;
constexpr DWORD kSecondRadio = kBase | BS_AUTORADIOBUTTON;
constexpr DWORD kOwnerDrawn = kBase | BS_OWNERDRAW;
constexpr DWORD kUpDown = kBase | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

// The font of the controls now on screen; the one before it is released after a rebuild.
HFONT currentUiFont = nullptr;

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

HWND CreateChild(const LayoutPass& pass, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 int x, int yOffset, int width, int height) {
    return CreateWindowExW(0, className, text, style, pass.contentLeft + Scaled(pass, x),
                           pass.rowY + Scaled(pass, yOffset), Scaled(pass, width), Scaled(pass, height),
                           pass.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           appState.instanceHandle, nullptr);
}

void AddComboItems(HWND combo, std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void CreateCountUpDown(const LayoutPass& pass, HWND buddy) {
    HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, kUpDown, 0, 0, 0, 0, pass.window, nullptr,
                                  appState.instanceHandle, nullptr);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(16959, 1));
    SendMessageW(upDown, UDM_SETPOS, 0, 1);
}

// What one control held before a rebuild.
struct ControlSnapshot {
    int id;
    std::wstring text;
    LRESULT check;
    LRESULT selection;
    BOOL enabled;
    bool isCombo;
    bool isButton;
    bool isEdit;
    DWORD editSelectionStart; // the caret, or the marked part of an edit field
    DWORD editSelectionEnd;
};

std::wstring ReadWindowText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(wcslen(text.c_str()));
    return text;
}

bool HasClass(HWND control, const wchar_t* className) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    return lstrcmpiW(name, className) == 0;
}

std::vector<ControlSnapshot> SnapshotControls(HWND window) {
    static constexpr int kIds[] = {IDC_HOURS,
                                   IDC_MINS,
                                   IDC_SECS,
                                   IDC_MILLISECS,
                                   IDC_MOUSE_BUTTON,
                                   IDC_CLICK_TYPE,
                                   IDC_REPEAT,
                                   IDC_REPEAT_UNTIL_STOPPED,
                                   IDC_REPEAT_TIMES,
                                   IDC_START,
                                   IDC_STATUS,
                                   IDC_CURSOR_LABEL,
                                   IDC_CURSOR_POS,
                                   IDC_CURSOR_X,
                                   IDC_CURSOR_Y,
                                   IDC_RECORD,
                                   IDC_PLAYBACK,
                                   IDC_PLAYBACK_REPEAT,
                                   IDC_PLAYBACK_REPEAT_UNTIL_STOPPED,
                                   IDC_PLAYBACK_REPEAT_TIMES};
    std::vector<ControlSnapshot> snapshot;
    for (int id : kIds) {
        HWND control = GetDlgItem(window, id);
        if (control == nullptr) {
            continue;
        }
        ControlSnapshot entry{id,
                              ReadWindowText(control),
                              0,
                              CB_ERR,
                              IsWindowEnabled(control),
                              HasClass(control, L"ComboBox"),
                              HasClass(control, L"Button"),
                              HasClass(control, L"Edit"),
                              0,
                              0};
        if (entry.isCombo) {
            entry.selection = SendMessageW(control, CB_GETCURSEL, 0, 0);
        } else if (entry.isButton) {
            entry.check = SendMessageW(control, BM_GETCHECK, 0, 0);
        } else if (entry.isEdit) {
            SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&entry.editSelectionStart),
                         reinterpret_cast<LPARAM>(&entry.editSelectionEnd));
        }
        snapshot.push_back(std::move(entry));
    }
    return snapshot;
}

void RestoreControls(HWND window, const std::vector<ControlSnapshot>& snapshot) {
    for (const ControlSnapshot& entry : snapshot) {
        HWND control = GetDlgItem(window, entry.id);
        if (control == nullptr) {
            continue;
        }
        if (entry.isCombo) {
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(entry.selection), 0);
        } else {
            SetWindowTextW(control, entry.text.c_str());
            if (entry.isButton) {
                SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(entry.check), 0);
            } else if (entry.isEdit) {
                SendMessageW(control, EM_SETSEL, entry.editSelectionStart, entry.editSelectionEnd);
            }
        }
        EnableWindow(control, entry.enabled);
    }
}

} // namespace

void CreateMainControls(HWND window) {
    HDC dc = GetDC(window);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);

    LayoutPass pass{window, ScaleFromDpi(dpi), 0, 0};
    RECT clientRect{};
    GetClientRect(window, &clientRect);
    pass.contentLeft = ContentLeft(clientRect.right - clientRect.left, pass.scale);

    HFONT uiFont = CreateFontW(Scaled(pass, 18), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
    currentUiFont = uiFont;

    pass.rowY = Scaled(pass, 20); // R0
    CreateChild(pass, L"BUTTON", L"Tamblo", kGroupBox, 0, 0, 0, 560, 320);

    pass.rowY += Scaled(pass, 30); // R1
    CreateChild(pass, L"STATIC", L"Interval", kLabel, 0, 10, 0, 150, 25);

    pass.rowY += Scaled(pass, 35); // R2
    appState.hoursEdit = CreateChild(pass, L"EDIT", L"0", kNumberEdit, IDC_HOURS, 20, 0, 60, 30);
    CreateChild(pass, L"STATIC", L"hours", kLabel, 0, 85, 5, 45, 25);
    appState.minsEdit = CreateChild(pass, L"EDIT", L"0", kNumberEdit, IDC_MINS, 135, 0, 60, 30);
    CreateChild(pass, L"STATIC", L"mins", kLabel, 0, 200, 5, 35, 25);
    appState.secsEdit = CreateChild(pass, L"EDIT", L"0", kNumberEdit, IDC_SECS, 240, 0, 60, 30);
    CreateChild(pass, L"STATIC", L"secs", kLabel, 0, 305, 5, 35, 25);
    appState.millisecsEdit = CreateChild(pass, L"EDIT", L"100", kNumberEdit, IDC_MILLISECS, 345, 0, 60, 30);
    CreateChild(pass, L"STATIC", L"milliseconds", kLabel, 0, 410, 5, 90, 25);

    pass.rowY += Scaled(pass, 50); // R3
    CreateChild(pass, L"STATIC", L"Options", kLabel, 0, 10, 0, 150, 25);
    CreateChild(pass, L"STATIC", L"Mouse button:", kLabel, 0, 25, 35, 100, 25);
    appState.mouseButtonCombo =
        CreateChild(pass, L"COMBOBOX", nullptr, kCombo, IDC_MOUSE_BUTTON, 130, 30, 150, 200);
    AddComboItems(appState.mouseButtonCombo, {L"Left", L"Right", L"Middle"});
    CreateChild(pass, L"STATIC", L"Click type:", kLabel, 0, 25, 75, 100, 25);
    appState.clickTypeCombo =
        CreateChild(pass, L"COMBOBOX", nullptr, kCombo, IDC_CLICK_TYPE, 130, 70, 150, 200);
    AddComboItems(appState.clickTypeCombo, {L"Single", L"Double"});
    appState.cursorPosCheck =
        CreateChild(pass, L"BUTTON", L"Click at position:", kCheckBox, IDC_CURSOR_POS, 25, 115, 140, 25);
    CreateChild(pass, L"STATIC", L"X:", kLabel, 0, 170, 117, 15, 25);
    appState.cursorXEdit = CreateChild(pass, L"EDIT", L"0", kNumberEdit, IDC_CURSOR_X, 190, 115, 60, 25);
    CreateChild(pass, L"STATIC", L"Y:", kLabel, 0, 260, 117, 15, 25);
    appState.cursorYEdit = CreateChild(pass, L"EDIT", L"0", kNumberEdit, IDC_CURSOR_Y, 280, 115, 60, 25);
    appState.cursorLabel =
        CreateChild(pass, L"STATIC", L"Cursor: (0, 0)", kLabel, IDC_CURSOR_LABEL, 355, 117, 150, 25);
    EnableWindow(appState.cursorXEdit, FALSE);
    EnableWindow(appState.cursorYEdit, FALSE);

    CreateChild(pass, L"STATIC", L"Repeat", kLabel, 0, 300, 0, 150, 25);
    appState.repeatRadio = CreateChild(pass, L"BUTTON", L"Repeat", kFirstRadio, IDC_REPEAT, 315, 35, 80, 25);
    appState.repeatTimesEdit =
        CreateChild(pass, L"EDIT", L"1", kNumberEdit, IDC_REPEAT_TIMES, 400, 30, 80, 30);
    CreateCountUpDown(pass, appState.repeatTimesEdit);
    CreateChild(pass, L"STATIC", L"times", kLabel, 0, 485, 35, 50, 25);
    appState.repeatUntilStoppedRadio = CreateChild(pass, L"BUTTON", L"Repeat until stopped", kSecondRadio,
                                                   IDC_REPEAT_UNTIL_STOPPED, 315, 75, 180, 25);
    SendMessageW(appState.repeatUntilStoppedRadio, BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(appState.repeatTimesEdit, FALSE);

    pass.rowY += Scaled(pass, 150); // R4
    std::wstring startCaption = FormatStartCaption(appState.currentHotkey, false);
    appState.startButton =
        CreateChild(pass, L"BUTTON", startCaption.c_str(), kOwnerDrawn, IDC_START, 10, 0, 120, 35);
    appState.statusLabel = CreateChild(pass, L"STATIC", L"Status: Stopped | Clicks: 0", kCentredLabel,
                                       IDC_STATUS, 0, 60, 560, 25);

    pass.rowY += Scaled(pass, 100); // R5
    CreateChild(pass, L"BUTTON", L"Record Mouse and Keyboard", kGroupBox, 0, 0, 0, 560, 120);

    pass.rowY += Scaled(pass, 30); // R6
    std::wstring recordButtonText = FormatRecordCaption(appState.recordHotkey, false);
    appState.recordButton =
        CreateChild(pass, L"BUTTON", recordButtonText.c_str(), kOwnerDrawn, IDC_RECORD, 10, 0, 120, 35);
    std::wstring playbackButtonText = FormatPlaybackCaption(appState.playbackHotkey, false);
    appState.playbackButton =
        CreateChild(pass, L"BUTTON", playbackButtonText.c_str(), kOwnerDrawn, IDC_PLAYBACK, 140, 0, 120, 35);

    pass.rowY += Scaled(pass, 55); // R7
    appState.playbackRepeatRadio =
        CreateChild(pass, L"BUTTON", L"Repeat", kFirstRadio, IDC_PLAYBACK_REPEAT, 10, 0, 80, 25);
    // The count edit sits 5 units above the row; CreateChild takes offsets below it.
    appState.playbackRepeatTimesEdit =
        CreateWindowExW(0, L"EDIT", L"1", kNumberEdit, pass.contentLeft + Scaled(pass, 95),
                        pass.rowY - Scaled(pass, 5), Scaled(pass, 60), Scaled(pass, 30), window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PLAYBACK_REPEAT_TIMES)),
                        appState.instanceHandle, nullptr);
    CreateCountUpDown(pass, appState.playbackRepeatTimesEdit);
    CreateChild(pass, L"STATIC", L"times", kLabel, 0, 160, 0, 50, 25);
    appState.playbackRepeatUntilStoppedRadio =
        CreateChild(pass, L"BUTTON", L"Repeat until stopped", kSecondRadio, IDC_PLAYBACK_REPEAT_UNTIL_STOPPED,
                    220, 0, 180, 25);
    SendMessageW(appState.playbackRepeatRadio, BM_SETCHECK, BST_CHECKED, 0);

    SetWindowTheme(appState.mouseButtonCombo, L"DarkMode_CFD", nullptr);
    SetWindowTheme(appState.clickTypeCombo, L"DarkMode_CFD", nullptr);

    EnumChildWindows(window, SetChildFontProc, reinterpret_cast<LPARAM>(uiFont));

    pass.rowY += Scaled(pass, 60); // R8
    appState.suggestionLabel =
        CreateChild(pass, L"STATIC", kSuggestionText, kSuggestionLabel, 0, 0, 0, 560, 40);
    SendMessageW(appState.suggestionLabel, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), TRUE);
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
    std::vector<ControlSnapshot> snapshot = SnapshotControls(window);
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
    RestoreControls(window, snapshot);
    if (focusedId != 0 && GetDlgItem(window, focusedId) != nullptr) {
        SetFocus(GetDlgItem(window, focusedId));
    }
    if (previousFont != nullptr && previousFont != currentUiFont) {
        DeleteObject(previousFont);
    }
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

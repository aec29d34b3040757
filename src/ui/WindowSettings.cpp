// The window's settings read from and written to its fields, as the control table describes them.
#include "ui/WindowSettings.h"

#include <windows.h>

#include <cwchar>

#include "app/AppState.h"
#include "ui/MainControls.h"

namespace {

void SetNumberField(HWND edit, int32_t value) {
    wchar_t text[32];
    swprintf(text, 32, L"%d", value);
    SetWindowTextW(edit, text);
}

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int32_t ComboSelection(HWND combo) {
    return static_cast<int32_t>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// An index outside the list leaves the combo box with no selection. Windows clears it for any
// such index, Wine only for -1, so an outside index is sent as -1.
void SelectComboIndex(HWND combo, int32_t index) {
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    WPARAM item = index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
    SendMessageW(combo, CB_SETCURSEL, item, 0);
}

// A number field's number, a combo box's selection, or a check.
int32_t ReadSavedValue(const MainControl& control) {
    HWND window = appState.*control.handle;
    switch (control.kind) {
        case ControlKind::NumberEdit: return ReadNumberField(window);
        case ControlKind::Combo: return ComboSelection(window);
        default: return IsButtonChecked(window) ? 1 : 0;
    }
}

// The second button of a radio pair is checked when the first is not.
void WriteSavedValue(const MainControl& control, int32_t value) {
    HWND window = appState.*control.handle;
    switch (control.kind) {
        case ControlKind::NumberEdit: SetNumberField(window, value); break;
        case ControlKind::Combo: SelectComboIndex(window, value); break;
        case ControlKind::SecondRadio: SetChecked(window, value == 0); break;
        default: SetChecked(window, value != 0); break;
    }
}

} // namespace

WindowSettings ReadWindowSettings() {
    WindowSettings s;
    for (const MainControl& control : MainControlTable()) {
        if (control.use.saved != nullptr && control.kind != ControlKind::SecondRadio) {
            s.*control.use.saved = ReadSavedValue(control);
        }
    }
    return s;
}

// The fields that a check box or radio button enables follow the checks just set.
void ApplyWindowSettings(const WindowSettings& s) {
    for (const MainControl& control : MainControlTable()) {
        if (control.use.saved != nullptr) {
            WriteSavedValue(control, s.*control.use.saved);
        }
    }
    for (const MainControl& control : MainControlTable()) {
        if (control.use.enabledBy != nullptr) {
            EnableWindow(appState.*control.handle, IsFieldUsable(control));
        }
    }
}

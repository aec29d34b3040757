// The main window's child controls: the one table that describes them, their creation on the
// design grid, the live cursor readout and the rebuild after a DPI change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "app/AppState.h"
#include "ui/WindowSettings.h"

// How a control is made (class and style), and so what it holds: text, check or selection.
enum class ControlKind : uint8_t {
    GroupBox,
    Label,
    CentredLabel,
    SuggestionLabel,
    NumberEdit,
    Combo,
    CheckBox,
    FirstRadio, // WS_GROUP: starts a radio pair of its own
    SecondRadio,
    OwnerDrawn,
    UpDown,
};

// The runs that disable a control while they run (a bit set).
enum RunLock : uint8_t {
    kLockWhileClicking = 1,
    kLockWhileRecording = 2,
    kLockWhilePlaying = 4,
};

// What the rest of the program does with a control besides showing it.
struct ControlUse {
    uint8_t lockedBy = 0; // RunLock bits
    // The check box or radio button whose check lets this field be used. Such fields are enabled
    // after every other control, so that they come back only once what decides them is back.
    HWND AppState::*enabledBy = nullptr;
    // The state flag that offers this control at all.
    bool AppState::*offeredBy = nullptr;
    // The profile setting it holds; a radio pair is saved as whether its first button is checked.
    int32_t WindowSettings::*saved = nullptr;
    // The text, when it names a hotkey and the run state, and so is composed.
    std::wstring (*caption)() = nullptr;
    // Messages that finish the controls made so far, sent right after this one is made.
    void (*then)(HWND window, HWND created) = nullptr;
};

// One child control of the main window. Positions are in design units (1/96 inch): `rowStep`
// moves the running row down before the control is made, `x` counts from the content column's
// left edge and `y` from the row.
struct MainControl {
    ControlKind kind;
    const wchar_t* text;
    int id = 0;
    int rowStep = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND AppState::*handle = nullptr;
    ControlUse use = {};
};

// Every child control in creation order, which is also the z-order and forms the radio groups.
std::span<const MainControl> MainControlTable();

void CreateMainControls(HWND window);
BOOL CALLBACK SetChildFontProc(HWND child, LPARAM lParam);
BOOL CALLBACK DestroyChildProc(HWND child, LPARAM lParam);
void UpdateCursorLabel();

// A number field's value: at most 31 characters read the way _wtoi reads them.
int32_t ReadNumberField(HWND field);
// True when a check box or radio button is checked.
bool IsButtonChecked(HWND button);

// False for a field whose check box or radio button (its `use.enabledBy`) is not checked.
bool IsFieldUsable(const MainControl& control);

// Enables the fields that the check of `enabler` lets be used (their `use.enabledBy`), or
// disables them when it is not checked.
void EnableFieldsOf(HWND AppState::*enabler);

// Moves the window to the suggested rectangle and re-creates every control at the new DPI,
// keeping what each control held (text, selection, check and enabled state, and which field
// had the focus with its caret), so that a move to another monitor changes nothing but the size.
void RebuildMainControls(HWND window, const RECT* suggested);

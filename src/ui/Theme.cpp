#include "ui/Theme.h"

#include "app/AppState.h"
#include "base/Scoped.h"
#include "ui/ThemeLogic.h"

static_assert(kItemSelected == ODS_SELECTED && kItemFocus == ODS_FOCUS);

void CreateThemeBrushes() {
    appState.backgroundBrush = CreateSolidBrush(kBackgroundColour);
    appState.controlBrush = CreateSolidBrush(kFieldColour);
    appState.accentBrush = CreateSolidBrush(kAccentColour);
}

void DeleteThemeBrushes() {
    for (HBRUSH brush : {appState.backgroundBrush, appState.controlBrush, appState.accentBrush}) {
        if (brush != nullptr) {
            DeleteObject(brush);
        }
    }
}

LRESULT OnCtlColorStatic(HDC dc) {
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, kBackgroundColour);
    return reinterpret_cast<LRESULT>(appState.backgroundBrush);
}

LRESULT OnCtlColorEdit(HDC dc, HWND control) {
    SetTextColor(dc, IsWindowEnabled(control) ? kTextColour : kDisabledTextColour);
    SetBkColor(dc, kFieldColour);
    return reinterpret_cast<LRESULT>(appState.controlBrush);
}

LRESULT OnCtlColorListBox(HDC dc) {
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, kFieldColour);
    return reinterpret_cast<LRESULT>(appState.controlBrush);
}

LRESULT OnCtlColorButton() {
    return reinterpret_cast<LRESULT>(appState.accentBrush);
}

BOOL DrawOwnerButton(const DRAWITEMSTRUCT* item) {
    int fontHeight = MulDiv(18, static_cast<int>(appState.windowDpi), 96);

    uint32_t face = 0;
    if (!ChooseButtonFace(static_cast<int>(item->CtlID), item->itemState, appState.isRecording,
                          appState.isPlaying.load(), &face)) {
        return FALSE;
    }

    RECT rect = item->rcItem;
    FillRect(item->hDC, &rect, ScopedGdiObject<HBRUSH>(CreateSolidBrush(face)).get());

    wchar_t caption[32] = {};
    GetWindowTextW(item->hwndItem, caption, 32);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, kTextColour);

    ScopedGdiObject<HFONT> captionFont(CreateFontW(
        fontHeight, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI"));
    ScopedSelection selected = SelectScoped(item->hDC, captionFont.get());
    DrawTextW(item->hDC, caption, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return TRUE;
}

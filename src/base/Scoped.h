// Owners for short-lived system objects, so that every path out of a function gives them back.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A kernel handle (file, event, thread); never INVALID_HANDLE_VALUE, which CreateFileW's callers map to null.
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A brush or font made for one paint.
template <typename Object>
using ScopedGdiObject = std::unique_ptr<std::remove_pointer_t<Object>, GdiObjectDeleter>;

struct DcReleaser {
    HWND window;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
// A window's (or, with null, the screen's) device context from GetDC.
using ScopedWindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser>;

inline ScopedWindowDc GetScopedDc(HWND window) {
    return ScopedWindowDc(GetDC(window), DcReleaser{window});
}

struct SelectionUndoer {
    HGDIOBJ previous;
    void operator()(HDC dc) const { SelectObject(dc, previous); }
};
// Selects an object into a device context until the scope ends. Declare the object first, so that
// it is selected out again before it is deleted.
using ScopedSelection = std::unique_ptr<std::remove_pointer_t<HDC>, SelectionUndoer>;

inline ScopedSelection SelectScoped(HDC dc, HGDIOBJ object) {
    return ScopedSelection(dc, SelectionUndoer{SelectObject(dc, object)});
}

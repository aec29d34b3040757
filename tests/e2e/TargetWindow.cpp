// A plain window that the end-to-end tests aim Tamblo's clicks, playback and keys at. It appends one
// line per input message it receives to a log file, flushed at once, so a test can read what arrived:
//
//   TargetWindow.exe LOGFILE [X Y WIDTH HEIGHT]
//
//   READY hwnd=0x... client=X,Y,W,H          once the window is shown (client area in screen pixels)
//   LBUTTONDOWN x=.. y=.. sx=.. sy=..         client and screen position; also LBUTTONUP, RBUTTON*,
//                                             MBUTTON* and XBUTTON*
//   WHEEL delta=-120 sx=.. sy=..              signed wheel delta and the screen position
//   KEYDOWN vk=0x41 scan=0x1e ext=0 prev=0    also KEYUP, SYSKEYDOWN, SYSKEYUP
//   HELD 0x01 0x10                            keys and buttons down per GetAsyncKeyState, or HELD none;
//                                             written on WM_TARGET_REPORT_HELD and before EXIT
//   EXIT
//
// Under Wine a key injected by scan code alone arrives with virtual key 0, so the scan code is
// logged with every key message.
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

// Posted by a test (TamblDriver post TamblTarget 0x8001 0 0) to have the held inputs logged.
const UINT WM_TARGET_REPORT_HELD = WM_APP + 1;
const wchar_t kClassName[] = L"TamblTarget";

FILE* logFile = nullptr;

void LogLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(logFile, format, args);
    va_end(args);
    fputc('\n', logFile);
    fflush(logFile);
}

void LogMouse(const char* name, HWND window, LPARAM lParam) {
    POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const POINT client = screen;
    ClientToScreen(window, &screen);
    LogLine("%s x=%ld y=%ld sx=%ld sy=%ld", name, client.x, client.y, screen.x, screen.y);
}

void LogKey(const char* name, WPARAM wParam, LPARAM lParam) {
    const unsigned scan = (static_cast<unsigned>(lParam) >> 16) & 0xFF;
    const unsigned extended = (static_cast<unsigned>(lParam) >> 24) & 1;
    const unsigned previous = (static_cast<unsigned>(lParam) >> 30) & 1;
    LogLine("%s vk=0x%02x scan=0x%02x ext=%u prev=%u", name, static_cast<unsigned>(wParam), scan, extended,
            previous);
}

void LogHeld() {
    char line[1024] = "HELD";
    size_t used = 4;
    bool any = false;
    for (int vk = 1; vk < 255; ++vk) {
        if ((GetAsyncKeyState(vk) & 0x8000) && used + 6 < sizeof line) {
            used += static_cast<size_t>(snprintf(line + used, sizeof line - used, " 0x%02x", vk));
            any = true;
        }
    }
    LogLine("%s", any ? line : "HELD none");
}

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN: LogMouse("LBUTTONDOWN", window, lParam); return 0;
        case WM_LBUTTONUP: LogMouse("LBUTTONUP", window, lParam); return 0;
        case WM_RBUTTONDOWN: LogMouse("RBUTTONDOWN", window, lParam); return 0;
        case WM_RBUTTONUP: LogMouse("RBUTTONUP", window, lParam); return 0;
        case WM_MBUTTONDOWN: LogMouse("MBUTTONDOWN", window, lParam); return 0;
        case WM_MBUTTONUP: LogMouse("MBUTTONUP", window, lParam); return 0;
        case WM_XBUTTONDOWN: LogMouse("XBUTTONDOWN", window, lParam); return TRUE;
        case WM_XBUTTONUP: LogMouse("XBUTTONUP", window, lParam); return TRUE;
        case WM_MOUSEWHEEL:
            LogLine("WHEEL delta=%d sx=%d sy=%d", GET_WHEEL_DELTA_WPARAM(wParam),
                    static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_KEYDOWN: LogKey("KEYDOWN", wParam, lParam); return 0;
        case WM_KEYUP: LogKey("KEYUP", wParam, lParam); return 0;
        case WM_SYSKEYDOWN: LogKey("SYSKEYDOWN", wParam, lParam); return 0;
        case WM_SYSKEYUP: LogKey("SYSKEYUP", wParam, lParam); return 0;
        case WM_TARGET_REPORT_HELD: LogHeld(); return 0;
        case WM_DESTROY:
            LogHeld();
            LogLine("EXIT");
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    if (__argc < 2) {
        MessageBoxW(nullptr, L"TargetWindow.exe LOGFILE [X Y WIDTH HEIGHT]", L"Tamblo Target", MB_OK);
        return 2;
    }
    logFile = _wfopen(__wargv[1], L"ab");
    if (!logFile) {
        return 3;
    }
    int x = 100, y = 100, width = 400, height = 300;
    if (__argc >= 6) {
        x = _wtoi(__wargv[2]);
        y = _wtoi(__wargv[3]);
        width = _wtoi(__wargv[4]);
        height = _wtoi(__wargv[5]);
    }

    WNDCLASSEXW wcex = {};
    wcex.cbSize = sizeof wcex;
    wcex.lpfnWndProc = TargetWindowProc;
    wcex.hInstance = instance;
    wcex.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wcex.lpszClassName = kClassName;
    RegisterClassExW(&wcex);

    HWND window = CreateWindowExW(0, kClassName, L"Tamblo Target", WS_OVERLAPPEDWINDOW, x, y, width, height,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 4;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);

    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    LogLine("READY hwnd=0x%llx client=%ld,%ld,%ld,%ld",
            static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)), origin.x, origin.y,
            client.right, client.bottom);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    fclose(logFile);
    return 0;
}

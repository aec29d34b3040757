// The window the end-to-end tests aim clicks, playback and keys at: TargetWindow.exe LOGFILE [X Y W H].
// It appends one flushed line per input message to LOGFILE:
//   READY hwnd=... client=X,Y,W,H          once shown (client area in screen pixels)
//   LBUTTONDOWN x=.. y=.. sx=.. sy=..       client and screen position; also *UP, R/M/XBUTTON*
//   WHEEL delta=-120 sx=.. sy=..
//   KEYDOWN vk=0x41 scan=0x1e ext=0 prev=0  also KEYUP, SYSKEYDOWN, SYSKEYUP; under Wine a key
//                                           injected by scan code alone arrives with vk 0
//   HELD 0x01 0x10 | HELD none              what GetAsyncKeyState sees down, on WM_APP + 1 and at exit
//   EXIT
#include <windows.h>
#include <stdio.h>

namespace {

FILE* logFile = nullptr;
// By message - WM_KEYDOWN and message - WM_LBUTTONDOWN (the class gets no double clicks).
const char* const kKeys[] = {"KEYDOWN", "KEYUP", nullptr, nullptr, "SYSKEYDOWN", "SYSKEYUP"};
const char* const kMouse[] = {"LBUTTONDOWN", "LBUTTONUP", nullptr, "RBUTTONDOWN", "RBUTTONUP",   nullptr,
                              "MBUTTONDOWN", "MBUTTONUP", nullptr, nullptr,       "XBUTTONDOWN", "XBUTTONUP"};

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, screen = at;
    const unsigned bits = static_cast<unsigned>(lParam);
    if (message >= WM_KEYDOWN && message <= WM_SYSKEYUP && kKeys[message - WM_KEYDOWN]) {
        fprintf(logFile, "%s vk=0x%02x scan=0x%02x ext=%u prev=%u\n", kKeys[message - WM_KEYDOWN],
                static_cast<unsigned>(wParam), (bits >> 16) & 0xFF, (bits >> 24) & 1, (bits >> 30) & 1);
    } else if (message == WM_MOUSEWHEEL) { // its position is on the screen already
        fprintf(logFile, "WHEEL delta=%d sx=%ld sy=%ld\n", GET_WHEEL_DELTA_WPARAM(wParam), at.x, at.y);
    } else if (message >= WM_LBUTTONDOWN && message <= WM_XBUTTONUP && kMouse[message - WM_LBUTTONDOWN]) {
        ClientToScreen(window, &screen);
        fprintf(logFile, "%s x=%ld y=%ld sx=%ld sy=%ld\n", kMouse[message - WM_LBUTTONDOWN], at.x, at.y,
                screen.x, screen.y);
    } else if (message == WM_APP + 1 || message == WM_DESTROY) {
        fputs("HELD", logFile);
        int held = 0;
        for (int vk = 1; vk < 255; ++vk) {
            held += (GetAsyncKeyState(vk) & 0x8000) && fprintf(logFile, " 0x%02x", vk);
        }
        fputs(held ? "\n" : " none\n", logFile);
        fputs(message == WM_DESTROY ? "EXIT\n" : "", logFile);
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
        }
    } else {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    fflush(logFile);
    return TRUE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    logFile = __argc >= 2 ? _wfopen(__wargv[1], L"ab") : nullptr;
    int place[4] = {100, 100, 400, 300};
    for (int i = 0; i < 4 && __argc >= 6; ++i) {
        place[i] = _wtoi(__wargv[2 + i]);
    }
    WNDCLASSEXW wcex = {};
    wcex.cbSize = sizeof wcex;
    wcex.lpfnWndProc = TargetWindowProc;
    wcex.hInstance = instance;
    wcex.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wcex.lpszClassName = L"TamblTarget";
    HWND window =
        logFile && RegisterClassExW(&wcex)
            ? CreateWindowExW(0, L"TamblTarget", L"Tamblo Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place[0],
                              place[1], place[2], place[3], nullptr, nullptr, instance, nullptr)
            : nullptr;
    if (!window) {
        return 2;
    }
    SetForegroundWindow(window);
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    fprintf(logFile, "READY hwnd=%p client=%ld,%ld,%ld,%ld\n", static_cast<void*>(window), client.left,
            client.top, client.right - client.left, client.bottom - client.top);
    fflush(logFile);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

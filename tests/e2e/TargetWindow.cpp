// The window the end-to-end tests aim input at: TargetWindow.exe LOGFILE X Y WIDTH HEIGHT. It appends
// a line per input message to LOGFILE: "READY hwnd=.. client=X,Y,W,H" (on the screen) once shown;
// "LBUTTONDOWN x=.. y=.. sx=.. sy=.." (client and screen position; also *UP, R/M/XBUTTON*); "WHEEL
// delta=-120 sx=.. sy=.."; "KEYDOWN vk=0x41 scan=0x1e ext=0 prev=0" (also KEYUP, SYSKEY*; under Wine a
// key injected by scan code alone has vk 0); "HELD 0x01 0x10" or "HELD none" (what GetAsyncKeyState
// sees down) on WM_APP + 1 and at exit; "EXIT". An edit control (id 100, top left; its own mouse
// input is not logged) types the keys it gets, as a real application's would; keys are logged
// wherever the focus is.
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
    if (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) {
        return 0; // logged by the message loop; kept from the default handling (Alt+F4, menu keys)
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
        if (message == WM_DESTROY) {
            fputs("EXIT\n", logFile);
            PostQuitMessage(0);
        }
    } else {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    fflush(logFile);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    logFile = argc == 6 ? _wfopen(argv[1], L"ab") : nullptr;
    const WNDCLASSW wc = {0,       TargetWindowProc, 0,       0,       nullptr,
                          nullptr, nullptr,          nullptr, nullptr, L"TamblTarget"};
    HWND window = logFile && RegisterClassW(&wc)
                      ? CreateWindowExW(0, L"TamblTarget", L"Tamblo Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]),
                                        nullptr, nullptr, nullptr, nullptr)
                      : nullptr;
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, window,
                                reinterpret_cast<HMENU>(100), nullptr, nullptr);
    if (!window || !edit) {
        return 2;
    }
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    fprintf(logFile, "READY hwnd=%p client=%ld,%ld,%ld,%ld\n", static_cast<void*>(window), client.left,
            client.top, client.right - client.left, client.bottom - client.top);
    fflush(logFile);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const unsigned bits = static_cast<unsigned>(msg.lParam);
        if (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP && kKeys[msg.message - WM_KEYDOWN]) {
            fprintf(logFile, "%s vk=0x%02x scan=0x%02x ext=%u prev=%u\n", kKeys[msg.message - WM_KEYDOWN],
                    static_cast<unsigned>(msg.wParam), (bits >> 16) & 0xFF, (bits >> 24) & 1,
                    (bits >> 30) & 1);
            fflush(logFile);
        }
        if (msg.hwnd == edit) {
            TranslateMessage(&msg); // the window itself gets no characters: they are not logged
        }
        DispatchMessageW(&msg);
    }
    return 0;
}

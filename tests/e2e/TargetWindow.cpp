// The window the end-to-end tests aim input at: TargetWindow.exe LOGFILE X Y WIDTH HEIGHT. Once shown
// it appends "READY client=X,Y,W,H" (on the screen) to LOGFILE, then a line per key, mouse button and
// wheel message that it or its edit control (id 100, top left, typing as a real application's does)
// gets: "0100 vk=41 scan=01e prev=0" (WM_KEYDOWN; scan 0x100 is the extended bit; under Wine a key
// injected by scan code alone has vk 0), "0201 w=0 sx=.. sy=.." (WM_LBUTTONDOWN at that screen
// point; w: the high word of wParam, the wheel delta or the X button).
#include <windows.h>
#include <stdio.h>

namespace {

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    FILE* log = argc == 6 ? _wfopen(argv[1], L"ab") : nullptr;
    const WNDCLASSW wc = {0,       TargetWindowProc, 0,       0,       nullptr,
                          nullptr, nullptr,          nullptr, nullptr, L"TamblTarget"};
    HWND window = log && RegisterClassW(&wc)
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
    fprintf(log, "READY client=%ld,%ld,%ld,%ld\n", client.left, client.top, client.right, client.bottom);
    fflush(log);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const unsigned m = msg.message;
        const unsigned bits = static_cast<unsigned>(msg.lParam);
        if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) {
            fprintf(log, "%04x vk=%02x scan=%03x prev=%u\n", m, static_cast<unsigned>(msg.wParam),
                    (bits >> 16) & 0x1FF, (bits >> 30) & 1);
        } else if (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) {
            fprintf(log, "%04x w=%d sx=%ld sy=%ld\n", m, static_cast<short>(HIWORD(msg.wParam)), msg.pt.x,
                    msg.pt.y);
        }
        fflush(log);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

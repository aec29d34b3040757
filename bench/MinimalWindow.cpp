// The smallest Win32 window program, built exactly like Tamblo.exe (static, -municode): the
// baseline for bench/startup.sh and bench/clicker/idle_cpu.sh. With the argument "poll" it also
// reads the cursor on a 50 ms timer and writes it into a label, as Tamblo's cursor readout does.
#include <windows.h>

#include <cwchar>

static HWND label = nullptr;

static LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        POINT cursor{};
        GetCursorPos(&cursor);
        wchar_t text[64];
        std::swprintf(text, 64, L"Cursor: (%d, %d)", static_cast<int>(cursor.x), static_cast<int>(cursor.y));
        SetWindowTextW(label, text);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
    WNDCLASSEXW wcex = {};
    wcex.cbSize = sizeof wcex;
    wcex.lpfnWndProc = MinimalWindowProc;
    wcex.hInstance = instance;
    wcex.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wcex.lpszClassName = L"MinimalWindow";
    RegisterClassExW(&wcex);
    HWND window = CreateWindowExW(0, L"MinimalWindow", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 400,
                                  300, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 0;
    }
    if (std::wcscmp(commandLine, L"poll") == 0) {
        label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 25, window, nullptr,
                                instance, nullptr);
        SetTimer(window, 2, 50, nullptr);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

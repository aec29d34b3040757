// The window the click-rate benchmark aims Tamblo at: it notes the performance-counter time of
// every left press it receives, and of every mark a script sends (WM_APP + 1, through TamblDriver's
// "send ClickSink 0 32769 0 0"), one line each; the presses are kept in memory and written at the
// next mark, so that writing does not slow the window down:
//   ClickSink.exe LOGFILE X Y WIDTH HEIGHT
//   READY x y            the client area's top left corner on screen
//   D 1234.567           a press, milliseconds on the performance counter
//   M 1234.567           a mark
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

FILE* logFile = nullptr;
std::vector<double> presses;

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void Mark() {
    const double now = NowMs();
    for (double press : presses) {
        std::fprintf(logFile, "D %.3f\n", press);
    }
    presses.clear();
    std::fprintf(logFile, "M %.3f\n", now);
    std::fflush(logFile);
}

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN: presses.push_back(NowMs()); return 0;
        case WM_APP + 1: Mark(); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    if (__argc < 6 || (logFile = _wfopen(__wargv[1], L"w")) == nullptr) {
        return 2;
    }
    WNDCLASSEXW wcex{};
    wcex.cbSize = sizeof wcex;
    wcex.lpfnWndProc = SinkProc;
    wcex.hInstance = instance;
    wcex.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wcex.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wcex.lpszClassName = L"ClickSink";
    RegisterClassExW(&wcex);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"ClickSink", L"ClickSink", WS_POPUP | WS_VISIBLE,
                                  _wtoi(__wargv[2]), _wtoi(__wargv[3]), _wtoi(__wargv[4]), _wtoi(__wargv[5]),
                                  nullptr, nullptr, instance, nullptr);
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    std::fprintf(logFile, "READY %ld %ld\n", corner.x, corner.y);
    std::fflush(logFile);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    std::fclose(logFile);
    return 0;
}

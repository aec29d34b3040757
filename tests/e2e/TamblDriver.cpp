// Drives Tamblo and its boxes from outside for the end-to-end tests and benchmarks, and is the window of
// another program they aim input at. NAME is a window class or "CLASS/TITLE" ("#32770/About Tamblo"), ID
// a control (0: the window itself); a missing window is waited for. Exit code 0, 1 on failure, 2 on usage.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string>

namespace {

struct Arguments {
    wchar_t** s; // the arguments after the command's name
    long n[6];   // the first ones as numbers (decimal or 0x hexadecimal)
};
using Args = const Arguments&;

template <typename Done> bool Poll(long timeoutMs, Done done) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done() && GetTickCount64() < end) {
        Sleep(20);
    }
    return done();
}

HWND Window(const wchar_t* name, long timeoutMs = 20000) {
    const wchar_t* slash = wcschr(name, L'/');
    const std::wstring className = slash ? std::wstring(name, slash) : name;
    HWND w = nullptr;
    Poll(timeoutMs, [&] { return w = FindWindowW(className.c_str(), slash ? slash + 1 : nullptr); });
    return w;
}

HWND Control(Args a) {
    return a.n[1] ? GetDlgItem(Window(a.s[0]), a.n[1]) : Window(a.s[0]);
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
}

bool PrintText(HWND window) {
    wchar_t text[4096] = L"";
    return Send(window, WM_GETTEXT, 4096, (LPARAM)text) && printf("%ls\n", text) > 0; // ASCII texts only
}

// x y width height on the screen: of a window or control, or of its client area.
bool PrintRect(HWND window, bool client) {
    RECT r;
    if (!window || !(client ? GetClientRect(window, &r) : GetWindowRect(window, &r))) {
        return false;
    }
    MapWindowPoints(client ? window : nullptr, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top) > 0;
}

// Posted, never sent: the command may open a modal loop, which would block us.
bool PostCommand(HWND window, long id) {
    return window && PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// Returns once that very dialog is gone: the next box may carry the same title.
bool Press(HWND dialog, long id) {
    return PostCommand(dialog, id) && Poll(10000, [&] { return !IsWindow(dialog); });
}

bool Close(Args a) {
    HWND window = Window(a.s[0]);
    DWORD pid = 0, code = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    return window && PostMessageW(window, WM_CLOSE, 0, 0) &&
           WaitForSingleObject(process, a.n[1] ? a.n[1] : 10000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process, &code) && printf("%lu\n", code) > 0;
}

// The file-name field: the Edit in control 0x47C (cmb13), which Wine makes a ComboBoxEx32 holding a ComboBox.
bool ChooseFile(HWND dialog, const wchar_t* path) {
    HWND combo = FindWindowExW(GetDlgItem(dialog, 0x47C), nullptr, L"ComboBox", nullptr);
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    return Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path)) && Press(dialog, IDOK);
}

// The window input is aimed at, with an edit control (id 100) at the top left that types as a real
// application's does. It appends to LOGFILE a line per key, mouse button and wheel message either gets:
// "0100 vk=41 scan=01e prev=0" (WM_KEYDOWN; scan 0x100 is the extended bit; under Wine a key injected by
// scan code alone has vk 0), "0201 w=0 sx=.. sy=.." (WM_LBUTTONDOWN at that screen point; w: the high
// word of wParam, the wheel delta or X button).
bool RunTarget(Args a) {
    FILE* log = _wfopen(a.s[0], L"ab");
    const WNDCLASSW wc = {0,       DefWindowProcW, 0,       0,       nullptr,
                          nullptr, nullptr,        nullptr, nullptr, L"TamblTarget"};
    HWND window = log && RegisterClassW(&wc)
                      ? CreateWindowExW(0, L"TamblTarget", L"Tamblo Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        a.n[1], a.n[2], a.n[3], a.n[4], nullptr, nullptr, nullptr, nullptr)
                      : nullptr;
    if (!CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, window,
                         reinterpret_cast<HMENU>(100), nullptr, nullptr)) {
        return false;
    }
    MSG msg;
    while (fflush(log) == 0 && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const unsigned m = msg.message;
        const unsigned bits = static_cast<unsigned>(msg.lParam);
        if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) {
            fprintf(log, "%04x vk=%02x scan=%03x prev=%u\n", m, static_cast<unsigned>(msg.wParam),
                    (bits >> 16) & 0x1FF, (bits >> 30) & 1);
        } else if (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) {
            fprintf(log, "%04x w=%d sx=%ld sy=%ld\n", m, static_cast<short>(HIWORD(msg.wParam)), msg.pt.x,
                    msg.pt.y);
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

// Times are in milliseconds; X Y are screen coordinates.
const struct {
    const wchar_t* name;
    int argCount;
    bool (*run)(Args a);
} kCommands[] = {
    {L"wait-window", 2,
     [](Args a) { return Poll(a.n[1], [&] { return IsWindowVisible(Window(a.s[0], 0)); }); }},
    {L"rect", 1, [](Args a) { return PrintRect(Control(a), false); }},
    {L"client-rect", 1, [](Args a) { return PrintRect(Control(a), true); }},
    {L"get-text", 2, [](Args a) { return PrintText(Control(a)); }},
    {L"set-text", 3, [](Args a) { return Send(Control(a), WM_SETTEXT, 0, (LPARAM)a.s[2]); }},
    {L"command", 2, [](Args a) { return PostCommand(Window(a.s[0]), a.n[1]); }},
    {L"send", 5, [](Args a) { return Send(Control(a), a.n[2], a.n[3], a.n[4]); }},
    {L"focus", 1,
     [](Args a) { return SetForegroundWindow(Control(a)) && GetForegroundWindow() == Control(a); }},
    {L"close", 1, Close},
    {L"choose", 2, [](Args a) { return ChooseFile(Window(a.s[0]), a.s[1]); }},
    {L"press", 2, [](Args a) { return Press(Window(a.s[0]), a.n[1]); }},
    {L"target", 5, RunTarget},
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY); // "\n" line ends for the shell
    Arguments a = {argv + 2, {}};
    for (int i = 0; i < argc - 2 && i < 6; ++i) {
        a.n[i] = wcstol(a.s[i], nullptr, 0);
    }
    for (const auto& command : kCommands) {
        if (argc - 2 >= command.argCount && wcscmp(argv[1], command.name) == 0) {
            return command.run(a) ? 0 : 1;
        }
    }
    fputs("usage: TamblDriver COMMAND ARGS... (see TamblDriver.cpp)\n", stderr);
    return 2;
}

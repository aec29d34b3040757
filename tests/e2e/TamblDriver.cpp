// Drives a running Tamblo (or any window) from outside for the end-to-end tests: finds windows by
// class, reads and changes controls, posts commands, injects input and watches processes end.
// Every command prints its result on one line and exits 0 on success, 1 on failure, 2 on bad usage.
// Windows are named by class; "CLASS/TITLE" picks a window of that class by its title too (for
// dialogs: "#32770/About Tamblo"). Numbers may be decimal or 0x hexadecimal.
#include <windows.h>
#include <fcntl.h>
#include <stdarg.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <string>

namespace {

const UINT kSendTimeoutMs = 5000;

struct Command {
    const wchar_t* name;
    int argCount; // required arguments after the name; more are allowed where the usage says so
    const char* usage;
    int (*run)(int argc, wchar_t** argv);
};

int Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    fputs("TamblDriver: ", stderr);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
    return 1;
}

long long Number(const wchar_t* text) {
    return wcstoll(text, nullptr, 0);
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(strlen(out.c_str()));
    return out;
}

HWND FindByName(const wchar_t* name) {
    const std::wstring classAndTitle(name);
    const size_t slash = classAndTitle.find(L'/');
    if (slash == std::wstring::npos) {
        return FindWindowW(name, nullptr);
    }
    const std::wstring className = classAndTitle.substr(0, slash);
    const std::wstring title = classAndTitle.substr(slash + 1);
    return FindWindowW(className.c_str(), title.c_str());
}

HWND Window(const wchar_t* name) {
    HWND window = FindByName(name);
    if (!window) {
        Fail("no window %s", Utf8(name).c_str());
    }
    return window;
}

// Id 0 names the window itself, any other id its child control.
HWND Control(const wchar_t* name, const wchar_t* id) {
    HWND window = Window(name);
    if (!window) {
        return nullptr;
    }
    const int childId = static_cast<int>(Number(id));
    if (childId == 0) {
        return window;
    }
    HWND child = GetDlgItem(window, childId);
    if (!child) {
        Fail("window %s has no control %d", Utf8(name).c_str(), childId);
    }
    return child;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               result ? result : &ignored) != 0;
}

void PrintRect(const RECT& rect) {
    printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// Waits for a process to end and prints its exit code; the handle must have been opened while the
// process still ran.
int WaitAndReport(HANDLE process, DWORD timeoutMs) {
    const DWORD waited = WaitForSingleObject(process, timeoutMs);
    DWORD code = 0;
    const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ended) {
        return Fail("process still running after %lu ms", timeoutMs);
    }
    printf("%lu\n", code);
    return 0;
}

HANDLE OpenWindowProcess(HWND window, DWORD access) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(access, FALSE, pid);
    if (!process) {
        Fail("cannot open process %lu (error %lu)", pid, GetLastError());
    }
    return process;
}

int WaitWindow(int argc, wchar_t** argv) {
    const DWORD timeoutMs = static_cast<DWORD>(Number(argv[1]));
    const DWORD start = GetTickCount();
    (void)argc;
    do {
        HWND window = FindByName(argv[0]);
        if (window && IsWindowVisible(window)) {
            printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
            return 0;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return Fail("no visible window %s after %lu ms", Utf8(argv[0]).c_str(), timeoutMs);
}

int WaitGone(int, wchar_t** argv) {
    const DWORD timeoutMs = static_cast<DWORD>(Number(argv[1]));
    const DWORD start = GetTickCount();
    while (FindByName(argv[0])) {
        if (GetTickCount() - start >= timeoutMs) {
            return Fail("window %s still there after %lu ms", Utf8(argv[0]).c_str(), timeoutMs);
        }
        Sleep(20);
    }
    return 0;
}

int Pid(int, wchar_t** argv) {
    HWND window = Window(argv[0]);
    if (!window) {
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    printf("%lu\n", pid);
    return 0;
}

int Handle(int, wchar_t** argv) {
    HWND control = Control(argv[0], argv[1]);
    if (!control) {
        return 1;
    }
    printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(control)));
    return 0;
}

int Rect(int, wchar_t** argv) {
    HWND window = Window(argv[0]);
    RECT rect;
    if (!window || !GetWindowRect(window, &rect)) {
        return 1;
    }
    PrintRect(rect);
    return 0;
}

int ClientRect(int, wchar_t** argv) {
    HWND window = Window(argv[0]);
    RECT rect;
    if (!window || !GetClientRect(window, &rect)) {
        return 1;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    PrintRect(rect);
    return 0;
}

int ChildRect(int, wchar_t** argv) {
    HWND child = Control(argv[0], argv[1]);
    RECT rect;
    if (!child || !GetWindowRect(child, &rect)) {
        return 1;
    }
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    PrintRect(rect);
    return 0;
}

int GetText(int, wchar_t** argv) {
    HWND control = Control(argv[0], argv[1]);
    wchar_t text[4096] = L"";
    DWORD_PTR length = 0;
    if (!control ||
        !Send(control, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text), &length)) {
        return control ? Fail("WM_GETTEXT got no answer") : 1;
    }
    printf("%s\n", Utf8(text).c_str());
    return 0;
}

int SetText(int, wchar_t** argv) {
    HWND control = Control(argv[0], argv[1]);
    if (!control || !Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2]), nullptr)) {
        return control ? Fail("WM_SETTEXT got no answer") : 1;
    }
    return 0;
}

int IsEnabled(int, wchar_t** argv) {
    HWND control = Control(argv[0], argv[1]);
    if (!control) {
        return 1;
    }
    printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
    return 0;
}

// Posts (never sends) so that a command that opens a modal dialog or message box does not block us.
int CommandId(int, wchar_t** argv) {
    HWND window = Window(argv[0]);
    if (!window) {
        return 1;
    }
    const int id = static_cast<int>(Number(argv[1]));
    HWND child = GetDlgItem(window, id);
    if (!PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(child))) {
        return Fail("PostMessage failed (error %lu)", GetLastError());
    }
    return 0;
}

int SendMessageCommand(int, wchar_t** argv) {
    HWND control = Control(argv[0], argv[1]);
    DWORD_PTR result = 0;
    if (!control || !Send(control, static_cast<UINT>(Number(argv[2])), static_cast<WPARAM>(Number(argv[3])),
                          static_cast<LPARAM>(Number(argv[4])), &result)) {
        return control ? Fail("message got no answer") : 1;
    }
    printf("%lld\n", static_cast<long long>(result));
    return 0;
}

int PostMessageCommand(int, wchar_t** argv) {
    HWND control = Control(argv[0], argv[1]);
    if (!control ||
        !PostMessageW(control, static_cast<UINT>(Number(argv[2])), static_cast<WPARAM>(Number(argv[3])),
                      static_cast<LPARAM>(Number(argv[4])))) {
        return control ? Fail("PostMessage failed (error %lu)", GetLastError()) : 1;
    }
    return 0;
}

// WM_DPICHANGED carries a pointer to the suggested window rectangle, and neither Windows nor Wine 8
// copies that RECT across processes: the receiver gets the pointer value as it was sent, so a RECT
// in our own memory would be read as garbage there (measured: the window took a rectangle of
// 1292 x 27). The RECT is therefore written into the target's address space and that address sent.
int SendDpiChanged(int, wchar_t** argv) {
    HWND window = Window(argv[0]);
    if (!window) {
        return 1;
    }
    const WORD dpi = static_cast<WORD>(Number(argv[1]));
    RECT suggested;
    suggested.left = static_cast<LONG>(Number(argv[2]));
    suggested.top = static_cast<LONG>(Number(argv[3]));
    suggested.right = suggested.left + static_cast<LONG>(Number(argv[4]));
    suggested.bottom = suggested.top + static_cast<LONG>(Number(argv[5]));

    HANDLE process = OpenWindowProcess(window, PROCESS_VM_OPERATION | PROCESS_VM_WRITE);
    if (!process) {
        return 1;
    }
    void* remote =
        VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    if (!remote || !WriteProcessMemory(process, remote, &suggested, sizeof suggested, &written)) {
        CloseHandle(process);
        return Fail("cannot place the RECT in the target (error %lu)", GetLastError());
    }
    DWORD_PTR result = 0;
    const bool answered =
        Send(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote), &result);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!answered) {
        return Fail("WM_DPICHANGED got no answer");
    }
    printf("%lld\n", static_cast<long long>(result));
    return 0;
}

int Focus(int, wchar_t** argv) {
    HWND window = Window(argv[0]);
    if (!window) {
        return 1;
    }
    SetForegroundWindow(window);
    return GetForegroundWindow() == window ? 0 : Fail("window did not come to the foreground");
}

// Posts WM_CLOSE and waits for the owning process to end; prints its exit code.
int Close(int argc, wchar_t** argv) {
    HWND window = Window(argv[0]);
    if (!window) {
        return 1;
    }
    HANDLE process = OpenWindowProcess(window, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process) {
        return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitAndReport(process, argc > 1 ? static_cast<DWORD>(Number(argv[1])) : 10000);
}

int WaitExit(int, wchar_t** argv) {
    const DWORD pid = static_cast<DWORD>(Number(argv[0]));
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) {
        return Fail("cannot open process %lu (error %lu)", pid, GetLastError());
    }
    return WaitAndReport(process, static_cast<DWORD>(Number(argv[1])));
}

// Starts PATH with ARGS (each quoted) and does not wait for it; false after reporting a failure.
// The program gets NUL for its standard handles and none of ours: under Wine it would otherwise hold
// our output open, and a shell reading that output through a pipe would wait for the program to end.
bool StartProcess(int argc, wchar_t** argv, PROCESS_INFORMATION* info) {
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    }
    std::wstring commandLine;
    for (int i = 0; i < argc; ++i) {
        commandLine += (i ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    }
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    const BOOL started = CreateProcessW(argv[0], &commandLine[0], nullptr, nullptr, TRUE, DETACHED_PROCESS,
                                        nullptr, nullptr, &startup, info);
    const DWORD error = GetLastError();
    if (nul != INVALID_HANDLE_VALUE) {
        CloseHandle(nul);
    }
    if (!started) {
        Fail("cannot start %s (error %lu)", Utf8(argv[0]).c_str(), error);
        return false;
    }
    CloseHandle(info->hThread);
    return true;
}

// Starts a program without waiting for it and prints its process id.
int Start(int argc, wchar_t** argv) {
    PROCESS_INFORMATION info = {};
    if (!StartProcess(argc, argv, &info)) {
        return 1;
    }
    printf("%lu\n", info.dwProcessId);
    CloseHandle(info.hProcess);
    return 0;
}

// Starts a program, measures the time from CreateProcess until a visible window of the class exists,
// prints it in milliseconds, then closes the window and waits for the program to end.
int LaunchTime(int, wchar_t** argv) {
    const DWORD timeoutMs = static_cast<DWORD>(Number(argv[2]));
    PROCESS_INFORMATION info = {};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!StartProcess(1, argv, &info)) {
        return 1;
    }
    HWND window = nullptr;
    double elapsedMs = 0;
    do {
        window = FindWindowW(argv[1], nullptr);
        QueryPerformanceCounter(&now);
        elapsedMs = 1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
        if (window && IsWindowVisible(window)) {
            break;
        }
        window = nullptr;
        Sleep(1);
    } while (elapsedMs < timeoutMs);
    if (!window) {
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        return Fail("no visible window %s after %lu ms", Utf8(argv[1]).c_str(), timeoutMs);
    }
    printf("%.1f\n", elapsedMs);
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
    }
    CloseHandle(info.hProcess);
    return 0;
}

// Keeps one Wine process alive so that later starts in the prefix are warm.
int Idle(int, wchar_t** argv) {
    Sleep(static_cast<DWORD>(Number(argv[0])));
    return 0;
}

int CursorPos(int, wchar_t**) {
    POINT point;
    if (!GetCursorPos(&point)) {
        return Fail("GetCursorPos failed");
    }
    printf("%ld %ld\n", point.x, point.y);
    return 0;
}

int MoveCursor(int, wchar_t** argv) {
    return SetCursorPos(static_cast<int>(Number(argv[0])), static_cast<int>(Number(argv[1])))
               ? 0
               : Fail("SetCursorPos failed");
}

int Inject(INPUT* inputs, UINT count) {
    const UINT sent = SendInput(count, inputs, sizeof(INPUT));
    return sent == count ? 0 : Fail("SendInput sent %u of %u (error %lu)", sent, count, GetLastError());
}

// Moves the cursor to a screen point and clicks there with injected input.
int Click(int argc, wchar_t** argv) {
    const int x = static_cast<int>(Number(argv[0]));
    const int y = static_cast<int>(Number(argv[1]));
    DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (argc > 2 && wcscmp(argv[2], L"right") == 0) {
        down = MOUSEEVENTF_RIGHTDOWN;
        up = MOUSEEVENTF_RIGHTUP;
    } else if (argc > 2 && wcscmp(argv[2], L"middle") == 0) {
        down = MOUSEEVENTF_MIDDLEDOWN;
        up = MOUSEEVENTF_MIDDLEUP;
    } else if (argc > 2 && wcscmp(argv[2], L"left") != 0) {
        return Fail("button must be left, right or middle");
    }
    if (!SetCursorPos(x, y)) {
        return Fail("SetCursorPos failed");
    }
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = down;
    inputs[1].mi.dwFlags = up;
    return Inject(inputs, 2);
}

// Presses and releases one key: "vk:0x41" by virtual key, "scan:0x1e" by scan code alone.
int Key(int argc, wchar_t** argv) {
    for (int i = 0; i < argc; ++i) {
        const wchar_t* key = argv[i];
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        if (wcsncmp(key, L"vk:", 3) == 0) {
            inputs[0].ki.wVk = inputs[1].ki.wVk = static_cast<WORD>(Number(key + 3));
            inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        } else if (wcsncmp(key, L"scan:", 5) == 0) {
            inputs[0].ki.wScan = inputs[1].ki.wScan = static_cast<WORD>(Number(key + 5));
            inputs[0].ki.dwFlags = KEYEVENTF_SCANCODE;
            inputs[1].ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP;
        } else {
            return Fail("key must be vk:N or scan:N");
        }
        if (Inject(inputs, 2) != 0) {
            return 1;
        }
    }
    return 0;
}

// The version resource as Explorer reads it: "FILE|PRODUCT" fixed versions, then the strings.
int FileVersion(int, wchar_t** argv) {
    DWORD unused = 0;
    std::string block(GetFileVersionInfoSizeW(argv[0], &unused), '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() || !GetFileVersionInfoW(argv[0], 0, static_cast<DWORD>(block.size()), &block[0]) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size)) {
        return Fail("no version resource in %s", Utf8(argv[0]).c_str());
    }
    printf("%u.%u.%u.%u|%u.%u.%u.%u|", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
           LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
           LOWORD(fixed->dwProductVersionLS));
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName", L"FileDescription",
                                L"CompanyName", L"LegalCopyright", L"OriginalFilename", L"InternalName"}) {
        wchar_t* text = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        const bool found = VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &size);
        printf("%s|", found ? Utf8(text).c_str() : "");
    }
    printf("\n");
    return 0;
}

const Command kCommands[] = {
    {L"wait-window", 2, "wait-window CLASS[/TITLE] TIMEOUT_MS   prints the handle once it is visible",
     WaitWindow},
    {L"wait-gone", 2, "wait-gone CLASS[/TITLE] TIMEOUT_MS", WaitGone},
    {L"pid", 1, "pid CLASS                    process id of the window's owner", Pid},
    {L"handle", 2, "handle CLASS ID              window handle of the control (ID 0: the window)", Handle},
    {L"rect", 1, "rect CLASS                   outer window rectangle: x y width height", Rect},
    {L"client-rect", 1, "client-rect CLASS            client area in screen pixels: x y width height",
     ClientRect},
    {L"child-rect", 2, "child-rect CLASS ID          control rectangle in the window's client pixels",
     ChildRect},
    {L"get-text", 2, "get-text CLASS ID            (ID 0: the window itself)", GetText},
    {L"set-text", 3, "set-text CLASS ID TEXT", SetText},
    {L"is-enabled", 2, "is-enabled CLASS ID          prints 1 or 0", IsEnabled},
    {L"command", 2, "command CLASS ID             posts WM_COMMAND with the id", CommandId},
    {L"send", 5, "send CLASS ID MSG WPARAM LPARAM   SendMessageTimeout, prints the result",
     SendMessageCommand},
    {L"post", 5, "post CLASS ID MSG WPARAM LPARAM", PostMessageCommand},
    {L"send-dpichanged", 6, "send-dpichanged CLASS DPI X Y WIDTH HEIGHT", SendDpiChanged},
    {L"focus", 1, "focus CLASS                  SetForegroundWindow", Focus},
    {L"close", 1, "close CLASS [TIMEOUT_MS]     posts WM_CLOSE, waits, prints the exit code", Close},
    {L"wait-exit", 2, "wait-exit PID TIMEOUT_MS     prints the exit code", WaitExit},
    {L"start", 1, "start PATH [ARGS...]         prints the process id", Start},
    {L"launch-time", 3, "launch-time PATH CLASS TIMEOUT_MS   ms from start to visible window, then closes it",
     LaunchTime},
    {L"idle", 1, "idle MS                      does nothing for MS milliseconds", Idle},
    {L"cursor", 0, "cursor                       prints the cursor position", CursorPos},
    {L"move", 2, "move X Y                     SetCursorPos", MoveCursor},
    {L"click", 2, "click X Y [left|right|middle]   SetCursorPos, then injected down and up", Click},
    {L"key", 1, "key vk:N|scan:N ...          injected press and release of each key", Key},
    {L"version", 1, "version PATH                 version resource: fixed versions, then the strings",
     FileVersion},
};

int Usage() {
    fputs("usage: TamblDriver COMMAND ARGS...\n", stderr);
    for (const Command& command : kCommands) {
        fprintf(stderr, "  %s\n", command.usage);
    }
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain "\n" line ends for the shell scripts that read our output.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) {
        return Usage();
    }
    for (const Command& command : kCommands) {
        if (wcscmp(argv[1], command.name) == 0) {
            if (argc - 2 < command.argCount) {
                return Usage();
            }
            const int result = command.run(argc - 2, argv + 2);
            fflush(stdout);
            return result;
        }
    }
    return Usage();
}

// For bench/startup.sh, run inside Wine:
//   LaunchTime.exe PATH CLASS TIMEOUT_MS  starts PATH, prints the milliseconds until a visible window
//                                         of CLASS exists, closes it; exit code 1 when it never shows
//   LaunchTime.exe idle MS                sleeps: an idle Wine process keeps the prefix's services
//                                         up, so that the cold start of Wine is not measured
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"idle") == 0) {
        Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        return 0;
    }
    if (argc != 4) {
        std::fputs("usage: LaunchTime.exe PATH CLASS TIMEOUT_MS | idle MS\n", stderr);
        return 2;
    }
    // The program gets NUL for its standard handles: under Wine it would otherwise hold our output
    // open, and the shell reading it would wait for the program to end.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr);
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    }
    PROCESS_INFORMATION info = {};
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    const ULONGLONG end = GetTickCount64() + std::wcstoul(argv[3], nullptr, 10);
    const auto begin = std::chrono::steady_clock::now();
    HWND window = nullptr;
    bool shown = CreateProcessW(argv[1], &commandLine[0], nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                                nullptr, &startup, &info);
    while (shown && !IsWindowVisible(window = FindWindowW(argv[2], nullptr))) {
        shown = GetTickCount64() < end;
        Sleep(20);
    }
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - begin;
    CloseHandle(startup.hStdInput);
    CloseHandle(info.hThread);
    if (shown && PostMessageW(window, WM_CLOSE, 0, 0) &&
        WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0) {
        std::printf("%.1f\n", elapsed.count());
        return 0;
    }
    TerminateProcess(info.hProcess, 1);
    return 1;
}

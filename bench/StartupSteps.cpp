// Where Tamblo's start-up time goes: this program makes the same calls, in the same order, with the
// same resources and the same 38 child controls, and times each group with the performance
// counter. One line per step ("name milliseconds"), then it closes its window and exits.
// The libraries Tamblo imports beyond user32 and gdi32 are loaded here one by one first, so their
// cost shows as a step (Tamblo pays it before wWinMain); their calls go through GetProcAddress.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <initializer_list>

#include "res/resource.h"

namespace {

LARGE_INTEGER frequency, mark;

void Step(const char* name) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    std::printf("%s %.2f\n", name,
                double(now.QuadPart - mark.QuadPart) * 1000.0 / double(frequency.QuadPart));
    QueryPerformanceCounter(&mark);
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int y) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, y, 100, 25, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The main window's children by class and style: 10 buttons, 16 labels, 8 edits, 2 combo boxes
// (with their items) and 2 up-down controls bound to an edit.
void CreateControls(HWND window, HWND combos[2]) {
    const DWORD buttons[] = {BS_GROUPBOX,        BS_GROUPBOX,        BS_AUTOCHECKBOX,    BS_AUTORADIOBUTTON,
                             BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON, BS_OWNERDRAW,
                             BS_OWNERDRAW,       BS_OWNERDRAW};
    int y = 0;
    for (DWORD style : buttons) {
        Child(window, L"BUTTON", L"Button", style, y += 2);
    }
    for (int i = 0; i < 16; ++i) {
        Child(window, L"STATIC", L"Label text", SS_LEFT, y += 2);
    }
    HWND edits[8];
    for (HWND& edit : edits) {
        edit = Child(window, L"EDIT", L"0", WS_BORDER | ES_NUMBER | ES_CENTER, y += 2);
    }
    for (int i = 0; i < 2; ++i) {
        combos[i] = Child(window, L"COMBOBOX", nullptr, WS_VSCROLL | CBS_DROPDOWNLIST, y += 2);
        for (const wchar_t* item : {L"Left", L"Right", L"Middle"}) {
            SendMessageW(combos[i], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageW(combos[i], CB_SETCURSEL, 0, 0);
        HWND upDown =
            Child(window, UPDOWN_CLASSW, nullptr, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0);
        SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edits[i]), 0);
        SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(16959, 1));
    }
}

BOOL CALLBACK SetFont(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&mark);
    HMODULE libraries[5];
    // Smallest first, so that the loader's own first-use cost shows in the first line.
    const wchar_t* names[5] = {L"winmm.dll", L"dwmapi.dll", L"uxtheme.dll", L"comctl32.dll", L"comdlg32.dll"};
    for (int i = 0; i < 5; ++i) {
        char step[32];
        std::snprintf(step, sizeof step, "load-%ls", names[i]);
        libraries[i] = LoadLibraryW(names[i]);
        Step(step);
    }
    auto initCommonControlsEx = reinterpret_cast<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
        reinterpret_cast<void*>(GetProcAddress(libraries[3], "InitCommonControlsEx")));
    auto setWindowTheme = reinterpret_cast<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)>(
        reinterpret_cast<void*>(GetProcAddress(libraries[2], "SetWindowTheme")));
    auto dwmSetWindowAttribute = reinterpret_cast<HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD)>(
        reinterpret_cast<void*>(GetProcAddress(libraries[1], "DwmSetWindowAttribute")));
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    Step("dpi-awareness");
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_UPDOWN_CLASS};
    initCommonControlsEx(&commonControls);
    Step("common-controls");
    // The first user32 call that needs the display connects Wine's X11 driver (a cost every window
    // program pays): a cursor first, so that the icons and the class show their own cost.
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    Step("display-driver");
    HBRUSH background = CreateSolidBrush(RGB(30, 30, 30));
    Step("brushes");
    wchar_t title[100], className[100];
    LoadStringW(instance, IDS_APP_TITLE, title, 100);
    LoadStringW(instance, IDC_MAIN_CLASS, className, 100);
    Step("strings");
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
    HICON smallIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_SMALL));
    Step("icons");
    WNDCLASSEXW wcex{
        sizeof(wcex), CS_HREDRAW | CS_VREDRAW,          DefWindowProcW,  0,        0, instance, icon, arrow,
        background,   MAKEINTRESOURCEW(IDC_MAIN_CLASS), L"StartupSteps", smallIcon};
    RegisterClassExW(&wcex);
    Step("class");
    HWND window = CreateWindowExW(0, L"StartupSteps", title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, 0, 575, 664, nullptr, nullptr, instance, nullptr);
    Step("main-window");
    HFONT font =
        CreateFontW(18, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
    Step("font");
    HWND combos[2];
    CreateControls(window, combos);
    Step("38-controls");
    setWindowTheme(combos[0], L"DarkMode_CFD", nullptr);
    setWindowTheme(combos[1], L"DarkMode_CFD", nullptr);
    Step("theme-calls");
    EnumChildWindows(window, SetFont, reinterpret_cast<LPARAM>(font));
    Step("set-font");
    SetTimer(window, 2, 50, nullptr);
    RegisterHotKey(window, 100, 0, VK_F6);
    RegisterHotKey(window, 101, 0, VK_F8);
    RegisterHotKey(window, 102, 0, VK_F9);
    Step("hotkeys");
    BOOL useDarkMode = TRUE;
    dwmSetWindowAttribute(window, 20, &useDarkMode, sizeof(useDarkMode));
    Step("dark-title-bar");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    Step("show-and-paint");
    LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_MAIN_CLASS));
    Step("accelerators");
    DestroyWindow(window);
    return 0;
}

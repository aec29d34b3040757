#include "MacroTestSupport.h"

#include <chrono>
#include <cwchar>
#include <map>

#include "TestSupport.h"
#include "app/AppState.h"
#include "macro/Playback.h"
#include "macro/Recorder.h"
#include "res/resource.h"

LRESULT FeedMouseHook(WPARAM message, int x, int y, DWORD mouseData) {
    MSLLHOOKSTRUCT hook{};
    hook.pt = POINT{x, y};
    hook.mouseData = mouseData;
    return MouseHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&hook));
}

LRESULT FeedKeyboardHook(WPARAM message, DWORD vkCode) {
    KBDLLHOOKSTRUCT hook{};
    hook.vkCode = vkCode;
    return KeyboardHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&hook));
}

LRESULT FeedPlaybackHook(WPARAM message, DWORD vkCode) {
    KBDLLHOOKSTRUCT hook{};
    hook.vkCode = vkCode;
    return PlaybackKeyboardHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&hook));
}

void SetRecordingElapsed(int64_t ms) {
    appState.recordStartTime = std::chrono::steady_clock::now() - std::chrono::milliseconds(ms);
}

InputEvent Key(InputEventType type, uint32_t vk, int64_t time) {
    return InputEvent{type, time, 0, 0, vk, 0};
}

InputEvent Mouse(InputEventType type, int64_t time, int32_t x, int32_t y, int32_t wheel) {
    return InputEvent{type, time, x, y, 0, wheel};
}

WORD ScanOf(uint32_t vk) {
    return static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
}

std::vector<std::wstring> DescribeInjected() {
    std::vector<std::wstring> lines;
    for (const InjectedAction& action : FakeInjected()) {
        wchar_t text[96];
        const KEYBDINPUT& ki = action.input.ki;
        const MOUSEINPUT& mi = action.input.mi;
        if (action.kind == InjectedAction::CursorMove) {
            std::swprintf(text, 96, L"cursor %ld,%ld", action.cursor.x, action.cursor.y);
        } else if (action.kind == InjectedAction::MouseEvent) {
            std::swprintf(text, 96, L"mouse_event %lx", action.mouseEvent.flags);
        } else if (action.input.type == INPUT_KEYBOARD) {
            std::swprintf(text, 96, L"key vk=%X scan=%X flags=%lX", ki.wVk, ki.wScan, ki.dwFlags);
        } else if (action.input.type == INPUT_MOUSE) {
            std::swprintf(text, 96, L"mouse flags=%lX data=%lX dx=%ld dy=%ld", mi.dwFlags, mi.mouseData,
                          mi.dx, mi.dy);
        } else {
            std::swprintf(text, 96, L"input type %lu", action.input.type);
        }
        lines.push_back(text);
    }
    return lines;
}

std::vector<std::wstring> HeldAtEndOfLog(const std::vector<InjectedAction>& log) {
    // Keys by scan code and extended flag (the replayed key events carry no virtual key),
    // buttons by their down flag.
    std::map<std::wstring, bool> held;
    for (const InjectedAction& action : log) {
        const KEYBDINPUT& ki = action.input.ki;
        if (action.kind == InjectedAction::Input && action.input.type == INPUT_KEYBOARD) {
            unsigned key = ki.wScan | ((ki.dwFlags & KEYEVENTF_EXTENDEDKEY) ? 0xE000u : 0u);
            held[L"key scan " + std::to_wstring(key)] = (ki.dwFlags & KEYEVENTF_KEYUP) == 0;
        } else if (action.kind == InjectedAction::Input && action.input.type == INPUT_MOUSE) {
            for (DWORD down : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN}) {
                std::wstring name = L"button " + std::to_wstring(down);
                held[name] = (action.input.mi.dwFlags & down) != 0 ||
                             (held[name] && (action.input.mi.dwFlags & (down << 1)) == 0);
            }
        }
    }
    std::vector<std::wstring> names;
    for (const auto& [name, down] : held) {
        if (down) {
            names.push_back(name);
        }
    }
    return names;
}

bool PlayAndWaitUntilDone(DWORD timeoutMs) {
    SendCommand(IDC_PLAYBACK);
    return appState.isPlaying &&
           PumpUntil([] { return !appState.isPlaying && !IsPlaybackWorkerAlive(); }, timeoutMs);
}

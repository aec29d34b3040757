#include "FakeSys.h"

#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "TestSupport.h"
#include "base/Sys.h"

namespace {

struct BoxAnswer {
    int answer;
    std::function<void()> inside;
};

struct FakeData {
    std::vector<InjectedAction> injected;
    std::vector<MessageBoxCall> messageBoxes;
    std::deque<BoxAnswer> answers;
    std::vector<DWORD> sleeps;
    std::vector<std::wstring> timing;
    POINT cursor{0, 0};
    SHORT keyStates[256] = {};
    bool cursorFails = false;
    bool realInput = false;                // injected input and cursor moves also go to the system
    std::map<int, std::set<UINT>> hotkeys; // by id
    std::set<UINT> takenKeys;              // registered by other programs
    struct {
        DWORD error;
        bool moveFails;
        std::pair<std::wstring, std::wstring> names;
    } replace{};
    int failingHookId = 0;
    std::vector<HHOOK> hooks; // every hook installed through the seam
};

std::mutex fakeMutex;
FakeData fakeData;

// Runs `use` on the data under the lock and returns what it returns.
template <typename Use> auto Locked(Use use) {
    std::lock_guard<std::mutex> lock(fakeMutex);
    return use(fakeData);
}

} // namespace

// The registered hotkeys and the installed hooks belong to the window, which outlives a reset.
void ResetFakeSys() {
    Locked([](FakeData& fake) {
        std::map<int, std::set<UINT>> hotkeys = std::move(fake.hotkeys);
        std::vector<HHOOK> hooks = std::move(fake.hooks);
        fake = FakeData{};
        fake.hotkeys = std::move(hotkeys);
        fake.hooks = std::move(hooks);
    });
}
std::vector<InjectedAction> FakeInjected() {
    return Locked([](FakeData& fake) { return fake.injected; });
}
std::vector<INPUT> FakeSentInputs() {
    std::vector<INPUT> inputs;
    for (const InjectedAction& action : FakeInjected()) {
        if (action.kind == InjectedAction::Input) {
            inputs.push_back(action.input);
        }
    }
    return inputs;
}
std::vector<MessageBoxCall> FakeMessageBoxes() {
    return Locked([](FakeData& fake) { return fake.messageBoxes; });
}
std::vector<DWORD> FakeSleeps() {
    return Locked([](FakeData& fake) { return fake.sleeps; });
}
std::vector<std::wstring> FakeTimingCalls() {
    return Locked([](FakeData& fake) { return fake.timing; });
}
void QueueMessageBoxAnswer(int answer, std::function<void()> inside) {
    Locked([&](FakeData& fake) { fake.answers.push_back(BoxAnswer{answer, std::move(inside)}); });
}
void SetFakeCursorPos(POINT point, bool fail) {
    Locked([&](FakeData& fake) {
        fake.cursor = point;
        fake.cursorFails = fail;
    });
}
void SetFakeInputReal(bool real) {
    Locked([&](FakeData& fake) { fake.realInput = real; });
}
void SetFakeKeyState(int vk, SHORT state) {
    Locked([&](FakeData& fake) { fake.keyStates[vk & 0xFF] = state; });
}

UINT SysSendInput(UINT count, INPUT* inputs, int size) {
    const bool real = Locked([&](FakeData& fake) {
        for (UINT i = 0; i < count; ++i) {
            fake.injected.push_back({InjectedAction::Input, inputs[i], {}, {}});
        }
        return fake.realInput;
    });
    return real ? SendInput(count, inputs, size) : count;
}
void SysMouseEvent(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) {
    MouseEventCall call{flags, dx, dy, data, extraInfo};
    Locked([&](FakeData& fake) { fake.injected.push_back({InjectedAction::MouseEvent, {}, call, {}}); });
}
BOOL SysSetCursorPos(int x, int y) {
    Locked([&](FakeData& fake) {
        fake.injected.push_back({InjectedAction::CursorMove, {}, {}, POINT{x, y}});
    });
    SetFakeCursorPos(POINT{x, y});
    return Locked([](FakeData& fake) { return fake.realInput; }) ? SetCursorPos(x, y) : TRUE;
}
BOOL SysGetCursorPos(POINT* point) {
    return Locked([&](FakeData& fake) {
        *point = fake.cursorFails ? *point : fake.cursor;
        return fake.cursorFails ? FALSE : TRUE;
    });
}
SHORT SysGetAsyncKeyState(int vk) {
    return Locked([&](FakeData& fake) { return fake.keyStates[vk & 0xFF]; });
}

// A queued action runs while the box is open, and what it posted is dispatched before the
// answer, as the box's own modal loop would.
int SysMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    BoxAnswer reply = Locked([&](FakeData& fake) {
        fake.messageBoxes.push_back(MessageBoxCall{owner, text ? text : L"", title ? title : L"", type});
        BoxAnswer next{IDOK, nullptr};
        if (!fake.answers.empty()) {
            next = std::move(fake.answers.front());
            fake.answers.pop_front();
        }
        return next;
    });
    // A real box disables its owner while it is open.
    const bool ownerWasEnabled = owner != nullptr && !EnableWindow(owner, FALSE);
    if (reply.inside) {
        reply.inside();
        DispatchWaiting();
    }
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
    }
    return reply.answer;
}

void SysSleep(DWORD milliseconds) {
    Locked([&](FakeData& fake) { fake.sleeps.push_back(milliseconds); });
}

void SetFakeHookFailure(int hookId) {
    Locked([&](FakeData& fake) { fake.failingHookId = hookId; });
}

// A hook the program removed is gone from the system, so unhooking it here fails.
int FakeUnhookLeftHooks() {
    int left = 0;
    for (HHOOK hook : Locked([](FakeData& fake) { return std::exchange(fake.hooks, {}); })) {
        left += UnhookWindowsHookEx(hook) ? 1 : 0;
    }
    return left;
}

HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId) {
    return Locked([&](FakeData& fake) {
        HHOOK hook =
            hookId == fake.failingHookId ? nullptr : SetWindowsHookExW(hookId, procedure, instance, threadId);
        fake.hooks.push_back(hook);
        return hook;
    });
}

// As Windows documents it: a key held by anyone else, or by another of our ids, is refused, and a
// second registration under the same id keeps the first key as well.
BOOL SysRegisterHotKey(HWND, int id, UINT, UINT vk) {
    return Locked([&](FakeData& fake) {
        bool taken = fake.takenKeys.count(vk) != 0;
        for (const auto& [otherId, keys] : fake.hotkeys) {
            taken = taken || keys.count(vk) != 0;
        }
        if (!taken) {
            fake.hotkeys[id].insert(vk);
        }
        return taken ? FALSE : TRUE;
    });
}

BOOL SysUnregisterHotKey(HWND, int id) {
    return Locked([&](FakeData& fake) { return fake.hotkeys.erase(id) != 0 ? TRUE : FALSE; });
}

void SetFakeHotkeyTaken(UINT vk) {
    Locked([&](FakeData& fake) { fake.takenKeys.insert(vk); });
}

std::vector<UINT> FakeHotkeys(int id) {
    return Locked([&](FakeData& fake) {
        const std::set<UINT>& keys = fake.hotkeys[id];
        return std::vector<UINT>(keys.begin(), keys.end());
    });
}

void SetFakeReplaceFailure(DWORD error, bool moveFails) {
    Locked([&](FakeData& fake) { fake.replace = {error, moveFails, {}}; });
}
std::pair<std::wstring, std::wstring> FakeReplaceNames() {
    return Locked([](FakeData& fake) { return fake.replace.names; });
}
// As Windows documents: 1175 renames nothing, nor does 1176 given a backup name (without one the
// replaced file is gone); 1177 leaves the replaced file under the backup name (or another name).
BOOL SysReplaceFile(const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup, DWORD flags) {
    const DWORD error = Locked([&](FakeData& fake) {
        fake.replace.names = {replacement, backup ? backup : L""};
        return fake.replace.error;
    });
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT && backup == nullptr) {
        DeleteFileW(replaced);
    } else if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        MoveFileExW(replaced, backup ? backup : (replaced + std::wstring(L"~")).c_str(),
                    MOVEFILE_REPLACE_EXISTING);
    }
    SetLastError(error);
    return error == 0 && ReplaceFileW(replaced, replacement, backup, flags, nullptr, nullptr);
}
BOOL SysMoveFile(const wchar_t* from, const wchar_t* to, DWORD flags) {
    return !Locked([](FakeData& fake) { return fake.replace.moveFails; }) && MoveFileExW(from, to, flags);
}

namespace {
void LogTiming(std::wstring call) {
    Locked([&](FakeData& fake) { fake.timing.push_back(std::move(call)); });
}
} // namespace

// As on Windows 11, the request succeeds (Wine 8 refuses it).
BOOL SysSetProcessInformation(HANDLE, PROCESS_INFORMATION_CLASS infoClass, void* info, DWORD size) {
    const auto* state = static_cast<const PROCESS_POWER_THROTTLING_STATE*>(info);
    if (infoClass != ProcessPowerThrottling || size != sizeof(*state)) {
        return FALSE;
    }
    LogTiming(L"throttle " + std::to_wstring(state->Version) + L" " + std::to_wstring(state->ControlMask) +
              L" " + std::to_wstring(state->StateMask));
    return TRUE;
}
HANDLE SysCreateWaitableTimerEx(DWORD flags) {
    LogTiming(L"timer " + std::to_wstring(flags));
    return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS);
}
BOOL SysSetWaitableTimer(HANDLE timer, LONGLONG dueTime) {
    LogTiming(L"due " + std::to_wstring(dueTime));
    LARGE_INTEGER due;
    due.QuadPart = dueTime;
    return SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
}

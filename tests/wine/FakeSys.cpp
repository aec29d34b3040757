#include "FakeSys.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "TestSupport.h"
#include "base/Sys.h"

static std::mutex fakeMutex;
static FakeData fake;
// The hotkeys and hooks belong to the window, which outlives a reset.
std::map<UINT, int> fakeHotkeys;
static std::vector<HHOOK> hooks;

template <typename Use> static auto Locked(Use use) {
    std::lock_guard<std::mutex> lock(fakeMutex);
    return use();
}
void ResetFakeSys() {
    Locked([] { fake = FakeData{}; });
    SysUnregisterHotKey(nullptr, 0);
}
FakeData FakeState() {
    return Locked([] { return fake; });
}
void EditFake(const std::function<void(FakeData&)>& edit) {
    Locked([&] { edit(fake); });
}
void QueueMessageBoxAnswer(int answer, std::function<void()> inside) {
    Locked([&] { fake.answers.emplace_back(answer, std::move(inside)); });
}
// A hook the program removed is gone from the system, so unhooking it here fails.
int FakeUnhookLeftHooks() {
    const std::vector<HHOOK> left = Locked([] { return std::exchange(hooks, {}); });
    return static_cast<int>(std::count_if(left.begin(), left.end(), UnhookWindowsHookEx));
}
UINT SysSendInput(UINT count, INPUT* inputs, int size) {
    const bool real = Locked([&] {
        for (UINT i = 0; i < count; ++i) {
            fake.injected.push_back({InjectedAction::Input, inputs[i], {}, {}, {}});
        }
        fake.sent.insert(fake.sent.end(), inputs, inputs + count);
        return fake.realInput;
    });
    return real ? SendInput(count, inputs, size) : count;
}
void SysMouseEvent(DWORD flags, DWORD, DWORD, DWORD, ULONG_PTR info) {
    Locked([&] { fake.injected.push_back({InjectedAction::MouseEvent, {}, flags, info, {}}); });
}
BOOL SysSetCursorPos(int x, int y) {
    const bool real = Locked([&] {
        fake.injected.push_back({InjectedAction::CursorMove, {}, {}, {}, {x, y}});
        fake.cursor = POINT{x, y};
        return fake.realInput;
    });
    return !real || SetCursorPos(x, y);
}
BOOL SysGetCursorPos(POINT* point) {
    *point = Locked([] { return fake.cursor; });
    return TRUE;
}
SHORT SysGetAsyncKeyState(int vk) {
    return Locked([&] { return fake.keyStates[vk & 0xFF]; });
}
void SysSleep(DWORD milliseconds) {
    Locked([&] { fake.sleeps.push_back(milliseconds); });
}
// As a real box, it disables its owner while it is open.
int SysMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    const auto [answer, inside] = Locked([&] {
        fake.boxes.push_back({owner, text, title, type});
        fake.answers.resize(std::max(fake.answers.size(), fake.boxes.size()),
                            decltype(fake.answers)::value_type{IDOK, nullptr});
        return fake.answers[fake.boxes.size() - 1];
    });
    const BOOL ownerWasEnabled = !EnableWindow(owner, FALSE);
    if (inside) {
        inside();
        DispatchWaiting();
    }
    EnableWindow(owner, ownerWasEnabled);
    return answer;
}
HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId) {
    const bool fails = Locked([&] { return hookId == fake.failingHookId; });
    HHOOK hook = fails ? nullptr : SetWindowsHookExW(hookId, procedure, instance, threadId);
    return Locked([&] { return hooks.emplace_back(hook); });
}
// As documented: a key held by anyone (id 0: another program) is refused; an id keeps every key.
BOOL SysRegisterHotKey(HWND, int id, UINT, UINT vk) {
    return fakeHotkeys.emplace(vk, id).second;
}
BOOL SysUnregisterHotKey(HWND, int id) {
    return std::erase_if(fakeHotkeys, [&](auto& key) { return key.second == id; }) != 0;
}
// As Windows documents: 1176 renames nothing given a backup name (without one the replaced file is
// gone); 1177 leaves the replaced file under the backup name (or another name).
BOOL SysReplaceFile(const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup, DWORD flags) {
    const DWORD error = Locked([] { return fake.replaceFailure.first; });
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
        (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT && !backup)) {
        MoveFileExW(replaced, backup ? backup : (replaced + std::wstring(L"~")).c_str(),
                    MOVEFILE_REPLACE_EXISTING);
    }
    SetLastError(error);
    return error == 0 && ReplaceFileW(replaced, replacement, backup, flags, nullptr, nullptr);
}
BOOL SysMoveFile(const wchar_t* from, const wchar_t* to, DWORD flags) {
    return !Locked([] { return fake.replaceFailure.second; }) && MoveFileExW(from, to, flags);
}
// As on Windows 11, the request succeeds (Wine 8 refuses it).
BOOL SysSetProcessInformation(HANDLE, PROCESS_INFORMATION_CLASS, void* info, DWORD) {
    const auto* s = static_cast<const PROCESS_POWER_THROTTLING_STATE*>(info);
    const std::wstring masks = std::to_wstring(s->ControlMask) + L" " + std::to_wstring(s->StateMask);
    Locked([&] { fake.timing.push_back(L"throttle " + std::to_wstring(s->Version) + L" " + masks); });
    return TRUE;
}
HANDLE SysCreateWaitableTimerEx(DWORD flags) {
    Locked([&] { fake.timing.push_back(L"timer " + std::to_wstring(flags)); });
    return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS);
}
BOOL SysSetWaitableTimer(HANDLE timer, LONGLONG dueTime) {
    Locked([&] { fake.timing.push_back(L"due " + std::to_wstring(dueTime)); });
    const LARGE_INTEGER due{.QuadPart = dueTime};
    return SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
}

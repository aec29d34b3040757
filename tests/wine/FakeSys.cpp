#include "FakeSys.h"

#include <deque>
#include <mutex>
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
    POINT cursor{0, 0};
    SHORT keyStates[256] = {};
    bool cursorFails = false;
    int failingHookId = 0;
    std::vector<HHOOK> hooks; // every hook installed through the seam
};

std::mutex fakeMutex;
FakeData fake;

// The playback worker injects from its own thread: every access holds this lock.
std::lock_guard<std::mutex> Lock() {
    return std::lock_guard<std::mutex>(fakeMutex);
}

void Inject(const InjectedAction& action) {
    auto lock = Lock();
    fake.injected.push_back(action);
}

} // namespace

void ResetFakeSys() {
    auto lock = Lock();
    fake = FakeData{};
}
std::vector<InjectedAction> FakeInjected() {
    auto lock = Lock();
    return fake.injected;
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
    auto lock = Lock();
    return fake.messageBoxes;
}
std::vector<DWORD> FakeSleeps() {
    auto lock = Lock();
    return fake.sleeps;
}
void QueueMessageBoxAnswer(int answer, std::function<void()> inside) {
    auto lock = Lock();
    fake.answers.push_back(BoxAnswer{answer, std::move(inside)});
}
void SetFakeCursorPos(POINT point, bool fail) {
    auto lock = Lock();
    fake.cursor = point;
    fake.cursorFails = fail;
}
void SetFakeKeyState(int vk, SHORT state) {
    auto lock = Lock();
    fake.keyStates[vk & 0xFF] = state;
}
void SetFakeHookFailure(int hookId) {
    auto lock = Lock();
    fake.failingHookId = hookId;
}

// A hook the program removed is gone from the system, so unhooking it here fails.
int FakeUnhookLeftHooks() {
    std::vector<HHOOK> hooks;
    {
        auto lock = Lock();
        hooks.swap(fake.hooks);
    }
    int left = 0;
    for (HHOOK hook : hooks) {
        left += UnhookWindowsHookEx(hook) ? 1 : 0;
    }
    return left;
}

UINT SysSendInput(UINT count, INPUT* inputs, int) {
    for (UINT i = 0; i < count; ++i) {
        Inject({InjectedAction::Input, inputs[i], {}, {}});
    }
    return count;
}
void SysMouseEvent(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) {
    Inject({InjectedAction::MouseEvent, {}, {flags, dx, dy, data, extraInfo}, {}});
}
BOOL SysSetCursorPos(int x, int y) {
    Inject({InjectedAction::CursorMove, {}, {}, POINT{x, y}});
    SetFakeCursorPos(POINT{x, y});
    return TRUE;
}
BOOL SysGetCursorPos(POINT* point) {
    auto lock = Lock();
    *point = fake.cursorFails ? *point : fake.cursor;
    return fake.cursorFails ? FALSE : TRUE;
}
SHORT SysGetAsyncKeyState(int vk) {
    auto lock = Lock();
    return fake.keyStates[vk & 0xFF];
}
void SysSleep(DWORD milliseconds) {
    auto lock = Lock();
    fake.sleeps.push_back(milliseconds);
}

// A queued action runs while the box is open, and what it posted is dispatched before the
// answer, as the box's own modal loop would.
int SysMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    BoxAnswer reply{IDOK, nullptr};
    {
        auto lock = Lock();
        fake.messageBoxes.push_back(MessageBoxCall{owner, text ? text : L"", title ? title : L"", type});
        if (!fake.answers.empty()) {
            reply = std::move(fake.answers.front());
            fake.answers.pop_front();
        }
    }
    if (reply.inside) {
        reply.inside();
        DispatchWaiting();
    }
    return reply.answer;
}

HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId) {
    auto lock = Lock();
    HHOOK hook =
        hookId == fake.failingHookId ? nullptr : SetWindowsHookExW(hookId, procedure, instance, threadId);
    fake.hooks.push_back(hook);
    return hook;
}

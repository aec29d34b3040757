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
FakeData fakeData;

// Runs `use` on the data under the lock and returns what it returns.
template <typename Use> auto Locked(Use use) {
    std::lock_guard<std::mutex> lock(fakeMutex);
    return use(fakeData);
}

} // namespace

void ResetFakeSys() {
    Locked([](FakeData& fake) { fake = FakeData{}; });
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
void QueueMessageBoxAnswer(int answer, std::function<void()> inside) {
    Locked([&](FakeData& fake) { fake.answers.push_back(BoxAnswer{answer, std::move(inside)}); });
}
void SetFakeCursorPos(POINT point, bool fail) {
    Locked([&](FakeData& fake) {
        fake.cursor = point;
        fake.cursorFails = fail;
    });
}
void SetFakeKeyState(int vk, SHORT state) {
    Locked([&](FakeData& fake) { fake.keyStates[vk & 0xFF] = state; });
}

UINT SysSendInput(UINT count, INPUT* inputs, int) {
    Locked([&](FakeData& fake) {
        for (UINT i = 0; i < count; ++i) {
            fake.injected.push_back({InjectedAction::Input, inputs[i], {}, {}});
        }
    });
    return count;
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
    return TRUE;
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
    if (reply.inside) {
        reply.inside();
        DispatchWaiting();
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

#include "FakeSys.h"

#include <deque>
#include <mutex>

#include "app/Sys.h"

namespace {

struct BoxAnswer {
    int answer;
    std::function<void()> inside;
};

struct FakeSysState {
    std::mutex mutex;
    std::vector<InjectedAction> injected;
    std::vector<MessageBoxCall> messageBoxes;
    std::deque<BoxAnswer> answers;
    std::vector<DWORD> sleeps;
    std::vector<size_t> sleepMarks;
    POINT cursor{0, 0};
    bool cursorFails = false;
    SHORT keyStates[256] = {};
    bool realSleep = false;
};

FakeSysState& Fake() {
    static FakeSysState state;
    return state;
}

} // namespace

void ResetFakeSys() {
    FakeSysState& fake = Fake();
    std::lock_guard<std::mutex> lock(fake.mutex);
    fake.injected.clear();
    fake.messageBoxes.clear();
    fake.answers.clear();
    fake.sleeps.clear();
    fake.sleepMarks.clear();
    fake.cursor = POINT{0, 0};
    fake.cursorFails = false;
    for (SHORT& state : fake.keyStates) {
        state = 0;
    }
    fake.realSleep = false;
}

std::vector<InjectedAction> FakeInjected() {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    return Fake().injected;
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

std::vector<MouseEventCall> FakeMouseEvents() {
    std::vector<MouseEventCall> calls;
    for (const InjectedAction& action : FakeInjected()) {
        if (action.kind == InjectedAction::MouseEvent) {
            calls.push_back(action.mouseEvent);
        }
    }
    return calls;
}

std::vector<POINT> FakeCursorMoves() {
    std::vector<POINT> moves;
    for (const InjectedAction& action : FakeInjected()) {
        if (action.kind == InjectedAction::CursorMove) {
            moves.push_back(action.cursor);
        }
    }
    return moves;
}

std::vector<MessageBoxCall> FakeMessageBoxes() {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    return Fake().messageBoxes;
}

std::vector<DWORD> FakeSleeps() {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    return Fake().sleeps;
}

std::vector<size_t> FakeSleepMarks() {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    return Fake().sleepMarks;
}

void QueueMessageBoxAnswer(int answer) {
    QueueMessageBoxAnswer(answer, nullptr);
}

void QueueMessageBoxAnswer(int answer, std::function<void()> inside) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    Fake().answers.push_back(BoxAnswer{answer, std::move(inside)});
}

void SetFakeCursorPos(POINT point, bool fail) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    Fake().cursor = point;
    Fake().cursorFails = fail;
}

void SetFakeKeyState(int vk, SHORT state) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    Fake().keyStates[vk & 0xFF] = state;
}

void SetFakeSleepIsReal(bool real) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    Fake().realSleep = real;
}

// ---- the seam, as the program sees it ----

UINT SysSendInput(UINT count, INPUT* inputs, int) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    for (UINT i = 0; i < count; ++i) {
        InjectedAction action{};
        action.kind = InjectedAction::Input;
        action.input = inputs[i];
        Fake().injected.push_back(action);
    }
    return count;
}

void SysMouseEvent(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    InjectedAction action{};
    action.kind = InjectedAction::MouseEvent;
    action.mouseEvent = MouseEventCall{flags, dx, dy, data, extraInfo};
    Fake().injected.push_back(action);
}

BOOL SysSetCursorPos(int x, int y) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    InjectedAction action{};
    action.kind = InjectedAction::CursorMove;
    action.cursor = POINT{x, y};
    Fake().injected.push_back(action);
    Fake().cursor = POINT{x, y};
    return TRUE;
}

BOOL SysGetCursorPos(POINT* point) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    if (Fake().cursorFails) {
        return FALSE;
    }
    *point = Fake().cursor;
    return TRUE;
}

SHORT SysGetAsyncKeyState(int vk) {
    std::lock_guard<std::mutex> lock(Fake().mutex);
    return Fake().keyStates[vk & 0xFF];
}

int SysMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    BoxAnswer reply{IDOK, nullptr};
    {
        std::lock_guard<std::mutex> lock(Fake().mutex);
        Fake().messageBoxes.push_back(MessageBoxCall{owner, text ? text : L"", title ? title : L"", type});
        if (!Fake().answers.empty()) {
            reply = std::move(Fake().answers.front());
            Fake().answers.pop_front();
        }
    }
    if (reply.inside) {
        reply.inside();
        // The box's modal loop: whatever the action posted is dispatched before the answer.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    return reply.answer;
}

void SysSleep(DWORD milliseconds) {
    bool real = false;
    {
        std::lock_guard<std::mutex> lock(Fake().mutex);
        Fake().sleeps.push_back(milliseconds);
        Fake().sleepMarks.push_back(Fake().injected.size());
        real = Fake().realSleep;
    }
    if (real) {
        Sleep(milliseconds);
    }
}

namespace {
int failingHookId = 0;
} // namespace

void SetFakeHookFailure(int hookId) {
    failingHookId = hookId;
}

HHOOK SysSetWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE instance, DWORD threadId) {
    return hookId == failingHookId ? nullptr : SetWindowsHookExW(hookId, procedure, instance, threadId);
}

#include "components/HookThreadWin32.h"

namespace pilotune {

namespace {

// How long the interface thread waits for the new thread to install its hook;
// in practice a millisecond or two.
constexpr DWORD kStartMs = 2000;

// The instance whose thread runs the callback.
thread_local const KeyboardHookThread* t_owner = nullptr;

// In the hook's callback the asynchronous state is the one before the event:
// the key itself is not counted yet.
bool AsyncHeld(int vk) {
    return GetAsyncKeyState(vk) < 0;
}

} // namespace

KeyboardHookThread::KeyboardHookThread(HWND receiver, UINT message,
                                       const std::atomic<bool>& swallow)
    : receiver_(receiver), message_(message), swallow_(swallow),
      ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!ready_ || !stop_) return;
    thread_ = std::thread([this] { Run(); });
    WaitForSingleObject(ready_.Get(), kStartMs);
}

KeyboardHookThread::~KeyboardHookThread() {
    if (!thread_.joinable()) return;
    SetEvent(stop_.Get());
    thread_.join();
}

ToucheBrute KeyboardHookThread::Lire(WPARAM wParam, LPARAM lParam) {
    ToucheBrute t;
    t.key = static_cast<std::uint16_t>(wParam & 0xFFFF);
    t.flags = static_cast<std::uint16_t>((wParam >> 16) & 0xFFFF);
    t.pressed = (t.flags & LLKHF_UP) == 0;
    t.held = static_cast<TToucheEtendu>(lParam & 0xFF);
    return t;
}

void KeyboardHookThread::Run() {
    t_owner = this;
    // Keys wait for this thread: it gets the processor before ordinary work.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    // The thread's message queue first: a hook whose thread has no queue yet
    // misses the keys that come before the loop starts.
    MSG m;
    PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
    const HookHandle hook{SetWindowsHookExW(WH_KEYBOARD_LL, Proc, GetModuleHandleW(nullptr), 0)};
    installed_ = static_cast<bool>(hook);
    SetEvent(ready_.Get());
    if (!hook) return;
    // The hook's callback runs inside this thread's message retrieval.
    HANDLE stop = stop_.Get();
    for (;;) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
        if (MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
            WAIT_OBJECT_0)
            break;
    }
    installed_ = false; // the hook goes with `hook`
}

LRESULT CALLBACK KeyboardHookThread::Proc(int code, WPARAM wParam, LPARAM lParam) {
    const KeyboardHookThread* self = t_owner;
    if (code == HC_ACTION && self) {
        bool swallow = false;
        try {
            const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            if (k->vkCode < 16 || k->vkCode > 18) self->Notifier(*k);
            swallow = self->swallow_.load(std::memory_order_relaxed);
        } catch (...) {
            // no exception leaves the hook: the key goes on as if unseen
        }
        if (swallow) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void KeyboardHookThread::Notifier(const KBDLLHOOKSTRUCT& k) const {
    const auto flags = static_cast<std::uint16_t>(k.flags & 0xFFFF);
    const TToucheEtendu held =
        flags < kDrapeauxSansRafraichir ? LireModificateurs(AsyncHeld) : TToucheEtendu{0};
    const WPARAM w = (k.vkCode & 0xFFFF) | (static_cast<WPARAM>(flags) << 16);
    SendNotifyMessageW(receiver_, message_, w, static_cast<LPARAM>(held));
}

} // namespace pilotune

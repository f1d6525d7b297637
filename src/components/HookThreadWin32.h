#pragma once
// The low-level keyboard hook on a thread of its own, with its own message
// loop. Its callback only copies the event, with the modifier keys held at
// that moment, into a sent notification (SendNotifyMessageW, which does not
// wait) to a window of the interface thread: one notification per event. So
// nothing the interface thread does can hold up the system's keyboard input or
// make Windows drop the hook for being late, and the events reach that thread
// in every message loop it runs (modal ones included) and while it waits in a
// SendMessage to another thread (one without SMTO_BLOCK).
#include <windows.h>

#include "base/HandleWin32.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "components/KeyNames.h"

namespace pilotune {

// One key event as the hook saw it.
struct ToucheBrute {
    std::uint16_t key = 0;
    std::uint16_t flags = 0; // the low 16 bits of the hook's flags
    bool pressed = true;
    // The modifier set held just before the event; read only when the event
    // refreshes the set (flags below kDrapeauxSansRafraichir).
    TToucheEtendu held = 0;
};

class KeyboardHookThread {
  public:
    // Starts the thread and waits (a bounded moment) until it has tried to
    // install the hook. Every key event but the side-neutral Shift, Ctrl and
    // Alt (16 to 18) then reaches `receiver` as `message`, read with Lire.
    // While `swallow` is true no key is passed on to the other programs.
    KeyboardHookThread(HWND receiver, UINT message, const std::atomic<bool>& swallow);
    // Removes the hook, ends the thread and joins it.
    ~KeyboardHookThread();
    KeyboardHookThread(const KeyboardHookThread&) = delete;
    KeyboardHookThread& operator=(const KeyboardHookThread&) = delete;

    // The hook is in place.
    bool Installed() const { return installed_.load(); }

    static ToucheBrute Lire(WPARAM wParam, LPARAM lParam);

  private:
    using Event = KernelHandle;

    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    void Run();
    void Notifier(const KBDLLHOOKSTRUCT& k) const;

    HWND receiver_;
    UINT message_;
    const std::atomic<bool>& swallow_;
    Event ready_;
    Event stop_;
    std::atomic<bool> installed_{false};
    std::thread thread_;
};

} // namespace pilotune

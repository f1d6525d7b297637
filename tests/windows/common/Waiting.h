#pragma once
// Waiting in Windows tests: for a condition, or while the test thread runs its
// own messages (hooks, timers, windows it owns).
#include <windows.h>

namespace pilotune::testing {

// Polls `pred` until it holds or `ms` have passed; the last answer counts.
template <class Pred> bool WaitFor(Pred pred, int ms = 4000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (GetTickCount64() < end) {
        if (pred()) return true;
        Sleep(20);
    }
    return pred();
}

// Dispatches the test thread's messages for `ms`.
inline void Pump(int ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    do {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(1);
    } while (GetTickCount64() < end);
}

// Runs the test thread's messages until `pred` holds, with a bound: for
// conditions that need this thread's own windows, hooks or timers.
template <class Pred> bool PumpUntil(Pred pred, int ms = 4000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (!pred()) {
        if (GetTickCount64() >= end) return pred();
        Pump(10);
    }
    return true;
}

} // namespace pilotune::testing

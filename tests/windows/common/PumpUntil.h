#pragma once
// Runs the test thread's messages until a condition holds, with a bound: for
// tests whose own windows, hooks or timers must run for the condition to come.
#include "Waiting.h"

namespace pilotune::testing {

template <class Pred> bool PumpUntil(Pred pred, int ms = 4000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (!pred()) {
        if (GetTickCount64() >= end) return pred();
        Pump(10);
    }
    return true;
}

} // namespace pilotune::testing

#pragma once
// Micro- and milliseconds from the performance counter, for the Windows
// benchmarks.
#include <windows.h>

inline double NowUs() {
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

inline double NowMs() {
    return NowUs() / 1000.0;
}

#pragma once
// The parent side of a test run again at other DPIs (RunAtDpi.h): one child
// run per DPI with LogPixels set meanwhile, each of which must pass.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "RunAtDpi.h"

namespace pilotune::testing {

inline void RunAtEachDpi(std::initializer_list<int> dpis, const wchar_t* filter,
                         const char* variable) {
    for (int dpi : dpis) {
        LogPixels setting(static_cast<DWORD>(dpi));
        EXPECT_EQ(RunSelfAtDpi(dpi, filter, variable), 0u)
            << dpi << " DPI: see the child's output above";
    }
}

// In a child run, the DPI it was started at; 0 in the parent's own run.
inline int ChildDpi(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? std::atoi(value) : 0;
}

} // namespace pilotune::testing

#pragma once
// Shared by the fault-injection tests: waiting, the settings file of a run of
// the real program beside the simulator, and the answer time of the bar.
#include <windows.h>

#include <string>
#include <vector>

#include "PilotuneProcess.h"
#include "Simulator.h"
#include "Waiting.h"
#include "WindowText.h"

namespace pilotune::testing {

// A settings file that points the program at the simulator and skips the
// first-start dialog and the update check; `options` go to section Option.
inline std::string SimulatorIni(const std::string& options = "") {
    const std::string user = TestUserName();
    return "[" + user + " Option]\r\nCheminWinamp=" + NarrowPath(SimulatorExe()) +
           "\r\nNbOuvert=1\r\n" + options + "[" + user + " Divers]\r\nMAJ=0\r\n";
}

// Milliseconds the window took to answer a sent message; -1 when it did not
// answer within `timeoutMs`.
inline long AnswerTime(HWND window, UINT msg = WM_NULL, WPARAM w = 0, LPARAM l = 0,
                       UINT timeoutMs = 5000) {
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, msg, w, l, SMTO_NORMAL, timeoutMs, &ignored)) return -1;
    return static_cast<long>(GetTickCount64() - start);
}

inline std::vector<long long> Commands(const Simulator& sim) {
    std::vector<long long> out;
    for (const auto& m : sim.Log())
        if (m.msg == WM_COMMAND) out.push_back(m.wParam);
    return out;
}

} // namespace pilotune::testing

#pragma once
// Drives a modal window from a second thread while the test's thread runs its
// modal loop: waits for the window by class, then runs the script against it.
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "Waiting.h"
#include "base/EncodingWin32.h"
#include "ui/WindowTextWin32.h"

namespace pilotune::testing {

// A window's text as UTF-8. Read from another thread while the text changes,
// one read may take the old length and the new text: read until two agree.
inline std::string TextOf(HWND w) {
    std::string text = WindowText(w);
    for (std::string again; (again = WindowText(w)) != text;)
        text = again;
    return text;
}

inline SIZE ClientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

inline void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

// Runs `script(window)` on its own thread once a visible window of `cls`
// exists; `found` tells whether it ever appeared.
class ModalDriver {
  public:
    ModalDriver(const wchar_t* cls, std::function<void(HWND)> script, int waitMs = 5000)
        : thread_([=, this] {
              HWND w = nullptr;
              found = WaitFor([&] { return (w = FindWindowW(cls, nullptr)) && IsWindowVisible(w); },
                              waitMs);
              if (!found) return;
              // PILOTUNE_HOLD_MS: time to take a screenshot of the window.
              if (const char* hold = std::getenv("PILOTUNE_HOLD_MS")) Sleep(std::atoi(hold));
              script(w);
          }) {}
    ~ModalDriver() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool found = false;

  private:
    std::thread thread_;
};

} // namespace pilotune::testing

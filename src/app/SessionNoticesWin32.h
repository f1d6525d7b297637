#pragma once
// The session coming back, after a sleep or a lock: Windows says so to a
// top-level window (WM_POWERBROADCAST) and to one that asked for the session's
// changes (WM_WTSSESSION_CHANGE).
#include <windows.h>

#include <utility>

namespace pilotune {

class SessionNotices {
  public:
    SessionNotices() = default;
    // Asks Windows to tell `window` the changes of this session.
    explicit SessionNotices(HWND window);
    SessionNotices(SessionNotices&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)) {}
    SessionNotices& operator=(SessionNotices&& other) noexcept;
    SessionNotices(const SessionNotices&) = delete;
    SessionNotices& operator=(const SessionNotices&) = delete;
    ~SessionNotices(); // stops asking (before the window goes)

  private:
    HWND window_ = nullptr;
};

// True for a message that says the session is back: resumed from a sleep, or
// unlocked or connected again.
bool IsSessionBack(UINT msg, WPARAM wParam);

} // namespace pilotune

#pragma once
// The decisions of the shutdown countdown: its label text and the flags asked
// of Windows. The request itself goes through ShutdownRequest, so that only
// the program ever reaches the real one.
#include <string>

namespace pilotune {

// ExitWindowsEx flags.
inline constexpr unsigned kExitShutdown = 1; // older family
inline constexpr unsigned kExitReboot = 2;
inline constexpr unsigned kExitForce = 4;
inline constexpr unsigned kExitPowerOff = 8; // NT family

inline constexpr int kCountdownTickMs = 1000;

class ShutdownRequest {
  public:
    virtual ~ShutdownRequest() = default;
    // Acquires the shutdown privilege and asks Windows to end the session.
    virtual void Request(unsigned flags) = 0;
};

// Reboot for a restart; power off (NT family) or shut down otherwise; + force.
unsigned ExitFlags(bool restart, bool force, bool ntFamily);

// "L'ordinateur va effectuer l'opération suivante dans <n> secondes : ".
std::string CountdownText(int secondsLeft);

// The count itself: the elapsed ticks against the total.
class Countdown {
  public:
    explicit Countdown(int total) : total_(total) {}
    // One tick of the timer; true when it is the last one (zero reached).
    bool Tick() { return ++elapsed_ >= total_; }
    int SecondsLeft() const { return total_ > elapsed_ ? total_ - elapsed_ : 0; }
    int Total() const { return total_; }

  private:
    int total_;
    int elapsed_ = 0;
};

} // namespace pilotune

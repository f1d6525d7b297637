#pragma once
// The statuses of a copy's worker posted back to a window.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace pilotune {

// The statuses on their way from the worker to a window: the worker puts
// them in, and posts `message` to the window unless one is already on its way;
// the window takes all that came meanwhile. Shared by both sides, so that
// either may go first.
class CopyStatusMailbox {
  public:
    CopyStatusMailbox(HWND window, UINT message) : window_(window), message_(message) {}
    void Put(long long id, const std::string& status);
    std::vector<std::pair<long long, std::string>> Take();

  private:
    HWND window_;
    UINT message_;
    std::mutex mutex_;
    std::vector<std::pair<long long, std::string>> statuses_;
    std::atomic<bool> posted_{false};
};

} // namespace pilotune

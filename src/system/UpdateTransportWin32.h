#pragma once
// HTTP download for the update check, through WinINet, bounded in time and
// size, written beside the program only once the whole answer has arrived.
#include "system/UpdateCheck.h"

namespace pilotune {

class WinInetTransport final : public UpdateTransport {
  public:
    explicit WinInetTransport(unsigned timeoutMs = 5000) : timeoutMs_(timeoutMs) {}
    std::string Download(const std::string& url, const std::string& path) override;

  private:
    unsigned timeoutMs_;
};

inline constexpr unsigned kUpdateMaxBytes = 1u << 20; // a description or details text

} // namespace pilotune

#pragma once
// The real request to Windows to end the session. Only the program uses it;
// tests give the countdown a recording ShutdownRequest instead.
#include "system/Shutdown.h"

namespace pilotune {

class WindowsShutdown final : public ShutdownRequest {
  public:
    // Enables SeShutdownPrivilege in the process token, then ExitWindowsEx(flags,
    // 0). Results are not reported: a refusal leaves the countdown at zero for
    // the user to cancel. The countdown lets pending messages run first.
    void Request(unsigned flags) override;
};

} // namespace pilotune

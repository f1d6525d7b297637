#pragma once
// A hidden message-only window: timers and posted results for an object that
// has no window of its own.
#include <windows.h>

#include <functional>

#include "ui/WindowWin32.h"

namespace pilotune {

class MessageWindow final : public Window {
  public:
    using Handler = std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)>;
    explicit MessageWindow(Handler handler) : handler_(std::move(handler)) {}
    bool Create();
    void StartTimer(UINT_PTR id, UINT ms) { SetTimer(Handle(), id, ms, nullptr); }
    void StopTimer(UINT_PTR id) { KillTimer(Handle(), id); }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    Handler handler_;
};

} // namespace pilotune

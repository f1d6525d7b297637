#pragma once
// Action MISEAJOUR on Windows: the program's check runs on a worker thread and
// its window shows on the interface thread once the result has arrived.
#include <windows.h>

#include <functional>
#include <string>

#include "system/UpdateCheck.h"
#include "system/UpdateWorkerWin32.h"

namespace pilotune {

class SettingsStore;

// The program's check: its folder, its FileVersion, the server of the
// settings, its Win32 files.
UpdateSetup ProgramUpdateSetup(const SettingsStore& store);

// Shows the update window modally, from the menu (`fromMenu`) always, from the
// start-up timer only for a new version; nothing once `owner` has gone (the
// program is closing). `open` opens the address; empty: the shell, for web
// addresses only.
void ShowUpdateResult(HWND owner, const UpdateResult& result, bool fromMenu,
                      std::function<void(const std::string&)> open = {});

// One check at a time. Asked again while a check runs, it starts no other
// one: a request from the menu then makes the running check's result show.
class UpdateAction {
  public:
    explicit UpdateAction(std::function<void(const std::string&)> open = {},
                          UpdateWorker::TransportMaker makeTransport = {})
        : worker_(std::move(makeTransport)), open_(std::move(open)) {}
    // False when no check started: one was under way (and was joined), or no
    // thread could be made.
    bool Run(HWND owner, UpdateSetup setup, bool fromMenu);
    bool Busy() const { return worker_.Busy(); }

  private:
    UpdateWorker worker_;
    std::function<void(const std::string&)> open_;
    HWND owner_ = nullptr;
    bool fromMenu_ = false;
};

} // namespace pilotune

#pragma once
// Runs the update check on a thread of its own and hands its result back to
// the thread that made the worker, through a message-only window. That thread
// never waits for the network. A check that outlives its time limit (a server
// that accepts and never answers, a name that never resolves) is reported as
// failed and left to end alone, as is a check under way when the worker goes;
// whatever it finds later is dropped.
#include <windows.h>

#include <functional>
#include <memory>

#include "system/UpdateCheck.h"
#include "ui/WindowWin32.h"

namespace pilotune {

inline constexpr unsigned kUpdateCheckLimitMs = 30000;

class UpdateWorker final : private Window {
  public:
    using TransportMaker = std::function<std::unique_ptr<UpdateTransport>()>;
    using Done = std::function<void(const UpdateResult&)>;

    // `makeTransport` makes each check's transport; empty: WinINet, 5 s time-outs.
    explicit UpdateWorker(TransportMaker makeTransport = {},
                          unsigned limitMs = kUpdateCheckLimitMs);
    ~UpdateWorker() override; // returns at once, a check under way or not

    // Starts a check of `setup` (without a codec: the ANSI code page); `done`
    // later runs on this thread with the result. False, and nothing started,
    // while a check is under way (until its `done` has returned) or when no
    // thread could be made.
    bool Start(UpdateSetup setup, Done done);
    bool Busy() const { return job_ != nullptr; }

  private:
    struct Job;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinished();
    void OnLimit();
    void Deliver(const UpdateResult& result);

    TransportMaker makeTransport_;
    unsigned limitMs_;
    std::shared_ptr<Job> job_;
    Done done_;
    std::shared_ptr<bool> alive_;
};

} // namespace pilotune

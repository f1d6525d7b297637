#include "copy/ListCopy.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "settings/Option.h"

namespace pilotune {

struct CopyWorker::State {
    std::atomic<bool> cancel{false};
    std::atomic<bool> running{true};
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread thread;
};

namespace {
void Run(ListCopyJob& job, const std::atomic<bool>& cancel) {
    std::unique_ptr<CopyFileSystem> files = job.files(cancel);
    COption options;
    options.CopyPath = job.folder;
    for (const ListCopyItem& item : job.items) {
        if (cancel) return;
        std::string status =
            files ? CopyMusic(options, item.source, *files) : std::string(kCopyFailed);
        if (job.copied) job.copied(item.id, status);
    }
}
} // namespace

CopyWorker::~CopyWorker() {
    Stop(kCopyStopMs);
}

bool CopyWorker::Start(ListCopyJob job) {
    if (Running()) return false;
    if (state_ && state_->thread.joinable()) state_->thread.join(); // past its last report
    auto state = std::make_shared<State>();
    try {
        state->thread = std::thread([state, job = std::move(job)]() mutable {
            try {
                Run(job, state->cancel);
            } catch (...) {
                // Stopped (CopyCancelled), or a failure: a status per row is
                // all the copy reports; nothing may leave the thread.
            }
            state->running = false;
            try {
                if (job.finished) job.finished();
            } catch (...) {
            }
            std::lock_guard<std::mutex> lock(state->mutex);
            state->done = true;
            state->ended.notify_all();
        });
    } catch (...) { // no thread could be made
        return false;
    }
    state_ = std::move(state);
    return true;
}

bool CopyWorker::Running() const {
    return state_ && state_->running;
}

bool CopyWorker::Stop(int ms) {
    if (!state_) return true;
    state_->cancel = true;
    bool ended = false;
    {
        std::unique_lock<std::mutex> lock(state_->mutex);
        ended = state_->ended.wait_for(lock, std::chrono::milliseconds(ms),
                                       [&] { return state_->done; });
    }
    if (!state_->thread.joinable()) return ended;
    if (ended)
        state_->thread.join();
    else
        state_->thread.detach(); // it holds its own state; the process may end under it
    return ended;
}

} // namespace pilotune

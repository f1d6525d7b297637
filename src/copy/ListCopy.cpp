#include "copy/ListCopy.h"

#include <atomic>
#include <thread>

#include "settings/Option.h"

namespace pilotune {

namespace {
std::atomic<bool> running{false};

void Run(ListCopyJob& job) {
    std::unique_ptr<CopyFileSystem> files = job.files();
    COption options;
    options.CopyPath = job.folder;
    for (const ListCopyItem& item : job.items) {
        std::string status =
            files ? CopyMusic(options, item.source, *files) : std::string(kCopyFailed);
        if (job.copied) job.copied(item.id, status);
    }
}
} // namespace

bool StartListCopy(ListCopyJob job) {
    bool idle = false;
    if (!running.compare_exchange_strong(idle, true)) return false;
    try {
        std::thread([job = std::move(job)]() mutable {
            try {
                Run(job);
            } catch (...) {
                // A status per row is all the copy reports; nothing may leave the thread.
            }
            running = false;
            if (job.finished) job.finished();
        }).detach();
    } catch (...) { // no thread could be made
        running = false;
        return false;
    }
    return true;
}

bool ListCopyRunning() {
    return running;
}

} // namespace pilotune

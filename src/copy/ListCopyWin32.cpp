#include "copy/ListCopyWin32.h"

namespace pilotune {

void CopyStatusMailbox::Put(long long id, const std::string& status) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        statuses_.emplace_back(id, status);
    }
    if (!posted_.exchange(true) && !PostMessageW(window_, message_, 0, 0))
        posted_ = false; // the window is gone, or its queue is full
}

std::vector<std::pair<long long, std::string>> CopyStatusMailbox::Take() {
    posted_ = false; // what comes from now on is posted again
    std::vector<std::pair<long long, std::string>> taken;
    std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(statuses_);
    return taken;
}

} // namespace pilotune

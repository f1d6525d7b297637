#pragma once
// Copying files off the interface thread: one worker copies them one after
// another in list order and reports each status as soon as its copy ends. The
// worker belongs to its CopyWorker, which can stop it within a bound.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "copy/MusicCopy.h"

namespace pilotune {

struct ListCopyItem {
    long long id = 0;   // the caller's name for the row
    std::string source; // the track's file
};

struct ListCopyJob {
    std::string folder; // the copy folder, as COption's CopyPath
    std::vector<ListCopyItem> items;
    // Made and destroyed on the worker: the file system the copies use, which
    // stops a copy (CopyCancelled) once `cancel` is true.
    std::function<std::unique_ptr<CopyFileSystem>(const std::atomic<bool>& cancel)> files;
    // Called on the worker after each whole copy, then once at the end.
    std::function<void(long long id, const std::string& status)> copied;
    std::function<void()> finished;
};

// How long closing waits for a copy to stop.
inline constexpr int kCopyStopMs = 3000;

class CopyWorker {
  public:
    CopyWorker() = default;
    ~CopyWorker(); // Stop(kCopyStopMs)
    CopyWorker(const CopyWorker&) = delete;
    CopyWorker& operator=(const CopyWorker&) = delete;

    // Starts the job on a worker; false (nothing started) while one runs.
    bool Start(ListCopyJob job);
    bool Running() const;
    // Asks the copy to stop: the file being copied is left unfinished and
    // removed, the rows after it are not copied. True when the worker ended
    // within `ms` (then every status it reported has been handed over).
    bool Stop(int ms);

  private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace pilotune

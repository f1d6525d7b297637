#pragma once
// Copying a list of tracks off the interface thread: one worker copies the
// files one after another in list order and reports each status as soon as
// its copy ends. One list copy runs at a time in the whole program.
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
    // Made and destroyed on the worker: the file system the copies use.
    std::function<std::unique_ptr<CopyFileSystem>()> files;
    // Called on the worker after each copy, then once at the end.
    std::function<void(long long id, const std::string& status)> copied;
    std::function<void()> finished;
};

// Starts the job on a worker; false (nothing started) while another list copy
// runs. The worker owns the job: the caller may go away meanwhile.
bool StartListCopy(ListCopyJob job);
bool ListCopyRunning();

} // namespace pilotune

#pragma once
// The list copy as a window sees it: the copy belongs to the program, not to
// the window that started it, and goes on when the window closes.
#include <string>
#include <utility>
#include <vector>

#include "copy/CopyList.h"

namespace pilotune {

// A window showing the running copy's rows.
class ListCopyWatcher {
  public:
    virtual ~ListCopyWatcher() = default;
    // On the interface thread: statuses of whole copies, by row name.
    virtual void CopyStatuses(const std::vector<std::pair<long long, std::string>>& statuses) = 0;
    virtual void CopyFinished() = 0;
};

class ListCopyHost {
  public:
    virtual ~ListCopyHost() = default;
    virtual bool Running() const = 0;
    // Stores `rows` as the list, then copies sources[i] for row i (named i)
    // into `folder`; false, and nothing done, while a list copy runs.
    virtual bool Start(const std::string& folder, const std::vector<CopyRow>& rows,
                       const std::vector<std::string>& sources) = 0;
    // As CopyListRun's.
    virtual long long IdOf(int storedRow) const = 0;
    virtual void Saved(const std::vector<long long>& ids) = 0;
    // The window the statuses show in (one at a time; nullptr: none).
    virtual void Watch(ListCopyWatcher* watcher) = 0;
};

} // namespace pilotune

#include "copy/ListCopyWin32.h"

#include <objbase.h>

#include "copy/MusicCopyWin32.h"

namespace pilotune {

namespace {
class WorkerCopy final : public CopyFileSystem {
  public:
    explicit WorkerCopy(HWND owner)
        : com_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))),
          files_(owner) {}
    ~WorkerCopy() override {
        if (com_) CoUninitialize();
    }
    WorkerCopy(const WorkerCopy&) = delete;
    WorkerCopy& operator=(const WorkerCopy&) = delete;
    bool FileExists(const std::string& p) override { return files_.FileExists(p); }
    bool FolderExists(const std::string& p) override { return files_.FolderExists(p); }
    void CreateFolders(const std::string& p) override { files_.CreateFolders(p); }
    bool CanShellCopy(const std::string& s, const std::string& t) override {
        return files_.CanShellCopy(s, t);
    }
    void ShellCopy(const std::string& s, const std::string& t) override { files_.ShellCopy(s, t); }

  private:
    bool com_;
    ShellCopyFileSystem files_;
};
} // namespace

std::unique_ptr<CopyFileSystem> WorkerShellCopy(HWND owner) {
    return std::make_unique<WorkerCopy>(owner);
}

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

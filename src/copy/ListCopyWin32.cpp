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

void PostCopyStatus(HWND window, UINT message, long long id, const std::string& status) {
    auto* text = new std::string(status);
    if (!PostMessageW(window, message, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text)))
        delete text; // the window is gone
}

std::string TakePostedStatus(LPARAM lParam) {
    std::unique_ptr<std::string> text(reinterpret_cast<std::string*>(lParam));
    return text ? *text : std::string();
}

} // namespace pilotune

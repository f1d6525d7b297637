#pragma once
// The copy's file system on Windows: attributes, folders and the copy itself
// through the wide API (long paths included).
#include <windows.h>

#include <atomic>
#include <string>

#include "copy/MusicCopy.h"

namespace pilotune {

class DiskCopyFileSystem final : public CopyFileSystem {
  public:
    // A file is copied piece by piece, and the copy stops as soon as `cancel`
    // turns true.
    explicit DiskCopyFileSystem(const std::atomic<bool>& cancel) : cancel_(cancel) {}
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    void CreateFolders(const std::string& path) override;
    bool CanCopy(const std::string& source, const std::string& target) override;
    void Copy(const std::string& source, const std::string& target) override;
    bool Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) noexcept override;

  private:
    const std::atomic<bool>& cancel_;
};

// The path as the wide API takes it whatever its length ("\\?\" before a long
// absolute path).
std::wstring ApiPath(const std::string& path);

} // namespace pilotune

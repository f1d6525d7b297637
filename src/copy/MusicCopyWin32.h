#pragma once
// The copy's file system on Windows: attributes and folders through the wide
// API (long paths included), the copy itself through the shell's file
// operation, or, for a copy that may be asked to stop, CopyFileEx.
#include <windows.h>

#include <atomic>
#include <string>

#include "copy/MusicCopy.h"

namespace pilotune {

class ShellCopyFileSystem final : public CopyFileSystem {
  public:
    // `owner` owns the shell's progress and error windows (the main window).
    // With `cancel`, the copy stops as soon as it turns true: the shell's
    // operation cannot be stopped, so the file is then copied piece by piece.
    explicit ShellCopyFileSystem(HWND owner = nullptr, const std::atomic<bool>* cancel = nullptr)
        : owner_(owner), cancel_(cancel) {}
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    void CreateFolders(const std::string& path) override;
    bool CanShellCopy(const std::string& source, const std::string& target) override;
    void ShellCopy(const std::string& source, const std::string& target) override;
    bool Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) noexcept override;

  private:
    HWND owner_;
    const std::atomic<bool>* cancel_;
};

// The path as the wide API takes it whatever its length ("\\?\" before a long
// absolute path).
std::wstring ApiPath(const std::string& path);

} // namespace pilotune

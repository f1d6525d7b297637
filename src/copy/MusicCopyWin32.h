#pragma once
// The copy's file system on Windows: attributes and folders through the wide
// API (long paths included), the copy itself through the shell's file operation.
#include <windows.h>

#include <string>

#include "copy/MusicCopy.h"

namespace pilotune {

class ShellCopyFileSystem final : public CopyFileSystem {
  public:
    // `owner` owns the shell's progress and error windows (the main window).
    explicit ShellCopyFileSystem(HWND owner = nullptr) : owner_(owner) {}
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    void CreateFolders(const std::string& path) override;
    bool CanShellCopy(const std::string& source, const std::string& target) override;
    void ShellCopy(const std::string& source, const std::string& target) override;

  private:
    HWND owner_;
};

// The path as the wide API takes it whatever its length ("\\?\" before a long
// absolute path).
std::wstring ApiPath(const std::string& path);

} // namespace pilotune

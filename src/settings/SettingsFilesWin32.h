#pragma once
// The settings file on Windows: read while others may replace it, replaced
// through a temporary file of the process's own that reaches the disk before
// the replace, and a replace that reaches it too.
#include "settings/SettingsStore.h"

namespace pilotune {

class Win32SettingsFiles final : public SettingsFiles {
  public:
    // A mutex named after the file, shared by every session of the computer.
    std::unique_ptr<FileLock> Lock(const std::string& path) const override;
    FileRead Read(const std::string& path) const override;
    FileStamp Stamp(const std::string& path) const override;
    // The temporary file is `path` + "." + the process id + "-" + the thread
    // id + ".tmp".
    FileReplace Replace(const std::string& path, std::string_view bytes,
                        const FileStamp* expected) const override;
};

} // namespace pilotune

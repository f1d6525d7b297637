#pragma once
// The settings file on Windows: read while others may replace it, replaced
// through a temporary file of the process's own that reaches the disk before
// the replace, and a replace that reaches it too; written in place when only
// the file is writable.
#include "settings/SettingsStore.h"

namespace pilotune {

class Win32SettingsFiles final : public SettingsFiles {
  public:
    // A mutex named after the file, shared by every session of the computer.
    std::unique_ptr<FileLock> Lock(const std::string& path) const override;
    FileRead Read(const std::string& path) const override;
    FileStamp Stamp(const std::string& path) const override;
    // The temporary file is `path` + "." + the process id + "-" + the thread
    // id + ".tmp"; it takes the file's own attributes (hidden, system, not
    // indexed). When the folder takes no new file but the file itself is
    // writable, the file is written in place, flushed and read back.
    FileReplace Replace(const std::string& path, std::string_view bytes,
                        const FileStamp* expected) const override;
    void RemoveStaleTemporaries(const std::string& path) const override;
};

} // namespace pilotune

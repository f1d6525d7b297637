#pragma once
// Whole text files read as one text.
#include <string>

#include "settings/SettingsStore.h"

namespace pilotune {

// The lines of the file at `path` (UTF-8), read through `files`, each
// preceded by CR LF: the result begins with CR LF and has no line break after
// the last line. Lines may end with LF, CR LF or CR. The bytes are kept as
// they are. A missing or unreadable file, or a folder, gives an empty text.
std::string ReadTextFile(const std::string& path,
                         const SettingsFiles& files = *DefaultSettingsFiles());

} // namespace pilotune

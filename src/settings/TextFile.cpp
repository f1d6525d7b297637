#include "settings/TextFile.h"

namespace pilotune {

std::string ReadTextFile(const std::string& path, const SettingsFiles& files) {
    const FileRead read = files.Read(path);
    if (read.status != FileRead::kRead) return {};
    const std::string& bytes = read.bytes;

    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16 + 2);
    bool lineOpen = false; // some line started and not yet ended
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (!lineOpen) {
            text += "\r\n";
            lineOpen = true;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lineOpen = false;
            continue;
        }
        text += c;
    }
    return text;
}

} // namespace pilotune

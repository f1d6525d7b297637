#include "settings/TextFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace pilotune {

namespace {
std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
} // namespace

std::string ReadTextFile(const std::string& path) {
    std::error_code error;
    const auto where = PathFromUtf8(path);
    if (!std::filesystem::is_regular_file(where, error)) return {};
    std::ifstream file(where, std::ios::binary);
    if (!file) return {};
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

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

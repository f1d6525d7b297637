#include "base/FailureLog.h"

#include <cstdio>

namespace pilotune {

namespace {

// `text` on one line, without blanks at its ends.
std::string OneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        out += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string FailureLine(const LogTime& at, std::string_view what, unsigned long error,
                        std::string_view errorText) {
    char stamp[32];
    std::snprintf(stamp, sizeof(stamp), "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    std::string line = std::string(stamp) + " | " + OneLine(what);
    const std::string text = OneLine(errorText);
    if (error != 0)
        line += " | " + std::to_string(error) + " : " + text;
    else if (!text.empty())
        line += " | " + text;
    constexpr std::size_t kRoom = kFailureLineLimit - 2; // for the line break
    if (line.size() > kRoom) {
        std::size_t cut = kRoom;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut; // not inside a character
        line.resize(cut);
    }
    return line + "\r\n";
}

bool FitsInFailureLog(std::size_t size, std::size_t lineSize, std::size_t limit) {
    return size <= limit && lineSize <= limit - size;
}

std::string TrimmedFailureLog(std::string_view content, std::string_view line, std::size_t limit) {
    if (content.starts_with(kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());
    const std::size_t room = limit / 2;
    std::size_t from = content.size() > room ? content.size() - room : 0;
    // Whole lines only: from the start of the content or after a line break.
    if (from > 0 && content[from - 1] != '\n') {
        const std::size_t next = content.find('\n', from);
        from = next == std::string_view::npos ? content.size() : next + 1;
    }
    std::string out(kUtf8Bom);
    out += content.substr(from);
    out += line;
    return out;
}

} // namespace pilotune

#include "settings/SettingsNames.h"

namespace pilotune {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string CleanLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (IsBreak(c)) c = ' ';
    return std::string(TrimBlanks(out));
}

void AppendFolded(std::string& out, std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || IsBreak(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || IsBreak(s.back())))
        s.remove_suffix(1);
    const std::size_t start = out.size();
    out.resize(start + s.size());
    char* d = out.data() + start;
    unsigned char prev = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(IsBreak(s[i]) ? ' ' : s[i]);
        d[i] = static_cast<char>(FoldByte(prev, c));
        prev = c;
    }
}

void NameIndex::Grow() {
    if ((count + 1) * 2 <= slots.size()) return;
    auto old = std::move(slots);
    slots.assign(old.empty() ? 16 : old.size() * 2, {0, 0});
    const std::size_t mask = slots.size() - 1;
    for (const auto& slot : old) {
        if (slot.second == 0) continue;
        std::size_t i = slot.first & mask;
        while (slots[i].second != 0)
            i = (i + 1) & mask;
        slots[i] = slot;
    }
}

void NameIndex::Insert(std::string_view folded, std::size_t entry) {
    Grow();
    const std::uint32_t h = HashName(folded);
    const std::size_t mask = slots.size() - 1;
    std::size_t i = h & mask;
    while (slots[i].second != 0)
        i = (i + 1) & mask;
    slots[i] = {h, static_cast<std::uint32_t>(entry + 1)};
    ++count;
}

} // namespace pilotune

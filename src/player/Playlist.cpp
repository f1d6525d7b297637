#include "player/Playlist.h"

namespace pilotune {

std::string PlaylistPathFor(const std::string& programPath) {
    if (programPath.size() < 3) return "m3u";
    return programPath.substr(0, programPath.size() - 3) + "m3u";
}

std::string_view FileNamePart(std::string_view path) {
    std::size_t i = path.size();
    while (i > 0 && path[i - 1] != '\\' && path[i - 1] != ':') --i;
    return path.substr(i);
}

namespace {
// Reads one code point of UTF-8 (invalid bytes, overlong forms included, count
// as themselves) and lower-cases ASCII and the Latin-1 letters.
char32_t NextLower(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp = c;
    if (c >= 0xC2 && c < 0xE0 && i + 1 < s.size() &&
        (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
        cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
        i += 2;
    } else {
        i += 1;
        cp = c < 0x80 ? c : 0x110000 + c; // a lone byte never equals a code point
    }
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) cp += 0x20;
    return cp;
}
} // namespace

bool SameFileName(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextLower(a, i) != NextLower(b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

std::uint32_t FileNameKey(std::string_view name) {
    // FNV-1a over the bytes with the same folding as NextLower: ASCII capitals,
    // and the Latin-1 capitals, which UTF-8 writes as C3 80 to C3 9E (C3 97 is
    // the multiplication sign).
    std::uint32_t hash = 2166136261u;
    unsigned char previous = 0;
    for (const char ch : name) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 0x20);
        else if (previous == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97)
            c = static_cast<unsigned char>(c + 0x20);
        previous = static_cast<unsigned char>(ch);
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

void PlaylistCache::Reset(std::size_t length) {
    text_.clear(); // the buffers keep their capacity from one reading to the next
    spans_.assign(length, Span{0, 0, FileNameKey({})});
    filled_ = 0;
}

void PlaylistCache::Begin() {
    text_.clear();
    filled_ = 0;
    carry_.clear();
    partial_ = false;
    skipLf_ = false;
}

std::string_view PlaylistCache::Entry(std::size_t index) const {
    const Span& span = spans_.at(index);
    return std::string_view(text_).substr(span.offset, span.size);
}

std::vector<std::string> PlaylistCache::Entries() const {
    std::vector<std::string> out;
    out.reserve(spans_.size());
    for (std::size_t i = 0; i < spans_.size(); ++i) out.emplace_back(Entry(i));
    return out;
}

void PlaylistCache::Store(std::size_t index, std::size_t offset) {
    Span& span = spans_[index];
    span.offset = offset;
    span.size = static_cast<std::uint32_t>(text_.size() - offset);
    span.key = FileNameKey(FileNamePart(Entry(index)));
}

int PlaylistCache::Find(std::string_view name) const {
    const std::uint32_t key = FileNameKey(name);
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        if (spans_[i].key == key && SameFileName(FileNamePart(Entry(i)), name))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

} // namespace pilotune

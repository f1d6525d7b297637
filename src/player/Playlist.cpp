#include "player/Playlist.h"

#include <bit>
#include <cstring>

namespace pilotune {

std::string PlaylistPathFor(const std::string& programPath) {
    if (programPath.size() < 3) return "m3u";
    return programPath.substr(0, programPath.size() - 3) + "m3u";
}

namespace {
// The high bit of each zero byte of `v`, exactly (no borrow between bytes).
constexpr std::uint64_t ZeroBytes(std::uint64_t v) {
    constexpr std::uint64_t kLow = 0x7F7F7F7F7F7F7F7Full;
    return ~(((v & kLow) + kLow) | v | kLow);
}
} // namespace

std::size_t FindLineBreak(std::string_view text, std::size_t from) {
    // Eight bytes at a time: one pass finds CR and LF both.
    std::size_t i = from;
    const std::size_t n = text.size();
    while (std::endian::native == std::endian::little && i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        const std::uint64_t hits =
            ZeroBytes(w ^ 0x0A0A0A0A0A0A0A0Aull) | ZeroBytes(w ^ 0x0D0D0D0D0D0D0D0Dull);
        if (hits) return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        i += 8;
    }
    for (; i < n; ++i)
        if (text[i] == '\n' || text[i] == '\r') return i;
    return std::string_view::npos;
}

std::string_view FileNamePart(std::string_view path) {
    // Eight bytes at a time from the end: a byte is a separator when it equals
    // "\\" or ":".
    auto zeroBytes = ZeroBytes;
    std::size_t i = path.size();
    while (std::endian::native == std::endian::little && i >= 8) {
        std::uint64_t w;
        std::memcpy(&w, path.data() + i - 8, 8);
        const std::uint64_t hits =
            zeroBytes(w ^ 0x5C5C5C5C5C5C5C5Cull) | zeroBytes(w ^ 0x3A3A3A3A3A3A3A3Aull);
        if (hits)
            return path.substr(i - 8 + static_cast<std::size_t>(std::bit_width(hits) - 1) / 8 + 1);
        i -= 8;
    }
    while (i > 0 && path[i - 1] != '\\' && path[i - 1] != ':')
        --i;
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
    // Every byte taken with its 0x20 bit set: the ASCII capitals, and the
    // second byte of the Latin-1 capitals in UTF-8 (C3 80 to C3 9E), become
    // their small letters. Names that SameFileName holds equal have the same
    // bytes but for that bit, so they get the same key; a few others share
    // one too, which the comparison after the key sorts out. Eight bytes at a
    // time.
    constexpr std::uint64_t kFold = 0x2020202020202020ull;
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = kMul ^ name.size();
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, name.data() + i, 8);
        hash = (hash ^ (w | kFold)) * kMul;
        hash ^= hash >> 29;
    }
    std::uint64_t tail = 0;
    if (i < name.size()) std::memcpy(&tail, name.data() + i, name.size() - i);
    hash = (hash ^ (tail | kFold)) * kMul;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
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
    for (std::size_t i = 0; i < spans_.size(); ++i)
        out.emplace_back(Entry(i));
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

#pragma once
// Names and values of the settings file as it holds them: cleaned to one line,
// compared without case, and found through a small hash index.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pilotune {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Line breaks and NUL cannot stand in a line of the file: names and values
// hold a blank in their place.
inline bool IsBreak(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

std::string_view TrimBlanks(std::string_view s);

// A name or value as it stands on one line of the file and reads back: breaks
// made blanks, then trimmed.
std::string CleanLine(std::string_view s);

// Appends `s` as the file would hold it (CleanLine), folded: ASCII letters and
// the Latin-1 capitals (UTF-8 C3 80..C3 9E, but not the sign x) lowered.
void AppendFolded(std::string& out, std::string_view s);

// `c` lowered; `prev` is the byte before it.
inline unsigned char FoldByte(unsigned char prev, unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (prev == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97)
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

// True when `name` (trimmed) folds to `folded`.
inline bool FoldsTo(std::string_view name, std::string_view folded) {
    if (name.size() != folded.size()) return false;
    unsigned char prev = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (FoldByte(prev, c) != static_cast<unsigned char>(folded[i])) return false;
        prev = c;
    }
    return true;
}

inline std::uint32_t HashName(std::string_view folded) {
    std::uint32_t h = 2166136261u; // FNV-1a
    for (const char c : folded)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// Open-addressing table of names compared without case: (hash, entry + 1).
// Entries are numbers; `nameOf(entry)` gives an entry's name.
struct NameIndex {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> slots;
    std::size_t count = 0;

    // The entry whose name folds to `folded`.
    template <class NameOf>
    std::optional<std::size_t> Lookup(std::string_view folded, NameOf nameOf) const {
        if (slots.empty()) return std::nullopt;
        const std::uint32_t h = HashName(folded);
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = h & mask;; i = (i + 1) & mask) {
            const auto [hash, entry] = slots[i];
            if (entry == 0) return std::nullopt;
            if (hash == h && FoldsTo(nameOf(entry - 1), folded)) return entry - 1;
        }
    }

    // Adds `entry` under `folded` unless an entry of that name is there; one
    // probe for both.
    template <class NameOf>
    void InsertIfAbsent(std::string_view folded, std::size_t entry, NameOf nameOf) {
        Grow();
        const std::uint32_t h = HashName(folded);
        const std::size_t mask = slots.size() - 1;
        std::size_t i = h & mask;
        for (; slots[i].second != 0; i = (i + 1) & mask) {
            const auto [hash, other] = slots[i];
            if (hash == h && FoldsTo(nameOf(other - 1), folded)) return;
        }
        slots[i] = {h, static_cast<std::uint32_t>(entry + 1)};
        ++count;
    }

    // Adds `entry`, known to be absent, under `folded`.
    void Insert(std::string_view folded, std::size_t entry);

  private:
    void Grow(); // room for one more entry: at most half the slots in use
};

} // namespace pilotune

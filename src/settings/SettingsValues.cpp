#include "settings/SettingsValues.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "settings/SettingsStore.h"

namespace pilotune {

std::optional<int> ParseInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex) {
        text.remove_prefix(2);
        if (text.size() > 8) return std::nullopt;
        std::uint32_t u = 0;
        const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), u, 16);
        if (ec != std::errc{} || p != text.data() + text.size()) return std::nullopt;
        if (negative) u = 0u - u;
        return static_cast<int>(static_cast<std::int32_t>(u));
    }
    std::int64_t v = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (ec != std::errc{} || p != text.data() + text.size()) return std::nullopt;
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<int>(v);
}

int ReadCount(const SettingsStore& store, std::string_view section, std::string_view key, int def) {
    const int n = store.ReadInteger(section, key, def, true);
    if (n < 0) return def;
    // A damaged count gives neither phantom rows beyond what the section
    // holds nor a long load.
    const std::size_t room =
        std::min(static_cast<std::size_t>(kMaxListCount), store.IndexedKeysBound(section, true));
    return static_cast<std::size_t>(n) > room ? static_cast<int>(room) : n;
}

std::string IndexedKey(std::string_view word, int i) {
    std::string key(word);
    key += std::to_string(i);
    return key;
}

} // namespace pilotune

#pragma once
// Value texts of the settings file, and list counts read safely.
#include <optional>
#include <string>
#include <string_view>

namespace pilotune {

class SettingsStore;

// Decimal ("-12", "+7") or hexadecimal with "0x" ("0x10", up to 8 digits, which
// wrap to 32 bits as "0xFFFFFFFF" = -1). Blanks around are allowed; anything
// else, or a decimal outside 32 bits, gives nullopt.
std::optional<int> ParseInteger(std::string_view text);

// The most entries a list read from the file may have, the same for every
// list of the program and as many as the player's playlist may hold: a
// damaged count never makes a read allocate without bound, and no real list
// is cut.
inline constexpr int kMaxListCount = 1 << 20;

// Reads the count key of a list (per-user section): a negative value reads as
// `def`; a value above kMaxListCount, or beyond the last numbered key the
// section holds, as the smaller of the two.
int ReadCount(const SettingsStore& store, std::string_view section, std::string_view key, int def);

// The key of a list's field for entry `i`: the field's word (with its blank,
// if it has one) followed by the index ("Action " + 3 -> "Action 3").
std::string IndexedKey(std::string_view word, int i);

} // namespace pilotune

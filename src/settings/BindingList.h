#pragma once
// The keyboard shortcut bindings as the settings file keeps them: "ClavierNb"
// and, per binding i, "Activer ", "Action ", "Touche " and "Chemin " + i of
// section Clavier.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

class SettingsStore;

inline constexpr std::string_view kSectionClavier = "Clavier";

// One keyboard shortcut binding.
struct TCla {
    bool Activer = true;     // takes part in matching
    std::uint8_t Action = 0; // action number
    std::string Touche;      // key text, modifier prefixes included
    std::string Chemin;      // the action's text parameter
    bool operator==(const TCla&) const = default;
};

// The four bindings used when the file has none.
std::vector<TCla> DefaultBindings();

// A missing or negative count gives the default bindings; a count beyond the
// rows the section holds gives only those rows. A missing or damaged value
// reads as its default (enabled, action 0, empty texts); an action number
// outside the catalogue reads as "nothing".
std::vector<TCla> ReadBindings(const SettingsStore& store);
// Writes the bindings that have a key (one without can never be pressed),
// numbered from 0, and removes the rows of an earlier, longer list.
void WriteBindings(SettingsStore& store, const std::vector<TCla>& bindings);

} // namespace pilotune

#include "settings/ProgrammeList.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace pilotune {

std::string ProgrammeSection(std::string_view name) {
    std::string s(kSectionProgramme);
    s += ' ';
    s += name;
    return s;
}

std::vector<TProg> ReadProgramme(const SettingsStore& store, const std::string& name,
                                 const TrackLookup& lookup) {
    const std::string section = ProgrammeSection(name);
    const int count = ReadCount(store, section, "ProgNb", 0);
    std::vector<TProg> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string keyN = IndexedKey("ProgN ", i), keyT = IndexedKey("ProgT ", i);
        if (!store.HasKey(section, keyT, true) && !store.HasKey(section, keyN, true)) continue;
        TProg e;
        e.T = store.ReadText(section, keyT, "", true);
        e.D = store.ReadInteger(section, IndexedKey("ProgD ", i), 0, true);
        e.F = store.ReadInteger(section, IndexedKey("ProgF ", i), 0, true);
        // The stored number is only what the track was when written.
        e.N = e.T.empty() || !lookup ? 0 : lookup(e.T);
        entries.push_back(std::move(e));
    }
    return entries;
}

bool WriteProgramme(SettingsStore& store, const std::string& name,
                    const std::vector<TProg>& entries) {
    const std::string title = name.empty() ? std::string(kDefaultProgramme) : name;
    const bool first = ReadCount(store, kSectionProgramme, "nbProgTitre", 0) == 0;
    if (first) WriteProgrammeNames(store, {title});
    const std::string section = ProgrammeSection(title);
    store.WriteInteger(section, "ProgNb", static_cast<int>(entries.size()), true);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const TProg& e = entries[k];
        const int i = static_cast<int>(k);
        store.WriteInteger(section, IndexedKey("ProgN ", i), e.N, true);
        store.WriteText(section, IndexedKey("ProgT ", i), e.T, true);
        store.WriteInteger(section, IndexedKey("ProgD ", i), e.D, true);
        store.WriteInteger(section, IndexedKey("ProgF ", i), e.F, true);
    }
    return first;
}

std::vector<std::string> ReadStoredProgrammeNames(const SettingsStore& store) {
    const int count = ReadCount(store, kSectionProgramme, "nbProgTitre", 0);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(store.ReadText(kSectionProgramme, IndexedKey("ProgTitre ", i), "", true));
    return names;
}

void WriteProgrammeNames(SettingsStore& store, const std::vector<std::string>& names) {
    store.WriteInteger(kSectionProgramme, "nbProgTitre", static_cast<int>(names.size()), true);
    for (std::size_t i = 0; i < names.size(); ++i)
        store.WriteText(kSectionProgramme, IndexedKey("ProgTitre ", static_cast<int>(i)), names[i],
                        true);
}

} // namespace pilotune

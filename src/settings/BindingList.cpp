#include "settings/BindingList.h"

#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace pilotune {

namespace {

constexpr const char* kFields[] = {"Activer ", "Action ", "Touche ", "Chemin "};

std::uint8_t ActionNumber(int v) {
    return v >= 0 && v <= kLastStoredAction ? static_cast<std::uint8_t>(v) : kActionNothing;
}

} // namespace

std::vector<TCla> DefaultBindings() {
    return {{true, 3, "Touche P.Précédent", ""},
            {true, 7, "Touche P.Suivant", ""},
            {true, 5, "Touche Lec/Pause", ""},
            {true, 6, "Touche Stop", ""}};
}

std::vector<TCla> ReadBindings(const SettingsStore& store) {
    const int count = ReadCount(store, kSectionClavier, "ClavierNb", -1);
    if (count < 0) return DefaultBindings();
    std::vector<TCla> bindings(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TCla& b = bindings[static_cast<std::size_t>(i)];
        b.Activer = store.ReadBoolean(kSectionClavier, IndexedKey("Activer ", i), true, true);
        b.Action =
            ActionNumber(store.ReadInteger(kSectionClavier, IndexedKey("Action ", i), 0, true));
        b.Touche = store.ReadText(kSectionClavier, IndexedKey("Touche ", i), "", true);
        b.Chemin = store.ReadText(kSectionClavier, IndexedKey("Chemin ", i), "", true);
    }
    return bindings;
}

void WriteBindings(SettingsStore& store, const std::vector<TCla>& bindings) {
    const int before = ReadCount(store, kSectionClavier, "ClavierNb", 0);
    int n = 0;
    for (const TCla& b : bindings) {
        if (b.Touche.empty()) continue;
        store.WriteBoolean(kSectionClavier, IndexedKey("Activer ", n), b.Activer, true);
        store.WriteInteger(kSectionClavier, IndexedKey("Action ", n), b.Action, true);
        store.WriteText(kSectionClavier, IndexedKey("Touche ", n), b.Touche, true);
        store.WriteText(kSectionClavier, IndexedKey("Chemin ", n), b.Chemin, true);
        ++n;
    }
    store.WriteInteger(kSectionClavier, "ClavierNb", n, true);
    // The rows the file counted, and any that follow them.
    for (bool stale = true; stale || n < before; ++n) {
        stale = false;
        for (const char* field : kFields) {
            const std::string key = IndexedKey(field, n);
            if (!store.HasKey(kSectionClavier, key, true)) continue;
            store.DeleteKey(kSectionClavier, key, true);
            stale = true;
        }
    }
}

} // namespace pilotune

#include "copy/CopyList.h"

#include <climits>

#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace pilotune {

std::vector<CopyRow> ReadCopyList(const SettingsStore& store) {
    std::vector<CopyRow> rows;
    const int count = ReadCount(store, kSectionCopie, "Nb", 0);
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        const int numero = store.ReadInteger(kSectionCopie, "Numero" + n, INT_MIN, true);
        if (numero < 0) continue;
        rows.push_back({numero, store.ReadText(kSectionCopie, "Erreur" + n, "", true)});
    }
    return rows;
}

void WriteCopyList(SettingsStore& store, const std::vector<CopyRow>& rows) {
    store.WriteInteger(kSectionCopie, "Nb", static_cast<int>(rows.size()), true);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string n = std::to_string(i);
        store.WriteInteger(kSectionCopie, "Numero" + n, rows[i].numero, true);
        store.WriteText(kSectionCopie, "Erreur" + n, rows[i].status, true);
    }
}

} // namespace pilotune

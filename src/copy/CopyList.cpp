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
        const std::string key = "Numero" + n;
        const int numero = store.HasKey(kSectionCopie, key, true)
                               ? store.ReadInteger(kSectionCopie, key, INT_MIN, true)
                               : 1;
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

void CopyListRun::Begin(SettingsStore& store, const std::vector<CopyRow>& rows) {
    WriteCopyList(store, rows);
    where_.resize(rows.size());
    ids_.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        where_[i] = static_cast<int>(i);
        ids_[i] = static_cast<long long>(i);
    }
}

void CopyListRun::Status(SettingsStore& store, long long id, const std::string& status) {
    if (id < 0 || id >= static_cast<long long>(where_.size())) return;
    const int row = where_[static_cast<std::size_t>(id)];
    if (row >= 0) store.WriteText(kSectionCopie, "Erreur" + std::to_string(row), status, true);
}

long long CopyListRun::IdOf(int row) const {
    return row >= 0 && row < static_cast<int>(ids_.size()) ? ids_[static_cast<std::size_t>(row)]
                                                           : -1;
}

void CopyListRun::Saved(const std::vector<long long>& ids) {
    ids_ = ids;
    where_.assign(where_.size(), -1);
    for (std::size_t row = 0; row < ids.size(); ++row)
        if (ids[row] >= 0 && ids[row] < static_cast<long long>(where_.size()))
            where_[static_cast<std::size_t>(ids[row])] = static_cast<int>(row);
}

} // namespace pilotune

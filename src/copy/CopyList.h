#pragma once
// The list of tracks to copy in one go, kept in the settings file with the
// status of each row's last copy.
#include <string>
#include <vector>

namespace pilotune {

class SettingsStore;

struct CopyRow {
    int numero = 1;     // 1-based playlist position
    std::string status; // the last copy's status, or empty
    bool operator==(const CopyRow&) const = default;
};

// "Nb", "Numero" + i and "Erreur" + i of section Copie. A row whose number is
// missing or is no number is left out.
std::vector<CopyRow> ReadCopyList(const SettingsStore& store);
void WriteCopyList(SettingsStore& store, const std::vector<CopyRow>& rows);

} // namespace pilotune

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
// missing reads as 1; a row whose number is no number is left out.
std::vector<CopyRow> ReadCopyList(const SettingsStore& store);
void WriteCopyList(SettingsStore& store, const std::vector<CopyRow>& rows);

// The stored rows of a running list copy. The list a copy starts from becomes
// the stored list, each row named by its index then; a status reaches the row
// of that name wherever the row is stored since, and nowhere once removed.
class CopyListRun {
  public:
    void Begin(SettingsStore& store, const std::vector<CopyRow>& rows);
    void Status(SettingsStore& store, long long id, const std::string& status);
    // The name of stored row `row` in the running copy; -1 when it has none.
    long long IdOf(int row) const;
    // The list was stored again: the names of its rows in order (-1: none).
    void Saved(const std::vector<long long>& ids);

  private:
    std::vector<int> where_;     // name -> stored row, -1 once removed
    std::vector<long long> ids_; // stored row -> name
};

} // namespace pilotune

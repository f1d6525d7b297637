#include "schedule/ScheduleList.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace pilotune {

namespace {

constexpr std::string_view kSection = kSectionPlanification;

} // namespace

std::vector<ScheduleRow> ReadScheduleList(const SettingsStore& store) {
    const int count = ReadCount(store, kSection, "NbListe", 0);
    std::vector<ScheduleRow> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        ScheduleRow& r = rows[static_cast<std::size_t>(i)];
        r.Activer = store.ReadBoolean(kSection, IndexedKey("Activer ", i), true, true);
        r.Action = store.ReadInteger(kSection, IndexedKey("Action ", i), 0, true);
        r.Comment = store.ReadInteger(kSection, IndexedKey("Comment ", i), 0, true);
        r.Periode = store.ReadInteger(kSection, IndexedKey("Periode ", i), 0, true);
        r.Quand = ReadScheduleQuand(store, i);
        r.Effectuer = store.ReadDate(kSection, IndexedKey("Effectuer ", i), 0, true);
        r.Chemin = store.ReadText(kSection, IndexedKey("Chemin ", i), "", true);
        r.Index = i;
    }
    return rows;
}

void WriteScheduleList(SettingsStore& store, const std::vector<ScheduleRow>& rows) {
    store.WriteInteger(kSection, "NbListe", static_cast<int>(rows.size()), true);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ScheduleRow& r = rows[k];
        const int i = static_cast<int>(k);
        store.WriteInteger(kSection, IndexedKey("Action ", i), r.Action, true);
        store.WriteInteger(kSection, IndexedKey("Comment ", i), r.Comment, true);
        store.WriteInteger(kSection, IndexedKey("Periode ", i), r.Periode, true);
        store.WriteInteger(kSection, IndexedKey("Quand ", i), r.Quand, true);
        WriteScheduleDone(store, i, r.Effectuer);
        store.WriteText(kSection, IndexedKey("Chemin ", i), r.Chemin, true);
        store.WriteBoolean(kSection, IndexedKey("Activer ", i), r.Activer, true);
    }
}

int ReadScheduleQuand(const SettingsStore& store, int index) {
    return store.ReadInteger(kSection, IndexedKey("Quand ", index), 0, true);
}

void WriteScheduleDone(SettingsStore& store, int index, int day) {
    store.WriteDate(kSection, IndexedKey("Effectuer ", index), day, true);
}

std::string ScheduleDoneText(const SettingsStore& store, int index) {
    const std::string key = IndexedKey("Effectuer ", index);
    return store.ReadDate(kSection, key, 0, true) != 0 ? store.ReadText(kSection, key, "", true)
                                                       : std::string();
}

} // namespace pilotune

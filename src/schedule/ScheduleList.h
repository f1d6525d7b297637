#pragma once
// The schedule list as the settings file keeps it: "NbListe" and, per row i,
// "Activer ", "Action ", "Comment ", "Periode ", "Quand ", "Effectuer " and
// "Chemin " + i of section Planification.
#include <string>
#include <string_view>
#include <vector>

#include "schedule/Plan.h"

namespace pilotune {

class SettingsStore;

inline constexpr std::string_view kSectionPlanification = "Planification";

// One stored row, enabled or not: the entry (its Index is the row's number)
// and its check mark.
struct ScheduleRow : TPlan {
    bool Activer = true;
    bool operator==(const ScheduleRow&) const = default;
};

// Every stored row. A count beyond the rows the section holds gives only
// those rows; a missing or damaged value reads as its default (enabled,
// codes and value 0, not done, no parameter).
std::vector<ScheduleRow> ReadScheduleList(const SettingsStore& store);
// Writes "NbListe" and each row under its position in `rows` (its Index is
// not used). The rows of a longer list written before stay in the file,
// hidden by the count.
void WriteScheduleList(SettingsStore& store, const std::vector<ScheduleRow>& rows);

// One field of row `index`.
int ReadScheduleQuand(const SettingsStore& store, int index);
void WriteScheduleDone(SettingsStore& store, int index, int day);
// The done date of row `index` as the file shows it; empty when not done.
std::string ScheduleDoneText(const SettingsStore& store, int index);

} // namespace pilotune

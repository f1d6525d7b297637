#include "schedule/Plan.h"

#include <array>

#include "schedule/ScheduleClock.h"

namespace pilotune {

namespace {

constexpr std::array<std::string_view, kTimingModeCount> kModes{
    "à",
    "dans",
    "après",
    "quand le précédent est fini",
    "quand le précédent est fini dans",
    "quand le précédent est fini après",
};

constexpr std::array<std::string_view, kPeriodCount> kPeriods{
    "une fois",
    "tous les jours",
    "tous les jours de la semaine",
    "tous les week-end",
    "tous les Lundi",
    "tous les Mardi",
    "tous les Mercredi",
    "tous les Jeudi",
    "tous les Vendredi",
    "tous les Samedi",
    "tous les Dimanche",
    "à chaque ouverture du logiciel",
    "à chaque ouverture de Windows",
};

} // namespace

std::string_view TimingModeLabel(int code) {
    return code >= 0 && code < kTimingModeCount ? kModes[static_cast<std::size_t>(code)] : "";
}

std::string_view PeriodLabel(int code) {
    return code >= 0 && code < kPeriodCount ? kPeriods[static_cast<std::size_t>(code)] : "";
}

int WeekdayOfDay(int day) {
    const long long shifted = static_cast<long long>(day) - 2; // day 2 is a Monday
    return static_cast<int>(((shifted % 7) + 7) % 7) + 1;
}

} // namespace pilotune

#include "schedule/Planification.h"

#include <algorithm>

#include "settings/SettingsStore.h"

namespace pilotune {

namespace {

constexpr std::string_view kSection = kSectionPlanification;

} // namespace

bool IsWindowsStart(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 && arguments[0] == kWindowsStartArgument;
}

CPlanification::CPlanification(SettingsStore& store, ScheduleClock& clock, ActionRunner run)
    : store_(store), clock_(clock), run_(std::move(run)) {}

int CPlanification::ListLimit() const {
    int limit = 0;
    for (const TPlan& e : entries_)
        limit = std::max(limit, e.Index + 1);
    return limit;
}

void CPlanification::Load() {
    Activer = store_.ReadBoolean(kSection, "Activer", false, true);
    AfficheInfo = store_.ReadBoolean(kSection, "AfficheInfo", true, true);
    ReadEntries(true);
}

void CPlanification::Reload() {
    ReadEntries(false);
}

void CPlanification::ReadEntries(bool startUp) {
    std::vector<TPlan> running;
    for (ScheduleRow& row : ReadScheduleList(store_)) {
        if (!row.Activer) continue;
        if (startUp && (row.Periode == kPeriodEachStart ||
                        (row.Periode == kPeriodEachWindowsStart && StartedByWindows)))
            row.Effectuer = 0;
        running.push_back(std::move(static_cast<TPlan&>(row)));
    }
    Replace(std::move(running));
}

void CPlanification::Replace(std::vector<TPlan> running) {
    entries_ = std::move(running);
    ++generation_;
}

void CPlanification::SaveState() {
    store_.WriteBoolean(kSection, "Activer", Activer, true);
    store_.WriteBoolean(kSection, "AfficheInfo", AfficheInfo, true);
    for (const TPlan& e : entries_)
        WriteScheduleDone(store_, e.Index, e.Effectuer);
}

void CPlanification::Persist() {
    SaveState();
    // On disk at once: an entry that ran is not run again after a crash. A
    // failed save is not shown here; the settings stay in memory and the
    // save at program end tells the user.
    store_.Flush();
}

int CPlanification::NextDue(int index, int last) {
    if (index < 0 || index >= Count()) return last;
    return NextDue(entries_[static_cast<std::size_t>(index)], last, clock_.Read());
}

int CPlanification::NextDue(const TPlan& e, int last, const ClockReading& clock) const {
    const int p = e.Periode;
    const bool once = p == kPeriodOnce || p == kPeriodEachStart || p == kPeriodEachWindowsStart;
    if (clock.today == last && !once) return last; // ran today: done until tomorrow
    const int day = clock.weekday;
    switch (p) {
    case kPeriodOnce:
    case kPeriodEachStart:
    case kPeriodEachWindowsStart:
        return e.Effectuer == 0 ? 0 : last;
    case kPeriodDaily:
        return 0;
    case kPeriodWeekdays:
        return day >= 1 && day <= 5 ? 0 : last;
    case kPeriodWeekend:
        return day == 6 || day == 7 ? 0 : last;
    default:
        if (p >= kPeriodMonday && p <= kPeriodSunday) return day == p - 3 ? 0 : last;
        return last; // an unknown period never allows a run
    }
}

void CPlanification::ReloadQuand(int index) {
    if (index < 0 || index >= Count()) return;
    TPlan& e = entries_[static_cast<std::size_t>(index)];
    e.Quand = ReadScheduleQuand(store_, e.Index);
}

} // namespace pilotune

#pragma once
// A schedule over an in-memory settings store (its file is never written),
// a clock the test sets, and a runner that records the actions run.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "schedule/Planification.h"
#include "settings/Codecs.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

class SetClock final : public ScheduleClock {
  public:
    ClockReading reading;
    ClockReading Read() override { return reading; }
    // A day of June 2024 (the 3rd is a Monday) at h:m:s.
    void Set(int dayOfJune, int h, int m = 0, int s = 0) {
        reading.today = DayFromCivil({2024, 6, dayOfJune});
        reading.weekday = WeekdayOfDay(reading.today);
        reading.now = h * 3600 + m * 60 + s;
    }
    void AddSeconds(int seconds) {
        reading.now += seconds;
        while (reading.now >= 86400) {
            reading.now -= 86400;
            ++reading.today;
            reading.weekday = WeekdayOfDay(reading.today);
        }
    }
};

struct Entry {
    int action = 0, mode = 0, period = 0, quand = 0;
    std::string chemin{};
    bool enabled = true;
    int done = 0; // day number; 0 writes the text "0"
};

// Writes the entries as the options dialog does and sets "Activer".
inline void WriteEntries(SettingsStore& store, const std::vector<Entry>& entries,
                         bool active = true) {
    constexpr std::string_view s = kSectionPlanification;
    store.WriteBoolean(s, "Activer", active, true);
    store.WriteInteger(s, "NbListe", static_cast<int>(entries.size()), true);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string i = std::to_string(k);
        const Entry& e = entries[k];
        store.WriteBoolean(s, "Activer " + i, e.enabled, true);
        store.WriteInteger(s, "Action " + i, e.action, true);
        store.WriteInteger(s, "Comment " + i, e.mode, true);
        store.WriteInteger(s, "Periode " + i, e.period, true);
        store.WriteInteger(s, "Quand " + i, e.quand, true);
        store.WriteText(s, "Chemin " + i, e.chemin, true);
        if (e.done == 0)
            store.WriteText(s, "Effectuer " + i, "0", true);
        else
            store.WriteDate(s, "Effectuer " + i, e.done, true);
    }
}

class ScheduleFixture : public ::testing::Test {
  protected:
    ScheduleFixture() {
        store.Open("", {"/nonexistent-pilotune-schedule/p.exe", "abc", &codec, &dates});
        clock.Set(3, 12); // Monday 3 June 2024, noon
    }

    void Write(const std::vector<Entry>& entries, bool active = true) {
        WriteEntries(store, entries, active);
    }
    void Load(const std::vector<Entry>& entries, bool active = true) {
        Write(entries, active);
        plan.Load();
    }
    std::string Stored(const std::string& key) const {
        return store.ReadText(kSectionPlanification, key, "<none>", true);
    }
    int StoredDate(int fileIndex) const {
        return store.ReadDate(kSectionPlanification, "Effectuer " + std::to_string(fileIndex), 0,
                              true);
    }
    void Tick(int times = 1) {
        for (int k = 0; k < times; ++k) {
            plan.Evaluate(true);
            clock.AddSeconds(1);
        }
    }

    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
    SetClock clock;
    std::vector<std::pair<int, std::string>> ran; // action, parameter
    CPlanification plan{store, clock,
                        [this](int a, const std::string& p) { ran.emplace_back(a, p); }};
};

} // namespace pilotune::testing

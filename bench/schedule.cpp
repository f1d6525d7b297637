// One schedule pass (timer tick and track change), one search for the next
// planned entry and one load, over 10 000 entries of every mode and period.
#include <benchmark/benchmark.h>

#include <string>

#include "schedule/Planification.h"
#include "settings/Codecs.h"
#include "settings/SettingsStore.h"

namespace {

using namespace pilotune;

constexpr int kEntries = 10000;

class FixedClock final : public ScheduleClock {
  public:
    ClockReading Read() override { return {DayFromCivil({2024, 6, 5}), 12 * 3600, 3}; }
};

struct Fixture {
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
    FixedClock clock;
    int runs = 0;
    CPlanification plan{store, clock, [this](int, const std::string&) { ++runs; }};

    Fixture() {
        store.Open("", {"/nonexistent-pilotune-bench/p.exe", "abc", &codec, &dates});
        constexpr std::string_view s = kSectionPlanification;
        store.WriteBoolean(s, "Activer", true, true);
        store.WriteInteger(s, "NbListe", kEntries, true);
        for (int i = 0; i < kEntries; ++i) {
            const std::string k = std::to_string(i);
            const int mode = i % kTimingModeCount;
            // No entry comes due while measured: times of day away from noon,
            // long delays and track counts, and the "previous" modes behind
            // entries that never run.
            const int quand = mode == kModeA ? (i * 7) % 40000 : 1000000000;
            store.WriteBoolean(s, "Activer " + k, i % 10 != 9, true);
            store.WriteInteger(s, "Action " + k, i % 32, true);
            store.WriteInteger(s, "Comment " + k, mode == kModePrecedent ? kModeDans : mode, true);
            store.WriteInteger(s, "Periode " + k, i % kPeriodCount, true);
            store.WriteInteger(s, "Quand " + k, quand, true);
            store.WriteText(s, "Effectuer " + k, i % 4 == 0 ? "04/06/2024" : "0", true);
            store.WriteText(s, "Chemin " + k, "C:\\Outils\\outil" + k + ".exe", true);
        }
        plan.Load();
    }
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void BM_EvaluateTick(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        f.plan.Evaluate(true);
    if (f.runs != 0) state.SkipWithError("an entry ran");
}
BENCHMARK(BM_EvaluateTick)->Unit(benchmark::kMicrosecond);

void BM_EvaluateTrackChange(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        f.plan.Evaluate(false);
    if (f.runs != 0) state.SkipWithError("an entry ran");
}
BENCHMARK(BM_EvaluateTrackChange)->Unit(benchmark::kMicrosecond);

void BM_FindNext(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.plan.FindNext());
}
BENCHMARK(BM_FindNext)->Unit(benchmark::kMicrosecond);

void BM_UpdateInfo(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.plan.UpdateInfo());
}
BENCHMARK(BM_UpdateInfo)->Unit(benchmark::kMicrosecond);

void BM_Load(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        f.plan.Load();
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

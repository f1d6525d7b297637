// The bar's layout after a drop or a change of DPI: the monitor that holds the
// bar, the clamp and the width rule at its DPI, then every element placed and
// its font chosen. The budget is 1 ms; it runs in microseconds.
#include <benchmark/benchmark.h>

#include <vector>

#include "bar/BarScene.h"

namespace {

using namespace pilotune;

const std::vector<Screen> kMonitors{
    {{0, 0, 1920, 1080}, 96}, {{1920, -200, 3840, 2160}, 192}, {{-1280, 0, 1280, 1024}, 120}};

// A drop across two monitors of different DPIs, alternating with one back.
void DropAndLayout(benchmark::State& state) {
    Scene scene = BuildBarScene();
    int i = 0;
    for (auto _ : state) {
        const Rect dropped{(i++ & 1) ? 1700 : 300, 40, 499, 26};
        const BarPlace place = DropBar(kMonitors, dropped);
        ArrangeBar(scene, {place.bounds.width, place.bounds.height}, place.dpi);
        benchmark::DoNotOptimize(scene["lblTitreB"].bounds);
    }
}
BENCHMARK(DropAndLayout);

// The DPI changes under the bar (the user changes the scale).
void DpiChange(benchmark::State& state) {
    Scene scene = BuildBarScene();
    const int dpis[] = {96, 120, 144, 192};
    int i = 0;
    for (auto _ : state) {
        LayoutBar(scene, 1920, 450, dpis[i++ & 3]);
        benchmark::DoNotOptimize(scene["imgFerme"].bounds);
    }
}
BENCHMARK(DpiChange);

// A stored place restored at start, its monitor gone.
void RestoreStored(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(PlaceStoredBar(kMonitors, 9000, 3000));
}
BENCHMARK(RestoreStored);

} // namespace

BENCHMARK_MAIN();

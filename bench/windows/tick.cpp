// One playback tick of the bar against the simulator under Wine, beside its
// floor in the same run: the six player queries a tick must make (position,
// length, caption, state, shuffle, track number), sent bare with SendMessageW.
#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>

#include "Simulator.h"
#include "bar/BarLogic.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "../../tests/windows/bar/QuietServices.h"

using namespace pilotune;

namespace {
void BareQueries(HWND hwnd) {
    wchar_t caption[512];
    SendMessageW(hwnd, WM_USER, 0, kQueryTime);
    SendMessageW(hwnd, WM_USER, 1, kQueryTime);
    GetWindowTextW(hwnd, caption, 512);
    SendMessageW(hwnd, WM_USER, 0, kQueryState);
    SendMessageW(hwnd, WM_USER, 0, kQueryShuffle);
    SendMessageW(hwnd, WM_USER, 0, kQueryWritePlaylist);
}
} // namespace

int main() {
    constexpr int kRounds = 300;
    // A frozen clock keeps the track (no track change inside a pass).
    testing::Simulator sim(testing::Simulator::Options{.play = true, .tracks = 30});
    sim.Freeze(true);
    sim.SetPosition(61000);
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link(window, system, Narrow(testing::SimulatorExe()));
    link.Connecter();
    HWND hwnd = window.Handle();

    COption option;
    SettingsStore store;
    testing::QuietServices services;
    BarLogic bar(option, link, store, services);
    LayoutBar(bar.state.scene, 1024, 450);
    bar.monitor.Start();

    double best = 1e18, bestBare = 1e18;
    for (int pass = 0; pass < 5; ++pass) { // interleaved passes, best of each
        double t0 = NowUs();
        for (int i = 0; i < kRounds; ++i)
            BareQueries(hwnd);
        bestBare = std::min(bestBare, (NowUs() - t0) / kRounds);
        t0 = NowUs();
        for (int i = 0; i < kRounds; ++i)
            bar.monitor.Tick();
        best = std::min(best, (NowUs() - t0) / kRounds);
    }
    std::printf("%-44s %10.2f us  baseline %10.2f us  ratio %5.2f  (target <= 1.3)\n",
                "Tick() against the simulator", best, bestBare, best / bestBare);
    std::printf("track changes seen during the run: %d\n", services.calls["ScheduleEvaluate"]);
    return 0;
}

// The player's own cost of the bar's 500 ms tick: the time the simulator
// spends answering one tick (position, length, caption, state, shuffle, track
// number, the last of which rewrites its playlist file) with a playlist of
// 100 000 entries, beside the same with 30 entries in the same run. The bar
// waits in its sends meanwhile, so the tick's wall time is the player's answer
// time (the bar's own share is a few microseconds). Reported, no target yet.
// (The player's CPU time is not read: Wine does not report another process's
// times reliably.)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "../../tests/windows/bar/QuietServices.h"
#include "Simulator.h"
#include "bar/BarLogic.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;

namespace {

double NowMs() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e3 / static_cast<double>(f.QuadPart);
}

struct Cost {
    double tick = 0;     // ms the whole tick waited for the player
    double playlist = 0; // ms of it for the track number (the playlist rewrite)
};

// `ticks` ticks of the real bar logic against a player started with `options`.
Cost Measure(testing::Simulator::Options options, int ticks) {
    testing::Simulator sim(options);
    sim.Freeze(true); // no track change inside the run
    Win32PlayerWindow window(5000);
    Win32PlayerSystem system;
    TPilotune link(window, system, Narrow(testing::SimulatorExe()));
    link.Connecter();
    COption option;
    SettingsStore store;
    testing::QuietServices services;
    BarLogic bar(option, link, store, services);
    LayoutBar(bar.state.scene, 1024, 450);
    bar.monitor.Start();
    bar.monitor.Tick(); // warm

    Cost best{1e18, 1e18};
    for (int i = 0; i < ticks; ++i) { // best of each: the machine is shared
        double t0 = NowMs();
        bar.monitor.Tick();
        best.tick = std::min(best.tick, NowMs() - t0);
        t0 = NowMs();
        link.NumeroTitre();
        best.playlist = std::min(best.playlist, NowMs() - t0);
        Sleep(20);
    }
    return best;
}

} // namespace

int main() {
    constexpr int kEntries = 100000;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring m3u = std::wstring(temp) + L"pilotune-bench-100000.m3u";
    {
        std::ofstream out(m3u.c_str(), std::ios::binary);
        out << "#EXTM3U\r\n";
        for (int i = 0; i < kEntries; ++i) {
            out << "#EXTINF:" << 120 + i % 240 << ",Artiste " << i % 500 << " - Morceau " << i
                << "\r\n";
            out << "C:\\Musique\\Artiste " << i % 500 << "\\Morceau num\xE9ro " << i << ".mp3\r\n";
        }
    }
    const Cost small = Measure({.play = true, .tracks = 30}, 30);
    const Cost big = Measure({.play = true, .playlist = m3u}, 15);
    auto row = [](const char* what, double ours, double base) {
        std::printf("%-44s %10.2f ms  baseline %10.2f ms  ratio %6.1f  (target none: reported)\n",
                    what, ours, base, base > 0 ? ours / base : 0.0);
    };
    row("player answer time per tick, 100 000 entries", big.tick, small.tick);
    row("of which the playlist rewrite", big.playlist, small.playlist);
    DeleteFileW(m3u.c_str());
    return 0;
}

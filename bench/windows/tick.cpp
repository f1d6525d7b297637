// One playback tick of the bar against the simulator under Wine, beside its
// floor in the same run: the six player queries a tick must make (position,
// length, caption, state, shuffle, track number), sent bare with SendMessageW.
// Also what the figures are made of: the messages the player receives per
// tick and per action (from the simulator's log), the process's own CPU time
// per tick, the ways of reading the caption, and the cost of one repaint of
// the bar after a tick that changed what it shows.
#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "../../tests/windows/bar/QuietServices.h"
#include "Simulator.h"
#include "bar/BarLogic.h"
#include "ui/PicturesWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "ui/ScenePainterWin32.h"

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

// The real player window; notes when a command has been answered.
class TimedWindow final : public PlayerWindow {
  public:
    explicit TimedWindow(Win32PlayerWindow& inner) : inner_(inner) {}
    double commandAnsweredAt = 0;
    bool Find() override { return inner_.Find(); }
    bool Exists() override { return inner_.Exists(); }
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        auto r = inner_.Send(msg, w, l);
        if (msg == WM_COMMAND) commandAnsweredAt = NowUs();
        return r;
    }
    void Post(unsigned msg, std::uintptr_t w, std::intptr_t l) override { inner_.Post(msg, w, l); }
    std::optional<std::string> Caption() override { return inner_.Caption(); }
    void Show(bool v) override { inner_.Show(v); }
    void RaiseSearchWindow() override { inner_.RaiseSearchWindow(); }

  private:
    Win32PlayerWindow& inner_;
};

// This process's CPU time (user + kernel), in microseconds.
double CpuUs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto us = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10.0;
    };
    return us(kernel) + us(user);
}

// Best wall time per call of `f` over `passes` passes of `rounds` calls.
template <class F> double BestUs(F f, int rounds, int passes = 5) {
    double best = 1e18;
    for (int pass = 0; pass < passes; ++pass) {
        const double t0 = NowUs();
        for (int i = 0; i < rounds; ++i)
            f();
        best = std::min(best, (NowUs() - t0) / rounds);
    }
    return best;
}

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

void Row(const char* what, double ours, double base, const char* target) {
    std::printf("%-44s %10.2f us  baseline %10.2f us  ratio %5.2f  (target %s)\n", what, ours, base,
                ours / base, target);
}

} // namespace

int main() {
    constexpr int kRounds = 300;
    // A frozen clock keeps the track (no track change inside a pass).
    testing::Simulator sim(testing::Simulator::Options{.play = true, .tracks = 30});
    sim.Freeze(true);
    sim.SetPosition(61000);
    Win32PlayerWindow window;
    TimedWindow timed(window);
    Win32PlayerSystem system;
    TPilotune link(timed, system, Narrow(testing::SimulatorExe()));
    link.Connecter();
    HWND hwnd = window.Handle();

    COption option;
    SettingsStore store;
    testing::QuietServices services;
    BarLogic bar(option, link, store, services);
    LayoutBar(bar.state.scene, 1024, 450);
    bar.monitor.Start();

    // Messages the player receives (its log counts each one it answers).
    auto perCall = [&](auto&& f, int n) {
        sim.ClearLog();
        for (int i = 0; i < n; ++i)
            f();
        return static_cast<double>(sim.Log().size()) / n;
    };
    const double tickMessages = perCall([&] { bar.monitor.Tick(); }, 20);
    const double bareMessages = perCall([&] { BareQueries(hwnd); }, 20);
    const double pauseMessages = perCall([&] { bar.dispatcher.ExecuterAction(PAUSER, false); }, 20);
    std::printf("(player messages per tick                      %5.1f  (bare poller: %.1f, and "
                "the caption read from the system))\n",
                tickMessages, bareMessages);
    std::printf("(player messages per action PAUSER             %5.1f  (the command alone: 1))\n",
                pauseMessages);

    // Wall time, one tick then one bare set, round after round: the machine's
    // load changes slowly, so each pair sees the same load. Medians.
    std::vector<double> ticks, bares;
    for (int i = 0; i < 5 * kRounds; ++i) {
        double t0 = NowUs();
        bar.monitor.Tick();
        ticks.push_back(NowUs() - t0);
        t0 = NowUs();
        BareQueries(hwnd);
        bares.push_back(NowUs() - t0);
    }
    Row("Tick() against the simulator (median)", Median(ticks), Median(bares), "<= 1.3");

    // An action through the dispatcher, PAUSER (what the play/pause key runs):
    // from the call to its command answered, and the whole call with the menu
    // marks after it, beside the bare send of the same command. Interleaved.
    std::vector<double> toCommand, whole, bareCommand;
    for (int i = 0; i < 2 * kRounds; ++i) {
        const double t0 = NowUs();
        bar.dispatcher.ExecuterAction(PAUSER, false);
        const double t1 = NowUs();
        toCommand.push_back(timed.commandAnsweredAt - t0);
        whole.push_back(t1 - t0);
        const double b0 = NowUs();
        SendMessageW(hwnd, WM_COMMAND, kCmdPause, 0);
        bareCommand.push_back(NowUs() - b0);
    }
    Row("PAUSER: call to command answered (median)", Median(toCommand), Median(bareCommand),
        "<= 1.3");
    Row("PAUSER: whole call, menu marks too (median)", Median(whole), Median(bareCommand),
        "none: reported");

    // CPU time of this process only: the waits for the player's answers are
    // not in it. Interleaved, summed over the passes.
    double tickCpu = 0, bareCpu = 0;
    for (int pass = 0; pass < 5; ++pass) {
        double c0 = CpuUs();
        for (int i = 0; i < kRounds; ++i)
            bar.monitor.Tick();
        tickCpu += CpuUs() - c0;
        c0 = CpuUs();
        for (int i = 0; i < kRounds; ++i)
            BareQueries(hwnd);
        bareCpu += CpuUs() - c0;
    }
    Row("Tick() CPU time of the bar's process", tickCpu / (5 * kRounds), bareCpu / (5 * kRounds),
        "<= 1.2");

    // The caption: the system's copy, the documented call, and the messages.
    wchar_t text[512];
    const double internal = BestUs([&] { InternalGetWindowText(hwnd, text, 512); }, kRounds);
    const double documented = BestUs([&] { GetWindowTextW(hwnd, text, 512); }, kRounds);
    const double messages = BestUs(
        [&] {
            DWORD_PTR n = 0;
            SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &n);
            SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                                SMTO_ABORTIFHUNG, 1000, &n);
        },
        kRounds);
    Row("caption: InternalGetWindowText", internal, messages, "none: WM_GETTEXT pair");
    Row("caption: GetWindowTextW", documented, messages, "none: WM_GETTEXT pair");

    // How often a tick changes what the bar shows (the form repaints only
    // then), with the player's clock running, and what one repaint costs.
    sim.Freeze(false);
    int changed = 0;
    const int observed = 20;
    Scene before = bar.state.scene;
    for (int i = 0; i < observed; ++i) {
        Sleep(500);
        bar.monitor.Tick();
        if (!(bar.state.scene == before)) ++changed;
        before = bar.state.scene;
    }
    HWND barWindow = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 500,
                                     kBarHeight, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(barWindow, SW_SHOWNOACTIVATE);
    ScenePainter painter([](HDC dc, const Element& e) { DrawPicture(dc, e.picture, e.bounds); });
    RECT client{};
    GetClientRect(barWindow, &client);
    const double c0 = CpuUs();
    const double paint = BestUs(
        [&] {
            HDC dc = GetDC(barWindow);
            painter.PaintBuffered(dc, client, RGB(0, 0, 0), bar.state.scene);
            ReleaseDC(barWindow, dc);
        },
        100, 3);
    const double paintCpu = (CpuUs() - c0) / 300;
    std::printf("(ticks that change what the bar shows           %d of %d)\n", changed, observed);
    std::printf("(one repaint of the bar (the form's)            %8.1f us wall  %8.1f us CPU)\n",
                paint, paintCpu);
    DestroyWindow(barWindow);
    std::printf("(track changes seen during the run: %d)\n", services.calls["ScheduleEvaluate"]);
    return 0;
}

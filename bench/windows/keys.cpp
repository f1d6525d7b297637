// From a key press to the command received by the player, under Wine: SendInput
// of the next-track media key, the low-level hook, the key text, the default
// bindings, the bar's dispatcher and the player link's synchronous message to
// the simulator; timed until that message has been answered. Beside it, in the
// same run, a bare SendMessageW of the same command to the simulator.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../../tests/windows/bar/QuietServices.h"
#include "Simulator.h"
#include "bar/BarLogic.h"
#include "components/Bindings.h"
#include "components/HookKeyboardWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;

namespace {

double NowUs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

// The real player window; notes when a "next" command has been answered.
class TimedWindow final : public PlayerWindow {
  public:
    explicit TimedWindow(Win32PlayerWindow& inner) : inner_(inner) {}
    double answeredAt = 0;
    bool Find() override { return inner_.Find(); }
    bool Exists() override { return inner_.Exists(); }
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        const auto r = inner_.Send(msg, w, l);
        if (msg == WM_COMMAND && w == kCmdPause) answeredAt = NowUs();
        return r;
    }
    void Post(unsigned msg, std::uintptr_t w, std::intptr_t l) override { inner_.Post(msg, w, l); }
    std::optional<std::string> Caption() override { return inner_.Caption(); }
    void Show(bool v) override { inner_.Show(v); }
    void RaiseSearchWindow() override { inner_.RaiseSearchWindow(); }

  private:
    Win32PlayerWindow& inner_;
};

template <class Done> void PumpUntil(Done done, double deadlineUs) {
    while (!done() && NowUs() < deadlineUs) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

struct Stats {
    double median, p90, max;
};
Stats Of(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[v.size() * 9 / 10], v.back()};
}

} // namespace

int main(int argc, char** argv) {
    const int kRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    testing::Simulator sim(testing::Simulator::Options{.play = true, .tracks = 50});
    Win32PlayerWindow window;
    TimedWindow timed(window);
    Win32PlayerSystem system;
    TPilotune link(timed, system, Narrow(testing::SimulatorExe()));
    link.Connecter();
    COption option;
    option.ClavierActiver = true;
    SettingsStore store;
    testing::QuietServices services;
    BarLogic bar(option, link, store, services);
    Raccourcis keys(option, [&](int a, bool f, const std::string& p) {
        bar.dispatcher.ExecuterAction(a, f, p);
    });
    THookKeyboard hook;
    double reportedAt = 0;
    hook.OnHookKeyDown = [&](THookKeyboard&, std::uint16_t, const std::string& t) {
        reportedAt = NowUs();
        keys.ToucheEnfoncee(t);
    };
    hook.Loaded();

    std::vector<double> pressToCommand, pressToEvent, bare, bareQuery;
    int lost = 0;
    for (int i = 0; i < kRounds + 10; ++i) {
        timed.answeredAt = 0;
        const double t0 = NowUs();
        Key(VK_MEDIA_PLAY_PAUSE, false);
        PumpUntil([&] { return timed.answeredAt != 0; }, t0 + 1e6);
        const bool done = timed.answeredAt != 0;
        Key(VK_MEDIA_PLAY_PAUSE, true);
        PumpUntil([] { return false; }, NowUs() + 2000); // the release goes through too
        if (!done) {
            std::fprintf(stderr, "round %d: the key did not reach the player\n", i);
            ++lost;
            continue;
        }
        if (i >= 10) pressToCommand.push_back(timed.answeredAt - t0);
        if (i >= 10) pressToEvent.push_back(reportedAt - t0);

        const double b0 = NowUs();
        sim.Send(WM_COMMAND, kCmdPause, 0);
        if (i >= 10) bare.push_back(NowUs() - b0);
        const double q0 = NowUs();
        sim.User(kQueryState);
        if (i >= 10) bareQuery.push_back(NowUs() - q0);
    }
    if (pressToCommand.empty()) {
        std::printf("no key press reached the player\n");
        return 1;
    }
    const Stats k = Of(pressToCommand), e = Of(pressToEvent), b = Of(bare), q = Of(bareQuery);
    std::printf("%d rounds, %d lost\n", kRounds, lost);
    std::printf("key press -> command answered  median %8.1f us  p90 %8.1f us  max %8.1f us"
                "  (target median <= 2000 us)\n",
                k.median, k.p90, k.max);
    std::printf("bare SendMessageW              median %8.1f us  p90 %8.1f us  max %8.1f us\n",
                b.median, b.p90, b.max);
    std::printf(
        "  of which key press -> OnHookKeyDown  median %8.1f us  p90 %8.1f us  max %8.1f us\n",
        e.median, e.p90, e.max);
    std::printf("bare SendMessageW state query  median %8.1f us  p90 %8.1f us  max %8.1f us\n",
                q.median, q.p90, q.max);
    return 0;
}

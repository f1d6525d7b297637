// From a key press to the command received by the player, under Wine: SendInput
// of the next-track media key, the low-level hook, the key text, the default
// bindings, the bar's dispatcher and the player link's synchronous message to
// the simulator; timed until that message has been answered. Its baseline, in
// the same run and interleaved with it: SendInput of another key to a bare
// low-level hook on a thread of its own whose callback sends the same command
// to the simulator. Beside them, a bare SendMessageW of the command. And a
// volume key (F13 bound to MONTERVOLUME: the level asked, then set), timed
// until the setting has been answered, against the key-to-command figure.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "../../tests/windows/bar/QuietServices.h"
#include "BenchClock.h"
#include "DialogDriving.h"
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

// The real player window; notes when a "next" command has been answered.
class TimedWindow final : public PlayerWindow {
  public:
    explicit TimedWindow(Win32PlayerWindow& inner) : inner_(inner) {}
    double answeredAt = 0;
    double volumeSetAt = 0;
    bool Find() override { return inner_.Find(); }
    bool Exists() override { return inner_.Exists(); }
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        const auto r = inner_.Send(msg, w, l);
        if (msg == WM_COMMAND && w == kCmdNext) answeredAt = NowUs();
        if (msg == kWmUser && l == kQueryVolume && w != static_cast<std::uintptr_t>(kAskVolume))
            volumeSetAt = NowUs();
        return r;
    }
    void Post(unsigned msg, std::uintptr_t w, std::intptr_t l) override { inner_.Post(msg, w, l); }
    std::optional<std::string> Caption() override { return inner_.Caption(); }
    void Show(bool v) override { inner_.Show(v); }
    void RaiseSearchWindow() override { inner_.RaiseSearchWindow(); }
    // The profile comes from the program file: the volume is asked of a player
    // known to answer it.
    std::optional<std::string> ProgramFile() override { return inner_.ProgramFile(); }

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

// The least a shortcut can cost: a low-level hook whose callback sends the
// command itself. It takes F24 for itself (swallowed: the component never sees
// it) and passes every other key on.
class BareHook {
  public:
    explicit BareHook(HWND player) : player_(player) {
        thread_ = std::thread([this] { Run(); });
        while (!ready_.load())
            Sleep(1);
    }
    ~BareHook() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    std::atomic<double> answeredAt{0};

  private:
    static LRESULT CALLBACK Proc(int code, WPARAM w, LPARAM l) {
        if (code == HC_ACTION && self_) {
            const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(l);
            if (k->vkCode == VK_F24) {
                if (!(k->flags & LLKHF_UP)) {
                    DWORD_PTR r = 0;
                    SendMessageTimeoutW(self_->player_, WM_COMMAND, kCmdNext, 0,
                                        SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &r);
                    self_->answeredAt = NowUs();
                }
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    void Run() {
        self_ = this;
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
        threadId_ = GetCurrentThreadId();
        HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Proc, GetModuleHandleW(nullptr), 0);
        ready_ = true;
        while (GetMessageW(&m, nullptr, 0, 0) > 0)
            DispatchMessageW(&m);
        if (hook) UnhookWindowsHookEx(hook);
    }
    static inline thread_local BareHook* self_ = nullptr;
    HWND player_;
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ready_{false};
};

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
    option.Bindings.push_back({true, MONTERVOLUME, "Touche F13", ""});
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
    BareHook bareHook(sim.Window()); // installed last: first in the hook chain

    std::vector<double> pressToCommand, pressToEvent, bareHookToCommand, bare, bareQuery, volume;
    int lost = 0;
    for (int i = 0; i < kRounds + 10; ++i) {
        timed.answeredAt = 0;
        const double t0 = NowUs();
        testing::SendKey(VK_MEDIA_NEXT_TRACK, false);
        PumpUntil([&] { return timed.answeredAt != 0; }, t0 + 1e6);
        const bool done = timed.answeredAt != 0;
        testing::SendKey(VK_MEDIA_NEXT_TRACK, true);
        PumpUntil([] { return false; }, NowUs() + 2000); // the release goes through too
        if (!done) {
            std::fprintf(stderr, "round %d: the key did not reach the player\n", i);
            ++lost;
            continue;
        }
        if (i >= 10) pressToCommand.push_back(timed.answeredAt - t0);
        if (i >= 10) pressToEvent.push_back(reportedAt - t0);

        bareHook.answeredAt = 0;
        const double h0 = NowUs();
        testing::SendKey(VK_F24, false);
        PumpUntil([&] { return bareHook.answeredAt != 0; }, h0 + 1e6);
        const double hookAnswered = bareHook.answeredAt;
        testing::SendKey(VK_F24, true);
        PumpUntil([] { return false; }, NowUs() + 2000);
        if (hookAnswered == 0) {
            std::fprintf(stderr, "round %d: the bare hook did not reach the player\n", i);
            ++lost;
            continue;
        }
        if (i >= 10) bareHookToCommand.push_back(hookAnswered - h0);

        sim.Send(WM_USER, 100, kQueryVolume); // never at the top of the scale
        timed.volumeSetAt = 0;
        const double v0 = NowUs();
        testing::SendKey(VK_F13, false);
        PumpUntil([&] { return timed.volumeSetAt != 0; }, v0 + 1e6);
        const double volumeSet = timed.volumeSetAt;
        testing::SendKey(VK_F13, true);
        PumpUntil([] { return false; }, NowUs() + 2000);
        if (volumeSet == 0) {
            std::fprintf(stderr, "round %d: the volume key did not reach the player\n", i);
            ++lost;
            continue;
        }
        if (i >= 10) volume.push_back(volumeSet - v0);

        const double b0 = NowUs();
        sim.Send(WM_COMMAND, kCmdNext, 0);
        if (i >= 10) bare.push_back(NowUs() - b0);
        const double q0 = NowUs();
        sim.User(kQueryState);
        if (i >= 10) bareQuery.push_back(NowUs() - q0);
    }
    if (pressToCommand.empty() || bareHookToCommand.empty() || volume.empty()) {
        std::printf("no key press reached the player\n");
        return 1;
    }
    const Stats k = Of(pressToCommand), e = Of(pressToEvent), h = Of(bareHookToCommand),
                b = Of(bare), q = Of(bareQuery), v = Of(volume);
    std::printf("(%d rounds, %d lost)\n", kRounds, lost);
    std::printf("key press -> command answered (median)  %.1f us  baseline %.1f us  ratio %.2f"
                "  (target <= 1.3)\n",
                k.median, h.median, k.median / h.median);
    std::printf("volume key -> volume set answered (median)  %.1f us  baseline %.1f us  ratio %.2f"
                "  (target <= 1.2)\n",
                v.median, k.median, v.median / k.median);
    std::printf("(key press -> command answered  median %8.1f us  p90 %8.1f us  max %8.1f us)\n",
                k.median, k.p90, k.max);
    std::printf("(bare hook -> command answered  median %8.1f us  p90 %8.1f us  max %8.1f us)\n",
                h.median, h.p90, h.max);
    std::printf("(bare SendMessageW              median %8.1f us  p90 %8.1f us  max %8.1f us)\n",
                b.median, b.p90, b.max);
    std::printf(
        "(  of which key press -> OnHookKeyDown  median %8.1f us  p90 %8.1f us  max %8.1f us)\n",
        e.median, e.p90, e.max);
    std::printf("(bare SendMessageW state query  median %8.1f us  p90 %8.1f us  max %8.1f us)\n",
                q.median, q.p90, q.max);
    return 0;
}

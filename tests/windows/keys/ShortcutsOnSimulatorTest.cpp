// Shortcuts end to end: real keys, the low-level hook, the bindings, the bar's
// dispatcher and the player link, down to the commands the simulator receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "../bar/QuietServices.h"
#include "KeyInput.h"
#include "PumpUntil.h"
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
using namespace pilotune::testing;

namespace {

double NowMs() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// Another thread of the test, with a window that has the keyboard focus: once
// started it waits `delayMs`, types `vk` (press and release) and notes when
// its window receives the press, that is when the system let the key through.
class Typist {
  public:
    Typist(WORD vk, int delayMs) {
        thread_ = std::thread([this, vk, delayMs] { Run(vk, delayMs); });
        ready_.wait(false);
    }
    ~Typist() { Join(); }
    void Start() { go_ = true; }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    std::atomic<double> typedAt{0};
    std::atomic<double> receivedAt{0};

  private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_KEYDOWN && self_->receivedAt == 0) self_->receivedAt = NowMs();
        return DefWindowProcW(h, m, w, l);
    }
    void Run(WORD vk, int delayMs) {
        self_ = this;
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PilotuneKeysFocusTypist";
        RegisterClassW(&wc);
        HWND w = CreateWindowExW(0, wc.lpszClassName, L"typist", WS_POPUP | WS_VISIBLE, 10, 100,
                                 100, 50, nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(w);
        SetFocus(w);
        Pump(50);
        ready_ = true;
        ready_.notify_all();
        PumpUntil([this] { return go_.load(); }, 10000);
        Sleep(delayMs); // well inside what the test thread does meanwhile
        typedAt = NowMs();
        Key(vk, false);
        Key(vk, true);
        PumpUntil([this] { return receivedAt != 0; }, 3000);
        DestroyWindow(w);
    }
    static inline thread_local Typist* self_ = nullptr;
    std::atomic<bool> ready_{false};
    std::atomic<bool> go_{false};
    std::thread thread_;
};

// What the bar does with its hook: the bindings run through its dispatcher,
// and applying the settings switches the hook.
struct ShortcutsOnSimulator : ::testing::Test {
    ShortcutsOnSimulator() : sim({.speed = 1, .play = true, .tracks = 8}) {}
    void SetUp() override {
        link.Connecter();
        ASSERT_EQ(window.Handle(), sim.Window());
        option.ClavierActiver = true;
        hook.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t, const std::string& text) {
            keys.ToucheEnfoncee(text);
        };
        hook.Loaded();
        ApplySettings();
        sim.ClearLog();
    }
    void ApplySettings() { hook.SetEnabled(HookActifSelonReglages(option)); }
    int Commands(unsigned id) {
        int n = 0;
        for (const auto& m : sim.Log())
            n += m.msg == WM_COMMAND && m.wParam == id;
        return n;
    }

    Simulator sim;
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, Narrow(SimulatorExe())};
    COption option;
    SettingsStore store;
    QuietServices services;
    BarLogic bar{option, link, store, services};
    Raccourcis keys{option, [this](int a, bool flag, const std::string& p) {
                        bar.dispatcher.ExecuterAction(a, flag, p);
                    }};
    THookKeyboard hook;
};

} // namespace

TEST_F(ShortcutsOnSimulator, OwnBindingsMatchTheWholeTextOnlyWhenActiveAndSwitchedOn) {
    option.Bindings = {{true, JOUER, "Ctrl + Touche F5", ""},
                       {false, AVANCER, "Touche F6", ""},
                       {true, STOPPER, "Touche F5", ""},
                       // the text of a release: releases never run a binding
                       {true, RECULER, "Windows + Shift + Windows gauche", ""}};
    link.Stopper();
    sim.ClearLog();
    Chord({VK_CONTROL, VK_F5});
    Chord({VK_F6});
    Chord({VK_LWIN, VK_SHIFT, 'A'});
    EXPECT_EQ(Commands(kCmdPlay), 1);
    EXPECT_EQ(Commands(kCmdStop), 0);
    EXPECT_EQ(Commands(kCmdNext), 0);
    EXPECT_EQ(Commands(kCmdPrevious), 0);
    EXPECT_EQ(link.Etat(), PlayerState::Playing);

    // Applying the settings switches the default shortcuts off and on.
    option.Bindings = COption{}.Bindings;
    option.ClavierActiver = false;
    ApplySettings();
    Chord({VK_MEDIA_NEXT_TRACK});
    EXPECT_EQ(Commands(kCmdNext), 0);
    option.ClavierActiver = true;
    ApplySettings();
    Chord({VK_MEDIA_NEXT_TRACK});
    EXPECT_EQ(Commands(kCmdNext), 1);
}

// The link's own wait on a hung player: the key reaches its binding inside
// that wait, and the system's keyboard is not held up.
TEST_F(ShortcutsOnSimulator, WhileTheLinkWaitsOnAHungPlayerTheKeyboardGoesOn) {
    std::vector<double> handled;
    hook.OnHookKeyDown = [&](THookKeyboard&, std::uint16_t, const std::string& text) {
        handled.push_back(NowMs());
        keys.ToucheEnfoncee(text);
    };
    sim.Hang(10000);
    Typist typist(VK_MEDIA_NEXT_TRACK, 200);
    typist.Start();
    const double start = NowMs();
    EXPECT_EQ(link.Etat(), PlayerState::Stopped); // no answer within the link's second
    EXPECT_GT(NowMs() - start, 500.0);
    PumpUntil([&] { return !handled.empty(); }, 200);
    typist.Join();
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_LT(handled[0] - typist.typedAt, 400.0); // 800 ms if held to the end
    ASSERT_NE(typist.receivedAt, 0.0);
    EXPECT_LT(typist.receivedAt - typist.typedAt, 400.0);
    Chord({VK_MEDIA_NEXT_TRACK});
    EXPECT_EQ(handled.size(), 2u);
    EXPECT_TRUE(hook.HookInstalled());
    sim.Kill();
}

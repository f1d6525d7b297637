// The wait for a launched player, with real messages on the test thread: it
// answers what other threads send and repaints, runs no input, no timer and
// no posted message, never launches twice, and ends as soon as the program
// closes, leaving the close or the quit for the message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "Simulator.h"
#include "PumpUntil.h"
#include "Waiting.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr UINT kAskAgain = WM_APP + 1; // sent from another thread: Connecter again
constexpr UINT kQuitFromInside = WM_APP + 2;

// The real wait; a launch that starts nothing, so the player never shows.
class NoShowSystem final : public PlayerSystem {
  public:
    int launches = 0;
    bool FileExists(const std::string&) override { return true; }
    std::string RegisteredWinampPath() override { return {}; }
    std::string AskText(const std::string&, const std::string&, const std::string& v) override {
        return v;
    }
    void ShowMessage(const std::string&) override {}
    bool Launch(const std::string&) override {
        ++launches;
        return true;
    }
    bool WaitForLaunch() override { return real_.WaitForLaunch(); }
    std::uint64_t NowMs() override { return real_.NowMs(); }
    bool ReadFile(const std::string&, const std::function<bool(std::string_view)>&,
                  std::string&) override {
        return false;
    }
    void DecodeAnsi(std::string_view, std::string&) override {}

  private:
    Win32PlayerSystem real_;
};

struct Probe {
    int timers = 0, clicks = 0, paints = 0, closes = 0, askedAgain = 0;
    bool launchingWhenAsked = false;
    TPilotune* link = nullptr;
};
Probe* gProbe = nullptr;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        ++gProbe->timers;
        return 0;
    case WM_LBUTTONDOWN:
        ++gProbe->clicks;
        return 0;
    case WM_CLOSE:
        ++gProbe->closes;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        ++gProbe->paints;
        return 0;
    }
    case kAskAgain:
        ++gProbe->askedAgain;
        gProbe->launchingWhenAsked = gProbe->link->Lancement();
        gProbe->link->Connecter();
        return 0;
    case kQuitFromInside:
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct LaunchWait : ::testing::Test {
    void SetUp() override {
        CloseLeftoverSimulators();
        gProbe = &probe;
        probe.link = &link;
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LaunchWaitProbe";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"LaunchWaitProbe", L"", WS_POPUP, 0, 0, 40, 20,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        Pump(100); // shown and painted once
        probe.paints = 0;
    }
    void TearDown() override {
        KillTimer(hwnd, 1);
        DestroyWindow(hwnd);
        Pump(20);
        gProbe = nullptr;
    }
    // Connecter's duration in ms.
    ULONGLONG TimedConnect() {
        const ULONGLONG start = GetTickCount64();
        link.Connecter();
        return GetTickCount64() - start;
    }

    Probe probe;
    Win32PlayerWindow window;
    NoShowSystem system;
    TPilotune link{window, system, "C:\\Lecteur\\Winamp.exe"};
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(LaunchWait, AnswersSentMessagesAndPaintsButRunsNoInputNoTimerNoSecondLaunchUntilAQuit) {
    SetTimer(hwnd, 1, 20, nullptr);
    PostMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    std::thread other([this] {
        Sleep(200);
        DWORD_PTR ignored = 0; // a second start with JOUER, say
        SendMessageTimeoutW(hwnd, kAskAgain, 0, 0, SMTO_NORMAL, 5000, &ignored);
        InvalidateRect(hwnd, nullptr, FALSE);
        Sleep(400);
        PostMessageW(hwnd, WM_CLOSE, 0, 0); // the bar is asked to close
    });
    const ULONGLONG ms = TimedConnect();
    other.join();

    EXPECT_LT(ms, 3000u); // not the whole launch wait
    EXPECT_GE(ms, 500u);
    EXPECT_EQ(system.launches, 1);
    EXPECT_EQ(probe.askedAgain, 1);
    EXPECT_TRUE(probe.launchingWhenAsked);
    EXPECT_FALSE(link.Lancement());
    EXPECT_GE(probe.paints, 1);
    EXPECT_EQ(probe.timers, 0);
    EXPECT_EQ(probe.clicks, 0);
    EXPECT_EQ(probe.closes, 0);

    // What waited runs now, in the message loop.
    PumpUntil([&] { return probe.clicks == 1 && probe.closes == 1 && probe.timers >= 1; });
    EXPECT_EQ(probe.clicks, 1);
    EXPECT_EQ(probe.closes, 1);
    EXPECT_GE(probe.timers, 1);

    // A quit ends the wait and stays for the message loop.
    std::thread quitter([this] {
        Sleep(200);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(hwnd, kQuitFromInside, 0, 0, SMTO_NORMAL, 5000, &ignored);
    });
    EXPECT_LT(TimedConnect(), 1500u);
    quitter.join();
    EXPECT_EQ(system.launches, 2);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// Sends to a player that does not answer stay bounded: the first waits about
// the first bound, the next ones the short one, and each says "no answer"
// until the player answers again.
TEST(HungPlayer, SendsStayBoundedAndSayNoAnswer) {
    Simulator sim(Simulator::Options{.play = true, .tracks = 5});
    Win32PlayerWindow window(1000, 50);
    Win32PlayerSystem system;
    TPilotune link{window, system, "C:\\Lecteur\\Winamp.exe"};
    link.Connecter();
    ASSERT_EQ(link.DemanderEtat(), PlayerState::Playing);
    sim.Hang(2500);
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(link.DemanderEtat(), std::nullopt);
    const ULONGLONG first = GetTickCount64() - start;
    start = GetTickCount64();
    EXPECT_EQ(link.DemanderPosition(), std::nullopt);
    EXPECT_EQ(link.DemanderNumeroTitre(), std::nullopt);
    EXPECT_EQ(link.DemanderHasard(), std::nullopt);
    const ULONGLONG next = GetTickCount64() - start;
    EXPECT_GE(first, 900u);
    EXPECT_LT(first, 1400u);
    EXPECT_LT(next, 3 * 50u + 300u);
    EXPECT_TRUE(window.Hung());
    EXPECT_TRUE(link.DemanderTitre().has_value()); // the caption needs no answer
    EXPECT_TRUE(WaitFor([&] { return link.DemanderEtat() == PlayerState::Playing; }, 6000));
    EXPECT_FALSE(window.Hung());
}

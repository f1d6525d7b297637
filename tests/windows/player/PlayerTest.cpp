// The player link on real windows and processes: the wait for a launched
// player on the test thread's own messages, sends to a hung player, the
// simulator driven across processes, the player's path from Wine's registry
// and the real input box.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "ModalDriver.h"
#include "Waiting.h"
#include "WindowText.h"
#include "RecordingMessages.h"
#include "Simulator.h"
#include "base/EncodingWin32.h"
#include "player/Playlist.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "settings/Codecs.h"
#include "settings/SettingsStore.h"
#include "ui/InputBoxWin32.h"

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
        hwnd = MakeWindow(L"LaunchWaitProbe", ProbeProc, WS_POPUP, {0, 0, 40, 20}, L"", nullptr,
                          WS_EX_TOOLWINDOW);
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

TEST_F(LaunchWait, RunsInputTimersAndPaintsButNoSecondLaunchAndEndsAtACloseOrAQuit) {
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
    EXPECT_GE(probe.timers, 10); // 20 ms ticks over more than 500 ms
    EXPECT_EQ(probe.clicks, 1);
    EXPECT_EQ(probe.closes, 0); // the close waits for the message loop
    PumpUntil([&] { return probe.closes == 1; });
    EXPECT_EQ(probe.closes, 1);

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

TEST(LinkOnSimulator, CommandsQueriesThePlaylistAndTheSearchWindowCrossTheProcessBoundary) {
    Simulator sim{Simulator::Options{.tracks = 12}};
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, Narrow(SimulatorExe())};
    link.Connecter();
    ASSERT_EQ(window.Handle(), sim.Window());
    sim.ClearLog();
    EXPECT_TRUE(link.EstLance());
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    EXPECT_EQ(link.TexteEtat(), " - Stop");
    EXPECT_EQ(link.NbTitres(), 12);
    link.Jouer();
    EXPECT_EQ(link.Etat(), PlayerState::Playing);
    EXPECT_EQ(link.TexteEtat(), "");
    link.Pauser();
    EXPECT_EQ(link.Etat(), PlayerState::Paused);
    EXPECT_EQ(link.TexteEtat(), " - Pause");
    link.Pauser();
    link.JouerTitre(5);
    EXPECT_EQ(link.NumeroTitre(), 5);
    EXPECT_EQ(link.Titre().rfind("5. ", 0), 0u) << link.Titre();
    EXPECT_EQ(link.Titre().find("Winamp"), std::string::npos);
    link.Suivant();
    EXPECT_EQ(link.NumeroTitre(), 6);
    link.Precedent();
    EXPECT_EQ(link.NumeroTitre(), 5);

    sim.SetLength(5, 200);
    EXPECT_EQ(link.Duree(), 200);
    sim.SetPosition(61500);
    EXPECT_EQ(link.Position(), 61);
    link.AllerA(120); // posted: nothing awaited
    EXPECT_TRUE(WaitFor([&] { return link.Position() >= 120; }));

    const bool shuffle = link.HasardActif();
    link.BasculerHasard();
    EXPECT_NE(link.HasardActif(), shuffle);
    link.Stopper();
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    EXPECT_EQ(link.Titre().find("[Stopped]"), std::string::npos);

    // The messages arrived exactly as sent, in order.
    EXPECT_EQ(sim.Commands(),
              (std::vector<long long>{40045, 40046, 40046, 40045, 40048, 40044, 40023, 40047}));

    // The playlist cache reads the file the player writes.
    ASSERT_TRUE(link.LireListe());
    ASSERT_EQ(link.Liste().size(), 12u);
    for (const auto& path : link.Liste()) {
        EXPECT_FALSE(path.empty());
        EXPECT_NE(path[0], '#');
        EXPECT_TRUE(system.FileExists(path)) << path;
    }
    const std::string third = link.FichierTitre(3);
    EXPECT_EQ(third, link.Liste()[2]);
    EXPECT_EQ(link.ChercherTitre(std::string(FileNamePart(third))), 3);
    EXPECT_EQ(link.ChercherTitre("absent.mp3"), 0);

    // The player's search window opens, on top.
    sim.ClearLog();
    link.AfficherChercheur();
    HWND search = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (search = FindWindowW(L"BaseWindow_RootWnd", nullptr)); }));
    EXPECT_TRUE(
        WaitFor([&] { return (GetWindowLongW(search, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_EQ(sim.Commands(), std::vector<long long>{0x19D02});
    PostMessageW(search, WM_CLOSE, 0, 0);
}

// No player running: Connecter returns at once when there is no program at
// the path, else starts it and waits for its window.
TEST(LinkConnect, NoProgramReturnsAtOnceElseItIsLaunchedAndItsWindowAwaited) {
    CloseLeftoverSimulators();
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune nowhere{window, system, "C:\\nulle part\\Winamp.exe"};
    const ULONGLONG start = GetTickCount64();
    nowhere.Connecter();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_LT(GetTickCount64() - start, 500u);
    EXPECT_EQ(nowhere.FichierTitre(1), "");

    // A program that ends, or waits for input, without the player's window
    // ends the wait at once or after a short grace.
    for (const char* other : {"C:\\windows\\system32\\hostname.exe", "C:\\windows\\notepad.exe"}) {
        TPilotune elsewhere{window, system, other};
        const ULONGLONG begin = GetTickCount64();
        elsewhere.Connecter();
        EXPECT_LT(GetTickCount64() - begin, 6000u) << other;
        EXPECT_EQ(window.Handle(), nullptr);
    }
    if (HWND notepad = FindWindowW(L"Notepad", nullptr)) PostMessageW(notepad, WM_CLOSE, 0, 0);

    TPilotune link{window, system, Narrow(SimulatorExe())};
    link.Connecter();
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_TRUE(link.EstLance());
    EXPECT_GT(link.NbTitres(), 0);
    link.Commande(40001);
    EXPECT_TRUE(WaitFor([] { return !FindWindowW(L"Winamp v1.x", nullptr); }));
}

constexpr wchar_t kAppPaths[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\winamp.exe";

struct PathResolution : ::testing::Test {
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
    Win32PlayerSystem system;
    RecordingMessages messages;
    void SetUp() override {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAppPaths);
        store.Open("C:\\pilotune-test-path.ini", {"C:\\x.exe", "test", &codec, &dates});
        store.WriteText("Option", "CheminWinamp", "C:\\absent\\Winamp.exe", true);
    }
    void TearDown() override { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAppPaths); }

    // The user's answer to the input box: types `text`, presses `button`.
    static std::function<void(HWND)> Answer(std::wstring text, int button) {
        return [text, button](HWND box) {
            SetWindowTextW(GetDlgItem(box, kInputBoxEditId), text.c_str());
            PostMessageW(box, WM_COMMAND, button, 0);
        };
    }
};

TEST_F(PathResolution, TheAppPathsEntryOrElseTheInputBoxReplacesAMissingPath) {
    const std::wstring sim = SimulatorExe();
    SetEnvironmentVariableW(L"LECTEUR", sim.substr(0, sim.rfind(L'\\')).c_str());
    const std::wstring value = L"%LECTEUR%\\Winamp.exe"; // as an installer may write it
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kAppPaths, nullptr, REG_EXPAND_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(ResolveWinampPath(store, system), Narrow(sim));
    EXPECT_EQ(store.ReadText("Option", "CheminWinamp", "", true), Narrow(sim));
    EXPECT_TRUE(messages.infos.empty());

    // Without it, the input box gives the path, confirmed or cancelled.
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAppPaths);
    store.WriteText("Option", "CheminWinamp", "C:\\absent\\Winamp.exe", true);
    ModalDriver user(kInputBoxClass, Answer(sim, IDOK), 10000);
    EXPECT_EQ(ResolveWinampPath(store, system), Narrow(sim));
    user.Join();
    EXPECT_TRUE(messages.infos.empty());

    store.WriteText("Option", "CheminWinamp", "C:\\absent\\Winamp.exe", true);
    ModalDriver again(kInputBoxClass, Answer(L"C:\\toujours absent.exe", IDCANCEL), 10000);
    EXPECT_EQ(ResolveWinampPath(store, system), "C:\\toujours absent.exe");
    again.Join();
    EXPECT_EQ(store.ReadText("Option", "CheminWinamp", "", true), "C:\\toujours absent.exe");
    ASSERT_EQ(messages.infos.size(), 1u);
    EXPECT_EQ(messages.infos[0].substr(0, 21), std::string(20, ' ') + "V");
}

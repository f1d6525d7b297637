// The player link against the real simulator process, across processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "Simulator.h"
#include "Waiting.h"
#include "player/Playlist.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

std::string SimulatorPath() {
    return Narrow(SimulatorExe());
}

struct LinkOnSimulator : ::testing::Test {
    Simulator sim{Simulator::Options{.tracks = 12}};
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, SimulatorPath()};
    void SetUp() override {
        link.Connecter();
        ASSERT_EQ(window.Handle(), sim.Window());
        sim.ClearLog();
    }
};

} // namespace

TEST_F(LinkOnSimulator, CommandsAndQueriesCrossTheProcessBoundary) {
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
    std::vector<std::pair<unsigned, long long>> commands;
    for (const auto& m : sim.Log())
        if (m.msg == 273) commands.emplace_back(m.msg, m.wParam);
    const std::vector<std::pair<unsigned, long long>> expected = {
        {273, 40045}, {273, 40046}, {273, 40046}, {273, 40045},
        {273, 40048}, {273, 40044}, {273, 40023}, {273, 40047}};
    EXPECT_EQ(commands, expected);
}

TEST_F(LinkOnSimulator, PlaylistCacheReadsTheFileThePlayerWrites) {
    ASSERT_TRUE(link.LireListe());
    ASSERT_EQ(link.Liste().size(), 12u);
    for (const auto& path : link.Liste()) {
        EXPECT_FALSE(path.empty());
        EXPECT_NE(path[0], '#');
        EXPECT_TRUE(system.FileExists(path)) << path;
    }
    const std::string third = link.FichierTitre(3);
    EXPECT_EQ(third, link.Liste()[2]);
    const std::string name{FileNamePart(third)};
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(link.ChercherTitre(upper), 3);
    EXPECT_EQ(link.ChercherTitre("absent.mp3"), 0);
}

TEST_F(LinkOnSimulator, SearchWindowOpensAndStaysOnTop) {
    link.AfficherChercheur();
    HWND search = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (search = FindWindowW(L"BaseWindow_RootWnd", nullptr)); }));
    EXPECT_TRUE(
        WaitFor([&] { return (GetWindowLongW(search, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    const auto log = sim.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().msg, 273u);
    EXPECT_EQ(log.front().wParam, 0x19D02);
    PostMessageW(search, WM_CLOSE, 0, 0);
}

TEST_F(LinkOnSimulator, AKilledPlayerAnswersZeroAndNothingHangs) {
    link.Jouer();
    sim.Kill();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    EXPECT_EQ(link.Position(), 0);
    EXPECT_EQ(link.Duree(), 0);
    EXPECT_EQ(link.NumeroTitre(), 1);
    EXPECT_EQ(link.Titre(), "");
    EXPECT_FALSE(link.EstLance());
    link.Suivant();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(LinkOnSimulator, AHungPlayerNeverBlocksACallForLong) {
    link.Jouer();
    sim.Hang(2500); // the link's next send queues behind the hang
    using clock = std::chrono::steady_clock;
    auto longest = clock::duration::zero();
    auto time = [&](auto&& call) {
        const auto start = clock::now();
        call();
        longest = std::max(longest, clock::now() - start);
    };
    time([&] {
        EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    }); // the first call waits for the bound
    for (int i = 0; i < 5; ++i) {
        time([&] { EXPECT_EQ(link.Position(), 0); });
        time([&] { link.Titre(); });
        time([&] { EXPECT_EQ(link.NumeroTitre(), 1); });
    }
    EXPECT_LT(longest, std::chrono::milliseconds(1300));
    EXPECT_TRUE(window.Hung());
    // Once it answers again, so does the link.
    EXPECT_TRUE(WaitFor([&] { return link.Etat() == PlayerState::Playing; }, 8000));
    EXPECT_FALSE(window.Hung());
}

TEST(LinkConnect, LaunchesThePlayerFromItsPathAndWaitsForItsWindow) {
    // No player running: Connecter starts the program at the path.
    if (HWND old = FindWindowW(L"Winamp v1.x", nullptr)) {
        PostMessageW(old, WM_COMMAND, 40001, 0);
        WaitFor([] { return !FindWindowW(L"Winamp v1.x", nullptr); });
    }
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, SimulatorPath()};
    link.Connecter();
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_TRUE(link.EstLance());
    EXPECT_GT(link.NbTitres(), 0);
    link.Commande(40001);
    EXPECT_TRUE(WaitFor([] { return !FindWindowW(L"Winamp v1.x", nullptr); }));
}

TEST(LinkConnect, NoPlayerAndNoProgramReturnsAtOnce) {
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, "C:\\nulle part\\Winamp.exe"};
    const auto start = std::chrono::steady_clock::now();
    link.Connecter();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(link.FichierTitre(1), "");
}

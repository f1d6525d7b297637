// The player link against the real simulator process, across processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>

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
    std::string upper{FileNamePart(third)};
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
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

TEST(LinkConnect, LaunchesThePlayerFromItsPathAndWaitsForItsWindow) {
    // No player running: Connecter starts the program at the path.
    CloseLeftoverSimulators();
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

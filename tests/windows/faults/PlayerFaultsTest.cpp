// The player killed in the middle of a tick, or hung for ten seconds: the bar
// goes on, shows the player stopped, answers at once, and finds the player
// again through JOUER once it is back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "../bar/QuietServices.h"
#include "FaultHelpers.h"
#include "bar/BarLogic.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using namespace pilotune::testing;

// In process: the bar's own tick against the real player, killed while the
// tick waits for its answer.
TEST(PlayerKilled, MidTickTheLinkReadsStoppedThenJouerFindsTheNewPlayer) {
    auto sim = std::make_unique<Simulator>(Simulator::Options{.play = true, .tracks = 5});
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, Narrow(SimulatorExe())};
    link.Connecter();
    COption option;
    SettingsStore store;
    QuietServices services;
    BarLogic bar{option, link, store, services};
    bar.monitor.Start();
    LayoutBar(bar.state.scene, 1024, 450);
    bar.monitor.Tick();
    const std::string& title = bar.state.scene["lblTitreB"].text;
    ASSERT_FALSE(title.empty());
    ASSERT_FALSE(title.ends_with(" - Stop")) << title;

    sim->Hang(3000); // the tick's first query waits for the player...
    std::thread killer([&] {
        Sleep(300);
        sim->Kill(); // ...which dies meanwhile
    });
    const ULONGLONG start = GetTickCount64();
    bar.monitor.Tick();
    const ULONGLONG tickMs = GetTickCount64() - start;
    killer.join();
    EXPECT_LT(tickMs, 1500u);
    for (int i = 0; i < 3; ++i)
        bar.monitor.Tick();
    // The link reads the dead player as stopped, at once, and says so to the title.
    const ULONGLONG dead = GetTickCount64();
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    EXPECT_EQ(link.TexteEtat(), " - Stop");
    EXPECT_EQ(link.Titre(), "");
    EXPECT_EQ(link.Position(), 0);
    EXPECT_EQ(link.Duree(), 0);
    EXPECT_EQ(link.NumeroTitre(), 1);
    EXPECT_FALSE(link.EstLance());
    EXPECT_LT(GetTickCount64() - dead, 1000u);

    // The player is back: the old handle reaches nothing until JOUER.
    sim = std::make_unique<Simulator>(Simulator::Options{.tracks = 5});
    sim->ClearLog();
    bar.monitor.Tick();
    EXPECT_TRUE(Commands(*sim).empty());
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    bar.dispatcher.ExecuterAction(JOUER, false, "");
    EXPECT_EQ(sim->User(104), 1);
    bar.monitor.Tick();
    EXPECT_FALSE(title.ends_with(" - Stop")) << title;
}

// The real program: killed player, restarted, reached again through a second
// start with JOUER; meanwhile the program runs on and answers.
TEST(PlayerKilled, TheProgramRunsOnAndASecondStartWithJouerReconnects) {
    auto sim = std::make_unique<Simulator>(Simulator::Options{.play = true, .tracks = 5});
    PilotuneProcess app("fault-kill", SimulatorIni());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return sim->User(104) == 1; }));

    for (int round = 0; round < 2; ++round) {
        sim->Hang(2000);
        Sleep(round == 0 ? 250 : 600); // inside one tick, then inside another
        sim->Kill();
        long worst = 0;
        for (int i = 0; i < 10; ++i) {
            worst = std::max(worst, AnswerTime(app.Bar()));
            Sleep(100);
        }
        EXPECT_TRUE(app.Alive());
        EXPECT_GE(worst, 0);
        EXPECT_LT(worst, 1500);
        sim = std::make_unique<Simulator>(Simulator::Options{.tracks = 5});
        EXPECT_EQ(app.RunSecond(round == 0 ? L"JOUER" : L"LANCERWINAMP JOUER"), 0u);
        EXPECT_TRUE(WaitFor([&] { return sim->User(104) == 1; })) << "round " << round;
        EXPECT_EQ(Commands(*sim), std::vector<long long>{40045});
    }
}

// The player stops answering for ten seconds: the bar keeps repainting and
// answering the mouse; no call of the bar blocks for more than about a second.
TEST(PlayerHung, TheBarKeepsAnsweringForTenSeconds) {
    Simulator sim(Simulator::Options{.play = true, .tracks = 5});
    PilotuneProcess app("fault-hang", SimulatorIni());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));

    sim.Hang(10000);
    const ULONGLONG end = GetTickCount64() + 10500;
    long worst = 0;
    int asked = 0, failed = 0;
    while (GetTickCount64() < end) {
        const POINT p{200 + (asked % 50), 12};
        RedrawWindow(app.Bar(), nullptr, nullptr, RDW_INVALIDATE);
        const long move = AnswerTime(app.Bar(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        const long null = AnswerTime(app.Bar());
        failed += move < 0 || null < 0;
        worst = std::max({worst, move, null});
        ++asked;
        Sleep(50);
    }
    EXPECT_EQ(failed, 0);
    EXPECT_LT(worst, 1300) << "over " << asked << " questions";
    EXPECT_GT(asked, 40);
    RecordProperty("worst_answer_ms", static_cast<int>(worst));
    std::printf("worst answer of the bar while the player hung: %ld ms over %d questions\n", worst,
                asked);
    EXPECT_TRUE(app.Alive());
    // Once the player answers again, so does the program's link.
    EXPECT_TRUE(WaitFor([&] { return sim.User(104) == 1; }, 3000));
}

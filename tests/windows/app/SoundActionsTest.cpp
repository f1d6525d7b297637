// The volume, seek, repeat, stop-after and fade actions: on the real program
// beside the simulator from a shortcut key (real key events), a schedule
// entry and a second start; and on the bar's logic, tick by tick, the fade's
// steps and a player that gives no answer.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../bar/LinkedBar.h"
#include "DialogDriving.h"
#include "PilotuneProcess.h"
#include "Simulator.h"
#include "Waiting.h"
#include "schedule/Action.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// The levels the simulator was told to take, in order.
std::vector<long long> VolumesSet(const Simulator& sim) {
    std::vector<long long> levels;
    for (const Simulator::Logged& m : sim.Log())
        if (m.msg == WM_USER && m.lParam == kQueryVolume && m.wParam != kAskVolume)
            levels.push_back(m.wParam);
    return levels;
}
long long Volume(const Simulator& sim) {
    return sim.User(kQueryVolume, static_cast<WPARAM>(kAskVolume));
}

TEST(SoundActions, FromAKeyAScheduleEntryAndASecondStartEachReachesThePlayer) {
    Simulator sim{{.play = true, .tracks = 6}};
    const std::string user = TestUserName();
    // F9 raises the volume, F10 switches the repeat, F11 seeks forward (20 s,
    // the setting); the schedule mutes 2 s after the start.
    PilotuneProcess app("sound", SimulatorIni("PasSecondes=20\r\n") + "[" + user +
                                     " Clavier]\r\nClavierActiver=1\r\nClavierNb=3\r\n"
                                     "Touche 0=Touche F9\r\nAction 0=33\r\n"
                                     "Touche 1=Touche F10\r\nAction 1=38\r\n"
                                     "Touche 2=Touche F11\r\nAction 2=36\r\n"
                                     "[" +
                                     user +
                                     " Planification]\r\nActiver=1\r\nNbListe=1\r\n"
                                     "Action 0=35\r\nComment 0=1\r\nQuand 0=2\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(Volume(sim), 200);
    EXPECT_TRUE(WaitFor([&] { return Volume(sim) == 0; }, 10000)); // the schedule's MUET
    EXPECT_EQ(app.RunSecond(L"MUET"), 0u);
    EXPECT_TRUE(WaitFor([&] { return Volume(sim) == 200; }));
    PressKey(VK_F9); // 78 % + 5 %
    EXPECT_TRUE(WaitFor([&] { return Volume(sim) == 212; }));
    EXPECT_EQ(app.RunSecond(L"BAISSERVOLUME"), 0u);
    EXPECT_TRUE(WaitFor([&] { return Volume(sim) == 199; }));
    PressKey(VK_F10);
    EXPECT_TRUE(WaitFor([&] { return sim.User(kQueryRepeat) == 1; }));

    // Seeking on a still clock: forward short of the track's last second,
    // back no further than its start.
    const int track = static_cast<int>(sim.User(kQueryWritePlaylist)) + 1;
    sim.Freeze(true);
    sim.SetLength(track, 45);
    sim.SetPosition(10000);
    const auto at = [&](long long ms) { return WaitFor([&] { return sim.User(105) == ms; }); };
    PressKey(VK_F11);
    EXPECT_TRUE(at(30000));
    PressKey(VK_F11);
    EXPECT_TRUE(at(44000));
    EXPECT_EQ(app.RunSecond(L"RECULERSECONDES RECULERSECONDES RECULERSECONDES"), 0u);
    EXPECT_TRUE(at(0));

    // Stopped when the track ends, not before.
    EXPECT_EQ(app.RunSecond(L"STOPPERAPRES"), 0u);
    Sleep(700); // a tick or more on the same track
    EXPECT_EQ(sim.User(kQueryState), 1);
    sim.SetPosition(45000);
    EXPECT_TRUE(WaitFor([&] { return sim.User(kQueryState) == 0; }));
    EXPECT_EQ(sim.User(kQueryWritePlaylist) + 1, track + 1);

    // A fade of 1 s: two steps down, the stop, then the volume back.
    sim.Command(kCmdPlay);
    sim.ClearLog();
    EXPECT_EQ(app.RunSecond(L"fondu 1"), 0u);
    EXPECT_TRUE(WaitFor([&] { return VolumesSet(sim).size() == 3; }));
    EXPECT_EQ(VolumesSet(sim), (std::vector<long long>{99, 0, 199}));
    EXPECT_EQ(sim.User(kQueryState), 0);

    // The bindings are written back by number.
    PostMessageW(app.Bar(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitExit(8000));
    const std::string ini = app.Ini();
    for (const char* key :
         {"Action 0=33", "Action 1=38", "Action 2=36", "PasSecondes=20", "PasVolume=5"})
        EXPECT_NE(ini.find(key), std::string::npos) << key << "\n" << ini;
}

TEST(SoundActions, TheFadeStepsEvenlyOnTheTickAndASilentPlayerIsNeverSetFromAGuess) {
    Simulator sim{{.play = true, .tracks = 6}};
    LinkedBar linked;
    auto& [window, system, link, option, store, services, bar] = linked;
    linked.Start();
    sim.ClearLog();
    bar.dispatcher.ExecuterAction(FONDU, false, "2"); // 4 ticks of 500 ms
    for (int tick = 0; tick < 4; ++tick) {
        EXPECT_EQ(sim.User(kQueryState), 1) << tick;
        bar.monitor.Tick();
    }
    EXPECT_EQ(VolumesSet(sim), (std::vector<long long>{150, 100, 50, 0, 200}));
    const auto log = sim.Log();
    const auto stop = std::ranges::find_if(log, [](const Simulator::Logged& m) {
        return m.msg == WM_COMMAND && m.wParam == kCmdStop;
    });
    ASSERT_NE(stop, log.end());
    EXPECT_EQ(std::count_if(stop, log.end(),
                            [](const Simulator::Logged& m) {
                                return m.lParam == kQueryVolume && m.wParam != kAskVolume;
                            }),
              1); // only the volume given back follows the stop
    EXPECT_EQ(sim.User(kQueryState), 0);

    // A change made in the player itself is told on the next tick.
    sim.Command(kCmdPlay);
    sim.Send(WM_USER, 120, kQueryVolume);
    bar.monitor.Tick();
    EXPECT_EQ(services.calls["VolumeChanged 120"], 1);

    // A profile that does not know the questions: none is asked, nothing set.
    link.ForcerProfil("winamp2");
    sim.ClearLog();
    for (int action : {MONTERVOLUME, BAISSERVOLUME, MUET, FONDU})
        bar.dispatcher.ExecuterAction(action, false);
    bar.monitor.Tick();
    for (const Simulator::Logged& m : sim.Log())
        EXPECT_TRUE(m.lParam != kQueryVolume && m.lParam != kQueryRepeat) << m.lParam;
    // A player too slow to answer: the question goes unanswered, no level follows.
    link.ForcerProfil("");
    sim.Hang(1500);
    bar.dispatcher.ExecuterAction(MONTERVOLUME, false);
    bar.dispatcher.ExecuterAction(AVANCERSECONDES, false);
    ASSERT_TRUE(WaitFor([&] { return sim.User(kQueryState) == 1; }));
    EXPECT_TRUE(VolumesSet(sim).empty());
    EXPECT_EQ(Volume(sim), 120);
}

} // namespace
